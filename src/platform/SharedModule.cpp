#include "platform/SharedModule.h"

#include <dlfcn.h>

namespace marquill::platform {

std::unique_ptr<SharedModule> SharedModule::load(const std::string& path) {
    void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!h) return nullptr;
    return std::unique_ptr<SharedModule>(new SharedModule(h));
}

SharedModule::~SharedModule() {
    dlclose(handle_);
}

void* SharedModule::symbol(const std::string& name) const {
    return dlsym(handle_, name.c_str());
}

}  // namespace marquill::platform
