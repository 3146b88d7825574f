#pragma once
// A group of up to 8 open resource files asked in order: lookups return the first member's
// hit, operations on a block go to the member holding it.
#include <memory>
#include <vector>

#include "resfile/iResFile.h"

namespace marquill::resfile {

class ChainResFile : public iResFile {
  public:
    static constexpr size_t kMaxMembers = 8;

    ChainResFile() = default;
    ~ChainResFile() override;

    // Joins an open file to the chain; false (the file is closed and dropped) when full.
    bool AddMember(std::unique_ptr<iResFile> member);
    [[nodiscard]] size_t MemberCount() const { return members_.size(); }
    [[nodiscard]] iResFile& Member(size_t index) { return *members_[index]; }

    ResCode Create(const std::string& path) override;
    ResCode Delete(const std::string& path) override;
    ResCode Open(const std::string& path, Access access) override;
    ResCode Suspend() override;
    ResCode Resume() override;
    ResCode Close() override;
    ResCode Update() override;
    [[nodiscard]] bool IsWritable() override;
    ResCode GetPath(std::string& path) override;
    [[nodiscard]] bool IsOpen() override;
    [[nodiscard]] int CountTypes() override;
    [[nodiscard]] ResType GetIndType(int position) override;
    [[nodiscard]] int CountResources(ResType type) override;
    [[nodiscard]] MemoryBlock* GetResource(ResType type, int16_t id,
                                           ConvertRoutine convert = nullptr) override;
    [[nodiscard]] MemoryBlock* GetNamedResource(ResType type, std::string_view name,
                                                ConvertRoutine convert = nullptr) override;
    [[nodiscard]] MemoryBlock* GetIndResource(ResType type, int position,
                                              ConvertRoutine convert = nullptr) override;
    [[nodiscard]] MemoryBlock* GetResourceEx(ResType type, int16_t id, uint8_t attribute,
                                             ConvertRoutine convert = nullptr) override;
    ResCode GetResourceName(MemoryBlock* block, std::string& name) override;
    [[nodiscard]] ResType GetResourceType(MemoryBlock* block) override;
    ResCode GetResourceId(MemoryBlock* block, int16_t& id) override;
    [[nodiscard]] uint8_t GetResourceAttributes(MemoryBlock* block) override;
    ResCode UniqueName(ResType type, std::string& name) override;
    [[nodiscard]] int32_t UniqueId(ResType type) override;
    ResCode DetachResource(MemoryBlock* block) override;
    [[nodiscard]] bool IsNativeOrder(MemoryBlock* block) override;
    ResCode ChangeId(MemoryBlock* block, int16_t id) override;
    ResCode AddResource(MemoryBlock* block, ResType type, int16_t id, std::string_view name,
                        DataOrder order) override;
    ResCode AddResourceEx(MemoryBlock* block, ResType type, int16_t id, std::string_view name,
                          uint8_t attribute, DataOrder order) override;
    ResCode WriteResource(MemoryBlock* block) override;
    ResCode RemoveResource(MemoryBlock* block) override;
    ResCode SetResourceInfo(MemoryBlock* block, int16_t id, std::string_view name,
                            uint8_t attribute) override;
    bool SetBufferSizes(size_t readSize, size_t writeSize) override;

    // Slot 35: the member holding a block, none when no member holds it.
    [[nodiscard]] virtual iResFile* HolderOf(MemoryBlock* block);

  protected:
    ResCode CloseMembers();
    [[nodiscard]] std::vector<ResType> TypeUnion();
    template <typename Lookup>
    MemoryBlock* FirstHit(Lookup lookup, ResCode missing);
    template <typename Operation>
    ResCode OnHolder(MemoryBlock* block, ResCode missing, Operation operation);

    std::vector<std::unique_ptr<iResFile>> members_;
};

}  // namespace marquill::resfile
