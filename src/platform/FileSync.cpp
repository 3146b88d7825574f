#include "platform/FileSync.h"

#include <fcntl.h>
#include <unistd.h>

namespace marquill::platform {

bool syncFile(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

}  // namespace marquill::platform
