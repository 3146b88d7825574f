#include "platform/GameRegistry.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <vector>

#include "platform/AsciiCase.h"
#include "platform/Files.h"
#include "platform/GamePath.h"

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

std::vector<std::string_view> lines(std::string_view text) {
    std::vector<std::string_view> out;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        out.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return out;
}

}  // namespace

std::string defaultWinePrefix() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix) return prefix;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.wine";
}

std::optional<std::string> findGameFolderValue(std::string_view systemReg) {
    for (std::string_view wanted : kKeys) {
        bool inKey = false;
        for (std::string_view line : lines(systemReg)) {
            if (!line.empty() && line[0] == '[') {
                auto name = delimited(line, ']');
                inKey = name && equalsIgnoringCase(name->first, wanted);
                continue;
            }
            if (!inKey || line.empty() || line[0] != '"') continue;
            auto valueName = delimited(line, '"');
            if (!valueName || !equalsIgnoringCase(valueName->first, kValueName)) continue;
            std::string_view rest = line.substr(valueName->second);
            if (rest.empty() || rest[0] != '=') continue;
            rest.remove_prefix(1);
            if (rest.substr(0, 7) == "str(2):") rest.remove_prefix(7);
            if (rest.empty() || rest[0] != '"') continue;
            if (auto value = delimited(rest, '"')) return value->first;
        }
    }
    return std::nullopt;
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
    auto text = readWholeFile(winePrefix + "/system.reg");
    if (!text) return std::nullopt;
    auto value = findGameFolderValue(
        std::string_view(reinterpret_cast<const char*>(text->data()), text->size()));
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
