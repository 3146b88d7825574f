#include "resfile/cFamily.h"

#include "resfile/RecordIO.h"
#include "resfile/StringSetMulti.h"

namespace marquill::resfile {

bool cFamily::Reconstitute(ReconStream& stream, int32_t v) {
    stream.Int32(leadValue);
    if (v < 5) stream.String(legacyName);
    if (v > 0) stream.Int32(secondValue);
    if (v > 1) {
        for (auto& value : values)
            stream.Int32(value);
    }
    if (v < 7) {
        if (v > 2) stream.Flag(flag1);
        if (v > 3) stream.Flag(flag2);
        if (v > 5) stream.Flag(flag3);
    } else {
        stream.UInt32(flagWord);
    }
    if (familyId != 0) {
        auto count = static_cast<uint32_t>(memberGuids.size());
        if (!stream.UInt32(count)) return false;
        if (stream.IsReading()) {
            if (count > stream.Remaining() / 4) {
                stream.Fail();
                return false;
            }
            memberGuids.assign(count, 0);
        }
        for (auto& guid : memberGuids)
            stream.UInt32(guid);
    }
    if (v > 7) stream.Int32(trailingValue);
    return !stream.Failed();
}

ResCode cFamily::Load(iResFile& file, int16_t id) {
    cFamily loaded;
    loaded.familyId = id;
    SimpleReconObject<cFamily> record(loaded, kTypeFamily);
    int32_t storedVersion = 0;
    if (ResCode code = LoadRecord(file, record, id, &storedVersion); code != kResOk) return code;
    loaded.version = storedVersion;
    if (storedVersion > 4) {
        StringSetMulti names;
        names.Select(file, id, kTypeFamilyNames, StringForm::Binary, kCurrentLanguage);
        if (names.Load(StringSetMulti::Languages::Current, StringSetMulti::Fallback::Language0) ==
            kResOk) {
            loaded.name = names.Get(1, names.Language()).value_or("");
        }
    }
    if (MemoryBlock* house = file.GetResource(kTypeFamilyHouse, id)) Release(file, house);
    *this = std::move(loaded);
    return kResOk;
}

ResCode cFamily::Store(iResFile& file, int16_t id, int32_t storeVersion) {
    familyId = id;
    SimpleReconObject<cFamily> record(*this, kTypeFamily);
    ResCode code = StoreRecord(file, record, id, storeVersion);
    if (code == kResOk) version = storeVersion;
    return code;
}

}  // namespace marquill::resfile
