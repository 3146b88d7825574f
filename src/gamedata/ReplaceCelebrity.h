#pragma once
// Puts a celebrity file in the place of a celebrity person of a neighbourhood: the person file
// becomes a copy of the celebrity file that carries the old person's GUID, so the neighbourhood's
// celebrity family names the new person. The neighbourhood file itself is not touched.
//
// The person file is never deleted first: it is backed up, the copy is built in a temporary file
// in the person folder, written, read back and checked, and only then renamed over the person
// file. Any failure leaves the person file (and so the neighbourhood) as it was.
#include <cstdint>
#include <functional>
#include <string>

#include "gamedata/Backups.h"
#include "gamedata/CopyObjectFile.h"
#include "platform/FileLayer.h"
#include "resfile/ResCode.h"

namespace marquill::gamedata {

enum class ReplaceStage { Backup, Copy, Identity, Check, Rename };

struct ReplaceRequest {
    std::string gameFolder;
    int neighborhood = 1;
    std::string personPath;
    std::string celebrityPath;
    // For tests: called before each stage; returning false makes that stage fail.
    std::function<bool(ReplaceStage)> beforeStage;
};

struct ReplaceResult {
    enum class Outcome { Replaced, NotAPerson, Failed };
    Outcome outcome = Outcome::Failed;
    resfile::ResCode code = 0;
    std::string message;     // what went wrong, for a person to read
    std::string objectName;  // Windows-1252
    uint32_t guid = 0;
    Backup backup;
};

// "user00012 - Star (Marquill)": the person's file name in lower case, the celebrity's, as
// Windows-1252 text cut to 63 characters.
[[nodiscard]] std::string replacementName(const std::string& personPath,
                                          const std::string& celebrityPath);

[[nodiscard]] ReplaceResult replaceCelebrity(const ReplaceRequest& request, BackupStore& backups,
                                             GuidSource& guids,
                                             platform::FileLayer& files = platform::diskFiles());

}  // namespace marquill::gamedata
