#include "render/DDDMaterial.h"

#include "render/DDDTexture.h"
#include "render/Device3D.h"

namespace marquill::render {

using namespace platform::soft3d;

namespace {

struct BuiltIn {
    std::string_view name;
    float diffuse[3];
    float ambient[3];
};

constexpr float n(int v) {
    return float(v) / 255.0f;
}

const BuiltIn kBuiltIns[] = {
    {"red", {1, 0, 0}, {1, 0, 0}},
    {"blue", {0, 0, 1}, {0, 0, 1}},
    {"black", {0, 0, 0}, {0, 0, 0}},
    {"grey", {0.5f, 0.5f, 0.5f}, {0.5f, 0.5f, 0.5f}},
    {"gray", {0.5f, 0.5f, 0.5f}, {0.5f, 0.5f, 0.5f}},
    {"yellow", {1, 1, 0}, {1, 1, 0}},
    {"green", {0, 1, 0}, {0, 1, 0}},
    {"default", {1, 1, 1}, {1, 1, 1}},
    {"white", {1, 1, 1}, {1, 1, 1}},
    {"BeigeMatte", {0.6f, 0.6f, 0.1f}, {0.6f, 0.6f, 0.1f}},
    {"Jeans", {n(83), n(124), n(179)}, {n(64), n(67), n(89)}},
    {"Shoes", {n(29), n(29), n(29)}, {0, 0, 0}},
    {"T-shirt", {n(242), n(229), n(229)}, {n(199), n(229), n(229)}},
    {"Flesh", {n(245), n(184), n(170)}, {n(245), n(184), n(170)}},
    {"Roof", {0.4f, n(90), n(82)}, {0.4f, n(90), n(82)}},
};

}  // namespace

bool builtInColor(std::string_view name, MaterialRecord& out) {
    for (const BuiltIn& b : kBuiltIns) {
        if (b.name != name) continue;
        out = MaterialRecord{};
        out.diffuse = {b.diffuse[0], b.diffuse[1], b.diffuse[2], 1.0f};
        out.ambient = {b.ambient[0], b.ambient[1], b.ambient[2], 1.0f};
        out.specular = {0, 0, 0, 1.0f};
        out.emissive = {0, 0, 0, 1.0f};
        out.power = 5.0f;
        return true;
    }
    return false;
}

DDDMaterial::DDDMaterial(Device3D& device, std::string name, const MaterialRecord& record)
    : device_(device), name_(std::move(name)), record_(record) {}

DDDMaterial::~DDDMaterial() {
    releasePlatformMaterial();
    if (texture_) texture_->release();
}

RenderResult DDDMaterial::send() {
    if (!platform_) return kRenderNoPlatformMaterial;
    platform_->setRecord(record_);
    return kRenderOk;
}

RenderResult DDDMaterial::setTexture(DDDTexture* texture) {
    if (texture) texture->addRef();
    if (texture_) texture_->release();
    texture_ = texture;
    record_.textureHandle = texture ? texture->handle() : 0;
    return platform_ ? send() : kRenderOk;
}

RenderResult DDDMaterial::createPlatformMaterial() {
    releasePlatformMaterial();
    Ref<Material> m;
    if (Status s = device_.direct3D().createMaterial(m); s != kOk) return s;
    platform_ = m.detach();
    if (RenderResult r = send(); r != kRenderOk) return r;
    handle_ = device_.platform().materialHandle(*platform_);
    return kRenderOk;
}

void DDDMaterial::releasePlatformMaterial() {
    if (!platform_) return;
    device_.platform().releaseMaterialHandle(handle_);
    platform_->release();
    platform_ = nullptr;
    handle_ = 0;
}

}  // namespace marquill::render
