#pragma once
// The host's sound service: the tool's own WAVE assets by name and sound files of the game.
// A new sound cuts the one that is playing; without an audio device everything is silent.
#include <string>
#include <string_view>

namespace marquill::platform {

class SoundPlayer {
  public:
    virtual ~SoundPlayer() = default;
    // One of the tool's sounds, named as in the sound table (any case), asynchronously.
    virtual void playNamed(std::string_view name) = 0;
    // The same, returning once the sound has finished (the About button's click).
    virtual void playNamedAndWait(std::string_view name) = 0;
    // A sound file named by an animation event, already resolved to a path; synchronous.
    virtual void playFile(const std::string& path) = 0;
    virtual void stopAll() = 0;
};

// For the command line and for hosts without sound.
class SilentSoundPlayer final : public SoundPlayer {
  public:
    void playNamed(std::string_view) override {}
    void playNamedAndWait(std::string_view) override {}
    void playFile(const std::string&) override {}
    void stopAll() override {}
};

}  // namespace marquill::platform
