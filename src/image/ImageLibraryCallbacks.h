#pragma once
// The file and memory callbacks the image library reads and writes through. A stream is an
// ImageStream; the name "con:" stands for standard input or output.
#include <cstdint>
#include <cstdio>

#include "image/PictrixAbi.h"

namespace marquill::image {

struct ImageStream {
    std::FILE* file = nullptr;
    bool console = false;  // standard input or output: never closed here
    int64_t position = 0;
    int64_t size = 0;         // writing: the largest position written so far
    int64_t bufferStart = 0;  // file position of buffer[0]
    int32_t cursor = 0;
    int32_t end = 0;
    bool writing = false;
    uint8_t buffer[8192];
};

// The table in slot order: open for reading, open for writing, close, read, write, seek, size,
// tell, allocate, free.
[[nodiscard]] const PictrixCallbacks& imageLibraryCallbacks();

}  // namespace marquill::image
