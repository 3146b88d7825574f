#include "gamedata/ReplaceCelebrity.h"

#include "gamedata/PersonFile.h"
#include "platform/AsciiCase.h"
#include "platform/Cp1252.h"
#include "platform/ScratchFile.h"
#include "resfile/IFFResFile2.h"

namespace marquill::gamedata {

using namespace resfile;

namespace {

uint16_t readU16le(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

// Gives the copy the old person's identity; the replaced flag marks it as brought in by us.
ResCode writeIdentity(const std::string& path, uint32_t guid, platform::FileLayer& files) {
    IFFResFile2 file(files);
    if (ResCode code = file.Open(path, Access::ReadWrite); code != kResOk) return code;
    MemoryBlock* block = file.GetIndResource(kTypeObjectDefinition, 1);
    if (!block) {
        (void)file.Close();
        return kResNoSuchResource;
    }
    ResCode code = kResBadChunk;
    if (block->Size() >= kMinObjectDefinitionSize) {
        uint8_t* data = block->Bytes().data();
        writeU32le(data + kOffsetGuid, guid);
        data[kOffsetReplaced] = 2;
        data[kOffsetReplaced + 1] = 0;
        code = file.WriteResource(block);
    }
    ResCode closed = file.Close();
    return code != kResOk ? code : closed;
}

bool checkCopy(const std::string& path, uint32_t guid, const std::string& name,
               platform::FileLayer& files) {
    IFFResFile2 file(files);
    if (file.Open(path, Access::ReadOnly) != kResOk) return false;
    bool ok = false;
    if (MemoryBlock* block = file.GetIndResource(kTypeObjectDefinition, 1)) {
        std::string stored;
        (void)file.GetResourceName(block, stored);
        const uint8_t* data = block->Bytes().data();
        ok = block->Size() >= kMinObjectDefinitionSize && readU32le(data + kOffsetGuid) == guid &&
             readU16le(data + kOffsetReplaced) == 2 && stored == name;
        (void)Release(file, block);
    }
    return file.Close() == kResOk && ok;
}

}  // namespace

std::string replacementName(const std::string& personPath, const std::string& celebrityPath) {
    // The names as they are on disk may be UTF-8; the game reads its names as Windows-1252.
    std::string name = platform::nameToCp1252(platform::toLowerAscii(baseName(personPath))) +
                       " - " + platform::nameToCp1252(baseName(celebrityPath)) + " (Marquill)";
    return name.substr(0, kMaxResNameLength);
}

ReplaceResult replaceCelebrity(const ReplaceRequest& request, BackupStore& backups,
                               GuidSource& guids, platform::FileLayer& files) {
    ReplaceResult result;
    auto stageOk = [&](ReplaceStage stage) {
        return !request.beforeStage || request.beforeStage(stage);
    };

    {
        IFFResFile2 person(files);
        result.code = person.Open(request.personPath, Access::ReadOnly);
        if (result.code != kResOk) {
            result.outcome = ReplaceResult::Outcome::NotAPerson;
            result.message = "cannot open the person file " + request.personPath;
            return result;
        }
        auto guid = readPersonGuid(person);
        (void)person.Close();
        if (!guid) {
            result.outcome = ReplaceResult::Outcome::NotAPerson;
            result.code = kResNoSuchResource;
            result.message = request.personPath + " has no object definition";
            return result;
        }
        result.guid = *guid;
    }
    result.objectName = replacementName(request.personPath, request.celebrityPath);

    std::string error;
    std::optional<Backup> backup;
    if (stageOk(ReplaceStage::Backup))
        backup = backups.save(request.gameFolder, request.neighborhood, request.personPath,
                              request.celebrityPath, &error);
    else
        error = "backup refused";
    if (!backup) {
        result.message =
            "no backup could be made (" + error + "); the neighbourhood was not changed";
        return result;
    }
    result.backup = *backup;

    platform::ScratchFile work(request.personPath, files);
    auto fail = [&](ResCode code, const std::string& what) {
        work.discard();
        backups.discard(*backup);
        result.backup = Backup{};
        result.outcome = ReplaceResult::Outcome::Failed;
        result.code = code;
        result.message = what + "; the neighbourhood was not changed";
        return result;
    };

    result.code = stageOk(ReplaceStage::Copy) ? copyObjectFile(request.celebrityPath, work.path(),
                                                               result.objectName, guids, files)
                                              : kResShortWrite;
    if (result.code != kResOk) return fail(result.code, "cannot copy " + request.celebrityPath);

    result.code = stageOk(ReplaceStage::Identity) ? writeIdentity(work.path(), result.guid, files)
                                                  : kResShortWrite;
    if (result.code != kResOk) return fail(result.code, "cannot write the identity into the copy");

    if (!stageOk(ReplaceStage::Check) ||
        !checkCopy(work.path(), result.guid, result.objectName, files))
        return fail(kResBadChunk, "the copy did not read back as written");

    if (!stageOk(ReplaceStage::Rename) || !work.commit())
        return fail(kResCannotOpen, "cannot put the copy in place of " + request.personPath);

    result.outcome = ReplaceResult::Outcome::Replaced;
    result.code = kResOk;
    return result;
}

}  // namespace marquill::gamedata
