#include "celeb/RecordChecks.h"

#include <algorithm>

#include "platform/AsciiCase.h"
#include "platform/Cp1252.h"

namespace marquill::celeb {

std::optional<Refusal> checkName(std::string_view name) {
    if (name.empty())
        return Refusal{
            "Name: A word or words by which an entity is designated and distinguished from "
            "others. Please name this Pemm.",
            ""};
    if (platform::utf8ToCp1252(name).size() > kMaxNameLength)
        return Refusal{
            "Other Pemms will have difficulty remembering such a long name. Please select a "
            "shorter name for this Pemm. The name must be less than 30 characters.",
            "Name too long"};
    return std::nullopt;
}

std::optional<Refusal> checkDescription(std::string_view description) {
    if (description.empty())
        return Refusal{
            "An account of a person's life written, composed, or produced by another is just "
            "what this Pemm needs. Please provide a description for this Pemm.",
            ""};
    if (platform::utf8ToCp1252(description).size() > kMaxDescriptionLength)
        return Refusal{
            "Whoa! That is a lot of information. Please limit your description to 1,024 "
            "characters or less.",
            "Description too long"};
    return std::nullopt;
}

std::optional<Refusal> checkPersonality(const std::array<int, 5>& traits) {
    int sum = 0;
    for (int t : traits)
        sum += t;
    if (sum > kPersonalityPoints) {
        std::string text =
            "No Pemm is that perfect! You have allocated too many points. You are limited to 25 "
            "personality points.";
        return Refusal{text, text};
    }
    return std::nullopt;
}

std::optional<Refusal> checkInterests(const std::vector<int>& top, const std::vector<int>& low) {
    if (top.size() > 5)
        return Refusal{"Too many selected... you can only have five top interests.",
                       "Too many selected... you can only have five top interests."};
    if (low.size() > 5)
        return Refusal{"Too many selected... you can only have five bad interests.",
                       "Too many selected... you can only have five bad interests."};
    if (top.size() < 5)
        return Refusal{
            "This Pemm won't be very interesting to talk to! You need to select 5 top interests "
            "for your Pemm.",
            "You need to select 5 top interests for your Pemm."};
    // With fewer than five low interests the wizard keeps Next disabled and says only this.
    if (low.size() < 5)
        return Refusal{"You need to select 5 top interests for your Pemm.",
                       "You need to select 5 top interests for your Pemm."};
    return std::nullopt;
}

std::optional<Refusal> checkLook(std::string_view headTexture, std::string_view bodyTexture) {
    if (headTexture.empty() || bodyTexture.empty())
        return Refusal{"Invalid Head or Skin Selection", "Invalid Head or Skin Selection"};
    return std::nullopt;
}

std::array<int, kInterestCount> interestOrder(const std::vector<int>& top,
                                              const std::vector<int>& low) {
    std::array<int, kInterestCount> order{};
    std::vector<int> sortedLow = low;
    std::stable_sort(sortedLow.begin(), sortedLow.end(), [](int a, int b) {
        return platform::toLowerAscii(kInterests[static_cast<size_t>(a)].name) <
               platform::toLowerAscii(kInterests[static_cast<size_t>(b)].name);
    });
    size_t next = 0;
    for (int id : top)
        if (next < 15) order[next++] = id;
    for (int id = 0; id < kInterestCount && next < 15; ++id) {
        bool used = std::find(top.begin(), top.end(), id) != top.end() ||
                    std::find(low.begin(), low.end(), id) != low.end();
        if (!used) order[next++] = id;
    }
    for (size_t i = 0; i < sortedLow.size() && i < 15; ++i)
        order[14 - i] = sortedLow[i];
    return order;
}

}  // namespace marquill::celeb
