// `marquill strings`: the strings of one language of a string resource. A language the set lacks
// reads as the game reads it, from the set's first language; --exact shows only what is stored.
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "cli/Args.h"
#include "cli/Command.h"
#include "cli/Json.h"
#include "cli/ResourceRef.h"
#include "resfile/OpenIFFFile.h"
#include "resfile/StringSetMulti.h"

namespace marquill::cli {

using namespace resfile;

int runStrings(const Words& words) {
    constexpr const char* kUsage =
        "usage: marquill strings FILE TYPE:ID [--language N] [--exact] [--json]";
    std::string error;
    auto args = Args::parse(words, {"json", "exact"}, &error);
    if (!args) return fail(kExitUsage, error + "\n" + kUsage);
    for (const auto& option : args->optionNames()) {
        if (option != "json" && option != "exact" && option != "language" && option != "game-dir")
            return fail(kExitUsage, "unknown option --" + option + "\n" + kUsage);
    }
    if (args->positional().size() != 2) return fail(kExitUsage, kUsage);
    const std::string& path = args->positional()[0];
    auto ref = ParseResourceRef(args->positional()[1], false);
    if (!ref) return fail(kExitUsage, "bad resource '" + args->positional()[1] + "'\n" + kUsage);
    int language = 0;
    if (auto text = args->value("language")) {
        char* end = nullptr;
        errno = 0;
        const long n = std::strtol(text->c_str(), &end, 10);
        if (text->empty() || *end != '\0' || errno != 0 || n < 0 || n >= kLanguageCount)
            return fail(kExitUsage, "--language takes 0 to 19");
        language = static_cast<int>(n);
    }

    ResCode code = kResOk;
    auto file = OpenIFFFile(path, Access::ReadOnly, code);
    if (!file)
        return fail(kExitFileError,
                    path + ": " + std::to_string(code) + " (" + ResCodeText(code) + ")");
    StringSetMulti strings;
    const StringForm form = ref->type == kTypeTextStrings ? StringForm::Text : StringForm::Binary;
    strings.Select(*file, ref->id, ref->type, form, static_cast<uint8_t>(language));
    code = strings.Load(
        StringSetMulti::Languages::Current,
        args->has("exact") ? StringSetMulti::Fallback::None : StringSetMulti::Fallback::Language0);
    if (code != kResOk)
        return fail(kExitFileError,
                    path + ": " + std::to_string(code) + " (" + ResCodeText(code) + ")");

    if (language != 0 && strings.Count(language) > 0 &&
        strings.Slot(language).front().languageByte == 1)
        std::fprintf(stderr,
                     "marquill: language %d is not in the set; these are its language 0 "
                     "strings, as the game reads them (--exact shows none)\n",
                     language);

    if (args->has("json")) {
        Json j;
        j.beginObject()
            .field("type", ResTypeText(ref->type))
            .field("id", static_cast<int>(ref->id))
            .field("language", language)
            .field("name", strings.Name());
        j.key("strings").beginArray();
        for (int i = 1; i <= strings.Count(language); ++i)
            j.value(*strings.Get(i, language));
        j.endArray().endObject();
        std::printf("%s\n", j.str().c_str());
        return kExitDone;
    }
    for (int i = 1; i <= strings.Count(language); ++i)
        std::printf("%d\t%s\n", i, strings.Get(i, language)->c_str());
    return kExitDone;
}

}  // namespace marquill::cli
