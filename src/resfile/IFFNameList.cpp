#include "resfile/IFFNameList.h"

#include <algorithm>

#include "platform/ByteReader.h"
#include "platform/ByteSink.h"
#include "resfile/RecordIO.h"
#include "resfile/ResType.h"

namespace marquill::resfile {

bool IFFNameList::DecodeDirect(std::span<const uint8_t> data, bool littleEndian) {
    platform::ByteReader r(data);
    std::map<int32_t, std::string> names;
    while (!r.atEnd()) {
        auto key = littleEndian ? r.i32le() : r.i32be();
        if (!key) return false;
        auto length = r.u8();
        if (!length) return false;
        auto chars = r.chars(*length);
        if (!chars) return false;
        names[*key] = std::move(*chars);
    }
    names_ = std::move(names);
    return true;
}

ResCode IFFNameList::Decode(std::span<const uint8_t> data, bool littleEndian) {
    names_.clear();
    changed_ = false;
    if (DecodeDirect(data, littleEndian)) return kResOk;
    IFFNameList serialised;
    SimpleReconObject<IFFNameList> record(serialised, kTypeNameList);
    if (ReadRecord(data, record) != kResOk) return kResBadChunk;
    names_ = std::move(serialised.names_);
    return kResOk;
}

std::vector<uint8_t> IFFNameList::EncodeDirect() const {
    platform::VectorSink sink;
    for (const auto& [key, name] : names_) {
        sink.u32be(static_cast<uint32_t>(key));
        const size_t length = std::min<size_t>(name.size(), 255);
        sink.u8(static_cast<uint8_t>(length));
        sink.write(name.data(), length);
    }
    return sink.take();
}

bool IFFNameList::Reconstitute(ReconStream& stream, int32_t) {
    auto count = static_cast<int32_t>(names_.size());
    if (!stream.Int32(count)) return false;
    if (stream.IsReading()) {
        if (count < 0 || static_cast<size_t>(count) > stream.Remaining() / 6) {
            stream.Fail();
            return false;
        }
        names_.clear();
        for (int32_t i = 0; i < count; ++i) {
            int32_t key = 0;
            std::string name;
            if (!stream.Int32(key) || !stream.String(name)) return false;
            names_[key] = std::move(name);
        }
        return true;
    }
    for (auto& [key, name] : names_) {
        int32_t k = key;
        stream.Int32(k);
        stream.String(name);
    }
    return !stream.Failed();
}

std::string IFFNameList::NameOf(int32_t key) const {
    auto it = names_.find(key);
    return it == names_.end() ? std::string() : it->second.substr(0, kMaxResNameLength);
}

int32_t IFFNameList::KeyFor(const std::string& name) {
    for (const auto& [key, listed] : names_)
        if (listed == name) return key;
    int32_t key = 1;
    if (!names_.empty() && names_.rbegin()->first < INT32_MAX) {
        key = std::max(1, names_.rbegin()->first + 1);
    } else {
        while (names_.count(key))
            ++key;
    }
    names_[key] = name;
    changed_ = true;
    return key;
}

}  // namespace marquill::resfile
