#include <cstdio>

#include "cli/Args.h"
#include "cli/Command.h"
#include "cli/GameFolder.h"
#include "cli/Json.h"
#include "gamedata/GamePaths.h"
#include "gamedata/PackageInstall.h"
#include "image/ImageLibrary.h"
#include "image/JpegDecoder.h"

namespace marquill::cli {
namespace {

using Kind = gamedata::AddLine::Kind;

const char* outcomeName(Kind kind) {
    switch (kind) {
        case Kind::Installed:
            return "installed";
        case Kind::InstalledAs:
            return "installed as";
        case Kind::AlreadyThere:
            return "already there";
        case Kind::Refused:
            return "refused";
        case Kind::Duplicate:
            return "duplicate";
        case Kind::LeftOut:
            return "left out";
    }
    return "";
}

}  // namespace

int runAdd(const Words& words) {
    std::string error;
    auto args = Args::parse(words, {"json"}, &error);
    if (!args) return fail(kExitUsage, error);
    if (auto bad = unknownOption(*args, {"json", "game-dir"}); !bad.empty())
        return fail(kExitUsage, bad);
    if (args->positional().empty()) return fail(kExitUsage, "usage: marquill add FILE... [--json]");
    GameLookupError lookup;
    auto location = gameLocationFrom(*args, &lookup);
    if (!location) return fail(lookup.exit, lookup.message);
    if (auto refused = refuseWhileGameRuns(*location)) return *refused;
    gamedata::GamePaths paths(location->folder);
    std::string folder = paths.templateCelebrityFolder();
    folder.pop_back();

    gamedata::AddReport report;
    std::vector<gamedata::AddInput> inputs;
    for (const std::string& path : args->positional()) {
        auto read = gamedata::readAddInput(path);
        if (read.input) inputs.push_back(std::move(*read.input));
        if (read.failure) {
            read.failure->kind = Kind::Refused;
            report.lines.push_back(*read.failure);
        }
        report.readError = report.readError || read.readError;
    }
    // Snapshots are decoded whole when the image module is there.
    const auto decoder = image::JpegDecoder::load(image::PictrixLibrary::defaultModulePath());
    auto installed =
        gamedata::installCelebrities(inputs, folder, platform::diskFiles(), decoder.get());
    report.lines.insert(report.lines.end(), installed.lines.begin(), installed.lines.end());
    report.readError = report.readError || installed.readError;
    report.syncs = installed.syncs;

    if (args->has("json")) {
        Json json;
        json.beginObject().key("results").beginArray();
        for (const auto& line : report.lines) {
            json.beginObject()
                .field("source", line.source)
                .field("name", line.name)
                .field("outcome", outcomeName(line.kind));
            if (!line.installedAs.empty()) json.field("installed_as", line.installedAs);
            if (!line.reason.empty()) json.field("reason", line.reason);
            json.endObject();
        }
        json.endArray().field("syncs", report.syncs).endObject();
        std::printf("%s\n", json.str().c_str());
    } else {
        for (const auto& line : report.lines)
            std::printf("%s\n", gamedata::addLineText(line).c_str());
    }
    if (report.readError) return kExitFileError;
    return report.anyRefused() ? kExitRefused : kExitDone;
}

}  // namespace marquill::cli
