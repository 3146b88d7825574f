#include "gamedata/ChosenPerson.h"

#include "gamedata/PersonFile.h"
#include "platform/AsciiCase.h"
#include "platform/Cp1252.h"
#include "resfile/IFFResFile2.h"
#include "resfile/StringSet.h"

namespace marquill::gamedata {

namespace {

// "mesh,KEY=texture": the part before the first comma, and the part after the key.
void splitPart(const std::string& text, std::string_view key, std::string* mesh,
               std::string* texture) {
    *mesh = text.substr(0, text.find(','));
    std::string lower = platform::toLowerAscii(text);
    size_t at = lower.find(platform::toLowerAscii(key));
    *texture = at == std::string::npos ? std::string() : text.substr(at + key.size());
}

char firstLower(const std::string& s) {
    return s.empty() ? '\0' : platform::lowerAscii(s[0]);
}

}  // namespace

character::Appearance appearanceFromBodyStrings(const std::vector<std::string>& strings) {
    auto get = [&](size_t index) -> const std::string* {
        return index >= 1 && index <= strings.size() ? &strings[index - 1] : nullptr;
    };
    character::Appearance look;
    if (const std::string* s = get(1)) look.adult = firstLower(*s) == 'a';
    if (const std::string* s = get(13)) look.gender = firstLower(*s) == 'm' ? 0 : 1;
    if (const std::string* s = get(15)) {
        char c = firstLower(*s);
        look.skinColour = c == 'l' ? 0 : c == 'm' ? 1 : 2;
    }
    if (const std::string* s = get(2)) {
        std::string lower = platform::toLowerAscii(*s);
        look.bodyType = lower.find("fit") != std::string::npos   ? 0
                        : lower.find("fat") != std::string::npos ? 1
                                                                 : 2;
        splitPart(*s, ",BODY=", &look.bodyMesh, &look.bodyTexture);
    }
    if (const std::string* s = get(3))
        splitPart(*s, ",HEAD-HEAD=", &look.headMesh, &look.headTexture);
    if (const std::string* s = get(35))
        splitPart(*s, ",BODY=", &look.fashionBodyMesh, &look.fashionBodyTexture);
    return look;
}

ChosenPerson readChosenPerson(const std::string& path, platform::FileLayer& files) {
    ChosenPerson chosen;
    chosen.path = path;
    resfile::IFFResFile2 file(files);
    if (resfile::OpenResFile(file, path, resfile::kOpenReadOnly) != resfile::kResOk) return chosen;
    chosen.opened = true;
    chosen.displayName = readDisplayName(file);
    resfile::StringSet body;
    if (body.Load(file, kBodyStringsId) == resfile::kResOk) {
        std::vector<std::string> strings;
        for (int i = 1; i <= body.Count(); ++i)
            strings.push_back(platform::cp1252ToUtf8(body.Get(i).value_or("")));
        chosen.appearance = appearanceFromBodyStrings(strings);
    }
    (void)file.Close();
    return chosen;
}

}  // namespace marquill::gamedata
