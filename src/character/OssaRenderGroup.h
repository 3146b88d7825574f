#pragma once
// The person's render group. Its box is handed over by the person on every tick, so whether it
// is out of date is the group's own bit alone, never its children's.
#include "render/RenderGroup.h"

namespace marquill::character {

class OssaRenderGroup final : public render::RenderGroup {
  public:
    static OssaRenderGroup* create();

    [[nodiscard]] bool boundsOutOfDate() const override;
    [[nodiscard]] bool query() const override { return false; }

  private:
    OssaRenderGroup() = default;
    ~OssaRenderGroup() override;
};

}  // namespace marquill::character
