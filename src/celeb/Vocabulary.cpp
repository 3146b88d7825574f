#include "celeb/Vocabulary.h"

#include "platform/AsciiCase.h"

namespace marquill::celeb {

using platform::equalsIgnoringCase;

const std::array<FameLevel, kFameLevelCount> kFameLevels = {{
    {"Nobody",
     "The lights! The cameras! The adoration! None of it is pointed at you yet. Nobody in "
     "Glimmerdale has heard your name, and the doorman does not believe you either."},
    {"Stepping Stone",
     "Most dogs in Glimmerdale get treated better than this. You fetch the coffee, you hold the "
     "umbrella, and you smile. Somebody has to start at the bottom."},
    {"Insider",
     "It's time to leave your delusions behind. You know the right people, or at least their "
     "assistants. The velvet rope is close enough to touch."},
    {"Name Dropper",
     "You've arrived ... at the understanding that being a star is HARD work! You mention the "
     "famous friends you have met once. Some of them even remember you."},
    {"Studio Fly",
     "People are talking. Your fan mail is growing! The studios let you wander the lots of "
     "Glimmerdale, and the caterers know how you take your tea."},
    {"Sell Out",
     "You thought it couldn't happen to you. Your face sells soda, sneakers and soup. The money "
     "is good, and the critics are not invited to dinner."},
    {"Trend Setter",
     "Those ridiculous pants your wore last week are in every window on the boulevard. Whatever "
     "you do next, half of Glimmerdale will do it tomorrow."},
    {"Player",
     "This is the point at which your fans start getting..obsessive. They know your birthday, "
     "your dentist and your dog's middle name. Lock the gate."},
    {"Talk of The Town",
     "15 minutes of fame.. HA! Every table at every party in Glimmerdale is talking about you. "
     "Try to give them something nice to say."},
    {"Celebrity",
     "They say the candle that burns twice as bright burns half as long. You are blazing. The "
     "cameras follow you to the grocery store and back."},
    {"Superstar",
     "The world...is your OYSTER! Glimmerdale names streets after you, the papers print your "
     "breakfast, and nobody, nobody, keeps you waiting."},
}};

std::optional<int> findInterest(std::string_view name) {
    for (int id = 0; id < kInterestCount; ++id) {
        const Interest& in = kInterests[static_cast<size_t>(id)];
        if (equalsIgnoringCase(in.name, name) || equalsIgnoringCase(in.exchangeKey, name))
            return id;
    }
    return std::nullopt;
}

int interestIdByName(std::string_view name) {
    for (int id = 0; id < kInterestCount; ++id)
        if (equalsIgnoringCase(kInterests[static_cast<size_t>(id)].name, name)) return id;
    return 0;
}

std::optional<int> findFameLevel(std::string_view name) {
    for (int i = 0; i < kFameLevelCount; ++i)
        if (equalsIgnoringCase(kFameLevels[static_cast<size_t>(i)].name, name)) return i;
    return std::nullopt;
}

}  // namespace marquill::celeb
