#pragma once
// Copies every resource of a person file into a new file, giving the copy's object definition a
// new identity number (the old one kept at offset 140) and a new name. Types are copied in the
// order the game's object files list them (last type first); "cst\0" resources become string
// sets.
#include <cstdint>
#include <random>
#include <string>

#include "platform/FileLayer.h"
#include "resfile/ResCode.h"

namespace marquill::gamedata {

class GuidSource {
  public:
    virtual ~GuidSource() = default;
    [[nodiscard]] virtual uint32_t next() = 0;
};

// (milliseconds since the system started << 16) XOR a pseudo-random number 0-32767.
class ClockGuidSource final : public GuidSource {
  public:
    ClockGuidSource();
    [[nodiscard]] uint32_t next() override;

  private:
    std::minstd_rand random_;
};

// `name` is Windows-1252 text; it is cut to 63 characters. The destination must not exist.
[[nodiscard]] resfile::ResCode copyObjectFile(const std::string& source,
                                              const std::string& destination,
                                              const std::string& name, GuidSource& guids,
                                              platform::FileLayer& files = platform::diskFiles());

}  // namespace marquill::gamedata
