#pragma once
// The record of one celebrity being designed: what the wizard collects, the exchange file stores
// and the celebrity's person file is made from. Text is UTF-8 here; writers convert it.
#include <array>
#include <cstdint>
#include <string>

#include "celeb/Vocabulary.h"

namespace marquill::celeb {

class PemmData {
  public:
    PemmData() = default;
    PemmData(const PemmData&) = default;
    PemmData& operator=(const PemmData&) = default;
    virtual ~PemmData() = default;

    [[nodiscard]] const std::string& name() const { return name_; }
    void setName(std::string v) { name_ = std::move(v); }
    [[nodiscard]] const std::string& description() const { return description_; }
    void setDescription(std::string v) { description_ = std::move(v); }

    [[nodiscard]] int32_t gender() const { return gender_; }
    void setGender(int32_t v) { gender_ = v; }
    [[nodiscard]] int32_t bodyType() const { return bodyType_; }
    void setBodyType(int32_t v) { bodyType_ = v; }
    [[nodiscard]] int32_t skinColour() const { return skinColour_; }
    void setSkinColour(int32_t v) { skinColour_ = v; }

    [[nodiscard]] const std::string& headMesh() const { return headMesh_; }
    void setHeadMesh(std::string v) { headMesh_ = std::move(v); }
    [[nodiscard]] const std::string& headTexture() const { return headTexture_; }
    void setHeadTexture(std::string v) { headTexture_ = std::move(v); }
    [[nodiscard]] const std::string& bodyMesh() const { return bodyMesh_; }
    void setBodyMesh(std::string v) { bodyMesh_ = std::move(v); }
    [[nodiscard]] const std::string& bodyTexture() const { return bodyTexture_; }
    void setBodyTexture(std::string v) { bodyTexture_ = std::move(v); }
    [[nodiscard]] const std::string& fashionBodyMesh() const { return fashionBodyMesh_; }
    void setFashionBodyMesh(std::string v) { fashionBodyMesh_ = std::move(v); }
    [[nodiscard]] const std::string& fashionBodyTexture() const { return fashionBodyTexture_; }
    void setFashionBodyTexture(std::string v) { fashionBodyTexture_ = std::move(v); }

    // index 0-4 (Trait); out-of-range indices read 0 and are not stored.
    [[nodiscard]] int32_t trait(int index) const;
    void setTrait(int index, int32_t value);
    // position 0-14: 0-4 the top interests, 5-9 the middle ones, 10-14 the low ones (the first low
    // interest at 14).
    [[nodiscard]] int32_t interestAt(int position) const;
    void setInterestAt(int position, int32_t id);

    [[nodiscard]] int32_t fameLevel() const { return fameLevel_; }
    void setFameLevel(int32_t v) { fameLevel_ = v; }
    [[nodiscard]] int32_t fameSlider() const { return fameSlider_; }
    void setFameSlider(int32_t v) { fameSlider_ = v; }

    // The personality in the order the sign profiles use: Outgoing, Nice, Playful, Neat, Active.
    [[nodiscard]] std::array<int, 5> signOrderTraits() const;

  private:
    std::string name_;
    std::string description_;
    int32_t gender_ = kMale;
    int32_t bodyType_ = 0;
    int32_t skinColour_ = 1;
    std::string headMesh_;
    std::string headTexture_;
    std::string bodyMesh_;
    std::string bodyTexture_;
    std::string fashionBodyMesh_;
    std::string fashionBodyTexture_;
    std::array<int32_t, kTraitCount> traits_{};
    std::array<int32_t, kInterestCount> interestOrder_{};
    int32_t fameLevel_ = kFameLevelUnset;
    int32_t fameSlider_ = 0;
};

}  // namespace marquill::celeb
