#include "render/TextureLibrary.h"

#include <algorithm>

#include "render/BitmapDecoder.h"
#include "render/DDDTexture.h"
#include "render/Device3D.h"

namespace marquill::render {

using namespace platform::soft3d;

TextureLibrary::TextureLibrary(Device3D& device) : device_(device) {
    (void)device.platform().enumTextureFormats(offered_);
    format_ = chooseTextureFormat(offered_, device.anim().bitsPerPixel());
}

void TextureLibrary::remove(DDDTexture* t) {
    std::erase(textures_, t);
}

RenderResult TextureLibrary::textureByName(std::string_view name, DDDTexture** out) {
    *out = nullptr;
    for (DDDTexture* t : textures_) {
        if (t->name() == name) {
            t->addRef();
            *out = t;
            return kRenderOk;
        }
    }
    FileSource* files = device_.anim().files();
    if (!files) return kRenderFileNotFound;
    const FoundFile found = files->find(name, device_.anim().textureSearchPath(), "IMAG");
    if (found.status == FoundFile::Status::OtherType) return kRenderNotAnImageFile;
    if (found.status != FoundFile::Status::Found) return kRenderFileNotFound;
    if (!format_) return kRenderCannotConvert;
    ++loads_;

    BitmapHeader header;
    if (RenderResult r = readBitmapHeader(found.bytes, header); r != kRenderOk) return r;
    DrawingObject& draw = *device_.anim().drawingObject();
    SurfaceDesc desc;
    desc.width = uint32_t(header.width);
    desc.height = uint32_t(header.height);
    desc.caps = SurfaceDesc::kOffscreenPlain | SurfaceDesc::kSystemMemory;
    desc.hasPixelFormat = true;
    desc.pixelFormat = format_->format;
    Ref<Surface> source;
    if (Status s = draw.createSurface(desc, source); s != kOk) return s;
    LockedArea locked;
    if (Status s = source->lock(nullptr, locked); s != kOk) return s;
    PaletteEntries colors{};
    const RenderResult decoded = decodeBitmap(
        found.bytes, header, {desc.pixelFormat, locked.bits, locked.pitch, desc.width, desc.height},
        colors);
    (void)source->unlock();
    if (decoded != kRenderOk) return decoded;
    if (desc.pixelFormat.has(PixelFormat::kPalette8)) {
        Ref<Palette> palette;
        if (Status s = draw.createPalette(colors, palette); s != kOk) return s;
        source->setPalette(palette.get());
    }

    desc.caps = SurfaceDesc::kTexture | SurfaceDesc::kSystemMemory;
    Ref<Surface> texture;
    if (Status s = draw.createSurface(desc, texture); s != kOk) return s;
    if (source->palette()) texture->setPalette(source->palette());
    if (Status s = texture->loadFrom(*source); s != kOk) return s;
    uint32_t handle = 0;
    if (Status s = device_.platform().textureHandle(*texture, handle); s != kOk) return s;
    auto* t = new DDDTexture(device_, *this, std::string(name), *texture, handle);
    textures_.push_back(t);
    *out = t;
    return kRenderOk;
}

}  // namespace marquill::render
