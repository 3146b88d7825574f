#include "resfile/ReconStream.h"

#include <algorithm>
#include <cstring>

namespace marquill::resfile {

ReconStream ReconStream::ForRead(std::span<const uint8_t> data, bool swap) {
    ReconStream s(ReconMode::Read, swap);
    s.reader_ = platform::ByteReader(data);
    return s;
}

ReconStream ReconStream::ForWrite(std::span<uint8_t> data) {
    ReconStream s(ReconMode::Write, false);
    s.out_ = data;
    return s;
}

ReconStream ReconStream::ForMeasure() {
    return ReconStream(ReconMode::Measure, false);
}

bool ReconStream::Bytes(uint8_t* bytes, size_t size) {
    if (failed_) return false;
    switch (mode_) {
        case ReconMode::Read:
            if (!reader_.copy(bytes, size)) {
                failed_ = true;
                return false;
            }
            break;
        case ReconMode::Write:
            if (size > out_.size() - position_) {
                failed_ = true;
                return false;
            }
            if (size) std::memcpy(out_.data() + position_, bytes, size);
            break;
        case ReconMode::Measure:
            break;
    }
    position_ += size;
    return true;
}

bool ReconStream::Value(uint8_t* bytes, size_t size) {
    // Values in memory are native (little-endian on every host we build for); the stream
    // order differs only when swapping.
    static_assert(std::endian::native == std::endian::little);
    if (mode_ != ReconMode::Read && swap_) std::reverse(bytes, bytes + size);
    const bool ok = Bytes(bytes, size);
    if (swap_) std::reverse(bytes, bytes + size);
    return ok;
}

bool ReconStream::Int32(int32_t& value) {
    return Value(reinterpret_cast<uint8_t*>(&value), sizeof value);
}
bool ReconStream::UInt32(uint32_t& value) {
    return Value(reinterpret_cast<uint8_t*>(&value), sizeof value);
}
bool ReconStream::Int16(int16_t& value) {
    return Value(reinterpret_cast<uint8_t*>(&value), sizeof value);
}
bool ReconStream::UInt16(uint16_t& value) {
    return Value(reinterpret_cast<uint8_t*>(&value), sizeof value);
}
bool ReconStream::Byte(uint8_t& value) {
    return Bytes(&value, 1);
}

bool ReconStream::Flag(bool& value) {
    uint8_t byte = value ? 1 : 0;
    if (!Bytes(&byte, 1)) return false;
    value = byte != 0;
    return true;
}

bool ReconStream::String(std::string& value, size_t maxLength) {
    if (failed_) return false;
    if (mode_ == ReconMode::Read) {
        auto text = reader_.cString();
        if (!text) {
            failed_ = true;
            return false;
        }
        position_ += text->size() + 1;
        if (text->size() > maxLength) text->resize(maxLength);
        value = std::move(*text);
    } else {
        // A string holding a 0 byte is cut there, as reading it back would be.
        const size_t length = std::min(value.size(), value.find('\0'));
        if (!Bytes(reinterpret_cast<uint8_t*>(value.data()), length)) return false;
        uint8_t zero = 0;
        if (!Bytes(&zero, 1)) return false;
    }
    // Stored data may end without the last string's pad byte.
    if (position_ % 2 != 0 && !(mode_ == ReconMode::Read && reader_.atEnd())) {
        uint8_t pad = 0;
        if (!Bytes(&pad, 1)) return false;
    }
    return true;
}

}  // namespace marquill::resfile
