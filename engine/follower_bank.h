// Eight attack/release envelope followers of decreasing time per channel, with an optional second
// smoothing stage per follower (DetectorOrder "II").
//
// Threading: audio thread only (reset under the processing lock).
#pragma once

#include "engine/engine_lengths.h"

#include <algorithm>

namespace orv {

class FollowerBank {
public:
    void reset() noexcept {
        first_.fill(0.0);
        second_.fill(0.0);
    }

    // Moves every follower toward det (attack coefficient when det rises to or above it, release
    // otherwise) and returns max(1, first stage): the gain computer reads the first stage in both
    // orders, so DetectorOrder never changes the output.
    double update(double det, const Ladder& attack, const Ladder& release, bool secondOrder) noexcept {
        double peak = 1.0;
        for (int k = 0; k < kFollowerCount; ++k) {
            double& u = first_[k];
            u += (det - u) * (det >= u ? attack[k] : release[k]);
            peak = std::max(peak, u);
            double& u2 = second_[k];
            u2 = secondOrder ? u2 + (u - u2) * (u > u2 ? attack[k] : release[k]) : u;
        }
        return peak;
    }

    const Ladder& firstStage() const noexcept { return first_; }
    const Ladder& secondStage() const noexcept { return second_; }

private:
    Ladder first_{};
    Ladder second_{};
};

}  // namespace orv
