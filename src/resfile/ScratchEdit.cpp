#include "resfile/ScratchEdit.h"

#include "platform/Files.h"
#include "platform/ScratchFile.h"
#include "resfile/OpenIFFFile.h"

namespace marquill::resfile {

ResCode EditOnScratchCopy(const std::string& path, const ResourceEdit& edit,
                          platform::FileLayer& files) {
    if (!files.exists(path)) return kResCannotOpen;
    // Renaming over a read-only file would succeed where editing it in place is refused.
    if (!files.isWritable(path)) return kResNotWritable;
    auto original = platform::readWholeFile(path, files);
    if (!original) return kResCannotOpen;
    platform::ScratchFile scratch(path, files);
    if (!scratch.write(*original)) return kResShortWrite;

    ResCode code = kResOk;
    auto file = OpenIFFFile(scratch.path(), Access::ReadWrite, code, files);
    if (!file) return code;
    if (!file->IsWritable()) return kResNotWritable;
    code = edit(*file);
    const ResCode closed = file->Close();
    if (code == kResOk) code = closed;
    if (code != kResOk) return code;
    return scratch.commit() ? kResOk : kResCannotOpen;
}

}  // namespace marquill::resfile
