#include "platform/ByteSink.h"

#include <unistd.h>

#include <bit>
#include <cstring>

namespace marquill::platform {

void ByteSink::f32le(float v) {
    u32le(std::bit_cast<uint32_t>(v));
}

void ByteSink::zeros(size_t n) {
    static constexpr uint8_t kZeros[64] = {};
    while (n > 0) {
        size_t chunk = n < sizeof(kZeros) ? n : sizeof(kZeros);
        write(kZeros, chunk);
        n -= chunk;
    }
}

void ByteSink::putLE(uint64_t v, int n) {
    uint8_t b[8];
    for (int i = 0; i < n; ++i)
        b[i] = static_cast<uint8_t>(v >> (8 * i));
    write(b, static_cast<size_t>(n));
}

void ByteSink::putBE(uint64_t v, int n) {
    uint8_t b[8];
    for (int i = 0; i < n; ++i)
        b[i] = static_cast<uint8_t>(v >> (8 * (n - 1 - i)));
    write(b, static_cast<size_t>(n));
}

FileSink::FileSink(const std::string& path) {
    file_ = std::fopen(path.c_str(), "wb");
    failed_ = file_ == nullptr;
}

FileSink::~FileSink() {
    if (file_) std::fclose(file_);
}

void FileSink::write(std::span<const uint8_t> bytes) {
    if (failed_ || bytes.empty()) return;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failed_ = true;
}

bool FileSink::close(Durability durability) {
    if (!file_) return false;
    if (std::fflush(file_) != 0) failed_ = true;
    if (durability == Durability::Synced && ::fsync(::fileno(file_)) != 0) failed_ = true;
    if (std::fclose(file_) != 0) failed_ = true;
    file_ = nullptr;
    return !failed_;
}

}  // namespace marquill::platform
