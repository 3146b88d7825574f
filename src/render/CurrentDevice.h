#pragma once
// The process-wide current 3D device: the one the preview made, recorded for code that draws
// without being handed a device. Touched only from the user-interface thread.
namespace marquill::render {

class Device3D;

class CurrentDevice {
  public:
    [[nodiscard]] static CurrentDevice& instance();
    [[nodiscard]] Device3D* get() const { return device_; }
    void set(Device3D* device) { device_ = device; }

  private:
    CurrentDevice() = default;
    Device3D* device_ = nullptr;
};

}  // namespace marquill::render
