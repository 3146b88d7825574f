#pragma once
// Archives written in memory with libarchive's writer, entries of every kind.
#include <archive.h>
#include <archive_entry.h>

#include <cstdint>
#include <string>
#include <vector>

namespace marquill::gamedata::testing_files {

struct Entry {
    std::string path;
    std::vector<uint8_t> bytes;
    unsigned type = AE_IFREG;
    std::string link;  // a symbolic link's target
    bool hardLink = false;
};

enum class Format { Zip, SevenZip, Tar, TarGzip, TarBzip2, TarXz, TarZstd };

inline la_ssize_t appendBytes(archive*, void* out, const void* data, size_t size) {
    auto* v = static_cast<std::vector<uint8_t>*>(out);
    v->insert(v->end(), static_cast<const uint8_t*>(data),
              static_cast<const uint8_t*>(data) + size);
    return static_cast<la_ssize_t>(size);
}

// Empty when the writer refused (an option this libarchive lacks).
inline std::vector<uint8_t> buildArchive(Format format, const std::vector<Entry>& entries,
                                         const char* options = nullptr) {
    std::vector<uint8_t> out;
    archive* a = archive_write_new();
    int r = ARCHIVE_OK;
    switch (format) {
        case Format::Zip:
            r = archive_write_set_format_zip(a);
            break;
        case Format::SevenZip:
            r = archive_write_set_format_7zip(a);
            break;
        default:
            r = archive_write_set_format_pax_restricted(a);
            break;
    }
    if (format == Format::TarGzip) r |= archive_write_add_filter_gzip(a);
    if (format == Format::TarBzip2) r |= archive_write_add_filter_bzip2(a);
    if (format == Format::TarXz) r |= archive_write_add_filter_xz(a);
    if (format == Format::TarZstd) r |= archive_write_add_filter_zstd(a);
    if (options) r |= archive_write_set_options(a, options);
    archive_write_set_bytes_in_last_block(a, 1);
    r |= archive_write_open(a, &out, nullptr, appendBytes, nullptr);
    for (const Entry& e : entries) {
        if (r != ARCHIVE_OK) break;
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, e.path.c_str());
        archive_entry_set_filetype(entry, e.type);
        archive_entry_set_perm(entry, 0644);
        if (e.hardLink)
            archive_entry_set_hardlink(entry, e.link.c_str());
        else if (!e.link.empty())
            archive_entry_set_symlink(entry, e.link.c_str());
        if (e.type == AE_IFREG && !e.hardLink)
            archive_entry_set_size(entry, static_cast<la_int64_t>(e.bytes.size()));
        r = archive_write_header(a, entry);
        if (r == ARCHIVE_OK && !e.bytes.empty() && e.type == AE_IFREG && !e.hardLink &&
            archive_write_data(a, e.bytes.data(), e.bytes.size()) !=
                static_cast<la_ssize_t>(e.bytes.size()))
            r = ARCHIVE_FATAL;
        archive_entry_free(entry);
    }
    if (archive_write_close(a) != ARCHIVE_OK) r = ARCHIVE_FATAL;
    archive_write_free(a);
    return r == ARCHIVE_OK ? out : std::vector<uint8_t>{};
}

// A JPEG's structure around a frame of that size: start, frame header, scan header, a few
// bytes of scan data, end.
inline std::vector<uint8_t> jpegOfSize(uint16_t width, uint16_t height, uint8_t fill = 0x11) {
    std::vector<uint8_t> j = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x04, 'J',
                              'F',  0xFF, 0xC0, 0x00, 0x11, 0x08};
    j.insert(j.end(), {static_cast<uint8_t>(height >> 8), static_cast<uint8_t>(height),
                       static_cast<uint8_t>(width >> 8), static_cast<uint8_t>(width), 3});
    for (uint8_t c = 1; c <= 3; ++c)
        j.insert(j.end(), {c, 0x11, 0x00});
    j.insert(j.end(), {0xFF, 0xDA, 0x00, 0x0C, 3, 1, 0, 2, 0x11, 3, 0x11, 0, 0x3F, 0});
    j.insert(j.end(), 40, fill);
    j.insert(j.end(), {0xFF, 0xD9});
    return j;
}

}  // namespace marquill::gamedata::testing_files
