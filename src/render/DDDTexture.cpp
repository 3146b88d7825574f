#include "render/DDDTexture.h"

#include "render/Device3D.h"
#include "render/TextureLibrary.h"

namespace marquill::render {

DDDTexture::DDDTexture(Device3D& device, TextureLibrary& library, std::string name,
                       platform::soft3d::Surface& surface, uint32_t handle)
    : device_(device),
      library_(library),
      name_(name.substr(0, 255)),
      surface_(&surface),
      handle_(handle),
      inVideoMemory_((surface.desc().caps & platform::soft3d::SurfaceDesc::kVideoMemory) != 0) {
    surface_->addRef();
}

DDDTexture::~DDDTexture() {
    library_.remove(this);
    device_.platform().releaseTextureHandle(handle_);
    surface_->release();
}

}  // namespace marquill::render
