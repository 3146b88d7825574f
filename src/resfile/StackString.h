#pragma once
// A string with an inline buffer of N bytes: at most N - 1 characters, longer text cut off
// silently.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace marquill::resfile {

template <size_t N>
class StackString {
    static_assert(N >= 1);

  public:
    static constexpr size_t kCapacity = N - 1;

    StackString() { buffer_[0] = '\0'; }
    StackString(std::string_view text) { Assign(text); }  // NOLINT: converts like a string
    StackString(const char* text) { Assign(text); }       // NOLINT: converts like a string

    StackString& Assign(std::string_view text) {
        length_ = 0;
        buffer_[0] = '\0';
        return Append(text);
    }
    StackString& Append(std::string_view text) {
        const size_t take = std::min(text.size(), kCapacity - length_);
        if (take) std::memcpy(buffer_ + length_, text.data(), take);
        length_ += take;
        buffer_[length_] = '\0';
        return *this;
    }
    StackString& Append(char c) { return Append(std::string_view(&c, 1)); }
    StackString& operator+=(std::string_view text) { return Append(text); }

    [[nodiscard]] size_t Length() const { return length_; }
    [[nodiscard]] bool Empty() const { return length_ == 0; }
    [[nodiscard]] const char* CStr() const { return buffer_; }
    [[nodiscard]] std::string_view View() const { return {buffer_, length_}; }
    [[nodiscard]] std::string Str() const { return std::string(View()); }
    operator std::string_view() const { return View(); }  // NOLINT: reads like a string
    void Clear() { Assign({}); }

    friend bool operator==(const StackString& a, const StackString& b) {
        return a.View() == b.View();
    }
    friend bool operator==(const StackString& a, std::string_view b) { return a.View() == b; }

  private:
    char buffer_[N];
    size_t length_ = 0;
};

}  // namespace marquill::resfile
