#include "gamedata/ArchiveReader.h"

#include <archive.h>
#include <archive_entry.h>

#include <memory>

namespace marquill::gamedata {
namespace {

struct ArchiveDeleter {
    void operator()(archive* a) const { archive_read_free(a); }
};
using ArchivePtr = std::unique_ptr<archive, ArchiveDeleter>;

ArchivePtr openReader(std::span<const uint8_t> bytes) {
    ArchivePtr a(archive_read_new());
    if (!a) return nullptr;
    using Enable = int (*)(archive*);
    constexpr Enable kEnabled[] = {
        archive_read_support_format_zip,   archive_read_support_format_7zip,
        archive_read_support_format_rar,   archive_read_support_format_rar5,
        archive_read_support_format_tar,   archive_read_support_filter_gzip,
        archive_read_support_filter_bzip2, archive_read_support_filter_xz,
        archive_read_support_filter_zstd,
    };
    for (Enable enable : kEnabled)
        // A filter built without its library falls back to an outside program: refuse that.
        if (enable(a.get()) != ARCHIVE_OK) return nullptr;
    if (archive_read_open_memory(a.get(), bytes.data(), bytes.size()) != ARCHIVE_OK) return nullptr;
    return a;
}

std::string entryPath(archive_entry* entry) {
    if (const char* utf8 = archive_entry_pathname_utf8(entry)) return utf8;
    if (const char* raw = archive_entry_pathname(entry)) return raw;
    return {};
}

// Why an entry's name or kind is refused; empty when it is a folder or a plain file.
std::string entryProblem(archive_entry* entry, const std::string& path) {
    if (path.empty()) return "an entry without a usable name";
    if (path.front() == '/' || (path.size() >= 2 && path[1] == ':'))
        return "an absolute path (" + path + ")";
    if (path.find('\\') != std::string::npos) return "a backslash in a path (" + path + ")";
    for (size_t start = 0; start <= path.size();) {
        size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        if (path.compare(start, end - start, "..") == 0)
            return "a path leading out of the archive (" + path + ")";
        start = end + 1;
    }
    if (archive_entry_hardlink(entry) || archive_entry_symlink(entry))
        return "a link (" + path + ")";
    switch (archive_entry_filetype(entry)) {
        case AE_IFREG:
        case AE_IFDIR:
            break;
        case AE_IFLNK:
            return "a link (" + path + ")";
        case AE_IFCHR:
        case AE_IFBLK:
            return "a device file (" + path + ")";
        case AE_IFIFO:
            return "a FIFO (" + path + ")";
        default:
            return "an entry that is not a plain file (" + path + ")";
    }
    if (archive_entry_is_encrypted(entry))
        return "an encrypted entry (" + path + "); the archive must be unpacked with its password";
    return {};
}

std::string mib(uint64_t bytes) {
    return std::to_string(bytes >> 20) + " MiB";
}

}  // namespace

bool looksLikeArchive(std::span<const uint8_t> bytes) {
    ArchivePtr a = openReader(bytes);
    if (!a) return false;
    archive_entry* entry = nullptr;
    const int r = archive_read_next_header(a.get(), &entry);
    return r == ARCHIVE_OK || r == ARCHIVE_WARN || r == ARCHIVE_EOF;
}

ArchiveContents readArchive(std::span<const uint8_t> bytes, const KeepMember& keep,
                            ByteBudget& budget, const ArchiveLimits& limits) {
    ArchiveContents out;
    ArchivePtr a = openReader(bytes);
    if (!a) {
        out.refusal = "not a zip, 7z, rar or tar archive that can be read";
        return out;
    }
    const uint64_t ratioLimit = limits.ratio * static_cast<uint64_t>(bytes.size());
    uint64_t produced = 0;
    uint64_t entries = 0;
    std::vector<uint8_t> block(64 * 1024);
    for (;;) {
        archive_entry* entry = nullptr;
        const int header = archive_read_next_header(a.get(), &entry);
        if (header == ARCHIVE_EOF) break;
        if (header != ARCHIVE_OK && header != ARCHIVE_WARN) {
            const char* why = archive_error_string(a.get());
            out.refusal =
                std::string("damaged or truncated archive") + (why ? ": " : "") + (why ? why : "");
            break;
        }
        if (++entries > limits.entries) {
            out.refusal = "more than " + std::to_string(limits.entries) + " entries";
            break;
        }
        const std::string path = entryPath(entry);
        out.refusal = entryProblem(entry, path);
        if (!out.ok()) break;
        if (archive_entry_filetype(entry) == AE_IFDIR) continue;

        ArchiveMember member;
        member.path = path;
        member.kept = !keep || keep(path);
        for (;;) {
            const la_ssize_t n = archive_read_data(a.get(), block.data(), block.size());
            if (n == 0) break;
            if (n < 0) {
                const char* why = archive_error_string(a.get());
                out.refusal =
                    "damaged or truncated data in " + path + (why ? ": " : "") + (why ? why : "");
                break;
            }
            const auto got = static_cast<uint64_t>(n);
            member.size += got;
            produced += got;
            if (member.size > limits.entryBytes)
                out.refusal = path + " unpacks to more than " + mib(limits.entryBytes);
            else if (produced > limits.archiveBytes)
                out.refusal = "the archive unpacks to more than " + mib(limits.archiveBytes);
            else if (produced > ratioLimit)
                out.refusal = "the archive unpacks to more than " + std::to_string(limits.ratio) +
                              " times its own size";
            else if (got > budget.remaining)
                out.refusal = "the files of one installation unpack to more than 1 GiB";
            if (!out.ok()) break;
            budget.remaining -= got;
            if (member.kept)
                member.bytes.insert(member.bytes.end(), block.data(), block.data() + n);
        }
        if (!out.ok()) break;
        out.members.push_back(std::move(member));
    }
    if (!out.ok()) out.members.clear();
    return out;
}

}  // namespace marquill::gamedata
