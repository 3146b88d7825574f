#include "content/PersonFileWriter.h"

#include <cstdio>
#include <cstring>

#include "platform/ByteSink.h"
#include "platform/Cp1252.h"
#include "resfile/IFFResFile2.h"
#include "resfile/StringSetMulti.h"
#include "resfile/cTreeConstants.h"

namespace marquill::content {

using namespace resfile;

namespace {

constexpr ResType kObjd = MakeResType("OBJD");
constexpr ResType kCtss = MakeResType("CTSS");
constexpr ResType kCats = MakeResType("CATS");
constexpr ResType kBcon = MakeResType("BCON");
constexpr ResType kBmp = MakeResType("BMP_");

// Object definition: a version, the object's kind, the GUIDs, and room for the rest of the
// fields the game keeps there.
std::vector<uint8_t> objectDefinition(uint32_t guid) {
    platform::VectorSink s;
    s.u32le(138);   // 0: format version
    s.u16le(2);     // 4: initial stack size
    s.u16le(0);     // 6: base graphic
    s.u16le(1);     // 8: graphic count
    s.u16le(0);     // 10: main tree
    s.u16le(0);     // 12: gardening tree
    s.u16le(4096);  // 14: tree table id
    s.u16le(0);     // 16: interaction group
    s.u16le(0);     // 18: replaced flag
    s.u16le(0);     // 20: master id
    s.u16le(0);     // 22: sub index
    s.u16le(0);     // 24: wash hands tree
    s.u16le(0);     // 26: animation table id
    s.u32le(guid);  // 28
    s.zeros(140 - 32);
    s.u32le(0);   // 140: previous GUID
    s.zeros(76);  // the remaining fields
    return s.take();
}

// A tiny 8-bit BMP (4 x 4, grey ramp) of the kind the game keeps as person thumbnails.
std::vector<uint8_t> pictureBytes(int seed) {
    platform::VectorSink s;
    const uint32_t palette = 256 * 4, pixels = 16, offset = 14 + 40 + palette;
    s.u16le(0x4D42);  // "BM"
    s.u32le(offset + pixels);
    s.u32le(0);
    s.u32le(offset);
    s.u32le(40);
    s.u32le(4);
    s.u32le(4);
    s.u16le(1);
    s.u16le(8);
    s.u32le(0);
    s.u32le(pixels);
    s.u32le(2835);
    s.u32le(2835);
    s.u32le(256);
    s.u32le(0);
    for (int i = 0; i < 256; ++i) {
        s.u8(static_cast<uint8_t>(i));
        s.u8(static_cast<uint8_t>(i));
        s.u8(static_cast<uint8_t>(i));
        s.u8(0);
    }
    for (uint32_t i = 0; i < pixels; ++i)
        s.u8(static_cast<uint8_t>(i * 16 + seed));
    return s.take();
}

ResCode add(IFFResFile2& file, ResType type, int16_t id, const std::string& name,
            const std::vector<uint8_t>& bytes) {
    MemoryBlock* block = NewBlock(bytes.size());
    if (!block) return kResOutOfMemory;
    if (!bytes.empty()) std::memcpy(block->Bytes().data(), bytes.data(), bytes.size());
    if (ResCode code = file.AddResource(block, type, id, name, DataOrder::Native); code != kResOk) {
        DisposeBlock(block);
        return code;
    }
    return file.WriteResource(block);
}

ResCode saveStrings(IFFResFile2& file, ResType type, int16_t id, int language,
                    const std::vector<std::string>& strings) {
    StringSetMulti set;
    set.Select(file, id, type, StringForm::Binary, static_cast<uint8_t>(language));
    for (size_t i = 0; i < strings.size(); ++i)
        set.Set(static_cast<int>(i + 1), platform::utf8ToCp1252(strings[i]), language);
    return set.Save();
}

}  // namespace

const std::vector<std::string>& personConstantLabels() {
    static const std::vector<std::string> labels = {
        "Unused",     "Age",        "Neat",    "Outgoing",       "Active",
        "Playful",    "Nice",       "Travel",  "Money",          "Politics",
        "Sixties",    "Weather",    "Sports",  "Music",          "Outdoors",
        "Exercise",   "Food",       "Parties", "Style",          "Hollywood",
        "Technology", "Romance",    "Fame",    "Skill: Cooking", "Skill: Charisma",
        "Gender",     "Body Weight"};
    return labels;
}

std::vector<std::string> personBodyStrings(int gender, int skin, int bodyType,
                                           const std::string& headMesh,
                                           const std::string& headTexture,
                                           const std::string& bodyMesh,
                                           const std::string& bodyTexture, bool adult) {
    const std::string g = gender == 0 ? "m" : "f";
    const std::string G = gender == 0 ? "M" : "F";
    const char* skins[] = {"lgt", "med", "drk"};
    const char* bodies[] = {"fit", "fat", "skn"};
    const std::string s = skins[skin], b = bodies[bodyType];
    std::vector<std::string> out(35);
    out[0] = adult ? "Adult" : "Child";
    out[1] = bodyMesh + ",BODY=" + bodyTexture;
    out[2] = headMesh + ",HEAD-HEAD=" + headTexture;
    out[3] = "a2o-standing-loop";
    out[4] = "a2o-idle-neutral";
    out[5] = "xskin-accessory-none";
    out[6] = "0";
    out[7] = "0";
    out[8] = "adult";
    out[9] = "none";
    out[10] = "none";
    out[11] = "100";
    out[12] = gender == 0 ? "Male" : "Female";
    out[13] = "Adult";
    out[14] = s;
    out[15] = "l" + G + b + "_01,BODY=l" + G + b + s + "_01";
    out[16] = "s" + G + b + "_01,BODY=s" + G + b + s + "_01";
    const char* hands[] = {"lo", "ro", "lp", "rp", "lc", "rc"};
    for (int i = 0; i < 6; ++i)
        out[17 + static_cast<size_t>(i)] = "h" + g + hands[i] + ",HAND=huao" + s;
    out[23] = "none";
    out[24] = "none";
    out[25] = "none";
    out[26] = "none";
    out[27] = "w" + G + b + "_01,BODY=w" + G + b + s + "_01";
    out[28] = "none";
    out[29] = "none";
    const char* outfits[] = {"f", "s", "l", "w"};
    for (int i = 0; i < 4; ++i) {
        std::string o = outfits[i];
        out[30 + static_cast<size_t>(i)] =
            o + "100" + g + "a" + b + "_original,BODY=" + o + "100" + g + "a" + b + s + "_original";
    }
    out[34] = "h552" + g + "afit_dude,BODY=h552" + g + "afit" + s + "_dude";
    return out;
}

bool writePersonFile(const std::string& path, const PersonContents& person, std::string* error) {
    auto fail = [&](const std::string& what, ResCode code) {
        if (error) *error = what + " " + path + " (result " + std::to_string(code) + ")";
        return false;
    };
    std::remove(path.c_str());
    IFFResFile2 file;
    if (ResCode code = file.Create(path); code != kResOk) return fail("cannot create", code);
    if (ResCode code = file.Open(path, Access::ReadWrite); code != kResOk)
        return fail("cannot open", code);

    ResCode code = add(file, kObjd, 128, platform::utf8ToCp1252(person.objectName),
                       objectDefinition(person.guid));
    for (size_t lang = 0; code == kResOk && lang < person.namesByLanguage.size(); ++lang)
        code =
            saveStrings(file, kCtss, 2000, static_cast<int>(lang),
                        {person.namesByLanguage[lang].first, person.namesByLanguage[lang].second});
    if (code == kResOk && person.catalogName && !person.namesByLanguage.empty()) {
        std::string data = "person";
        data += '\0';
        data += platform::utf8ToCp1252(person.namesByLanguage[0].first);
        data += '\0';
        code = add(file, kCats, 2000, "", std::vector<uint8_t>(data.begin(), data.end()));
    }
    if (code == kResOk) {
        cTreeConstants labels;
        const auto& names = personConstantLabels();
        for (size_t i = 0; i < names.size(); ++i) {
            TreeConstant c;
            c.value = i < person.constants.size() ? person.constants[i] : 0;
            c.label = names[i];
            c.hasRange = true;
            c.rangeMin = 0;
            c.rangeMax = 1000;
            labels.entries.push_back(c);
        }
        code = labels.Store(file, 4096);
    }
    if (code == kResOk) {
        platform::VectorSink s;
        const size_t count = personConstantLabels().size();
        s.u16le(static_cast<uint16_t>(count));
        for (size_t i = 0; i < count; ++i)
            s.i16le(i < person.constants.size() ? person.constants[i] : 0);
        code = add(file, kBcon, 4096, "constants", s.take());
    }
    if (code == kResOk && !person.bodyStrings.empty())
        code = saveStrings(file, kTypeStrings, 200, 0, person.bodyStrings);
    for (int i = 0; code == kResOk && i < person.pictures; ++i)
        code = add(file, kBmp, static_cast<int16_t>(1000 + i), "thumbnail " + std::to_string(i),
                   pictureBytes(i));
    // The rest of what a person file carries, opaque to this tool.
    if (code == kResOk)
        code = add(file, MakeResType("OBJf"), 128, "functions", std::vector<uint8_t>(36, 0));
    if (code == kResOk) {
        std::vector<uint8_t> table(64);
        for (size_t i = 0; i < table.size(); ++i)
            table[i] = static_cast<uint8_t>(i * 7);
        code = add(file, MakeResType("TTAB"), 128, "interactions", table);
    }
    if (code == kResOk)
        code = saveStrings(file, MakeResType("TTAs"), 128, 0, {"Talk", "Hug", "Joke", "Tickle"});
    if (code == kResOk)
        code = add(file, MakeResType("SLOT"), 128, "routing", std::vector<uint8_t>(24, 1));
    if (code != kResOk) {
        (void)file.Close();
        std::remove(path.c_str());
        return fail("cannot write", code);
    }
    if (ResCode closed = file.Close(); closed != kResOk) return fail("cannot close", closed);
    return true;
}

}  // namespace marquill::content
