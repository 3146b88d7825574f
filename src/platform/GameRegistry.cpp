#include "platform/GameRegistry.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <iterator>

#include "platform/AsciiCase.h"
#include "platform/Files.h"
#include "platform/GamePath.h"
#include "platform/MappedFile.h"

namespace marquill::platform {
namespace {

constexpr std::string_view kKeys[] = {"Software\\Kavor\\The Pemms",
                                      "Software\\Wow6432Node\\Kavor\\The Pemms"};
constexpr std::string_view kValueName = "PEMMS_DATA";

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The escaped text after text[0] up to the unescaped `close` ('"' after a value's opening quote,
// ']' after a section's '['): its characters and the length taken, or none when it is not
// closed. \xNN.. escapes above 0x7F become "?" (game paths are ASCII in practice; the folder
// lookup then fails rather than finding a wrong folder).
std::optional<std::pair<std::string, size_t>> delimited(std::string_view text, char close) {
    std::string out;
    for (size_t i = 1; i < text.size(); ++i) {
        char c = text[i];
        if (c == close) return std::make_pair(out, i + 1);
        if (c != '\\' || i + 1 >= text.size()) {
            out += c;
            continue;
        }
        c = text[++i];
        if (c == 'n') {
            out += '\n';
        } else if (c == 'x') {
            unsigned value = 0;
            int digits = 0;
            while (i + 1 < text.size() && digits < 4 && hexDigit(text[i + 1]) >= 0) {
                value = value * 16 + unsigned(hexDigit(text[++i]));
                ++digits;
            }
            out += value < 0x80 ? char(value) : '?';
        } else {
            out += c;
        }
    }
    return std::nullopt;
}

// The value of a line `"PEMMS_DATA"="..."` (also `=str(2):"..."`); none for any other line.
std::optional<std::string> gameFolderValueOf(std::string_view line) {
    if (line.empty() || line[0] != '"') return std::nullopt;
    auto valueName = delimited(line, '"');
    if (!valueName || !equalsIgnoringCase(valueName->first, kValueName)) return std::nullopt;
    std::string_view rest = line.substr(valueName->second);
    if (rest.empty() || rest[0] != '=') return std::nullopt;
    rest.remove_prefix(1);
    if (rest.substr(0, 7) == "str(2):") rest.remove_prefix(7);
    if (rest.empty() || rest[0] != '"') return std::nullopt;
    if (auto value = delimited(rest, '"')) return value->first;
    return std::nullopt;
}

}  // namespace

std::string defaultWinePrefix() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix) return prefix;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.wine";
}

std::optional<std::string> findGameFolderValue(std::string_view systemReg) {
    // One pass over the file, which in a launcher's prefix runs to megabytes: the first key wins,
    // the Wow6432Node one is kept until the end in case the first key follows it.
    std::optional<std::string> fallback;
    size_t key = std::size(kKeys);  // the section we are in, or none
    while (!systemReg.empty()) {
        if (key == std::size(kKeys) && systemReg[0] != '[') {
            // Outside the game's keys only the next section's line matters: jump to it. '[' is
            // rare inside sections, the line breaks are not.
            size_t next = systemReg.find('[');
            while (next != std::string_view::npos && systemReg[next - 1] != '\n')
                next = systemReg.find('[', next + 1);
            if (next == std::string_view::npos) break;
            systemReg.remove_prefix(next);
        }
        const size_t end = systemReg.find('\n');
        std::string_view line = systemReg.substr(0, end);
        systemReg.remove_prefix(end == std::string_view::npos ? systemReg.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.empty() && line[0] == '[') {
            key = std::size(kKeys);
            // Most of a prefix's thousands of sections are no candidate: skip them unparsed.
            if (line.size() < 2 || lowerAscii(line[1]) != 's' ||
                !containsIgnoringCase(line, "kavor"))
                continue;
            if (auto name = delimited(line, ']')) {
                for (size_t k = 0; k < std::size(kKeys); ++k)
                    if (equalsIgnoringCase(name->first, kKeys[k])) key = k;
            }
            continue;
        }
        if (key == std::size(kKeys)) continue;
        auto value = gameFolderValueOf(line);
        if (!value) continue;
        if (key == 0) return value;
        if (!fallback) fallback = std::move(value);
    }
    return fallback;
}

std::optional<std::string> mapWindowsPath(const std::string& winePrefix,
                                          std::string_view windowsPath) {
    if (windowsPath.size() < 2 || windowsPath[1] != ':') return std::nullopt;
    const char drive = char(std::tolower(static_cast<unsigned char>(windowsPath[0])));
    if (drive < 'a' || drive > 'z') return std::nullopt;
    const std::string driveFolder = winePrefix + "/dosdevices/" + drive + ":";
    if (!isDirectory(driveFolder)) return std::nullopt;
    std::string rest(windowsPath.substr(2));
    while (!rest.empty() && (rest.back() == '\\' || rest.back() == '/'))
        rest.pop_back();
    return resolveGamePath(driveFolder, rest);
}

std::optional<WineGameInstall> recordedGameInstall(const std::string& winePrefix) {
    auto file = MappedFile::open(winePrefix + "/system.reg");
    if (!file) return std::nullopt;
    const auto bytes = file->bytes();
    auto value = findGameFolderValue(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (!value) return std::nullopt;
    auto folder = mapWindowsPath(winePrefix, *value);
    if (!folder) return std::nullopt;
    return WineGameInstall{*folder, *value};
}

std::optional<WineGameInstall> gameInstallFromWine(const std::string& winePrefix) {
    auto install = recordedGameInstall(winePrefix);
    if (!install || !isDirectory(install->folder)) return std::nullopt;
    // Shown to the player and written into backups' manifests: the folder's own path reads
    // better than one through the drive link.
    char real[PATH_MAX];
    if (::realpath(install->folder.c_str(), real)) install->folder = real;
    return install;
}

std::optional<std::string> gameFolderFromWine(const std::string& winePrefix) {
    if (auto install = gameInstallFromWine(winePrefix)) return install->folder;
    return std::nullopt;
}

}  // namespace marquill::platform
