#pragma once
// Writers write to a sink and report the sink's failure, so a full disk is never silent and
// round trips can be tested in memory.
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace marquill::platform {

class ByteSink {
  public:
    virtual ~ByteSink() = default;
    virtual void write(std::span<const uint8_t> bytes) = 0;
    [[nodiscard]] virtual bool failed() const = 0;

    void write(const void* data, size_t size) {
        write(std::span<const uint8_t>(static_cast<const uint8_t*>(data), size));
    }
    void u8(uint8_t v) { write(&v, 1); }
    void u16le(uint16_t v) { putLE(v, 2); }
    void u32le(uint32_t v) { putLE(v, 4); }
    void u16be(uint16_t v) { putBE(v, 2); }
    void u32be(uint32_t v) { putBE(v, 4); }
    void i16le(int16_t v) { u16le(static_cast<uint16_t>(v)); }
    void i32le(int32_t v) { u32le(static_cast<uint32_t>(v)); }
    void f32le(float v);
    void text(std::string_view s) { write(s.data(), s.size()); }
    void zeros(size_t n);

  private:
    void putLE(uint64_t v, int n);
    void putBE(uint64_t v, int n);
};

class VectorSink final : public ByteSink {
  public:
    using ByteSink::write;
    void write(std::span<const uint8_t> bytes) override {
        data_.insert(data_.end(), bytes.begin(), bytes.end());
    }
    [[nodiscard]] bool failed() const override { return false; }
    [[nodiscard]] const std::vector<uint8_t>& data() const { return data_; }
    [[nodiscard]] std::vector<uint8_t> take() { return std::move(data_); }

  private:
    std::vector<uint8_t> data_;
};

// Writes to a file opened for writing; the first failed write (or close) sticks.
class FileSink final : public ByteSink {
  public:
    explicit FileSink(const std::string& path);
    ~FileSink() override;
    FileSink(const FileSink&) = delete;
    FileSink& operator=(const FileSink&) = delete;

    using ByteSink::write;
    void write(std::span<const uint8_t> bytes) override;
    [[nodiscard]] bool failed() const override { return failed_; }
    enum class Durability { Buffered, Synced };
    // Flushes and closes (Synced also waits for the disk); false when anything written was lost.
    [[nodiscard]] bool close(Durability durability = Durability::Buffered);

  private:
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

}  // namespace marquill::platform
