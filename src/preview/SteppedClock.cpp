#include "preview/SteppedClock.h"

#include <algorithm>

#include "preview/PreviewScene.h"

namespace marquill::preview {

void playFor(PreviewScene& scene, SteppedClock& clock, int milliseconds, int tickMs) {
    const int tick = std::max(1, tickMs);
    for (int elapsed = 0; elapsed < milliseconds;) {
        const int step = std::min(tick, milliseconds - elapsed);
        clock.advance(uint32_t(step));
        elapsed += step;
        scene.timerTick();
    }
}

}  // namespace marquill::preview
