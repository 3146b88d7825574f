#pragma once
// Non-negative pseudo-random integers, as the runtime's generator gives them; injected so that
// tests can seed or script the draws.
#include <cstdint>
#include <random>

namespace marquill::platform {

class RandomSource {
  public:
    virtual ~RandomSource() = default;
    [[nodiscard]] virtual int next() = 0;  // 0 .. 2^31 - 2
    virtual void seed(uint32_t value) = 0;
};

class SeededRandom final : public RandomSource {
  public:
    explicit SeededRandom(uint32_t value = 1) : engine_(value) {}
    [[nodiscard]] int next() override { return static_cast<int>(engine_() - 1); }
    void seed(uint32_t value) override { engine_.seed(value); }

  private:
    std::minstd_rand engine_;
};

}  // namespace marquill::platform
