#include "gamedata/NeighborhoodPicker.h"

namespace marquill::gamedata {

NeighborhoodPicker::NeighborhoodPicker(GamePaths paths) : paths_(std::move(paths)) {
    path_ = paths_.neighborhoodFile(1);
}

void NeighborhoodPicker::next() {
    for (;;) {
        ++current_;
        if (current_ > kLastNeighborhood) {
            current_ = found_;
            path_ = paths_.neighborhoodFile(found_);
            return;
        }
        if (paths_.neighborhoodExists(current_)) {
            found_ = current_;
            path_ = paths_.neighborhoodFile(current_);
            return;
        }
    }
}

void NeighborhoodPicker::back() {
    for (;;) {
        --current_;
        if (current_ < kFirstNeighborhood) {
            // Running out below 1 shows the neighbourhood OK would return, not the last one
            // tested, so the text and the result agree.
            current_ = 1;
            path_ = paths_.neighborhoodFile(found_);
            return;
        }
        if (paths_.neighborhoodExists(current_)) {
            found_ = current_;
            path_ = paths_.neighborhoodFile(current_);
            return;
        }
    }
}

std::string NeighborhoodPicker::text() const {
    return "Pick a Neighborhood.\n\n" + path_;
}

}  // namespace marquill::gamedata
