#pragma once
// Character, mesh and index files exist as text and as binary with the same sequence of fields;
// the readers are written once against this interface.
//
// Binary: little-endian int32 and float32; a string is a length byte L (255: a uint32 length
// follows) and that many bytes. Text: a line field is the rest of the current line or, while that
// is empty, the next line; numbers are white-space separated tokens; a vector is "| x y z |" and
// a rotation "| x y z w |".
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "character/CharacterRecords.h"
#include "platform/ByteReader.h"

namespace marquill::character {

enum class FileFormat { Text, Binary };

class FieldSource {
  public:
    virtual ~FieldSource() = default;
    [[nodiscard]] virtual FileFormat format() const = 0;
    // A text field longer than `limit` bytes fails.
    [[nodiscard]] virtual std::optional<std::string> text(size_t limit) = 0;
    [[nodiscard]] virtual std::optional<int32_t> integer() = 0;
    [[nodiscard]] virtual std::optional<float> real() = 0;
    [[nodiscard]] virtual std::optional<Vec3> vector() = 0;
    [[nodiscard]] virtual std::optional<Quat> rotation() = 0;
    // Bytes left, so a count can be checked against what could possibly follow.
    [[nodiscard]] virtual size_t remaining() const = 0;
};

class BinaryFieldSource final : public FieldSource {
  public:
    explicit BinaryFieldSource(std::span<const uint8_t> bytes) : reader_(bytes) {}
    [[nodiscard]] FileFormat format() const override { return FileFormat::Binary; }
    [[nodiscard]] std::optional<std::string> text(size_t limit) override;
    [[nodiscard]] std::optional<int32_t> integer() override { return reader_.i32le(); }
    [[nodiscard]] std::optional<float> real() override { return reader_.f32le(); }
    [[nodiscard]] std::optional<Vec3> vector() override;
    [[nodiscard]] std::optional<Quat> rotation() override;
    [[nodiscard]] size_t remaining() const override { return reader_.remaining(); }

  private:
    platform::ByteReader reader_;
};

class TextFieldSource final : public FieldSource {
  public:
    explicit TextFieldSource(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    [[nodiscard]] FileFormat format() const override { return FileFormat::Text; }
    // Consumes one raw line, blank or not (the header lines).
    bool skipLine();
    [[nodiscard]] std::optional<std::string> text(size_t limit) override;
    [[nodiscard]] std::optional<int32_t> integer() override;
    [[nodiscard]] std::optional<float> real() override;
    [[nodiscard]] std::optional<Vec3> vector() override;
    [[nodiscard]] std::optional<Quat> rotation() override;
    [[nodiscard]] size_t remaining() const override { return bytes_.size() - pos_; }

  private:
    std::optional<std::string_view> token();
    bool bar();
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};

}  // namespace marquill::character
