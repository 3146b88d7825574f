#include "render/Device3D.h"

#include <algorithm>

#include "render/DDDMaterial.h"
#include "render/DDDTexture.h"
#include "render/MaterialLibrary.h"
#include "render/TextureLibrary.h"

namespace marquill::render {

using namespace platform::soft3d;

Device3D::Device3D(AnimDevice& anim) : anim_(anim) {}

RenderResult Device3D::create(AnimDevice& anim, std::unique_ptr<Device3D>& out) {
    if (!anim.backBuffer() || !anim.direct3D() || !anim.chosenDevice())
        return kRenderNoSuitableDevice;
    std::unique_ptr<Device3D> d(new Device3D(anim));
    if (Status s =
            anim.direct3D()->createDevice(anim.chosenDevice()->id, *anim.backBuffer(), d->device_);
        s != kOk)
        return s;
    d->width_ = int32_t(anim.backBuffer()->width());
    d->height_ = int32_t(anim.backBuffer()->height());
    d->textures_ = std::make_unique<TextureLibrary>(*d);
    d->materials_ = std::make_unique<MaterialLibrary>(*d);
    anim.attachDevice(d.get());
    out = std::move(d);
    return kRenderOk;
}

Device3D::~Device3D() {
    for (Light* l : lights_)
        l->release();
    lights_.clear();
    viewports_.clear();
    materials_.reset();
    textures_.reset();
    if (anim_.device3D() == this) anim_.attachDevice(nullptr);
}

RenderResult Device3D::createViewport(const Rect* rect, Viewport3D** out) {
    auto v = std::make_unique<Viewport3D>(*this, rect);
    if (v->lastResult() != kRenderOk) return result_ = v->lastResult();
    if (out) *out = v.get();
    viewports_.push_back(std::move(v));
    return result_ = kRenderOk;
}

RenderResult Device3D::removeViewport(Viewport3D* viewport) {
    auto it = std::find_if(viewports_.begin(), viewports_.end(),
                           [&](const auto& v) { return v.get() == viewport; });
    if (it == viewports_.end()) return result_ = kInvalidParams;
    viewports_.erase(it);
    return result_ = kRenderOk;
}

RenderResult Device3D::createLight(AddToViewports add, DirectionalLight** out) {
    Ref<platform::soft3d::Light> pl;
    if (Status s = direct3D().createLight(pl); s != kOk) return result_ = s;
    auto* light = new DirectionalLight(*pl);
    light->addRef();  // one for the device's list, one for the caller
    lights_.push_back(light);
    *out = light;
    if (add == AddToViewports::Yes) {
        for (const auto& v : viewports_) {
            if (RenderResult r = v->addLight(*light); r != kRenderOk) return result_ = r;
        }
    }
    return result_ = kRenderOk;
}

RenderResult Device3D::materialByName(std::string_view name, DDDMaterial** out) {
    return result_ = materials_->materialByName(name, out);
}

RenderResult Device3D::textureByName(std::string_view name, DDDTexture** out) {
    return result_ = textures_->textureByName(name, out);
}

RenderResult Device3D::present() {
    return result_ = anim_.present();
}

RenderResult Device3D::restoreAllSurfaces() {
    RenderResult r = anim_.restoreAllSurfaces();
    if (r == kRenderOk) materials_->recreatePlatformMaterials();
    return result_ = r;
}

}  // namespace marquill::render
