#include "gamedata/CopyObjectFile.h"

#include "gamedata/PersonFile.h"
#include "platform/SystemClock.h"
#include "resfile/IFFResFile2.h"
#include "resfile/StringSet.h"

namespace marquill::gamedata {

using namespace resfile;

namespace {

// A string set saved into another file than the one it was read from.
class StringSetCopy final : public StringSet {
  public:
    void bind(iResFile& file, int16_t id, std::string name) {
        file_ = &file;
        id_ = id;
        type_ = kTypeStrings;
        textForm_ = false;
        name_ = std::move(name);
    }
};

ResCode copyStrings(iResFile& from, iResFile& to, int16_t id) {
    StringSet loaded;
    if (ResCode code = loaded.Load(from, id); code != kResOk) return code;
    StringSetCopy copy;
    copy.bind(to, id, loaded.Name());
    for (int i = 1; i <= loaded.Count(); ++i)
        copy.Set(i, loaded.Get(i).value_or(""));
    return copy.Save();
}

}  // namespace

ClockGuidSource::ClockGuidSource() : random_(platform::millisecondsSinceStart()) {}

uint32_t ClockGuidSource::next() {
    const uint32_t random15 = static_cast<uint32_t>(random_() & 0x7FFF);
    return (platform::millisecondsSinceStart() << 16) ^ random15;
}

ResCode copyObjectFile(const std::string& source, const std::string& destination,
                       const std::string& name, GuidSource& guids, platform::FileLayer& files) {
    IFFResFile2 from(files);
    // The source is only read; opening it read-only keeps a downloaded file untouched.
    if (ResCode code = from.Open(source, Access::ReadOnly); code != kResOk) return code;
    IFFResFile2 to(files);
    if (ResCode code = to.Create(destination); code != kResOk) return code;
    if (ResCode code = to.Open(destination, Access::ReadWrite); code != kResOk) return code;

    const std::string objectName = name.substr(0, kMaxResNameLength);
    ResCode error = kResOk;
    for (int t = from.CountTypes(); t >= 1 && error == kResOk; --t) {
        const ResType type = from.GetIndType(t);
        const int count = from.CountResources(type);
        for (int i = 1; i <= count && error == kResOk; ++i) {
            MemoryBlock* block = from.GetIndResource(type, i);
            if (!block) {
                error = from.LastResult();
                break;
            }
            const bool native = from.IsNativeOrder(block);
            int16_t id = 0;
            (void)from.GetResourceId(block, id);
            std::string resName;
            (void)from.GetResourceName(block, resName);
            if (ResCode code = from.DetachResource(block); code != kResOk) {
                error = code;
                break;
            }
            OwnedBlock owned(block);
            if (type == kTypeCopiedStrings) {
                owned.reset();
                error = copyStrings(from, to, id);
                continue;
            }
            if (type == kTypeObjectDefinition) {
                // A person's object definition holds both identity numbers; anything shorter
                // is not a person file.
                if (owned->Size() < kMinObjectDefinitionSize) {
                    error = kResBadChunk;
                    break;
                }
                uint8_t* data = owned->Bytes().data();
                writeU32le(data + kOffsetPreviousGuid, readU32le(data + kOffsetGuid));
                writeU32le(data + kOffsetGuid, guids.next());
                resName = objectName;
            }
            MemoryBlock* handed = owned.release();
            if (ResCode code = to.AddResource(handed, type, id, resName,
                                              native ? DataOrder::Native : DataOrder::BigEndian);
                code != kResOk) {
                DisposeBlock(handed);
                error = code;
                break;
            }
            if (ResCode code = to.WriteResource(handed); code != kResOk) error = code;
        }
    }
    if (ResCode code = to.Update(); error == kResOk && code != kResOk) error = code;
    ResCode closed = to.Close();
    (void)from.Close();
    return error != kResOk ? error : closed;
}

}  // namespace marquill::gamedata
