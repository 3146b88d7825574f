#include "platform/ProfileStrings.h"

#include "platform/AsciiCase.h"
#include "platform/Files.h"

namespace marquill::platform {

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

}  // namespace

ProfileDocument ProfileDocument::parse(std::string_view text) {
    ProfileDocument doc;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        std::string_view line =
            text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        if (end == std::string_view::npos) {
            pos = text.size();
        } else {
            pos = end + 1;
            if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
        }
        std::string_view t = trim(line);
        if (t.size() >= 2 && t.front() == '[' && t.find(']') != std::string_view::npos) {
            doc.sections_.push_back(
                Section{std::string(trim(t.substr(1, t.find(']') - 1))), true, {}});
            continue;
        }
        if (doc.sections_.empty()) doc.sections_.push_back(Section{"", false, {}});
        Entry e;
        e.raw = std::string(line);
        size_t eq = line.find('=');
        if (eq != std::string_view::npos && !trim(line.substr(0, eq)).empty() && t.front() != ';') {
            e.key = std::string(trim(line.substr(0, eq)));
            e.value = std::string(line.substr(eq + 1));
        }
        doc.sections_.back().entries.push_back(std::move(e));
    }
    return doc;
}

ProfileDocument::Section* ProfileDocument::findSection(std::string_view name) {
    for (Section& s : sections_)
        if (s.hasHeader && equalsIgnoringCase(s.name, name)) return &s;
    return nullptr;
}

const ProfileDocument::Section* ProfileDocument::findSection(std::string_view name) const {
    for (const Section& s : sections_)
        if (s.hasHeader && equalsIgnoringCase(s.name, name)) return &s;
    return nullptr;
}

void ProfileDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    Section* s = findSection(section);
    if (!s) {
        sections_.push_back(Section{std::string(section), true, {}});
        s = &sections_.back();
    }
    for (Entry& e : s->entries) {
        if (!e.key.empty() && equalsIgnoringCase(e.key, key)) {
            e.value = std::string(value);
            e.raw.clear();
            return;
        }
    }
    // A new key goes after the section's last key, before any trailing blank lines.
    size_t at = s->entries.size();
    while (at > 0 && s->entries[at - 1].key.empty() && trim(s->entries[at - 1].raw).empty())
        --at;
    s->entries.insert(s->entries.begin() + static_cast<std::ptrdiff_t>(at),
                      Entry{std::string(key), std::string(value), {}});
}

const std::string* ProfileDocument::get(std::string_view section, std::string_view key) const {
    const Section* s = findSection(section);
    if (!s) return nullptr;
    for (const Entry& e : s->entries)
        if (!e.key.empty() && equalsIgnoringCase(e.key, key)) return &e.value;
    return nullptr;
}

void ProfileDocument::writeTo(ByteSink& sink) const {
    for (const Section& s : sections_) {
        if (s.hasHeader) {
            sink.text("[");
            sink.text(s.name);
            sink.text("]\r\n");
        }
        for (const Entry& e : s.entries) {
            if (!e.raw.empty() || e.key.empty()) {
                sink.text(e.raw);
            } else {
                sink.text(e.key);
                sink.text("=");
                sink.text(e.value);
            }
            sink.text("\r\n");
        }
    }
}

std::string ProfileDocument::text() const {
    VectorSink sink;
    writeTo(sink);
    return std::string(sink.data().begin(), sink.data().end());
}

bool writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
    ProfileDocument doc;
    if (fileExists(path)) {
        auto bytes = readWholeFile(path);
        if (!bytes) return false;
        doc = ProfileDocument::parse(
            std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    }
    doc.set(section, key, value);
    VectorSink sink;
    doc.writeTo(sink);
    return writeFileAtomically(path, sink.data());
}

}  // namespace marquill::platform
