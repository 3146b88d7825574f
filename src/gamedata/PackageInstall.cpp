#include "gamedata/PackageInstall.h"

#include <map>
#include <memory>
#include <set>

#include "gamedata/PackageNames.h"
#include "gamedata/PersonFile.h"
#include "platform/AsciiCase.h"
#include "platform/Files.h"
#include "platform/ScratchFile.h"

namespace marquill::gamedata {
namespace {

constexpr uint64_t kMaxInputBytes = 1ull << 30;

bool isLooseFileName(std::string_view name) {
    auto part = setPartOf(name);
    return part.has_value();
}

// The installed files of the folder by lower-case name.
struct Installed {
    struct File {
        std::string name;
        bool link = false;
    };
    std::map<std::string, File> byKey;
    std::set<std::string> reserved;  // names given to earlier sets of this installation

    [[nodiscard]] const File* find(const std::string& name) const {
        auto it = byKey.find(platform::toLowerAscii(name));
        return it == byKey.end() ? nullptr : &it->second;
    }
    [[nodiscard]] bool taken(const std::string& setName) const {
        for (std::string_view suffix : kPartSuffixes) {
            const std::string name = setName + std::string(suffix);
            if (find(name) || reserved.count(platform::toLowerAscii(name))) return true;
        }
        return false;
    }
};

// Whether the installed set `name` holds the same person file and the same bytes in every
// other file both have. A link never matches: nothing is read through one.
bool sameAsInstalled(const CelebritySet& set, const std::string& name, const Installed& installed,
                     const std::string& folder, platform::FileLayer& files) {
    bool samePerson = false;
    for (size_t i = 0; i < kSetParts; ++i) {
        const auto* there = installed.find(name + std::string(kPartSuffixes[i]));
        if (!set.files[i] || !there) continue;
        if (there->link) return false;
        auto bytes = platform::readWholeFile(folder + "/" + there->name, files);
        if (!bytes || *bytes != *set.files[i]) return false;
        samePerson = samePerson || static_cast<SetPart>(i) == SetPart::PersonFile;
    }
    return samePerson;
}

struct Plan {
    const CelebritySet* set = nullptr;
    std::string name;
    size_t line = 0;                                              // in the report
    std::vector<std::unique_ptr<platform::ScratchFile>> scratch;  // person file last
    bool failed = false;
};

void refuse(AddLine& line, std::string reason) {
    line.kind = AddLine::Kind::Refused;
    line.installedAs.clear();
    line.reason = std::move(reason);
}

}  // namespace

std::string addLineText(const AddLine& line) {
    using Kind = AddLine::Kind;
    const std::string subject = line.name.empty() ? fileName(line.source) : line.name;
    switch (line.kind) {
        case Kind::Installed:
            return subject + ": installed";
        case Kind::InstalledAs:
            return subject + ": installed as \"" + line.installedAs + "\" (the name was taken)";
        case Kind::AlreadyThere:
            return subject + ": already there" +
                   (line.installedAs == line.name ? "" : " as \"" + line.installedAs + "\"");
        case Kind::Refused:
            return subject + ": refused: " + line.reason;
        case Kind::Duplicate:
            return subject + ": left out, a duplicate: " + line.reason;
        case Kind::LeftOut:
            return fileName(line.source) + ": " + line.name + " left out: " + line.reason;
    }
    return subject;
}

bool AddReport::anyRefused() const {
    for (const AddLine& line : lines)
        if (line.kind == AddLine::Kind::Refused) return true;
    return false;
}

ReadInput readAddInput(const std::string& path, platform::FileLayer& files) {
    ReadInput out;
    AddLine line;
    line.source = path;
    if (!files.exists(path)) {
        const bool there = platform::fileExists(path);
        line.reason = there ? "not a regular file" : "cannot be read";
        out.readError = !there;
        out.failure = line;
        return out;
    }
    auto file = files.open(path, platform::FileLayer::Mode::ReadOnly);
    auto length = file ? file->length() : std::nullopt;
    if (length && *length > kMaxInputBytes) {
        line.reason = "larger than 1 GiB";
        out.failure = line;
        return out;
    }
    std::vector<uint8_t> bytes(length.value_or(0));
    auto got = file && length ? file->readAt(0, bytes.data(), bytes.size()) : std::nullopt;
    if (!got || *got != bytes.size()) {
        line.reason = "cannot be read";
        out.readError = true;
        out.failure = line;
        return out;
    }
    out.input = AddInput{path, std::move(bytes)};
    return out;
}

AddReport installCelebrities(const std::vector<AddInput>& inputs, const std::string& folder,
                             platform::FileLayer& files, const image::JpegDecoder* decoder) {
    AddReport report;
    // Group: every archive on its own, the loose files together.
    std::vector<CelebritySet> sets;
    std::vector<SetFile> loose;
    std::string looseSource;
    ByteBudget budget;
    for (const AddInput& input : inputs) {
        const std::string name = platform::fileNameOf(input.label);
        if (isLooseFileName(name)) {
            if (input.bytes.size() > budget.remaining) {
                report.lines.push_back({AddLine::Kind::Refused,
                                        input.label,
                                        name,
                                        {},
                                        "the files of one installation are more than 1 GiB"});
                continue;
            }
            budget.remaining -= input.bytes.size();
            looseSource = looseSource.empty() ? input.label : looseSource;
            loose.push_back({name, input.bytes});
            continue;
        }
        auto contents = readArchive(
            input.bytes, [](std::string_view path) { return isLooseFileName(path); }, budget);
        if (!contents.ok()) {
            report.lines.push_back({AddLine::Kind::Refused, input.label, {}, {}, contents.refusal});
            continue;
        }
        std::vector<SetFile> members;
        for (ArchiveMember& m : contents.members)
            members.push_back({std::move(m.path), std::move(m.bytes)});
        auto grouped = groupSets(input.label, std::move(members));
        if (grouped.sets.empty())
            grouped.lines.push_back({AddLine::Kind::Refused,
                                     input.label,
                                     {},
                                     {},
                                     "holds no celebrity set (no .iff person file)"});
        for (auto& s : grouped.sets)
            sets.push_back(std::move(s));
        report.lines.insert(report.lines.end(), grouped.lines.begin(), grouped.lines.end());
    }
    if (!loose.empty()) {
        auto grouped = groupSets(looseSource, std::move(loose));
        if (grouped.sets.empty())
            grouped.lines.push_back({AddLine::Kind::Refused,
                                     looseSource,
                                     {},
                                     {},
                                     "no person file (.iff) among the files given"});
        for (auto& s : grouped.sets)
            sets.push_back(std::move(s));
        report.lines.insert(report.lines.end(), grouped.lines.begin(), grouped.lines.end());
    }
    if (sets.empty()) return report;

    // The folder: made when missing, never written through when it is a link.
    auto refuseAll = [&](const std::string& reason, bool readError) {
        for (const CelebritySet& set : sets)
            report.lines.push_back({AddLine::Kind::Refused, set.source, set.name, {}, reason});
        report.readError = report.readError || readError;
        return report;
    };
    if (files.isLink(folder))
        return refuseAll(
            "TemplateCelebrity is a link to another folder; Marquill writes only "
            "into the game's own folder",
            false);
    if (files.createFolder(folder) == platform::FileLayer::FolderResult::Failed)
        return refuseAll("TemplateCelebrity cannot be made", true);
    auto listing = files.list(folder);
    if (!listing) return refuseAll("TemplateCelebrity cannot be read", true);
    Installed installed;
    for (const auto& entry : *listing)
        installed.byKey[platform::toLowerAscii(entry.name)] = {entry.name, entry.isLink};

    std::vector<Plan> plans;
    for (const CelebritySet& set : sets) {
        AddLine line{AddLine::Kind::Installed, set.source, set.name, set.name, {}};
        if (auto bad = setProblem(set, decoder); !bad.empty()) {
            refuse(line, bad);
            report.lines.push_back(line);
            continue;
        }
        std::string name = set.name;
        for (int n = 2; installed.taken(name); ++n) {
            if (sameAsInstalled(set, name, installed, folder, files)) {
                line.kind = AddLine::Kind::AlreadyThere;
                break;
            }
            name = set.name + " (" + std::to_string(n) + ")";
            line.kind = AddLine::Kind::InstalledAs;
        }
        line.installedAs = name;
        const std::string longest = folder + "/" + name + "head.jpg";
        if (line.kind != AddLine::Kind::AlreadyThere && longest.size() > kMaxWindowsPath)
            refuse(line, "the name would make a path longer than 259 characters");
        report.lines.push_back(line);
        if (line.kind == AddLine::Kind::Installed || line.kind == AddLine::Kind::InstalledAs) {
            for (std::string_view suffix : kPartSuffixes)
                installed.reserved.insert(platform::toLowerAscii(name + std::string(suffix)));
            plans.push_back({&set, name, report.lines.size() - 1, {}, false});
        }
    }
    if (plans.empty()) return report;

    auto fail = [&](Plan& plan, const std::string& reason) {
        plan.failed = true;
        plan.scratch.clear();
        refuse(report.lines[plan.line], reason);
        report.readError = true;
    };
    // Scratch files first; the person file last, so it is the last to be named.
    std::vector<std::string> written;
    platform::removeLeftoverScratchFiles(folder, files);
    for (Plan& plan : plans) {
        for (size_t k = 0; k < kSetParts && !plan.failed; ++k) {
            const size_t i = (k + 1) % kSetParts;
            if (!plan.set->files[i]) continue;
            auto scratch = std::make_unique<platform::ScratchFile>(
                folder + "/" + plan.name + std::string(kPartSuffixes[i]), files,
                platform::ScratchFile::Leftovers::AlreadyRemoved);
            if (!scratch->write(*plan.set->files[i])) {
                fail(plan, "could not be written");
                break;
            }
            plan.scratch.push_back(std::move(scratch));
        }
        if (!plan.failed)
            for (const auto& s : plan.scratch)
                written.push_back(s->path());
    }
    if (written.empty()) return report;
    ++report.syncs;
    if (!files.syncFiles(written)) {
        for (Plan& plan : plans)
            if (!plan.failed) fail(plan, "could not be written to the disk");
        return report;
    }
    bool placed = false;
    for (Plan& plan : plans) {
        if (plan.failed) continue;
        size_t done = 0;
        while (done < plan.scratch.size() && plan.scratch[done]->placeAsNew())
            ++done;
        if (done == plan.scratch.size()) {
            placed = true;
            continue;
        }
        // A name that became taken meanwhile, or a failing disk: the files already named go.
        for (size_t k = 0; k < done; ++k)
            (void)files.remove(plan.scratch[k]->target());
        fail(plan, "could not be given its name");
    }
    if (placed) {
        ++report.syncs;
        if (!files.syncFolder(folder)) report.readError = true;
    }
    return report;
}

}  // namespace marquill::gamedata
