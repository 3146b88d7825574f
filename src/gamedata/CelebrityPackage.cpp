#include "gamedata/CelebrityPackage.h"

#include <map>

#include "gamedata/ChosenPerson.h"
#include "gamedata/PackageNames.h"
#include "gamedata/PersonFile.h"
#include "gamedata/SnapshotCheck.h"
#include "platform/AsciiCase.h"
#include "platform/MemoryFiles.h"
#include "platform/ProfileStrings.h"
#include "resfile/IFFResFile2.h"
#include "resfile/StringSetMulti.h"

namespace marquill::gamedata {
namespace {

// The exchange file's one section, as the save writes it.
constexpr std::string_view kExchangeSection = "Marquill";

bool endsWithIgnoringCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           platform::equalsIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

std::string lastComponent(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderPart(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string personFileProblem(const std::vector<uint8_t>& bytes) {
    // The resource-file classes read through a file layer; one in memory keeps the download off
    // the disk until it has passed.
    platform::MemoryFiles memory;
    const std::string path = "/download/person.iff";
    memory.put(path, bytes);
    resfile::IFFResFile2 file(memory);
    if (resfile::OpenResFile(file, path, resfile::kOpenReadOnly) != resfile::kResOk)
        return "the person file is not a resource file the game reads";
    std::string problem;
    if (!readPersonGuid(file)) {
        problem = "the person file has no object definition with an identity number";
    } else {
        resfile::StringSetMulti names;
        names.Select(file, kPersonStringsId, kTypeCatalogStrings, resfile::StringForm::Binary, 0);
        if (names.Load(resfile::StringSetMulti::Languages::Current,
                       resfile::StringSetMulti::Fallback::Language0) != resfile::kResOk ||
            !names.Get(1, 0))
            problem = "the person file has no name strings (CTSS 2000)";
    }
    (void)file.Close();
    return problem;
}

std::string exchangeFileProblem(const std::vector<uint8_t>& bytes) {
    if (bytes.size() > kMaxExchangeFileBytes) return "the exchange file is larger than 64 KiB";
    for (uint8_t c : bytes)
        if ((c < 0x20 && c != '\r' && c != '\n' && c != '\t') || c == 0x7F)
            return "the exchange file is not text";
    const auto doc = platform::ProfileDocument::parse(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (!doc.get(kExchangeSection, "Version") || !doc.get(kExchangeSection, "Name"))
        return "the exchange file has no [Marquill] section with a name and a version";
    return {};
}

std::string snapshotProblem(const std::vector<uint8_t>& bytes, std::string_view which,
                            const image::JpegDecoder* decoder) {
    const std::string what = "the " + std::string(which) + " snapshot ";
    if (bytes.size() > kMaxSnapshotBytes) return what + "is larger than 1 MiB";
    auto frame = readJpegFrame(bytes);
    if (!frame) return what + "is not a JPEG picture";
    if (frame->width > kMaxSnapshotSide || frame->height > kMaxSnapshotSide)
        return what + "is " + std::to_string(frame->width) + " x " + std::to_string(frame->height) +
               " pixels, more than 512 x 512";
    if (decoder && !decoder->decode(bytes, static_cast<int32_t>(kMaxSnapshotSide)))
        return what + "does not decode as a JPEG picture";
    return {};
}

}  // namespace

std::optional<std::pair<SetPart, std::string>> setPartOf(std::string_view fileName) {
    for (size_t i = 0; i < kSetParts; ++i) {
        const std::string_view suffix = kPartSuffixes[i];
        if (fileName.size() > suffix.size() && endsWithIgnoringCase(fileName, suffix))
            return std::pair{static_cast<SetPart>(i),
                             std::string(fileName.substr(0, fileName.size() - suffix.size()))};
    }
    return std::nullopt;
}

bool isArchiveName(std::string_view fileName) {
    static constexpr std::string_view kArchives[] = {".zip", ".7z",  ".rar", ".tar", ".gz",
                                                     ".tgz", ".bz2", ".tbz", ".xz",  ".txz",
                                                     ".zst", ".cab", ".lzh", ".arj"};
    for (std::string_view ext : kArchives)
        if (endsWithIgnoringCase(fileName, ext)) return true;
    return false;
}

GroupedSets groupSets(const std::string& source, std::vector<SetFile> files) {
    GroupedSets out;
    auto leftOut = [&](const std::string& path, std::string reason) {
        out.lines.push_back({AddLine::Kind::LeftOut, source, path, {}, std::move(reason)});
    };
    // Files of one folder and one name (without regard to case) form a candidate, in the order
    // the source lists them.
    struct Candidate {
        std::string folder;
        std::string key;
        CelebritySet set;
        std::array<std::string, kSetParts> paths;
    };
    std::vector<Candidate> candidates;
    std::map<std::pair<std::string, std::string>, size_t> index;
    for (SetFile& file : files) {
        const std::string name = lastComponent(file.path);
        if (isArchiveName(name)) {
            leftOut(file.path, "an archive inside the archive is not unpacked");
            continue;
        }
        auto part = setPartOf(name);
        if (!part) {
            leftOut(file.path, "not a file of a celebrity set");
            continue;
        }
        const std::string key = platform::toLowerAscii(part->second);
        const auto where = std::pair{platform::toLowerAscii(folderPart(file.path)), key};
        auto [it, added] = index.try_emplace(where, candidates.size());
        if (added) {
            Candidate c;
            c.folder = where.first;
            c.key = key;
            c.set.source = source;
            candidates.push_back(std::move(c));
        }
        Candidate& c = candidates[it->second];
        const auto slot = static_cast<size_t>(part->first);
        if (c.set.files[slot]) {
            leftOut(file.path, "a second copy of " + c.paths[slot] + " in the same folder");
            continue;
        }
        if (part->first == SetPart::PersonFile) c.set.name = part->second;
        c.paths[slot] = file.path;
        c.set.files[slot] = std::move(file.bytes);
    }
    std::map<std::string, std::string> firstFolder;  // set key -> the folder it was taken from
    for (Candidate& c : candidates) {
        const auto personSlot = static_cast<size_t>(SetPart::PersonFile);
        if (!c.set.files[personSlot]) {
            for (size_t i = 0; i < kSetParts; ++i)
                if (!c.paths[i].empty())
                    leftOut(c.paths[i], "no person file " + std::string(kPartSuffixes[0]) +
                                            " of that name beside it");
            continue;
        }
        auto [taken, first] = firstFolder.try_emplace(c.key, c.paths[personSlot]);
        if (!first) {
            out.lines.push_back({AddLine::Kind::Duplicate,
                                 source,
                                 c.set.name,
                                 {},
                                 "a set of the same name came first (" + taken->second + ")"});
            continue;
        }
        out.sets.push_back(std::move(c.set));
    }
    return out;
}

std::optional<std::string> companionPath(const std::string& folder, const std::string& personFile,
                                         SetPart part, platform::FileLayer& files) {
    auto person = setPartOf(personFile);
    if (!person || person->first != SetPart::PersonFile) return std::nullopt;
    const std::string wanted =
        person->second + std::string(kPartSuffixes[static_cast<size_t>(part)]);
    auto listing = files.list(folder);
    if (!listing) return std::nullopt;
    for (const auto& entry : *listing)
        if (!entry.isFolder && platform::equalsIgnoringCase(entry.name, wanted))
            return folder + "/" + entry.name;
    return std::nullopt;
}

CelebrityFileRow describeCelebrityFile(const std::string& folder, const std::string& fileName,
                                       platform::FileLayer& files) {
    CelebrityFileRow row;
    row.fileName = fileName;
    row.displayName = readChosenPerson(folder + "/" + fileName, files).displayName;
    row.headSnapshot = companionPath(folder, fileName, SetPart::HeadSnapshot, files);
    return row;
}

std::string setProblem(const CelebritySet& set, const image::JpegDecoder* decoder) {
    if (auto bad = windowsNameProblem(set.name); !bad.empty()) return bad;
    for (size_t i = 0; i < kSetParts; ++i) {
        if (!set.files[i]) continue;
        if (auto bad = windowsNameProblem(set.name + std::string(kPartSuffixes[i])); !bad.empty())
            return bad;
    }
    if (auto bad = personFileProblem(*set.part(SetPart::PersonFile)); !bad.empty()) return bad;
    if (const auto& srf = set.part(SetPart::ExchangeFile))
        if (auto bad = exchangeFileProblem(*srf); !bad.empty()) return bad;
    if (const auto& head = set.part(SetPart::HeadSnapshot))
        if (auto bad = snapshotProblem(*head, "head", decoder); !bad.empty()) return bad;
    if (const auto& body = set.part(SetPart::BodySnapshot))
        if (auto bad = snapshotProblem(*body, "body", decoder); !bad.empty()) return bad;
    return {};
}

}  // namespace marquill::gamedata
