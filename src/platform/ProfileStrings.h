#pragma once
// Profile (INI) text as the game's exchange tools expect it: "[Section]" lines, "key=value" lines,
// every line ending in CR LF. Keys keep the order of their first write; writing an existing key
// rewrites its line in place. Section and key names match ignoring ASCII case.
#include <string>
#include <string_view>
#include <vector>

#include "platform/ByteSink.h"

namespace marquill::platform {

class ProfileDocument {
  public:
    // Reads existing profile text; any line ending (CR LF, LF, CR) is accepted.
    [[nodiscard]] static ProfileDocument parse(std::string_view text);

    void set(std::string_view section, std::string_view key, std::string_view value);
    [[nodiscard]] const std::string* get(std::string_view section, std::string_view key) const;
    void writeTo(ByteSink& sink) const;
    [[nodiscard]] std::string text() const;

  private:
    struct Entry {
        std::string key;  // empty for a line that is not key=value (kept verbatim in `raw`)
        std::string value;
        std::string raw;
    };
    struct Section {
        std::string name;
        bool hasHeader = true;  // lines before the first header belong to a nameless section
        std::vector<Entry> entries;
    };
    Section* findSection(std::string_view name);
    const Section* findSection(std::string_view name) const;
    std::vector<Section> sections_;
};

// Sets one key in the profile file at `path`, creating the file when it is missing. The new
// content replaces the file atomically; false when it could not be read or written.
[[nodiscard]] bool writeProfileString(const std::string& path, std::string_view section,
                                      std::string_view key, std::string_view value);

}  // namespace marquill::platform
