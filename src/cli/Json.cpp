#include "cli/Json.h"

#include <cmath>
#include <cstdio>

#include "platform/Cp1252.h"

namespace marquill::cli {

std::string Json::quote(std::string_view raw) {
    std::string s = platform::toUtf8Lenient(raw);
    std::string out = "\"";
    for (char ch : s) {
        auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += ch;
        }
    }
    out += '"';
    return out;
}

void Json::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back()) out_ += ',';
        first_.back() = false;
    }
}

Json& Json::beginObject() {
    separate();
    out_ += '{';
    first_.push_back(true);
    return *this;
}
Json& Json::endObject() {
    out_ += '}';
    first_.pop_back();
    return *this;
}
Json& Json::beginArray() {
    separate();
    out_ += '[';
    first_.push_back(true);
    return *this;
}
Json& Json::endArray() {
    out_ += ']';
    first_.pop_back();
    return *this;
}
Json& Json::key(std::string_view k) {
    separate();
    out_ += quote(k);
    out_ += ':';
    afterKey_ = true;
    return *this;
}
Json& Json::value(std::string_view s) {
    separate();
    out_ += quote(s);
    return *this;
}
Json& Json::value(int64_t v) {
    separate();
    out_ += std::to_string(v);
    return *this;
}
Json& Json::value(uint64_t v) {
    separate();
    out_ += std::to_string(v);
    return *this;
}
Json& Json::value(double v) {
    separate();
    if (!std::isfinite(v)) {
        out_ += "null";
        return *this;
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", v);
    out_ += buf;
    return *this;
}
Json& Json::value(bool v) {
    separate();
    out_ += v ? "true" : "false";
    return *this;
}
Json& Json::null() {
    separate();
    out_ += "null";
    return *this;
}

}  // namespace marquill::cli
