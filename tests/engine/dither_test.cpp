#include "engine/dither.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace orv {
namespace {

std::vector<std::uint32_t> words(DitherGenerator& generator, int count)
{
    std::vector<std::uint32_t> result;
    for (int i = 0; i < count; ++i) {
        result.push_back(generator.nextWord());
    }
    return result;
}

TEST(DitherGenerator, FirstWordsFromTheSeedMatchAnIndependentReference)
{
    DitherGenerator generator;
    const std::vector<std::uint32_t> expected = {2166752657u, 433761069u, 2733492204u,
                                                 3444313225u, 1749054826u};
    EXPECT_EQ(words(generator, 5), expected);
}

TEST(DitherGenerator, ResetRestartsTheSameSequenceEveryTime)
{
    DitherGenerator generator;
    const std::vector<std::uint32_t> first = words(generator, 1000);
    for (int run = 0; run < 3; ++run) {
        words(generator, 137 * (run + 1));  // move on by a different amount each time
        generator.reset();
        EXPECT_EQ(words(generator, 1000), first) << "after reset " << run;
    }
}

TEST(DitherGenerator, DoesNotFallIntoAShortCycle)
{
    DitherGenerator generator;
    const std::vector<std::uint32_t> start = words(generator, 8);
    for (int i = 0; i < 1000000; ++i) {
        ASSERT_NE(words(generator, 8), start) << "sequence repeated after " << (i + 1) * 8;
    }
}

struct Moments {
    double min = 1e9;
    double max = -1e9;
    double mean = 0.0;
    double variance = 0.0;
};

template <typename Draw>
Moments measure(Draw draw, int count)
{
    Moments m;
    double sum = 0.0;
    double sumSquares = 0.0;
    for (int i = 0; i < count; ++i) {
        const double x = draw();
        m.min = std::min(m.min, x);
        m.max = std::max(m.max, x);
        sum += x;
        sumSquares += x * x;
    }
    m.mean = sum / count;
    m.variance = sumSquares / count - m.mean * m.mean;
    return m;
}

TEST(DitherGenerator, UniformValuesFillMinusOneToOneEvenly)
{
    DitherGenerator generator;
    const Moments m = measure([&] { return generator.nextUniform(); }, 1000000);
    EXPECT_GE(m.min, -1.0);
    EXPECT_LT(m.max, 1.0);
    EXPECT_LT(m.min, -0.999);
    EXPECT_GT(m.max, 0.999);
    EXPECT_NEAR(m.mean, 0.0, 0.003);
    EXPECT_NEAR(m.variance, 1.0 / 3.0, 0.003);
}

TEST(DitherGenerator, TriangularValuesHaveOneSixthLsbSquaredVariance)
{
    DitherGenerator generator;
    const Moments m = measure([&] { return generator.nextTriangular(); }, 1000000);
    EXPECT_GT(m.min, -1.0);
    EXPECT_LT(m.max, 1.0);
    EXPECT_NEAR(m.mean, 0.0, 0.002);
    EXPECT_NEAR(m.variance, 1.0 / 6.0, 0.002);
}

TEST(DitherGenerator, TriangularValueAveragesTwoConsecutiveUniformDraws)
{
    DitherGenerator triangular;
    DitherGenerator uniform;
    for (int i = 0; i < 100; ++i) {
        const double first = uniform.nextUniform();
        const double second = uniform.nextUniform();
        ASSERT_EQ(triangular.nextTriangular(), (first + second) * 0.5);
    }
}

}  // namespace
}  // namespace orv
