#pragma once
// A shared library loaded at run time, its entry points found by name.
#include <memory>
#include <string>

namespace marquill::platform {

class SharedModule {
  public:
    // None when the file cannot be loaded.
    [[nodiscard]] static std::unique_ptr<SharedModule> load(const std::string& path);
    ~SharedModule();
    SharedModule(const SharedModule&) = delete;
    SharedModule& operator=(const SharedModule&) = delete;

    // The address of an exported symbol, or none.
    [[nodiscard]] void* symbol(const std::string& name) const;

  private:
    explicit SharedModule(void* handle) : handle_(handle) {}
    void* handle_;
};

}  // namespace marquill::platform
