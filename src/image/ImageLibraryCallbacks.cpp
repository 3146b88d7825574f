#include "image/ImageLibraryCallbacks.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>

namespace marquill::image {
namespace {

ImageStream* newStream() {
    void* memory = std::malloc(sizeof(ImageStream));
    return memory ? new (memory) ImageStream() : nullptr;
}

void deleteStream(ImageStream* s) {
    s->~ImageStream();
    std::free(s);
}

bool isConsole(const char* name) {
    return name && std::string_view(name).starts_with("con:");
}

void* openRead(const char* name) {
    if (!name) return nullptr;
    ImageStream* s = newStream();
    if (!s) return nullptr;
    if (isConsole(name)) {
        s->file = stdin;
        s->console = true;
        s->size = INT32_MAX;  // unknown: reading stops at the end of the input
        return s;
    }
    s->file = std::fopen(name, "rb");
    if (!s->file || std::fseek(s->file, 0, SEEK_END) != 0) {
        if (s->file) std::fclose(s->file);
        deleteStream(s);
        return nullptr;
    }
    const long size = std::ftell(s->file);
    if (size < 0 || std::fseek(s->file, 0, SEEK_SET) != 0) {
        std::fclose(s->file);
        deleteStream(s);
        return nullptr;
    }
    s->size = size;
    return s;
}

void* openWrite(const char* name) {
    if (!name) return nullptr;
    ImageStream* s = newStream();
    if (!s) return nullptr;
    s->writing = true;
    if (isConsole(name)) {
        s->file = stdout;
        s->console = true;
        return s;
    }
    s->file = std::fopen(name, "w+b");
    if (!s->file) s->file = std::fopen(name, "wb");
    if (!s->file) {
        deleteStream(s);
        return nullptr;
    }
    return s;
}

int32_t closeStream(void* stream) {
    if (!stream) return 1;
    auto* s = static_cast<ImageStream*>(stream);
    bool ok = true;
    if (s->console) {
        ok = std::fflush(s->file) == 0;
    } else {
        ok = std::fclose(s->file) == 0;
    }
    deleteStream(s);
    return ok ? 1 : 0;
}

int32_t readStream(void* stream, void* buffer, int32_t length) {
    if (!stream || !buffer || length <= 0) return 0;
    auto* s = static_cast<ImageStream*>(stream);
    auto* out = static_cast<uint8_t*>(buffer);
    int32_t delivered = 0;
    while (delivered < length) {
        if (s->cursor >= s->end) {
            if (s->position >= s->size) break;
            const int64_t want = std::min<int64_t>(sizeof s->buffer, s->size - s->position);
            const size_t got = std::fread(s->buffer, 1, size_t(want), s->file);
            if (got == 0) break;
            s->bufferStart = s->position;
            s->cursor = 0;
            s->end = int32_t(got);
        }
        const int32_t n = std::min(length - delivered, s->end - s->cursor);
        std::memcpy(out + delivered, s->buffer + s->cursor, size_t(n));
        s->cursor += n;
        s->position += n;
        delivered += n;
    }
    return delivered;
}

int32_t writeStream(void* stream, const void* data, int32_t length) {
    if (!stream || !data || length <= 0) return 0;
    auto* s = static_cast<ImageStream*>(stream);
    const size_t written = std::fwrite(data, 1, size_t(length), s->file);
    s->position += int64_t(written);
    if (s->position > s->size) s->size = s->position;
    return int32_t(written);
}

int32_t seekStream(void* stream, int32_t position) {
    if (!stream) return 0;
    auto* s = static_cast<ImageStream*>(stream);
    if (position < 0) {
        s->cursor = s->end = 0;
        s->position = 0;
        if (!s->console) (void)std::fseek(s->file, 0, SEEK_SET);
        return 0;
    }
    if (!s->writing && position > s->size) {
        // Past the end of what can be read: stop at the end and report the failure.
        s->cursor = s->end = 0;
        s->position = s->size;
        if (!s->console) (void)std::fseek(s->file, long(s->size), SEEK_SET);
        return 0;
    }
    if (s->end > 0 && position >= s->bufferStart && position < s->bufferStart + s->end) {
        s->cursor = int32_t(position - s->bufferStart);
        s->position = position;
        return 1;
    }
    if (s->console || std::fseek(s->file, position, SEEK_SET) != 0) return 0;
    s->cursor = s->end = 0;
    s->position = position;
    return 1;
}

int32_t sizeOf(void* stream) {
    if (!stream) return 0;
    return int32_t(std::min<int64_t>(static_cast<ImageStream*>(stream)->size, INT32_MAX));
}

int32_t tellOf(void* stream) {
    if (!stream) return 0;
    return int32_t(std::min<int64_t>(static_cast<ImageStream*>(stream)->position, INT32_MAX));
}

void* allocate(int32_t bytes) {
    return bytes > 0 ? std::malloc(size_t(bytes)) : nullptr;
}

void release(void* memory) {
    std::free(memory);
}

const PictrixCallbacks kCallbacks = {openRead,   openWrite, closeStream, readStream, writeStream,
                                     seekStream, sizeOf,    tellOf,      allocate,   release};

}  // namespace

const PictrixCallbacks& imageLibraryCallbacks() {
    return kCallbacks;
}

}  // namespace marquill::image
