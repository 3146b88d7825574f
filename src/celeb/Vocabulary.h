#pragma once
// The fixed tables the celebrity record's numbers refer to.
#include <array>
#include <optional>
#include <string_view>

namespace marquill::celeb {

inline constexpr int kTraitCount = 5;
inline constexpr int kInterestCount = 15;
inline constexpr int kFameLevelCount = 11;
inline constexpr int kSignCount = 12;

enum Trait : int { kNeat = 0, kActive = 1, kPlayful = 2, kOutgoing = 3, kNice = 4 };
inline constexpr std::array<std::string_view, kTraitCount> kTraitNames = {
    "Neat", "Active", "Playful", "Outgoing", "Nice"};

struct Interest {
    std::string_view name;         // as the lists show it
    std::string_view exchangeKey;  // as the exchange file names it
};
inline constexpr std::array<Interest, kInterestCount> kInterests = {{
    {"Weather", "Weather"},
    {"Hollywood", "Hollywood"},
    {"Romance", "Romance"},
    {"Technology", "Technology"},
    {"Money", "Money"},
    {"Parties", "Parties"},
    {"Travel", "Travel"},
    {"Politics", "Politics"},
    {"60's Stuff", "Sixties"},
    {"Style", "Style"},
    {"Sports", "Sports"},
    {"Music", "Music"},
    {"Outdoors", "Outdoors"},
    {"Food", "Food"},
    {"Exercise", "Exercise"},
}};

// The lists' rule: a name matching no interest counts as Weather.
[[nodiscard]] int interestIdByName(std::string_view name);
// For input that must name an interest (the list name or the exchange key, ignoring case).
[[nodiscard]] std::optional<int> findInterest(std::string_view name);

struct FameLevel {
    std::string_view name;
    std::string_view description;  // shown in the status line when the level is chosen
};
extern const std::array<FameLevel, kFameLevelCount> kFameLevels;
[[nodiscard]] std::optional<int> findFameLevel(std::string_view name);
// The record's fame level before the fame step has been passed.
inline constexpr int kFameLevelUnset = 12;

// Profiles are in the order Outgoing, Nice, Playful, Neat, Active; each sums to 25.
struct Sign {
    std::string_view name;
    std::array<int, 5> profile;
};
inline constexpr int kSignNameSlot = 50;
inline constexpr std::array<Sign, kSignCount> kSigns = {{
    {"Aries", {8, 3, 3, 5, 6}},
    {"Taurus", {5, 4, 8, 5, 3}},
    {"Gemini", {7, 3, 3, 4, 8}},
    {"Cancer", {3, 6, 4, 6, 6}},
    {"Leo", {10, 3, 4, 4, 4}},
    {"Virgo", {2, 5, 3, 9, 6}},
    {"Libra", {8, 7, 6, 2, 2}},
    {"Scorpio", {5, 3, 3, 6, 8}},
    {"Sagittarius", {3, 4, 7, 2, 9}},
    {"Capricorn", {4, 5, 8, 7, 1}},
    {"Aquarius", {4, 6, 7, 4, 4}},
    {"Pisces", {3, 7, 3, 5, 7}},
}};

inline constexpr std::array<std::string_view, 3> kBodyTypeNames = {"Fit", "Full", "Thin"};
// Body codes in outfit and texture names.
inline constexpr std::array<std::string_view, 3> kBodyTypeCodes = {"fit", "fat", "skn"};

struct SkinColour {
    std::string_view name;
    std::string_view fileCode;
};
inline constexpr std::array<SkinColour, 3> kSkinColours = {{
    {"Light", "LGT"},
    {"Medium", "MED"},
    {"Dark", "DRK"},
}};

enum Gender : int { kMale = 0, kFemale = 1 };
inline constexpr std::array<std::string_view, 2> kGenderWords = {"Male", "Female"};

}  // namespace marquill::celeb
