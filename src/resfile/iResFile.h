#pragma once
// The abstract resource file: typed, numbered resources whose data is held in memory blocks.
// The virtual operations are declared in their slot order. Every operation stores its result
// code in the object (LastResult); operations that return a block or a value are checked
// through it, lookups that find nothing return no block.
#include <cstdint>
#include <string>
#include <string_view>

#include "resfile/MemoryBlock.h"
#include "resfile/ResCode.h"
#include "resfile/ResType.h"

namespace marquill::resfile {

// Turns big-endian resource data into little-endian in place; called at most once per load.
using ConvertRoutine = void (*)(uint8_t* data, size_t length);

enum class Access { ReadOnly, ReadWrite };
// Native data is little-endian and flagged so (0x0010); big-endian data is converted on load.
enum class DataOrder { BigEndian, Native };

inline constexpr uint16_t kFlagFree = 0x0004;
inline constexpr uint16_t kFlagNative = 0x0010;

class iResFile {
  public:
    iResFile();
    iResFile(const iResFile&) = delete;
    iResFile& operator=(const iResFile&) = delete;
    // Slot 0: closes an open file (in the concrete classes' destructors).
    virtual ~iResFile();

    virtual ResCode Create(const std::string& path) = 0;               // 1
    virtual ResCode Delete(const std::string& path) = 0;               // 2
    virtual ResCode Open(const std::string& path, Access access) = 0;  // 3
    virtual ResCode Suspend() = 0;                                     // 4
    virtual ResCode Resume() = 0;                                      // 5
    virtual ResCode Close() = 0;                                       // 6
    virtual ResCode Update() = 0;                                      // 7
    [[nodiscard]] virtual bool IsWritable() = 0;                       // 8
    virtual ResCode GetPath(std::string& path) = 0;                    // 9
    [[nodiscard]] virtual bool IsOpen() = 0;                           // 10
    [[nodiscard]] virtual int CountTypes() = 0;                        // 11
    [[nodiscard]] virtual ResType GetIndType(int position) = 0;        // 12
    [[nodiscard]] virtual int CountResources(ResType type) = 0;        // 13
    [[nodiscard]] virtual MemoryBlock* GetResource(ResType type, int16_t id,
                                                   ConvertRoutine convert = nullptr) = 0;  // 14
    [[nodiscard]] virtual MemoryBlock* GetNamedResource(
        ResType type, std::string_view name,
        ConvertRoutine convert = nullptr) = 0;  // 15
    [[nodiscard]] virtual MemoryBlock* GetIndResource(ResType type, int position,
                                                      ConvertRoutine convert = nullptr) = 0;  // 16
    [[nodiscard]] virtual MemoryBlock* GetResourceEx(ResType type, int16_t id, uint8_t attribute,
                                                     ConvertRoutine convert = nullptr);  // 17
    virtual ResCode GetResourceName(MemoryBlock* block, std::string& name) = 0;          // 18
    [[nodiscard]] virtual ResType GetResourceType(MemoryBlock* block) = 0;               // 19
    virtual ResCode GetResourceId(MemoryBlock* block, int16_t& id) = 0;                  // 20
    virtual ResCode ReservedQuery(MemoryBlock* block, int16_t& value);                   // 21
    [[nodiscard]] virtual uint8_t GetResourceAttributes(MemoryBlock* block);             // 22
    virtual ResCode UniqueName(ResType type, std::string& name) = 0;                     // 23
    // 129 for an absent type, else max(128, highest id) + 1 (32768 when 32767 is taken).
    [[nodiscard]] virtual int32_t UniqueId(ResType type) = 0;          // 24
    virtual ResCode DetachResource(MemoryBlock* block) = 0;            // 25
    virtual ResCode ReservedOperation(MemoryBlock* block);             // 26
    [[nodiscard]] virtual bool IsNativeOrder(MemoryBlock* block) = 0;  // 27
    virtual ResCode ChangeId(MemoryBlock* block, int16_t id) = 0;      // 28
    virtual ResCode AddResource(MemoryBlock* block, ResType type, int16_t id, std::string_view name,
                                DataOrder order) = 0;  // 29
    virtual ResCode AddResourceEx(MemoryBlock* block, ResType type, int16_t id,
                                  std::string_view name, uint8_t attribute,
                                  DataOrder order);          // 30
    virtual ResCode WriteResource(MemoryBlock* block) = 0;   // 31
    virtual ResCode RemoveResource(MemoryBlock* block) = 0;  // 32
    virtual ResCode SetResourceInfo(MemoryBlock* block, int16_t id, std::string_view name,
                                    uint8_t attribute) = 0;              // 33
    virtual bool SetBufferSizes(size_t readSize, size_t writeSize) = 0;  // 34

    [[nodiscard]] ResCode LastResult() const { return lastResult_; }

    // The process-wide list of live resource-file objects.
    [[nodiscard]] static size_t LiveCount();
    [[nodiscard]] static bool IsLive(const iResFile* file);

  protected:
    ResCode SetResult(ResCode code) { return lastResult_ = code; }
    friend ResCode Release(iResFile& file, MemoryBlock* block);

  private:
    ResCode lastResult_ = kResOk;
};

// The opening routine's flag bits.
inline constexpr unsigned kOpenCreateMissing = 1;
inline constexpr unsigned kOpenReplace = 2;
inline constexpr unsigned kOpenReadOnly = 4;

// Replace (delete, create) when asked, open (writable unless kOpenReadOnly, falling back to
// read-only), and create and open again when the first open failed and kOpenCreateMissing is set.
ResCode OpenResFile(iResFile& file, const std::string& path, unsigned flags);

// Detaches a block from its file and disposes of it; a memory error of the dispose becomes the
// file's result.
ResCode Release(iResFile& file, MemoryBlock* block);

}  // namespace marquill::resfile
