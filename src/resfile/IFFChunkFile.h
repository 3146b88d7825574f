#pragma once
// What IFF resource files of every version share: a 64-byte header, a chain of chunks read
// lazily and modified in place, free space reused next-fit, compaction on close. The versions
// differ in their header, their chunk header and where resource names live (IFFResFile2,
// IFFResFile).
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "resfile/ChunkChain.h"
#include "resfile/FlatFile.h"
#include "resfile/ResTable.h"
#include "resfile/iResFile.h"

namespace marquill::resfile {

// What a listing shows of one resource, read from its chunk header.
struct ResourceInfo {
    ResType type = 0;
    int16_t id = 0;
    std::string name;
    uint16_t flags = 0;
    uint8_t attribute = 0;
    int64_t offset = -1;  // -1 = not yet written
    int64_t size = -1;    // data bytes; -1 when the chunk header cannot be read
};

class IFFChunkFile : public iResFile {
  public:
    IFFChunkFile(ChunkLayout layout, platform::FileLayer& files);
    // Concrete classes close in their own destructors, while their hooks still exist.
    ~IFFChunkFile() override;

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

    // For listings and tests.
    [[nodiscard]] uint16_t Version() const { return version_; }
    [[nodiscard]] uint32_t MapOffset() const { return mapOffset_; }
    [[nodiscard]] uint64_t FreeBytes() const { return chain_.FreeBytes(); }
    [[nodiscard]] size_t ReadCount() const { return file_.ReadCount(); }
    // Every resource in table order, with its chunk's data size.
    [[nodiscard]] std::vector<ResourceInfo> DescribeResources();

  protected:
    // The file header: the version, and the map offset (0 = none); -93 when not accepted.
    virtual ResCode ParseHeader(std::span<const uint8_t> header, uint16_t& version,
                                uint32_t& mapOffset) = 0;
    [[nodiscard]] virtual std::array<uint8_t, 64> MakeHeader(uint32_t mapOffset) = 0;
    [[nodiscard]] virtual bool WritesMap() const = 0;
    // Where a chunk found by walking the chain belongs (default: the resource table).
    virtual void TakeScannedChunk(const ChunkHeader& header, uint64_t offset);
    // Called after the chain or the map was read, before the file counts as open.
    virtual void AfterOpen() {}
    // Fills the name part of a chunk header for the entry.
    virtual void NameChunkHeader(ResEntry& entry, ChunkHeader& header);
    // Writes whatever the version keeps beside the resources; called by Update.
    virtual ResCode UpdateExtras() { return kResOk; }
    // Called when a chunk moved during compaction.
    virtual void ChunkMoved(uint64_t from, uint64_t to);
    virtual void ForgetExtras() {}
    void CloseOnDestruction();

    ResCode WriteEntry(ResTable& owner, ResEntry& entry);

    FlatFile file_;
    ChunkChain chain_;
    ResTable table_;
    bool dirty_ = false;

  private:
    MemoryBlock* Load(ResEntry& entry, ConvertRoutine convert);
    // The data of the chunk whose header was just read at the entry's offset.
    MemoryBlock* LoadChunk(ResEntry& entry, const ChunkHeader& header, ConvertRoutine convert);
    MemoryBlock* Lookup(ResEntry* entry, ResCode missing, ConvertRoutine convert);
    ResCode InvalidateMap();
    ResCode WriteFileHeader(uint32_t mapOffset);
    ResCode ReadMap();
    void ScanChain();
    ResCode WriteMap();
    ResCode Compact();

    std::string path_;
    uint16_t version_ = 0;
    uint32_t mapOffset_ = 0;
};

}  // namespace marquill::resfile
