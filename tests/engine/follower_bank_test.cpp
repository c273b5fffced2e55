#include "engine/follower_bank.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orv {
namespace {

TEST(FollowerBank, FirstStageAttacksAndReleasesAndTheMaximumIsFlooredAtOne) {
    const Ladder attack = attackLadder(44100.0);
    const Ladder release = releaseLadder(50.0, 44100.0);
    FollowerBank bank;
    bank.reset();
    EXPECT_EQ(bank.update(0.5, attack, release, false), 1.0);
    double peak = 0.0;
    for (int t = 0; t < 44100; ++t) peak = bank.update(3.0, attack, release, false);
    EXPECT_NEAR(peak, 3.0, 1e-9);
    // The fastest follower (1 ms attack, 2 ms release) leads in both directions.
    const double before = bank.firstStage()[7];
    bank.update(2.0, attack, release, false);
    EXPECT_LT(bank.firstStage()[7], bank.firstStage()[0]);
    EXPECT_NEAR(bank.firstStage()[7], before + (2.0 - before) * release[7], 1e-15);
}

TEST(FollowerBank, SecondStageSmoothsOnlyInSecondOrder) {
    const Ladder attack = attackLadder(48000.0);
    const Ladder release = releaseLadder(100.0, 48000.0);
    FollowerBank first;
    FollowerBank second;
    first.reset();
    second.reset();
    for (int t = 0; t < 20200; ++t) {
        const double det = t < 20000 ? 2.0 : 0.5;
        EXPECT_EQ(first.update(det, attack, release, false), second.update(det, attack, release, true)) << t;
        EXPECT_EQ(first.firstStage(), second.firstStage());
        EXPECT_EQ(first.secondStage(), first.firstStage());
    }
    for (int k = 0; k < kFollowerCount; ++k) {
        // After the fall the smoothed stage lags above the first stage.
        EXPECT_GT(second.secondStage()[k], second.firstStage()[k]) << k;
    }
    second.reset();
    EXPECT_TRUE(std::all_of(second.secondStage().begin(), second.secondStage().end(), [](double u) { return u == 0.0; }));
}

}  // namespace
}  // namespace orv
