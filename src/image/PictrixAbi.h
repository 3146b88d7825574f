#pragma once
// The calling convention between the program and the image-library module: the callback table
// the module reads and writes files through, the entry points, and the image information record.
// Shared with the module's own sources, so it uses nothing but the C headers.
#include <stddef.h>
#include <stdint.h>

extern "C" {

struct PictrixCallbacks {
    void* (*openRead)(const char* name);
    void* (*openWrite)(const char* name);
    int32_t (*close)(void* stream);
    int32_t (*read)(void* stream, void* buffer, int32_t length);
    int32_t (*write)(void* stream, const void* data, int32_t length);
    int32_t (*seek)(void* stream, int32_t position);
    int32_t (*size)(void* stream);
    int32_t (*tell)(void* stream);
    void* (*allocate)(int32_t bytes);
    void (*free)(void* memory);
};

typedef int32_t (*PictrixInitFn)(void);
typedef int32_t (*PictrixRestoreFn)(void);
typedef int32_t (*PictrixInstallCallbacksFn)(const PictrixCallbacks* callbacks);
typedef int32_t (*PictrixFindFn)(const char* extension, int32_t flags);
typedef int32_t (*PictrixWopenFn)(void** context, void* stream, const char* name, int32_t codec);
typedef int32_t (*PictrixWriteFn)(void* context, const uint8_t* info, const uint8_t* pixels,
                                  int32_t rowLength);
typedef int32_t (*PictrixCloseFn)(void* context);
typedef int32_t (*PictrixDecodeJpegFn)(const uint8_t* data, int32_t size, int32_t maxSide,
                                       int32_t* width, int32_t* height, uint8_t* rgb,
                                       int32_t capacity);

}  // extern "C"

namespace marquill::image {

// Beside the table: decoding a JPEG held in memory.
inline constexpr const char* kDecodeJpegEntry = "Pictrix_decodejpeg";

// The image information record handed to write.
inline constexpr size_t kInfoRecordSize = 10384;
inline constexpr size_t kInfoSizeOffset = 4;
inline constexpr size_t kInfoVersionOffset = 8;
inline constexpr size_t kInfoFrameOffset = 12;
inline constexpr size_t kInfoWidthOffset = 16;
inline constexpr size_t kInfoHeightOffset = 20;
inline constexpr size_t kInfoSourceBppOffset = 24;
inline constexpr size_t kInfoBppOffset = 28;
inline constexpr size_t kInfoQualityOffset = 1072;
inline constexpr int32_t kInfoVersion = 200;
inline constexpr int32_t kSnapshotQuality = 97;

// The entry points in lookup order. ELF symbol names cannot carry the "@size" suffix (the linker
// reads it as a symbol version), so each "@" is exported as "_".
inline constexpr const char* kEntryNames[] = {"_Pictrix_init@0",      "_Pictrix_restore@0",
                                              "_Pictrix_about@0",     "_Pictrix_is@4",
                                              "_Pictrix_open@16",     "_Pictrix_info@8",
                                              "_Pictrix_read@16",     "_Pictrix_close@4",
                                              "_Pictrix_wopen@16",    "_Pictrix_write@16",
                                              "_Pictrix_wclose@4",    "_Pictrix_gopenstream@8",
                                              "_Pictrix_gopen@8",     "_Pictrix_set@4",
                                              "_Pictrix_get@0",       "_Pictrix_find@8",
                                              "_Pictrix_count@0",     "_Pictrix_freebitmap@4",
                                              "_Pictrix_loadframe@8", "_Pictrix_installcallbacks@4",
                                              "_Pictrix_open@12",     "Pictrixabout"};

}  // namespace marquill::image
