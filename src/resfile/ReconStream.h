#pragma once
// The bidirectional serialisation stream. A record walks its fields once against the stream;
// the stream reads them from data, writes them into data, or only measures. Values are
// little-endian unless the stream swaps (big-endian data). A string is its characters and a
// 0 terminator, then a pad byte when that leaves the position odd. A read that runs out of
// data fails and leaves the stream failed; everything after it is a no-op.
#include <cstdint>
#include <span>
#include <string>

#include "platform/ByteReader.h"

namespace marquill::resfile {

enum class ReconMode { Read = 0, Write = 1, Measure = 2 };

class ReconStream {
  public:
    [[nodiscard]] static ReconStream ForRead(std::span<const uint8_t> data, bool swap);
    [[nodiscard]] static ReconStream ForWrite(std::span<uint8_t> data);
    [[nodiscard]] static ReconStream ForMeasure();

    [[nodiscard]] ReconMode Mode() const { return mode_; }
    [[nodiscard]] bool IsReading() const { return mode_ == ReconMode::Read; }
    [[nodiscard]] bool Swaps() const { return swap_; }
    [[nodiscard]] bool Failed() const { return failed_; }
    [[nodiscard]] size_t Position() const { return position_; }
    // Read mode: the bytes not yet read, for checking a count before reserving for it.
    [[nodiscard]] size_t Remaining() const { return reader_.remaining(); }

    bool Int32(int32_t& value);
    bool UInt32(uint32_t& value);
    bool Int16(int16_t& value);
    bool UInt16(uint16_t& value);
    bool Byte(uint8_t& value);
    bool Flag(bool& value);
    // Reading keeps at most maxLength characters of a longer string.
    bool String(std::string& value, size_t maxLength = SIZE_MAX);

    // Marks the stream failed, for records whose fields contradict each other.
    void Fail() { failed_ = true; }

  private:
    ReconStream(ReconMode mode, bool swap) : mode_(mode), swap_(swap) {}
    bool Bytes(uint8_t* bytes, size_t size);  // moves raw bytes, in either direction
    bool Value(uint8_t* bytes, size_t size);  // the same, in the stream's byte order

    ReconMode mode_;
    bool swap_ = false;
    bool failed_ = false;
    size_t position_ = 0;
    platform::ByteReader reader_;
    std::span<uint8_t> out_;
};

}  // namespace marquill::resfile
