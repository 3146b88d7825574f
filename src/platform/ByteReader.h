#pragma once
// The one reader for untrusted binary input: a span and a position. Every read checks what
// remains and fails (empty optional) instead of reading past the end; after a failure the
// position is unchanged, so a caller can report where decoding stopped.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>

namespace marquill::platform {

class ByteReader {
  public:
    ByteReader() = default;
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    ByteReader(const void* data, size_t size) : bytes_(static_cast<const uint8_t*>(data), size) {}

    [[nodiscard]] size_t size() const { return bytes_.size(); }
    [[nodiscard]] size_t position() const { return pos_; }
    [[nodiscard]] size_t remaining() const { return bytes_.size() - pos_; }
    [[nodiscard]] bool atEnd() const { return pos_ == bytes_.size(); }
    [[nodiscard]] std::span<const uint8_t> whole() const { return bytes_; }
    [[nodiscard]] std::span<const uint8_t> rest() const { return bytes_.subspan(pos_); }

    [[nodiscard]] bool seek(size_t pos) {
        if (pos > bytes_.size()) return false;
        pos_ = pos;
        return true;
    }
    [[nodiscard]] bool skip(size_t n) {
        if (n > remaining()) return false;
        pos_ += n;
        return true;
    }

    [[nodiscard]] std::optional<std::span<const uint8_t>> bytes(size_t n) {
        if (n > remaining()) return std::nullopt;
        auto out = bytes_.subspan(pos_, n);
        pos_ += n;
        return out;
    }
    // A sub-reader over the next n bytes; the parent moves past them.
    [[nodiscard]] std::optional<ByteReader> sub(size_t n) {
        auto b = bytes(n);
        if (!b) return std::nullopt;
        return ByteReader(*b);
    }
    [[nodiscard]] bool copy(void* out, size_t n) {
        if (n > remaining()) return false;
        if (n) std::memcpy(out, bytes_.data() + pos_, n);
        pos_ += n;
        return true;
    }

    [[nodiscard]] std::optional<uint8_t> u8() { return read<uint8_t>(std::endian::little); }
    [[nodiscard]] std::optional<int8_t> i8() { return read<int8_t>(std::endian::little); }
    [[nodiscard]] std::optional<uint16_t> u16le() { return read<uint16_t>(std::endian::little); }
    [[nodiscard]] std::optional<uint16_t> u16be() { return read<uint16_t>(std::endian::big); }
    [[nodiscard]] std::optional<int16_t> i16le() { return read<int16_t>(std::endian::little); }
    [[nodiscard]] std::optional<int16_t> i16be() { return read<int16_t>(std::endian::big); }
    [[nodiscard]] std::optional<uint32_t> u32le() { return read<uint32_t>(std::endian::little); }
    [[nodiscard]] std::optional<uint32_t> u32be() { return read<uint32_t>(std::endian::big); }
    [[nodiscard]] std::optional<int32_t> i32le() { return read<int32_t>(std::endian::little); }
    [[nodiscard]] std::optional<int32_t> i32be() { return read<int32_t>(std::endian::big); }
    [[nodiscard]] std::optional<float> f32le() {
        auto v = u32le();
        if (!v) return std::nullopt;
        return std::bit_cast<float>(*v);
    }
    // Reads an unsigned value in the given byte order.
    template <typename T>
    [[nodiscard]] std::optional<T> read(std::endian order) {
        if (sizeof(T) > remaining()) return std::nullopt;
        T v;
        std::memcpy(&v, bytes_.data() + pos_, sizeof(T));
        pos_ += sizeof(T);
        if constexpr (sizeof(T) > 1) {
            if (order != std::endian::native) v = byteswapValue(v);
        }
        return v;
    }
    // n raw bytes as a string (no terminator handling).
    [[nodiscard]] std::optional<std::string> chars(size_t n) {
        auto b = bytes(n);
        if (!b) return std::nullopt;
        return std::string(reinterpret_cast<const char*>(b->data()), b->size());
    }
    // Bytes up to a NUL (consumed, not returned); fails when no NUL remains or max is exceeded.
    [[nodiscard]] std::optional<std::string> cString(size_t max = SIZE_MAX) {
        const size_t limit = remaining() < max ? remaining() : max;
        const uint8_t* start = bytes_.data() + pos_;
        const void* nul = std::memchr(start, 0, limit);
        if (!nul) return std::nullopt;
        size_t len = static_cast<size_t>(static_cast<const uint8_t*>(nul) - start);
        std::string s(reinterpret_cast<const char*>(start), len);
        pos_ += len + 1;
        return s;
    }

    template <typename T>
    static T byteswapValue(T v) {
        using U = std::make_unsigned_t<T>;
        U u;
        std::memcpy(&u, &v, sizeof(T));
        U r = 0;
        for (size_t i = 0; i < sizeof(T); ++i) {
            r = static_cast<U>((r << 8) | (u & 0xFF));
            u = static_cast<U>(u >> 8);
        }
        std::memcpy(&v, &r, sizeof(T));
        return v;
    }

  private:
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};

}  // namespace marquill::platform
