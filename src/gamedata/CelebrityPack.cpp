#include "gamedata/CelebrityPack.h"

#include <archive.h>
#include <archive_entry.h>

#include <memory>

#include "gamedata/CelebrityPackage.h"
#include "platform/AsciiCase.h"
#include "platform/Files.h"

namespace marquill::gamedata {
namespace {

std::string readmeText(const std::string& name) {
    return "This zip holds the celebrity \"" + name +
           "\" for The Pemms, saved with Marquill.\r\n"
           "\r\n"
           "Marquill installs the zip as it is: drop it onto Marquill's window, or run\r\n"
           "    marquill add \"" +
           name +
           ".zip\"\r\n"
           "\r\n"
           "By hand: put the .iff, .srf and .jpg files into the TemplateCelebrity folder\r\n"
           "inside the game's folder. The celebrity is then offered when you replace a\r\n"
           "celebrity of a neighbourhood with Marquill.\r\n";
}

struct WriterDeleter {
    void operator()(archive* a) const { archive_write_free(a); }
};

la_ssize_t appendTo(archive*, void* out, const void* data, size_t size) {
    auto* bytes = static_cast<std::vector<uint8_t>*>(out);
    const auto* p = static_cast<const uint8_t*>(data);
    bytes->insert(bytes->end(), p, p + size);
    return static_cast<la_ssize_t>(size);
}

bool addEntry(archive* a, const std::string& name, const std::vector<uint8_t>& bytes) {
    std::unique_ptr<archive_entry, decltype(&archive_entry_free)> entry(archive_entry_new(),
                                                                        archive_entry_free);
    archive_entry_set_pathname_utf8(entry.get(), name.c_str());
    archive_entry_set_filetype(entry.get(), AE_IFREG);
    archive_entry_set_perm(entry.get(), 0644);
    archive_entry_set_size(entry.get(), static_cast<la_int64_t>(bytes.size()));
    if (archive_write_header(a, entry.get()) != ARCHIVE_OK) return false;
    return bytes.empty() || archive_write_data(a, bytes.data(), bytes.size()) ==
                                static_cast<la_ssize_t>(bytes.size());
}

}  // namespace

PackResult packCelebrity(const std::string& folder, const std::string& name,
                         platform::FileLayer& files) {
    PackResult out;
    auto listing = files.list(folder);
    if (!listing) {
        out.problem = "TemplateCelebrity cannot be read";
        return out;
    }
    std::vector<std::pair<std::string, std::vector<uint8_t>>> members;
    std::string spelled = name;
    for (size_t i = 0; i < kSetParts; ++i) {
        const std::string wanted = name + std::string(kPartSuffixes[i]);
        for (const auto& entry : *listing) {
            if (entry.isFolder || !platform::equalsIgnoringCase(entry.name, wanted)) continue;
            if (entry.isLink) {
                out.problem = entry.name + " is a link; Marquill packs only files of its own";
                return out;
            }
            auto bytes = platform::readWholeFile(folder + "/" + entry.name, files);
            if (!bytes) {
                out.problem = entry.name + " cannot be read";
                return out;
            }
            if (i == 0) spelled = entry.name.substr(0, entry.name.size() - 4);
            members.emplace_back(entry.name, std::move(*bytes));
            break;
        }
        if (i == 0 && members.empty()) {
            out.problem = "there is no celebrity " + name + " in TemplateCelebrity (" + wanted +
                          " is missing)";
            return out;
        }
    }
    const std::string readme = readmeText(spelled);
    members.emplace_back(std::string(kPackReadmeName),
                         std::vector<uint8_t>(readme.begin(), readme.end()));

    std::vector<uint8_t> zip;
    std::unique_ptr<archive, WriterDeleter> a(archive_write_new());
    bool ok = a && archive_write_set_format_zip(a.get()) == ARCHIVE_OK &&
              archive_write_open(a.get(), &zip, nullptr, appendTo, nullptr) == ARCHIVE_OK;
    for (const auto& [member, bytes] : members) {
        ok = ok && addEntry(a.get(), member, bytes);
        if (ok && member != kPackReadmeName) out.files.push_back(member);
    }
    ok = ok && archive_write_close(a.get()) == ARCHIVE_OK;
    if (!ok) {
        out.problem = "the zip could not be made";
        out.files.clear();
        return out;
    }
    out.zip = std::move(zip);
    return out;
}

}  // namespace marquill::gamedata
