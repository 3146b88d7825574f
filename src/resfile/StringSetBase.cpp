#include "resfile/StringSetBase.h"

#include <algorithm>

#include "platform/ByteReader.h"

namespace marquill::resfile {
namespace {

constexpr int16_t kFormatPlain = -1;
constexpr int16_t kFormatWithComments = -2;
constexpr int16_t kFormatLanguages = -3;

char ReadableChar(uint8_t c) {
    if (c == 161) return 'o';
    if (c == 213) return '\'';
    return static_cast<char>(c);
}

}  // namespace

void ConvertStrings(uint8_t* data, size_t length) {
    if (length < 2) return;
    std::swap(data[0], data[1]);
    const bool plain = data[0] == 0xFF && data[1] == 0xFF;
    if (plain && length >= 4) std::swap(data[2], data[3]);
}

ResCode DecodeStrings(std::span<const uint8_t> data, StringForm form, StringResourceData& out) {
    out.entries.clear();
    if (form == StringForm::Text) {
        out.form = StringResourceData::Form::Text;
        const std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
        for (size_t open = text.find('^'); open != std::string_view::npos;) {
            const size_t close = text.find('^', open + 1);
            if (close == std::string_view::npos) break;
            out.entries.push_back({std::string(text.substr(open + 1, close - open - 1)), {}, 0});
            open = text.find('^', close + 1);
        }
        return kResOk;
    }

    platform::ByteReader r(data);
    auto format = r.i16le();
    if (!format) return kResBadChunk;
    if (*format >= 0) {
        out.form = StringResourceData::Form::Counted;
        if (static_cast<size_t>(*format) > r.remaining()) return kResBadChunk;
        for (int i = 0; i < *format; ++i) {
            auto length = r.u8();
            if (!length) return kResBadChunk;
            auto chars = r.bytes(*length);
            if (!chars) return kResBadChunk;
            std::string text;
            for (uint8_t c : *chars)
                text.push_back(ReadableChar(c));
            out.entries.push_back({std::move(text), {}, 0});
        }
        return kResOk;
    }
    if (*format != kFormatPlain && *format != kFormatWithComments && *format != kFormatLanguages)
        return kResBadChunk;
    auto count = r.u16le();
    if (!count) return kResBadChunk;
    const size_t minEntry = *format == kFormatPlain ? 1 : (*format == kFormatWithComments ? 2 : 3);
    if (*count > r.remaining() / minEntry) return kResBadChunk;
    out.form = *format == kFormatPlain          ? StringResourceData::Form::Plain
               : *format == kFormatWithComments ? StringResourceData::Form::WithComments
                                                : StringResourceData::Form::Languages;
    out.entries.reserve(*count);
    for (unsigned i = 0; i < *count; ++i) {
        StringEntry entry;
        if (*format == kFormatLanguages) {
            auto language = r.u8();
            if (!language) return kResBadChunk;
            entry.languageByte = *language;
        }
        auto text = r.cString();
        if (!text) return kResBadChunk;
        entry.text = std::move(*text);
        if (*format != kFormatPlain) {
            auto comment = r.cString();
            if (!comment) return kResBadChunk;
            entry.comment = std::move(*comment);
        }
        out.entries.push_back(std::move(entry));
    }
    return kResOk;
}

ResCode StringSetBase::Fetch(StringResourceData& data) {
    if (!file_ || !file_->IsOpen()) return kResBadChunk;
    MemoryBlock* block = file_->GetResource(type_, id_, textForm_ ? nullptr : ConvertStrings);
    if (!block) {
        const ResCode code = file_->LastResult();
        return code != kResOk ? code : kResNoSuchResource;
    }
    file_->GetResourceName(block, name_);
    const ResCode decoded =
        DecodeStrings(block->Bytes(), textForm_ ? StringForm::Text : StringForm::Binary, data);
    const ResCode released = Release(*file_, block);
    return decoded != kResOk ? decoded : released;
}

ResCode StringSetBase::Store(const std::vector<uint8_t>& data) {
    if (!file_ || !file_->IsOpen()) return kResBadChunk;
    if (type_ == 0 || type_ == kTypeTextStrings) {
        type_ = kTypeStrings;
        textForm_ = false;
    }
    MemoryBlock* block = NewBlock(data.size());
    if (!block) return kResOutOfMemory;
    std::copy(data.begin(), data.end(), block->Bytes().begin());
    if (ResCode code = file_->AddResource(block, type_, id_, name_, DataOrder::Native);
        code != kResOk) {
        DisposeBlock(block);
        return code;
    }
    // A failed write leaves the block with the file, which tries again on Update and Close.
    if (ResCode code = file_->WriteResource(block); code != kResOk) return code;
    return Release(*file_, block);
}

}  // namespace marquill::resfile
