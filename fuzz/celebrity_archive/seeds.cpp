// Seeds: a celebrity set made by the content writers, packed as `pack` packs it, and the same
// files as tar archives with each filter and as a 7z archive.
#include <archive.h>
#include <archive_entry.h>

#include <cstdio>
#include <string>
#include <vector>

#include "content/PersonFileWriter.h"
#include "gamedata/CelebrityPack.h"
#include "platform/Files.h"
#include "platform/MemoryFiles.h"

namespace {

la_ssize_t append(archive*, void* out, const void* data, size_t size) {
    auto* v = static_cast<std::vector<uint8_t>*>(out);
    v->insert(v->end(), static_cast<const uint8_t*>(data),
              static_cast<const uint8_t*>(data) + size);
    return static_cast<la_ssize_t>(size);
}

std::vector<uint8_t> archiveOf(
    int (*format)(archive*), int (*filter)(archive*),
    const std::vector<std::pair<std::string, std::vector<uint8_t>>>& in) {
    std::vector<uint8_t> out;
    archive* a = archive_write_new();
    format(a);
    if (filter) filter(a);
    archive_write_open(a, &out, nullptr, append, nullptr);
    for (const auto& [name, bytes] : in) {
        archive_entry* e = archive_entry_new();
        archive_entry_set_pathname(e, ("set/" + name).c_str());
        archive_entry_set_filetype(e, AE_IFREG);
        archive_entry_set_perm(e, 0644);
        archive_entry_set_size(e, static_cast<la_int64_t>(bytes.size()));
        archive_write_header(a, e);
        archive_write_data(a, bytes.data(), bytes.size());
        archive_entry_free(e);
    }
    archive_write_close(a);
    archive_write_free(a);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace marquill;
    if (argc != 2) return 2;
    const std::string dir = argv[1];
    const std::string person = dir + "/.person.iff";
    content::PersonContents contents;
    contents.guid = 5;
    contents.objectName = "Star";
    contents.namesByLanguage = {{"Star", "A star."}};
    std::string error;
    if (!content::writePersonFile(person, contents, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const auto iff = platform::readWholeFile(person).value_or(std::vector<uint8_t>{});
    std::remove(person.c_str());
    const std::string srf = "[Marquill]\r\nName=Star\r\nVersion=4\r\n";
    const std::vector<uint8_t> jpeg = {0xFF, 0xD8, 0xFF, 0xC0, 0, 11,   8,    0,    16,  0,
                                       16,   1,    1,    0x11, 0, 0xFF, 0xDA, 0,    8,   1,
                                       1,    0,    0,    0x3F, 0, 0x12, 0x34, 0xFF, 0xD9};
    const std::vector<std::pair<std::string, std::vector<uint8_t>>> set = {
        {"Star.iff", iff},
        {"Star.srf", {srf.begin(), srf.end()}},
        {"Starhead.jpg", jpeg},
        {"Starbody.jpg", jpeg}};

    platform::MemoryFiles saved;
    for (const auto& [name, bytes] : set)
        saved.put("/t/" + name, bytes);
    auto packed = gamedata::packCelebrity("/t", "Star", saved);
    if (!packed.zip) return 1;
    bool ok = platform::writeFileAtomically(dir + "/pack.zip", *packed.zip);
    ok = ok && platform::writeFileAtomically(
                   dir + "/set.7z", archiveOf(archive_write_set_format_7zip, nullptr, set));
    ok = ok && platform::writeFileAtomically(dir + "/set.tar.gz",
                                             archiveOf(archive_write_set_format_pax_restricted,
                                                       archive_write_add_filter_gzip, set));
    ok = ok && platform::writeFileAtomically(dir + "/set.tar.xz",
                                             archiveOf(archive_write_set_format_pax_restricted,
                                                       archive_write_add_filter_xz, set));
    return ok ? 0 : 1;
}
