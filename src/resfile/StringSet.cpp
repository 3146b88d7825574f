#include "resfile/StringSet.h"

#include <algorithm>

#include "platform/ByteSink.h"

namespace marquill::resfile {

void StringSet::InsertAt(int index, std::string text) {
    const int clamped = std::clamp(index, 1, Count() + 1);
    strings_.insert(strings_.begin() + (clamped - 1), std::move(text));
}

ResCode StringSet::Load(iResFile& file, int16_t id) {
    strings_.clear();
    name_.clear();
    file_ = &file;
    id_ = id;
    if (!file.IsOpen()) return kResBadChunk;

    StringResourceData data;
    type_ = kTypeStrings;
    textForm_ = false;
    ResCode code = Fetch(data);
    if (code != kResOk) {
        type_ = kTypeTextStrings;
        textForm_ = true;
        code = Fetch(data);
    }
    if (code != kResOk) return code;

    if (data.form != StringResourceData::Form::Languages) {
        for (auto& entry : data.entries)
            strings_.push_back(std::move(entry.text));
        return kResOk;
    }
    const int current = Language();
    int run = -1;
    int number = 0;
    for (const auto& entry : data.entries) {
        const int language = entry.languageByte == 0 ? current : entry.languageByte - 1;
        number = language == run ? number + 1 : 1;
        run = language;
        if (language == current) InsertAt(number, entry.text);
    }
    if (strings_.empty()) {
        for (const auto& entry : data.entries)
            if (entry.languageByte == 1) strings_.push_back(entry.text);
    }
    return kResOk;
}

ResCode StringSet::Save() {
    platform::VectorSink sink;
    sink.i16le(-3);
    sink.u16le(static_cast<uint16_t>(std::min<size_t>(strings_.size(), UINT16_MAX)));
    for (size_t i = 0; i < strings_.size() && i < UINT16_MAX; ++i) {
        sink.u8(static_cast<uint8_t>(Language() + 1));
        const std::string& text = strings_[i];
        sink.text(std::string_view(text).substr(0, text.find('\0')));
        sink.u8(0);
        sink.u8(0);
    }
    return Store(sink.data());
}

std::optional<std::string> StringSet::Get(int index) const {
    if (index < 1 || index > Count()) return std::nullopt;
    return strings_[static_cast<size_t>(index) - 1];
}

void StringSet::Set(int index, std::string text) {
    if (index >= 1 && index <= Count()) {
        strings_[static_cast<size_t>(index) - 1] = std::move(text);
    } else if (index == Count() + 1) {
        strings_.push_back(std::move(text));
    }
}

}  // namespace marquill::resfile
