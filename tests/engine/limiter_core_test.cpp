#include "engine/limiter_core.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace orv {
namespace {

CoreSettings settingsAt44k() {
    CoreSettings settings;
    settings.smoother = gainSmootherCoefficient(44100.0);
    settings.levellerCoefficient = levellerCoefficient(44100.0);
    settings.levellerActive = false;
    settings.transient = 0.02;
    settings.attack = attackLadder(44100.0);
    settings.release = releaseLadder(20.0, 44100.0);
    return settings;
}

TEST(LimiterCore, ResetClearsTreesToTheSentinel) {
    auto core = std::make_unique<LimiterCore>();
    core->configure(lookaheadLength(0), kernelLength(0, 0));
    const CoreSettings settings = settingsAt44k();
    for (int t = 0; t < 1000; ++t) core->process(t % 3 == 0 ? 3.0 : -0.2, 0.7, settings);
    core->reset(1.0, 1.0);
    const auto expectOnlySentinel = [](const auto& elements) {
        EXPECT_EQ(elements[0], kWindowMaxSentinel);
        EXPECT_TRUE(std::all_of(elements.begin() + 1, elements.end(), [](double v) { return v == 0.0; }));
    };
    for (int c = 0; c < 2; ++c) {
        expectOnlySentinel(core->lookaheadTree(c).elements());
        expectOnlySentinel(core->transientTree(c).elements());
        const Ladder& u = core->followers(c).firstStage();
        EXPECT_TRUE(std::all_of(u.begin(), u.end(), [](double v) { return v == 0.0; }));
    }
}

TEST(LimiterCore, DisplayedAttenuationShowsTheSelectedComponents) {
    // A settled constant of 2: total gain 1/2, follower part h = T + (1 - T) / 2 = 0.51.
    struct Case {
        int attShow;
        bool power;
        double displayed;
    };
    const Case cases[] = {{7, true, 0.5}, {1, true, 0.51}, {2, true, 0.5 / 0.51}, {4, true, 1.0}, {0, true, 1.0},
                          {7, false, 1.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "AttShow " << c.attShow << (c.power ? "" : ", power off"));
        auto core = std::make_unique<LimiterCore>();
        core->configure(lookaheadLength(0), kernelLength(0, 0));
        CoreSettings settings = settingsAt44k();
        settings.power = c.power;
        settings.showFollowers = (c.attShow & 1) != 0 ? 1.0 : 0.0;
        settings.showTransient = (c.attShow & 2) != 0 ? 1.0 : 0.0;
        settings.showLeveller = (c.attShow & 4) != 0 ? 1.0 : 0.0;
        CoreFrame frame{};
        for (int t = 0; t < 44100; ++t) frame = core->process(2.0, -2.0, settings);
        for (int channel = 0; channel < 2; ++channel) {
            EXPECT_NEAR(frame.displayed[channel], c.displayed, 1e-9);
            EXPECT_EQ(frame.input[channel], channel == 0 ? 2.0 : -2.0);
            EXPECT_NEAR(frame.output[channel], (channel == 0 ? 2.0 : -2.0) * (c.power ? 0.5 : 1.0), 1e-9);
        }
    }
}

}  // namespace
}  // namespace orv
