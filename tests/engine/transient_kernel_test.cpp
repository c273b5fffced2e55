#include "engine/block_filter.h"
#include "engine/transient_kernel.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace orv {
namespace {

TEST(TransientKernel, TapsOfTheShortestShapes) {
    struct Case {
        int length;
        std::vector<double> leading;  // the first half; the kernel is symmetric
    };
    const Case cases[] = {
        {8, {0.0, 0.085425, 0.177539, 0.237036}},
        {16, {0.0, 0.016937, 0.036572, 0.057205, 0.07691, 0.093762, 0.106063, 0.11255}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        std::vector<double> taps(c.length);
        transientKernelTaps(c.length, taps.data());
        double sum = 0.0;
        for (int i = 0; i < c.length; ++i) {
            sum += taps[i];
            EXPECT_NEAR(taps[i], taps[c.length - 1 - i], 1e-15) << i;
        }
        EXPECT_NEAR(sum, 1.0, 1e-15);
        for (std::size_t i = 0; i < c.leading.size(); ++i) EXPECT_NEAR(taps[i], c.leading[i], 1e-6) << i;
    }
}

class BlockFilterTest : public testing::TestWithParam<int> {
protected:
    void SetUp() override {
        length_ = GetParam();
        buildTransientKernelSpectrum(length_, spectrum_.data());
        filter_.setLength(length_);
        filter_.clear();
    }
    int length_ = 0;
    alignas(16) std::array<double, 2 * kMaxKernelLength> spectrum_{};
    BlockFilter filter_;
};

TEST_P(BlockFilterTest, ConstantEnvelopePassesOnceTheKernelIsFull) {
    for (int t = 0; t < 6 * length_; ++t) {
        const double out = filter_.process(1.0, spectrum_.data());
        if (t >= 2 * length_ - 2) {
            EXPECT_NEAR(out, 1.0, 1e-12) << t;
        }
        if (t < length_ - 1) {
            EXPECT_NEAR(out, 0.0, 1e-15) << t;  // no tap reaches back further
        }
    }
}

TEST_P(BlockFilterTest, ImpulseReappearsAsTheTapsAfterTheBlockDelay) {
    std::vector<double> taps(length_);
    transientKernelTaps(length_, taps.data());
    for (int start : {0, 3, length_ - 1, length_ + 5}) {
        SCOPED_TRACE(start);
        filter_.clear();
        for (int t = 0; t < start + 3 * length_; ++t) {
            const double out = filter_.process(t == start ? 1.0 : 0.0, spectrum_.data());
            const int i = t - start - (length_ - 1);
            const double expected = i >= 0 && i < length_ ? taps[i] : 0.0;
            EXPECT_NEAR(out, expected, 1e-14) << t;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKernelLength, BlockFilterTest, testing::Values(8, 16, 32, 64, 128, 256));

}  // namespace
}  // namespace orv
