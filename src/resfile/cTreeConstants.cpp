#include "resfile/cTreeConstants.h"

#include "resfile/RecordIO.h"

namespace marquill::resfile {
namespace {

constexpr size_t kEntryMinSize = 10;  // two values and two empty strings

}  // namespace

bool cTreeConstants::Reconstitute(ReconStream& stream, int32_t version) {
    auto count = static_cast<int32_t>(entries.size());
    if (!stream.Int32(count)) return false;
    if (stream.IsReading()) {
        if (count < 0 || static_cast<size_t>(count) > stream.Remaining() / kEntryMinSize) {
            stream.Fail();
            return false;
        }
        entries.assign(static_cast<size_t>(count), TreeConstant{});
    }
    for (auto& entry : entries) {
        stream.Int32(entry.value);
        stream.Int32(entry.extra);
        stream.String(entry.label);
        stream.String(entry.description);
        if (version > 0) {
            stream.Flag(entry.hasRange);
            stream.Int16(entry.rangeMin);
            stream.Int16(entry.rangeMax);
        } else if (stream.IsReading()) {
            entry.hasRange = false;
            entry.rangeMin = 0;
            entry.rangeMax = 100;
        }
        if (stream.Failed()) return false;
    }
    return !stream.Failed();
}

ResCode cTreeConstants::Load(iResFile& file, int16_t id) {
    cTreeConstants loaded;
    SimpleReconObject<cTreeConstants> record(loaded, kTypeTreeConstants);
    if (ResCode code = LoadRecord(file, record, id); code != kResOk) return code;
    *this = std::move(loaded);
    return kResOk;
}

ResCode cTreeConstants::Store(iResFile& file, int16_t id) {
    SimpleReconObject<cTreeConstants> record(*this, kTypeTreeConstants);
    return StoreRecord(file, record, id, kWrittenVersion);
}

}  // namespace marquill::resfile
