#include "celeb/ExchangeFile.h"

#include "celeb/InterestScore.h"
#include "celeb/NearestSign.h"
#include "platform/Cp1252.h"
#include "platform/Files.h"

namespace marquill::celeb {

void putExchangeRecord(platform::ProfileDocument& doc, const PemmData& record,
                       const ExchangeChoices& choices) {
    auto put = [&](std::string_view key, const std::string& value) {
        doc.set(kExchangeSection, key, value);
    };
    auto num = [&](std::string_view key, int value) { put(key, std::to_string(value)); };

    num("FameLevel", choices.fameChoice);
    num("Sign", nearestSign(record.signOrderTraits()) + 1);
    num("CareerPath", 0);
    num("CareerLevel", 0);
    put("Gender", choices.male ? "Male" : "Female");
    put("Name", platform::utf8ToCp1252(record.name()));
    std::string description = platform::utf8ToCp1252(record.description());
    for (char& c : description)
        if (c == '\r' || c == '\n') c = ' ';
    put("Description", description);
    const int skin = record.skinColour();
    put("SkinColor", skin == 0 ? "LGT" : skin == 1 ? "MED" : "DRK");
    num("Outgoing", record.trait(kOutgoing));
    num("Nice", record.trait(kNice));
    num("Playful", record.trait(kPlayful));
    num("Neat", record.trait(kNeat));
    num("Active", record.trait(kActive));
    for (int id = 0; id < kInterestCount; ++id)
        num(kInterests[static_cast<size_t>(id)].exchangeKey, interestScore(record, id));
}

void putExchangeSkinFiles(platform::ProfileDocument& doc, const SkinFileList& skins,
                          const platform::GameLocation& game) {
    doc.set(kExchangeSection, "SkinFileCount", std::to_string(skins.size()));
    for (size_t i = 0; i < skins.size(); ++i)
        doc.set(kExchangeSection, "SkinFile" + std::to_string(i + 1),
                platform::nameToCp1252(game.gamePath(skins.paths()[i])));
}

void putExchangeVersion(platform::ProfileDocument& doc) {
    doc.set(kExchangeSection, "Version", "4");
}

bool writeExchangeFile(const std::string& path, const PemmData& record,
                       const ExchangeChoices& choices, const SkinFileList& skins,
                       const platform::GameLocation& game, platform::FileLayer& files) {
    platform::ProfileDocument doc;
    putExchangeRecord(doc, record, choices);
    putExchangeSkinFiles(doc, skins, game);
    putExchangeVersion(doc);
    platform::VectorSink sink;
    doc.writeTo(sink);
    return platform::writeFileAtomically(path, sink.data(), files);
}

}  // namespace marquill::celeb
