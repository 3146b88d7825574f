#include "character/FieldSource.h"

#include <charconv>

namespace marquill::character {
namespace {

bool isSpace(uint8_t c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
bool isBlank(uint8_t c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

std::optional<std::string> BinaryFieldSource::text(size_t limit) {
    size_t start = reader_.position();
    auto length8 = reader_.u8();
    if (!length8) return std::nullopt;
    uint32_t length = *length8;
    if (length == 255) {
        auto wide = reader_.u32le();
        if (!wide) {
            (void)reader_.seek(start);
            return std::nullopt;
        }
        length = *wide;
    }
    std::optional<std::string> s;
    if (length <= limit) s = reader_.chars(length);
    if (!s) (void)reader_.seek(start);
    return s;
}

std::optional<Vec3> BinaryFieldSource::vector() {
    auto x = reader_.f32le();
    auto y = reader_.f32le();
    auto z = reader_.f32le();
    if (!x || !y || !z) return std::nullopt;
    return Vec3{*x, *y, *z};
}

std::optional<Quat> BinaryFieldSource::rotation() {
    auto x = reader_.f32le();
    auto y = reader_.f32le();
    auto z = reader_.f32le();
    auto w = reader_.f32le();
    if (!x || !y || !z || !w) return std::nullopt;
    return Quat{*x, *y, *z, *w};
}

bool TextFieldSource::skipLine() {
    if (pos_ >= bytes_.size()) return false;
    while (pos_ < bytes_.size() && bytes_[pos_] != '\n')
        ++pos_;
    if (pos_ < bytes_.size()) ++pos_;
    return true;
}

std::optional<std::string> TextFieldSource::text(size_t limit) {
    // The rest of the current line, or while that is blank the next one; surrounding blanks and
    // the line end (LF or CR LF) are not part of the field.
    while (pos_ < bytes_.size()) {
        size_t end = pos_;
        while (end < bytes_.size() && bytes_[end] != '\n')
            ++end;
        size_t a = pos_, b = end;
        while (a < b && isBlank(bytes_[a]))
            ++a;
        while (b > a && isBlank(bytes_[b - 1]))
            --b;
        pos_ = end < bytes_.size() ? end + 1 : end;
        if (a == b) continue;
        if (b - a > limit) return std::nullopt;
        return std::string(reinterpret_cast<const char*>(bytes_.data()) + a, b - a);
    }
    return std::nullopt;
}

std::optional<std::string_view> TextFieldSource::token() {
    while (pos_ < bytes_.size() && isSpace(bytes_[pos_]))
        ++pos_;
    if (pos_ >= bytes_.size()) return std::nullopt;
    size_t start = pos_;
    while (pos_ < bytes_.size() && !isSpace(bytes_[pos_]))
        ++pos_;
    return std::string_view(reinterpret_cast<const char*>(bytes_.data()) + start, pos_ - start);
}

std::optional<int32_t> TextFieldSource::integer() {
    auto t = token();
    if (!t) return std::nullopt;
    int32_t v = 0;
    const char* first = t->data();
    if (!t->empty() && *first == '+') ++first;
    auto [end, ec] = std::from_chars(first, t->data() + t->size(), v);
    if (ec != std::errc() || end != t->data() + t->size()) return std::nullopt;
    return v;
}

std::optional<float> TextFieldSource::real() {
    auto t = token();
    if (!t) return std::nullopt;
    float v = 0;
    const char* first = t->data();
    if (!t->empty() && *first == '+') ++first;
    auto [end, ec] = std::from_chars(first, t->data() + t->size(), v);
    if (ec != std::errc() || end != t->data() + t->size()) return std::nullopt;
    return v;
}

bool TextFieldSource::bar() {
    auto t = token();
    return t && *t == "|";
}

std::optional<Vec3> TextFieldSource::vector() {
    if (!bar()) return std::nullopt;
    auto x = real();
    auto y = real();
    auto z = real();
    if (!x || !y || !z || !bar()) return std::nullopt;
    return Vec3{*x, *y, *z};
}

std::optional<Quat> TextFieldSource::rotation() {
    if (!bar()) return std::nullopt;
    auto x = real();
    auto y = real();
    auto z = real();
    auto w = real();
    if (!x || !y || !z || !w || !bar()) return std::nullopt;
    return Quat{*x, *y, *z, *w};
}

}  // namespace marquill::character
