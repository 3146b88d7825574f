#pragma once
// The plain file under an IFF file: absolute-offset reads and writes with the resource layer's
// result codes. Small reads are served from a read-ahead buffer so that a walk over a chain of
// chunk headers costs few system calls; ReadCount counts the reads asked for, buffered or not.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileLayer.h"
#include "resfile/ResCode.h"
#include "resfile/iResFile.h"

namespace marquill::resfile {

class FlatFile {
  public:
    explicit FlatFile(platform::FileLayer& files) : files_(files) {}

    [[nodiscard]] bool Exists(const std::string& path);
    [[nodiscard]] bool IsWritableOnDisk(const std::string& path);
    // -43 when the file exists, -42 when it cannot be created.
    [[nodiscard]] ResCode Create(const std::string& path);
    // -40 when the file does not exist, -39 when it cannot be deleted.
    [[nodiscard]] ResCode Delete(const std::string& path);

    // Read/write asked: read/write, else read-only without error. -50 when it cannot be opened.
    [[nodiscard]] ResCode Open(const std::string& path, Access access);
    [[nodiscard]] bool IsOpen() const { return file_ != nullptr; }
    [[nodiscard]] bool IsWritable() const { return writable_; }
    // -50 when the file could not be closed cleanly.
    ResCode Close();

    // -49 not open, -48 fewer bytes than asked or a failed seek.
    [[nodiscard]] ResCode Read(uint64_t offset, void* data, size_t size);
    // -49 not open, -45 read-only, -46 fewer bytes written than asked.
    [[nodiscard]] ResCode Write(uint64_t offset, const void* data, size_t size);
    // -50 when the written data cannot be handed to the disk.
    [[nodiscard]] ResCode Flush();
    [[nodiscard]] ResCode Length(uint64_t& length);
    [[nodiscard]] ResCode SetLength(uint64_t length);

    bool SetBufferSizes(size_t readSize, size_t writeSize);
    [[nodiscard]] size_t ReadCount() const { return readCount_; }

  private:
    void DropReadBuffer() { bufferedLength_ = 0; }

    platform::FileLayer& files_;
    std::unique_ptr<platform::FileLayer::File> file_;
    bool writable_ = false;
    bool writtenSinceSync_ = false;
    size_t readCount_ = 0;
    size_t readBufferSize_ = 16384;
    std::vector<uint8_t> readBuffer_;
    uint64_t bufferedOffset_ = 0;
    size_t bufferedLength_ = 0;
};

}  // namespace marquill::resfile
