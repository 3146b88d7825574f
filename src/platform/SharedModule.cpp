#include "platform/SharedModule.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

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

std::string executableDirectory() {
    char buf[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return {};
    std::string p(buf, size_t(n));
    const size_t slash = p.rfind('/');
    return slash == std::string::npos ? std::string() : p.substr(0, slash);
}

}  // namespace marquill::platform
