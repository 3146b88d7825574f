#include "gamedata/PackageNames.h"

#include "platform/AsciiCase.h"
#include "platform/Cp1252.h"

namespace marquill::gamedata {

std::string windowsNameProblem(std::string_view name) {
    if (name.empty()) return "an empty name";
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7F) return "a control character in the name";
        if (std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos)
            return std::string("the character ") + static_cast<char>(c) + " in the name";
    }
    if (name.front() == '.') return "a name starting with a dot";
    if (name.back() == '.' || name.back() == ' ') return "a name ending in a dot or a blank";
    if (platform::cp1252ToUtf8(platform::utf8ToCp1252(name)) != name)
        return "a name Windows-1252 cannot spell";
    // Windows takes these as devices whatever the extension.
    const std::string stem = platform::toUpperAscii(name.substr(0, name.find('.')));
    static constexpr std::string_view kDevices[] = {"CON", "PRN", "AUX", "NUL"};
    bool device = false;
    for (std::string_view d : kDevices)
        device = device || stem == d;
    if (stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) &&
        stem[3] >= '0' && stem[3] <= '9')
        device = true;
    if (device) return "the reserved device name " + stem;
    return {};
}

}  // namespace marquill::gamedata
