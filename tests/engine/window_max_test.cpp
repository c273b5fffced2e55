#include "engine/window_max.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <random>

namespace orv {
namespace {

TEST(WindowMax, ClearLeavesOnlyTheSentinel) {
    WindowMax<16> tree;
    tree.setLength(16);
    tree.clear();
    for (int t = 0; t < 40; ++t) tree.insert(t * 0.5);
    tree.clear();
    const auto& e = tree.elements();
    EXPECT_EQ(e[0], kWindowMaxSentinel);
    EXPECT_TRUE(std::all_of(e.begin() + 1, e.end(), [](double v) { return v == 0.0; }));
}

TEST(WindowMax, TracksTheMaximumOfTheLastNValues) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> value(1e-5, 4.0);
    for (int length : {1, 2, 8, 64, 256}) {
        SCOPED_TRACE(length);
        WindowMax<256> tree;
        tree.setLength(length);
        tree.clear();
        std::deque<double> window;
        for (int t = 0; t < 3000; ++t) {
            // Runs of repeats and slow decays exercise both climbing branches.
            const double v = t % 50 < 20 ? value(random) : (t % 50 < 35 ? 1.5 : 4.0 / (t % 50));
            window.push_back(v);
            if (static_cast<int>(window.size()) > length) window.pop_front();
            const double expected = *std::max_element(window.begin(), window.end());
            ASSERT_EQ(tree.insert(v), expected) << t;
        }
    }
}

TEST(WindowMax, ValuesAboveTheSentinelStayInsideTheTree) {
    WindowMax<8> tree;
    tree.setLength(8);
    tree.clear();
    EXPECT_EQ(tree.insert(1e31), 1e31);
    for (int t = 0; t < 7; ++t) EXPECT_EQ(tree.insert(1e-5), 1e31);
    EXPECT_EQ(tree.insert(2e31), 2e31);
    for (int t = 0; t < 7; ++t) tree.insert(1e-5);
    EXPECT_EQ(tree.insert(0.5), 0.5);
}

}  // namespace
}  // namespace orv
