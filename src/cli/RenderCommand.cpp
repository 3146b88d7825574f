// `marquill render`: one frame of the preview's back buffer, with the person dressed from the
// choices, as a PNG or JPEG picture.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/Args.h"
#include "cli/Command.h"
#include "cli/CommandLinePreview.h"
#include "cli/GameFolder.h"
#include "cli/LookChoices.h"
#include "fileindex/PathKey.h"
#include "image/PngFile.h"
#include "image/RgbImage.h"
#include "image/SurfaceSnapshotWriter.h"
#include "platform/AsciiCase.h"
#include "render/AnimDevice.h"

namespace marquill::cli {

namespace {

enum class PictureKind { Png, Jpeg };

std::optional<PictureKind> pictureKind(const std::string& path) {
    if (fileindex::endsWithIgnoringCase(path, ".png")) return PictureKind::Png;
    if (fileindex::endsWithIgnoringCase(path, ".jpg") ||
        fileindex::endsWithIgnoringCase(path, ".jpeg"))
        return PictureKind::Jpeg;
    return std::nullopt;
}

std::optional<double> number(const std::string& text) {
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<long> wholeNumber(const std::string& text, long lowest, long highest) {
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || v < lowest || v > highest) return std::nullopt;
    return v;
}

// Quarter turns as a number, or a name of the Facing list.
std::optional<float> facingFrom(const std::string& text) {
    for (const preview::FacingChoice& c : preview::kFacingChoices)
        if (platform::equalsIgnoringCase(text, c.name)) return c.angle;
    if (auto v = number(text)) return float(*v);
    return std::nullopt;
}

}  // namespace

int runRender(const Words& words) {
    std::string error;
    auto args = Args::parse(words, {"fashion", "verbose"}, &error);
    if (!args) return fail(kExitUsage, error);
    if (auto bad = unknownOption(
            *args, {"game-dir", "out", "gender", "skin", "body-type", "head", "head-texture",
                    "body", "body-texture", "fashion-body", "fashion-texture", "fashion", "zoom",
                    "facing", "spin", "time", "seed", "verbose"});
        !bad.empty())
        return fail(kExitUsage, bad);
    const auto out = args->value("out");
    const auto kind = out ? pictureKind(*out) : std::nullopt;
    if (!kind)
        return fail(kExitUsage,
                    "usage: marquill render --out FILE.png|FILE.jpg [choices] [--fashion] "
                    "[--zoom N] [--facing F] [--spin R] [--time MS] [--seed N]");

    long zoom = preview::kInitialZoom;
    if (auto v = args->value("zoom")) {
        auto z = wholeNumber(*v, preview::kZoomMinimum, preview::kZoomMaximum);
        if (!z) return fail(kExitUsage, "--zoom takes 0 to 4");
        zoom = *z;
    }
    float facing = preview::kFacingChoices[preview::kInitialFacingChoice].angle;
    if (auto v = args->value("facing")) {
        auto f = facingFrom(*v);
        if (!f)
            return fail(kExitUsage,
                        "--facing takes quarter turns (0 South East, 1 South West, 2 North West, "
                        "3 North East) or one of those names");
        facing = *f;
    }
    float spin = 0;
    if (auto v = args->value("spin")) {
        auto r = number(*v);
        if (!r) return fail(kExitUsage, "--spin takes quarter turns per second");
        spin = float(*r);
    }
    long timeMs = 0;
    if (auto v = args->value("time")) {
        auto t = wholeNumber(*v, 0, 24L * 3600 * 1000);
        if (!t) return fail(kExitUsage, "--time takes milliseconds, 0 or more");
        timeMs = *t;
    }
    uint32_t seed = kDefaultPreviewSeed;
    if (auto v = args->value("seed")) {
        auto s = wholeNumber(*v, 0, 4294967295L);
        if (!s) return fail(kExitUsage, "--seed takes 0 to 4294967295");
        seed = uint32_t(*s);
    }
    auto choices = lookChoicesFrom(*args, &error);
    if (!choices) return fail(kExitUsage, error);
    GameLookupError lookup;
    auto game = gameFolderFrom(*args, &lookup);
    if (!game) return fail(lookup.exit, lookup.message);

    CommandLinePreview preview(*game, seed, args->has("verbose"));
    if (auto refusal = preview.setUp()) return fail(kExitRefused, *refusal);
    preview::PreviewScene& scene = preview.scene();
    LookOutcome outcome = applyLookChoices(*scene.lookLists(), *scene.catalogue(), *choices);
    if (outcome.done() && args->has("fashion"))
        outcome = applyFashionChoices(*scene.lookLists(), *scene.catalogue(), *choices);
    if (!outcome.done()) return fail(outcome.exit, outcome.message);

    scene.setZoom(int(zoom));
    scene.setFacing(facing);
    scene.setSpinRate(spin);
    // The first frame is the greeting's first; every later one a tick of the active preview.
    scene.timerTick();
    preview::playFor(scene, preview.clock(), int(timeMs), preview::kActivePeriodMs);

    platform::soft3d::Surface* back = scene.animDevice()->backBuffer();
    if (*kind == PictureKind::Png) {
        auto picture = image::surfaceImage(*back);
        if (!picture || !image::writePng(*out, *picture))
            return fail(kExitFileError, "the picture " + *out + " was not written");
    } else {
        image::ImageLibrary* images = preview.images();
        if (!images) return fail(kExitFileError, "the image module libpictrix.so is missing");
        if (image::SurfaceSnapshotWriter(*images, *out, back) == 0)
            return fail(kExitFileError, "the picture " + *out + " was not written");
    }
    std::printf("%s\n", out->c_str());
    return kExitDone;
}

}  // namespace marquill::cli
