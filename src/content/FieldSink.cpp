#include "content/FieldSink.h"

#include <charconv>

namespace marquill::content {

using character::FileFormat;

void FieldSink::endLine() {
    if (format_ == FileFormat::Text && midLine_) {
        out_.text("\r\n");
        midLine_ = false;
    }
}

void FieldSink::line(std::string_view text) {
    if (format_ != FileFormat::Text) return;
    endLine();
    out_.text(text);
    out_.text("\r\n");
}

void FieldSink::token(std::string_view t) {
    if (midLine_) out_.text(" ");
    out_.text(t);
    midLine_ = true;
}

void FieldSink::text(std::string_view s, size_t limit) {
    if (s.size() > limit) valid_ = false;
    if (format_ == FileFormat::Binary) {
        if (s.size() < 255) {
            out_.u8(static_cast<uint8_t>(s.size()));
        } else {
            out_.u8(255);
            out_.u32le(static_cast<uint32_t>(s.size()));
        }
        out_.text(s);
        return;
    }
    if (s.empty() || s.find_first_of("\r\n") != std::string_view::npos || s.front() == ' ' ||
        s.back() == ' ' || s.front() == '\t' || s.back() == '\t')
        valid_ = false;
    endLine();
    out_.text(s);
    out_.text("\r\n");
}

void FieldSink::integer(int32_t v) {
    if (format_ == FileFormat::Binary) {
        out_.i32le(v);
        return;
    }
    char buf[16];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    token(std::string_view(buf, static_cast<size_t>(r.ptr - buf)));
}

void FieldSink::real(float v) {
    if (format_ == FileFormat::Binary) {
        out_.f32le(v);
        return;
    }
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, v);  // shortest form that reads back exactly
    token(std::string_view(buf, static_cast<size_t>(r.ptr - buf)));
}

void FieldSink::vector(const character::Vec3& v) {
    if (format_ == FileFormat::Text) token("|");
    real(v.x);
    real(v.y);
    real(v.z);
    if (format_ == FileFormat::Text) token("|");
}

void FieldSink::rotation(const character::Quat& q) {
    if (format_ == FileFormat::Text) token("|");
    real(q.x);
    real(q.y);
    real(q.z);
    real(q.w);
    if (format_ == FileFormat::Text) token("|");
}

void FieldSink::properties(const character::PropertyList& list) {
    integer(static_cast<int32_t>(list.pairs.size()));
    for (const auto& [k, v] : list.pairs) {
        text(k);
        text(v);
    }
}

void FieldSink::optionalProperties(const character::PropertyList& list) {
    integer(list.empty() ? 0 : 1);
    if (!list.empty()) properties(list);
}

}  // namespace marquill::content
