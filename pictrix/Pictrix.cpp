// The image-library module: loaded by the program at run time, it encodes JPEG files with
// libjpeg-turbo and does all its file input and output through the callback table it is given.
// Of the table's entry points only writing is offered (the reading ones answer 0); decoding a
// JPEG held in memory, for the pictures of downloaded celebrities, has an entry point of its own.
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
// libjpeg's header needs size_t and FILE declared before it.
#include <jpeglib.h>

#include "../src/image/PictrixAbi.h"

#define PICTRIX_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using namespace marquill::image;

PictrixCallbacks g_callbacks;
bool g_installed = false;

constexpr int32_t kJpegCodec = 1;

struct WriteContext {
    void* stream;
    int32_t codec;
};

int32_t readInt(const uint8_t* info, size_t offset) {
    int32_t v;
    std::memcpy(&v, info + offset, 4);
    return v;
}

// Compressed bytes go straight to the stream through the write callback.
struct StreamDestination {
    jpeg_destination_mgr manager;
    void* stream;
    bool failed;
    JOCTET buffer[16384];
};

void initDestination(j_compress_ptr cinfo) {
    auto* d = reinterpret_cast<StreamDestination*>(cinfo->dest);
    d->manager.next_output_byte = d->buffer;
    d->manager.free_in_buffer = sizeof d->buffer;
}

boolean emptyOutput(j_compress_ptr cinfo) {
    auto* d = reinterpret_cast<StreamDestination*>(cinfo->dest);
    if (g_callbacks.write(d->stream, d->buffer, int32_t(sizeof d->buffer)) !=
        int32_t(sizeof d->buffer))
        d->failed = true;
    d->manager.next_output_byte = d->buffer;
    d->manager.free_in_buffer = sizeof d->buffer;
    return TRUE;
}

void termDestination(j_compress_ptr cinfo) {
    auto* d = reinterpret_cast<StreamDestination*>(cinfo->dest);
    const int32_t n = int32_t(sizeof d->buffer - d->manager.free_in_buffer);
    if (n > 0 && g_callbacks.write(d->stream, d->buffer, n) != n) d->failed = true;
}

struct ErrorManager {
    jpeg_error_mgr base;
    jmp_buf jump;
    bool warned;
};

void errorExit(j_common_ptr cinfo) {
    auto* e = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::longjmp(e->jump, 1);
}

void silent(j_common_ptr) {}

// A warning means damaged data (libjpeg pads a truncated scan and goes on).
void noteWarning(j_common_ptr cinfo, int level) {
    if (level < 0) reinterpret_cast<ErrorManager*>(cinfo->err)->warned = true;
}

// Kept free of objects with destructors: the error path leaves it by longjmp.
int32_t encode(void* stream, int32_t width, int32_t height, int32_t quality, const uint8_t* pixels,
               int32_t rowLength) {
    jpeg_compress_struct cinfo;
    ErrorManager err;
    auto* dest =
        static_cast<StreamDestination*>(g_callbacks.allocate(int32_t(sizeof(StreamDestination))));
    if (!dest) return 0;
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = errorExit;
    err.base.output_message = silent;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        g_callbacks.free(dest);
        return 0;
    }
    jpeg_create_compress(&cinfo);
    dest->manager.init_destination = initDestination;
    dest->manager.empty_output_buffer = emptyOutput;
    dest->manager.term_destination = termDestination;
    dest->stream = stream;
    dest->failed = false;
    cinfo.dest = &dest->manager;
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_EXT_BGRA;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(pixels + size_t(cinfo.next_scanline) * size_t(rowLength));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    const bool failed = dest->failed;
    jpeg_destroy_compress(&cinfo);
    g_callbacks.free(dest);
    return failed ? 0 : 1;
}

// Kept free of objects with destructors, as encode. A frame larger than maxSide on a side is
// refused from its header, before anything is decoded.
int32_t decode(const uint8_t* data, int32_t size, int32_t maxSide, int32_t* width, int32_t* height,
               uint8_t* rgb, int32_t capacity) {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = errorExit;
    err.base.output_message = silent;
    err.base.emit_message = noteWarning;
    err.warned = false;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return 0;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK || cinfo.image_width == 0 ||
        cinfo.image_height == 0 || cinfo.image_width > JDIMENSION(maxSide) ||
        cinfo.image_height > JDIMENSION(maxSide) ||
        size_t(cinfo.image_width) * cinfo.image_height * 3 > size_t(capacity)) {
        jpeg_destroy_decompress(&cinfo);
        return 0;
    }
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    const size_t row = size_t(cinfo.output_width) * 3;
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW out = rgb + size_t(cinfo.output_scanline) * row;
        jpeg_read_scanlines(&cinfo, &out, 1);
    }
    *width = int32_t(cinfo.output_width);
    *height = int32_t(cinfo.output_height);
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return err.warned ? 0 : 1;
}

}  // namespace

