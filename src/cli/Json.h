#pragma once
// A small streaming JSON writer for --json output: one document, written in order.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace marquill::cli {

class Json {
  public:
    Json& beginObject();
    Json& endObject();
    Json& beginArray();
    Json& endArray();
    Json& key(std::string_view k);
    Json& value(std::string_view s);
    Json& value(const char* s) { return value(std::string_view(s)); }
    Json& value(int64_t v);
    Json& value(uint64_t v);
    Json& value(int v) { return value(static_cast<int64_t>(v)); }
    Json& value(unsigned v) { return value(static_cast<uint64_t>(v)); }
    Json& value(long long v) { return value(static_cast<int64_t>(v)); }
    Json& value(unsigned long long v) { return value(static_cast<uint64_t>(v)); }
    Json& value(double v);
    Json& value(bool v);
    Json& null();
    template <typename T>
    Json& field(std::string_view k, const T& v) {
        key(k);
        return value(v);
    }

    [[nodiscard]] const std::string& str() const { return out_; }
    // Strings are taken as Windows-1252 text when they are not valid UTF-8.
    static std::string quote(std::string_view s);

  private:
    void separate();
    std::string out_;
    std::vector<bool> first_;  // per open container: no element written yet
    bool afterKey_ = false;
};

}  // namespace marquill::cli
