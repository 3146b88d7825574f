#include "render/MaterialLibrary.h"

#include <vector>

#include "render/DDDMaterial.h"
#include "render/DDDTexture.h"
#include "render/Device3D.h"

namespace marquill::render {

using namespace platform::soft3d;

MaterialLibrary::~MaterialLibrary() {
    for (DDDMaterial* m : materials_)
        m->release();
}

RenderResult MaterialLibrary::materialByName(std::string_view name, DDDMaterial** out) {
    *out = nullptr;
    MaterialRecord record;
    DDDMaterial* material = nullptr;
    if (builtInColor(name, record)) {
        material = new DDDMaterial(device_, std::string(name), record);
    } else {
        DDDTexture* texture = nullptr;
        if (RenderResult r = device_.textureByName(name, &texture); r != kRenderOk) return r;
        (void)builtInColor("default", record);
        material = new DDDMaterial(device_, "default", record);
        (void)material->setTexture(texture);
        texture->release();  // the material holds it now
    }
    if (RenderResult r = material->createPlatformMaterial(); r != kRenderOk) {
        material->release();
        return r;
    }
    materials_.push_back(material);
    *out = material;
    return kRenderOk;
}

void MaterialLibrary::releaseUnused() {
    std::erase_if(materials_, [](DDDMaterial* m) {
        if (m->refCount() != 1) return false;
        m->release();
        return true;
    });
}

void MaterialLibrary::recreatePlatformMaterials() {
    for (DDDMaterial* m : materials_)
        (void)m->createPlatformMaterial();
}

}  // namespace marquill::render
