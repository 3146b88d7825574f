#include "resfile/StringSetMulti.h"

#include <algorithm>

#include "platform/ByteSink.h"

namespace marquill::resfile {
namespace {

bool IsLanguage(int language) {
    return language >= 0 && language < kLanguageCount;
}

bool AllCopies(const std::vector<StringEntry>& slot) {
    return std::all_of(slot.begin(), slot.end(),
                       [](const StringEntry& e) { return e.languageByte == 0; });
}

}  // namespace

void StringSetMulti::Select(iResFile& file, int16_t id, ResType type, StringForm form,
                            uint8_t language) {
    file_ = &file;
    id_ = id;
    type_ = type;
    textForm_ = form == StringForm::Text;
    language_ = language;
}

void StringSetMulti::Place(std::vector<StringEntry>& slot, int number, StringEntry entry) {
    const auto at = static_cast<size_t>(std::clamp(number, 1, static_cast<int>(slot.size()) + 1));
    slot.insert(slot.begin() + static_cast<ptrdiff_t>(at - 1), std::move(entry));
}

ResCode StringSetMulti::Load(Languages languages, Fallback fallback) {
    for (auto& slot : slots_)
        slot.clear();
    name_.clear();
    StringResourceData data;
    if (ResCode code = Fetch(data); code != kResOk) return code;

    const int current = Language();
    const auto currentByte = static_cast<uint8_t>(current + 1);
    if (data.form != StringResourceData::Form::Languages) {
        for (const auto& entry : data.entries) {
            slots_[current].push_back({entry.text, entry.comment, currentByte});
            if (current != 0) slots_[0].push_back({entry.text, entry.comment, 1});
        }
    } else {
        int run = -1;
        int number = 0;
        for (const auto& entry : data.entries) {
            const int language = entry.languageByte == 0 ? current : entry.languageByte - 1;
            number = language == run ? number + 1 : 1;
            run = language;
            if (!IsLanguage(language)) continue;
            if (language == current || languages == Languages::All) {
                Place(slots_[language], number,
                      {entry.text, entry.comment, static_cast<uint8_t>(language + 1)});
            }
        }
        if (fallback == Fallback::Language0 && slots_[current].empty()) {
            for (const auto& entry : data.entries)
                if (entry.languageByte == 1) slots_[current].push_back(entry);
        }
    }
    if (languages == Languages::All) {
        for (int language = 1; language < kLanguageCount; ++language) {
            if (!slots_[language].empty()) continue;
            for (const auto& entry : slots_[0])
                slots_[language].push_back({entry.text, entry.comment, 0});
        }
    }
    return kResOk;
}

ResCode StringSetMulti::Save() {
    if (!file_ || !file_->IsOpen()) return kResBadChunk;
    StringSetMulti stored;
    stored.Select(*file_, id_, type_, textForm_ ? StringForm::Text : StringForm::Binary, language_);
    // A resource that is not there yet (or cannot be read) is written from this set alone.
    if (stored.Load(Languages::All, Fallback::Language0) != kResOk) {
        for (auto& slot : stored.slots_)
            slot.clear();
    }
    if (name_.empty()) name_ = stored.name_;

    const int current = Language();
    auto& target = stored.slots_[current];
    for (size_t i = 0; i < slots_[current].size(); ++i) {
        StringEntry entry = slots_[current][i];
        entry.languageByte = static_cast<uint8_t>(current + 1);
        if (i < target.size()) {
            target[i] = std::move(entry);
        } else {
            target.push_back(std::move(entry));
        }
    }
    const auto& base = stored.slots_[0];
    for (int language = 1; language < kLanguageCount; ++language) {
        auto& slot = stored.slots_[language];
        for (size_t i = slot.size(); i < base.size(); ++i)
            slot.push_back({base[i].text, base[i].comment, 0});
        if (AllCopies(slot)) slot.clear();
    }

    size_t total = 0;
    for (const auto& slot : stored.slots_)
        total += slot.size();
    platform::VectorSink sink;
    sink.i16le(-3);
    sink.u16le(static_cast<uint16_t>(std::min<size_t>(total, UINT16_MAX)));
    size_t written = 0;
    for (int language = 0; language < kLanguageCount; ++language) {
        for (const auto& entry : stored.slots_[language]) {
            if (written++ == UINT16_MAX) break;
            sink.u8(static_cast<uint8_t>(language + 1));
            sink.text(std::string_view(entry.text).substr(0, entry.text.find('\0')));
            sink.u8(0);
            sink.text(std::string_view(entry.comment).substr(0, entry.comment.find('\0')));
            sink.u8(0);
        }
    }
    return Store(sink.data());
}

int StringSetMulti::Count(int language) const {
    return IsLanguage(language) ? static_cast<int>(slots_[language].size()) : 0;
}

std::optional<std::string> StringSetMulti::Get(int index, int language) const {
    if (index < 1 || index > Count(language)) return std::nullopt;
    return slots_[language][static_cast<size_t>(index) - 1].text;
}

std::optional<std::string> StringSetMulti::GetComment(int index, int language) const {
    if (index < 1 || index > Count(language)) return std::nullopt;
    return slots_[language][static_cast<size_t>(index) - 1].comment;
}

void StringSetMulti::Set(int index, std::string text, int language) {
    if (!IsLanguage(language)) return;
    auto& slot = slots_[language];
    const auto byte = static_cast<uint8_t>(language + 1);
    if (index >= 1 && index <= Count(language)) {
        auto& entry = slot[static_cast<size_t>(index) - 1];
        entry.text = std::move(text);
        entry.languageByte = byte;
    } else if (index == Count(language) + 1) {
        slot.push_back({std::move(text), {}, byte});
    }
}

const std::vector<StringEntry>& StringSetMulti::Slot(int language) const {
    static const std::vector<StringEntry> kNone;
    return IsLanguage(language) ? slots_[language] : kNone;
}

}  // namespace marquill::resfile
