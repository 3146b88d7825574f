#pragma once
// Resources served from a resource directory (".dir"). No directory facility exists on this
// host, so a directory never resolves: Open fails with -47 and the file stays closed.
#include <string>

#include "resfile/iResFile.h"

namespace marquill::resfile {

class ResolveResFile : public iResFile {
  public:
    // "\" becomes "/" and a leading "./" goes.
    [[nodiscard]] static std::string NormalisePath(std::string path);

    ResCode Create(const std::string& path) override;
    ResCode Delete(const std::string& path) override;
    ResCode Open(const std::string& path, Access access) override;
    ResCode Suspend() override { return SetResult(kResNotOpen); }
    ResCode Resume() override { return SetResult(kResCannotOpen); }
    ResCode Close() override { return SetResult(kResNotOpen); }
    ResCode Update() override { return SetResult(kResNotOpen); }
    [[nodiscard]] bool IsWritable() override { return false; }
    ResCode GetPath(std::string& path) override;
    [[nodiscard]] bool IsOpen() override { return false; }
    [[nodiscard]] int CountTypes() override;
    [[nodiscard]] ResType GetIndType(int position) override;
    [[nodiscard]] int CountResources(ResType type) override;
    [[nodiscard]] MemoryBlock* GetResource(ResType type, int16_t id,
                                           ConvertRoutine convert = nullptr) override;
    [[nodiscard]] MemoryBlock* GetNamedResource(ResType type, std::string_view name,
                                                ConvertRoutine convert = nullptr) override;
    [[nodiscard]] MemoryBlock* GetIndResource(ResType type, int position,
                                              ConvertRoutine convert = nullptr) override;
    ResCode GetResourceName(MemoryBlock* block, std::string& name) override;
    [[nodiscard]] ResType GetResourceType(MemoryBlock* block) override;
    ResCode GetResourceId(MemoryBlock* block, int16_t& id) override;
    ResCode UniqueName(ResType type, std::string& name) override;
    [[nodiscard]] int32_t UniqueId(ResType type) override;
    ResCode DetachResource(MemoryBlock* block) override;
    [[nodiscard]] bool IsNativeOrder(MemoryBlock* block) override;
    ResCode ChangeId(MemoryBlock* block, int16_t id) override;
    ResCode AddResource(MemoryBlock* block, ResType type, int16_t id, std::string_view name,
                        DataOrder order) override;
    ResCode WriteResource(MemoryBlock* block) override;
    ResCode RemoveResource(MemoryBlock* block) override;
    ResCode SetResourceInfo(MemoryBlock* block, int16_t id, std::string_view name,
                            uint8_t attribute) override;
    bool SetBufferSizes(size_t, size_t) override { return false; }

  private:
    std::string path_;
};

}  // namespace marquill::resfile