// JPEG bytes in memory to 8-bit RGB rows, top row first, into `rgb` (room for `capacity` bytes).
PICTRIX_EXPORT int32_t Pictrix_decodejpeg(const uint8_t* data, int32_t size, int32_t maxSide,
                                          int32_t* width, int32_t* height, uint8_t* rgb,
                                          int32_t capacity) {
    if (!data || size <= 0 || maxSide <= 0 || !width || !height || !rgb || capacity <= 0) return 0;
    return decode(data, size, maxSide, width, height, rgb, capacity);
}

PICTRIX_EXPORT int32_t _Pictrix_installcallbacks_4(const PictrixCallbacks* callbacks) {
    if (!callbacks) return 0;
    g_callbacks = *callbacks;
    g_installed = true;
    return 1;
}

PICTRIX_EXPORT int32_t _Pictrix_init_0() {
    return g_installed ? 1 : 0;
}

PICTRIX_EXPORT int32_t _Pictrix_restore_0() {
    g_installed = false;
    return 1;
}

PICTRIX_EXPORT int32_t _Pictrix_find_8(const char* extension, int32_t) {
    if (!extension) return 0;
    char lower[8] = {};
    for (size_t i = 0; i + 1 < sizeof lower && extension[i]; ++i)
        lower[i] =
            char(extension[i] >= 'A' && extension[i] <= 'Z' ? extension[i] + 32 : extension[i]);
    if (std::strcmp(lower, "jpg") == 0 || std::strcmp(lower, "jpeg") == 0) return kJpegCodec;
    return 0;
}

PICTRIX_EXPORT int32_t _Pictrix_wopen_16(void** context, void* stream, const char*, int32_t codec) {
    if (!g_installed || !context || !stream || codec != kJpegCodec) return 0;
    auto* c = static_cast<WriteContext*>(g_callbacks.allocate(int32_t(sizeof(WriteContext))));
    if (!c) return 0;
    c->stream = stream;
    c->codec = codec;
    *context = c;
    return 1;
}

PICTRIX_EXPORT int32_t _Pictrix_write_16(void* context, const uint8_t* info, const uint8_t* pixels,
                                         int32_t rowLength) {
    if (!g_installed || !context || !info || !pixels) return 0;
    auto* c = static_cast<WriteContext*>(context);
    if (readInt(info, kInfoSizeOffset) != int32_t(kInfoRecordSize)) return 0;
    const int32_t width = readInt(info, kInfoWidthOffset);
    const int32_t height = readInt(info, kInfoHeightOffset);
    const int32_t bpp = readInt(info, kInfoBppOffset);
    int32_t quality = readInt(info, kInfoQualityOffset);
    if (width <= 0 || height <= 0 || width > 65500 || height > 65500 || bpp != 32) return 0;
    if (rowLength < width * 4) return 0;
    if (quality <= 0 || quality > 100) quality = 75;
    return encode(c->stream, width, height, quality, pixels, rowLength);
}

PICTRIX_EXPORT int32_t _Pictrix_close_4(void* context) {
    if (!context) return 0;
    g_callbacks.free(context);
    return 1;
}

// Entry points of the table that the program does not call.
PICTRIX_EXPORT int32_t _Pictrix_about_0() {
    return 0;
}
PICTRIX_EXPORT int32_t _Pictrix_is_4(void*) {
    return 0;
}
PICTRIX_EXPORT int32_t _Pictrix_open_16(void*, void*, void*, int32_t) {
    return 0;
}
PICTRIX_EXPORT int32_t _Pictrix_info_8(void*, void*) {
    return 0;
}
PICTRIX_EXPORT int32_t _Pictrix_read_16(void*, void*, void*, int32_t) {
    return 0;
}
PICTRIX_EXPORT int32_t _Pictrix_wclose_4(void*) {
    return 0;
}
PICTRIX_EXPORT int32_t _Pictrix_gopenstream_8(void*, void*) {
    return 0;
}
PICTRIX_EXPORT int32_t _Pictrix_gopen_8(void*, void*) {
    return 0;
}
PICTRIX_EXPORT int32_t _Pictrix_set_4(void*) {
    return 0;
}
PICTRIX_EXPORT int32_t _Pictrix_get_0() {
    return 0;
}
PICTRIX_EXPORT int32_t _Pictrix_count_0() {
    return 1;
}
PICTRIX_EXPORT int32_t _Pictrix_freebitmap_4(void*) {
    return 0;
}
PICTRIX_EXPORT int32_t _Pictrix_loadframe_8(void*, void*) {
    return 0;
}
PICTRIX_EXPORT int32_t _Pictrix_open_12(void*, void*, int32_t) {
    return 0;
}
PICTRIX_EXPORT int32_t Pictrixabout() {
    return 0;
}
