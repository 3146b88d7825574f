#include "resfile/OpenIFFFile.h"

#include "resfile/IFFResFile.h"
#include "resfile/IFFResFile2.h"

namespace marquill::resfile {

std::unique_ptr<IFFChunkFile> OpenIFFFile(const std::string& path, Access access, ResCode& code,
                                          platform::FileLayer& files) {
    std::unique_ptr<IFFChunkFile> file = std::make_unique<IFFResFile2>(files);
    code = file->Open(path, access);
    if (code == kResBadHeader) {
        file = std::make_unique<IFFResFile>(files);
        code = file->Open(path, access);
        // A file that is neither version reports the newer version's refusal.
        if (code == kResBadHeader) return nullptr;
    }
    if (code != kResOk) return nullptr;
    return file;
}

}  // namespace marquill::resfile
