#pragma once
// The exchange file (".srf") carries a celebrity to the exchange web site: one profile section
// "Marquill" with these keys, in this order, CR LF line ends, Windows-1252 text:
//   FameLevel Sign CareerPath CareerLevel Gender Name Description SkinColor
//   Outgoing Nice Playful Neat Active
//   Weather Hollywood Romance Technology Money Parties Travel Politics Sixties Style Sports Music
//   Outdoors Food Exercise (interest scores 10, 5, 1)
//   SkinFileCount SkinFile1..SkinFileN Version
// The tool writes these files and never reads them back.
#include <string>

#include "celeb/PemmData.h"
#include "celeb/SkinFileList.h"
#include "platform/FileLayer.h"
#include "platform/GameLocation.h"
#include "platform/ProfileStrings.h"

namespace marquill::celeb {

inline constexpr std::string_view kExchangeSection = "Marquill";

struct ExchangeChoices {
    int fameChoice = 0;  // the fame list's current choice
    bool male = true;    // the Male toggle
};

// Keys FameLevel to Exercise.
void putExchangeRecord(platform::ProfileDocument& doc, const PemmData& record,
                       const ExchangeChoices& choices);
// SkinFileCount and the SkinFile keys: each file as the game names it, which is what the exchange
// site receives from every player (an absolute path).
void putExchangeSkinFiles(platform::ProfileDocument& doc, const SkinFileList& skins,
                          const platform::GameLocation& game);
void putExchangeVersion(platform::ProfileDocument& doc);

// The whole file; false when it could not be written completely. An older file at `path` is
// replaced only by a complete new one.
[[nodiscard]] bool writeExchangeFile(const std::string& path, const PemmData& record,
                                     const ExchangeChoices& choices, const SkinFileList& skins,
                                     const platform::GameLocation& game = {},
                                     platform::FileLayer& files = platform::diskFiles());

}  // namespace marquill::celeb
