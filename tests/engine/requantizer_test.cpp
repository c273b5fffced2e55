#include "engine/noise_shaping_sets.h"
#include "engine/requantizer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

namespace orv {
namespace {

constexpr int kStepOff = 0, kTypeA = 1, kTypeB = 2, kTypeC = 3;
constexpr int kBits8 = 0, kBits16 = 1, kBits24 = 2;

// ---- the coefficient table ----

std::vector<const double*> allShapedSets()
{
    std::vector<const double*> sets;
    for (int step = kTypeA; step <= kTypeC; ++step) {
        for (int rate : NoiseShapingSets::kRatesHz) {
            sets.push_back(NoiseShapingSets::select(step, rate, nullptr));
        }
    }
    return sets;
}

// |NTF| at normalised angular frequency w for a set of negated taps g (c = -g).
double ntfMagnitude(const double* g, double w)
{
    std::complex<double> sum = 1.0;
    for (int k = 0; k < NoiseShapingSets::kTaps; ++k) {
        sum -= g[k] * std::polar(1.0, -w * (k + 1));
    }
    return std::abs(sum);
}

TEST(NoiseShapingSets, EveryCurveIsMinimumPhaseSoItsLogGainAveragesToZero)
{
    // An error-feedback shaper can only redistribute noise: for a minimum-phase NTF with leading
    // tap 1 the mean of ln|NTF| over frequency is exactly 0. A mistyped tap breaks that.
    for (const double* g : allShapedSets()) {
        ASSERT_NE(g, nullptr);
        constexpr int kPoints = 8192;
        double sum = 0.0;
        for (int i = 0; i < kPoints; ++i) {
            sum += std::log(ntfMagnitude(g, std::numbers::pi * (i + 0.5) / kPoints));
        }
        EXPECT_NEAR(sum / kPoints, 0.0, 1e-4);
        EXPECT_LT(ntfMagnitude(g, 0.0), 1.0) << "low frequencies get less noise";
        EXPECT_GT(ntfMagnitude(g, std::numbers::pi), 1.0) << "the top of the band gets more";
    }
}

TEST(NoiseShapingSets, TypeAIsThirdOrderAndTypeBTwelfth)
{
    for (int rate : NoiseShapingSets::kRatesHz) {
        const double* a = NoiseShapingSets::select(kTypeA, rate, nullptr);
        EXPECT_NE(a[2], 0.0);
        for (int k = 3; k < NoiseShapingSets::kTaps; ++k) {
            EXPECT_EQ(a[k], 0.0) << rate << " tap " << k;
        }
        EXPECT_NE(NoiseShapingSets::select(kTypeB, rate, nullptr)[11], 0.0) << rate;
    }
}

TEST(NoiseShapingSets, OffSelectsTheZeroSetAtAnyRate)
{
    const double* previous = NoiseShapingSets::select(kTypeB, 48000, nullptr);
    for (int rate : {44100, 50000, 192000}) {
        const double* set = NoiseShapingSets::select(kStepOff, rate, previous);
        EXPECT_EQ(set, NoiseShapingSets::zeroSet());
        for (int k = 0; k < NoiseShapingSets::kTaps; ++k) {
            EXPECT_EQ(set[k], 0.0);
        }
    }
}

TEST(NoiseShapingSets, SelectionFollowsTheExactRateAndKeepsThePreviousSetElsewhere)
{
    struct Case {
        int step;
        int rate;
        double firstTap;  // negated c[0] of the expected row; 0 means "the previous set stays"
    };
    const Case cases[] = {
        {kTypeA, 44100, 1.14927},   {kTypeA, 48000, 1.320576}, {kTypeA, 88200, 2.295096},
        {kTypeA, 96000, 2.361518},  {kTypeA, 176400, 1.974841}, {kTypeA, 192000, 1.830033},
        {kTypeB, 48000, 2.292807},  {kTypeB, 192000, 1.478775}, {kTypeC, 44100, 2.373123},
        {kTypeC, 176400, 1.29969},  {kTypeC, 50000, 0.0},       {kTypeB, 44099, 0.0},
        {kTypeA, 44101, 0.0},       {kTypeA, 200000, 0.0},
    };
    const double* previous = NoiseShapingSets::select(kTypeC, 96000, nullptr);
    for (const Case& c : cases) {
        const double* set = NoiseShapingSets::select(c.step, c.rate, previous);
        if (c.firstTap == 0.0) {
            EXPECT_EQ(set, previous) << c.step << " at " << c.rate;
        } else {
            ASSERT_NE(set, nullptr);
            EXPECT_EQ(set[0], c.firstTap) << c.step << " at " << c.rate;
        }
    }
}

// ---- the requantizer ----

class RequantizerTest : public ::testing::Test {
protected:
    void configure(bool quantize, int bits, bool autoblack, int shapeStep = kStepOff,
                   int rate = 44100)
    {
        requantizer.setSampleRate(rate);
        requantizer.setFeedbackSet(NoiseShapingSets::select(shapeStep, rate,
                                                            NoiseShapingSets::zeroSet()));
        requantizer.beginBlock(quantize, bits, autoblack);
    }

    StereoSample run(double yL, double yR) { return requantizer.process(yL, yR, generator); }

    Requantizer requantizer;
    DitherGenerator generator;
};

TEST_F(RequantizerTest, SilenceAt16BitsUnshapedGivesZeroOrMinusOneLsb)
{
    configure(true, kBits16, false);
    int zeros = 0;
    int minusOnes = 0;
    for (int i = 0; i < 20000; ++i) {
        const StereoSample out = run(0.0, 0.0);
        for (double x : {out.left, out.right}) {
            if (x == 0.0) {
                ++zeros;
            } else {
                ASSERT_EQ(x, -1.0 / 32768.0) << "sample " << i;
                ++minusOnes;
            }
        }
    }
    EXPECT_GT(zeros, 10000);  // both values are common: the dither is really there
    EXPECT_GT(minusOnes, 10000);
}

TEST_F(RequantizerTest, OutputLandsOnTheWordLengthGridJustBelowTheInput)
{
    struct Case {
        int bits;
        double scale;
    };
    for (const Case c : {Case{kBits8, 128.0}, Case{kBits16, 32768.0}, Case{kBits24, 8388608.0}}) {
        configure(true, c.bits, false);
        for (int i = 0; i < 2000; ++i) {
            const double y = 0.3 * std::sin(0.01 * i);
            const StereoSample out = run(y, -y);
            for (const auto& [q, in] : {std::pair{out.left, y}, std::pair{out.right, -y}}) {
                const double steps = q * c.scale;
                ASSERT_EQ(steps, std::floor(steps)) << "bits step " << c.bits;
                // Truncation of y S + d with d in (-1, 1): q - y in (-2, 1) LSB.
                ASSERT_GT(q - in, -2.0 / c.scale);
                ASSERT_LT(q - in, 1.0 / c.scale);
            }
        }
    }
}

TEST_F(RequantizerTest, DitherSequenceIsIdenticalAfterEveryReset)
{
    configure(true, kBits16, false, kTypeB);
    auto record = [&] {
        std::vector<double> out;
        for (int i = 0; i < 3000; ++i) {
            const StereoSample s = run(1e-4 * std::sin(0.05 * i), 2e-4 * std::cos(0.03 * i));
            out.push_back(s.left);
            out.push_back(s.right);
        }
        return out;
    };
    const std::vector<double> first = record();
    for (int pass = 0; pass < 3; ++pass) {
        requantizer.reset();
        generator.reset();
        EXPECT_EQ(record(), first) << "pass " << pass;
    }
}

TEST_F(RequantizerTest, AutoblackFadesSilenceToExactZeroAndReturnsAtOnce)
{
    // A twin without Autoblack, fed identically from its own generator, shows the requantized
    // value; the ratio is the black gain.
    Requantizer plain;
    DitherGenerator plainGenerator;
    configure(true, kBits16, true);
    plain.beginBlock(true, kBits16, false);

    double lastGain[2] = {1e-20, 1e-20};
    bool sawNonZeroRatio = false;
    int firstExactZero = -1;
    for (int i = 0; i < 60000; ++i) {
        const StereoSample gated = run(0.0, 0.0);
        const StereoSample reference = plain.process(0.0, 0.0, plainGenerator);
        const double outputs[2][2] = {{gated.left, reference.left}, {gated.right, reference.right}};
        for (int c = 0; c < 2; ++c) {
            const auto [out, requantized] = std::pair{outputs[c][0], outputs[c][1]};
            if (requantized == 0.0) {
                ASSERT_EQ(out, 0.0);
                continue;
            }
            const double gain = out / requantized;
            ASSERT_LE(gain, lastGain[c]) << "sample " << i << " channel " << c;
            ASSERT_GE(gain, 0.0);
            if (i == 0) {
                EXPECT_NEAR(gain, 1e-20, 1e-22);
            }
            sawNonZeroRatio = sawNonZeroRatio || gain > 0.0;
            if (gain == 0.0 && firstExactZero < 0) {
                firstExactZero = i;
            }
            lastGain[c] = gain;
        }
    }
    EXPECT_TRUE(sawNonZeroRatio);
    ASSERT_GT(firstExactZero, 0) << "the gate must reach exact zero";

    // A sample exactly at the threshold is still silence; the first above it, on either channel,
    // gives full level in that same sample.
    StereoSample gated = run(1e-8, 0.0);
    StereoSample reference = plain.process(1e-8, 0.0, plainGenerator);
    EXPECT_EQ(gated.left, 0.0);
    gated = run(0.0, 2e-8);
    reference = plain.process(0.0, 2e-8, plainGenerator);
    EXPECT_EQ(gated.left, reference.left);
    EXPECT_EQ(gated.right, reference.right);
}

TEST_F(RequantizerTest, WithoutAutoblackTheDitherFloorStays)
{
    configure(true, kBits16, false);
    for (int i = 0; i < 50000; ++i) {
        run(0.0, 0.0);
    }
    int nonZero = 0;
    for (int i = 0; i < 1000; ++i) {
        nonZero += run(0.0, 0.0).left != 0.0 ? 1 : 0;
    }
    EXPECT_GT(nonZero, 300);
}

TEST_F(RequantizerTest, LevelsAboveFullScaleClipToExactlyOne)
{
    struct Case {
        bool quantize;
        int bits;
        double y;
    };
    const Case cases[] = {
        {false, kBits16, 1.5}, {false, kBits16, 1e300}, {false, kBits16, -1e20},
        {true, kBits16, 1.001}, {true, kBits16, -3.0}, {true, kBits8, 1e300},
        {true, kBits8, -1e300}, {true, kBits24, 300.0}, {true, kBits24, -300.0},
    };
    for (const Case& c : cases) {
        configure(c.quantize, c.bits, false);
        const double expected = c.y > 0 ? 1.0 : -1.0;
        const StereoSample out = run(c.y, -c.y);
        EXPECT_EQ(out.left, expected) << c.y << " quantize " << c.quantize;
        EXPECT_EQ(out.right, -expected) << c.y << " quantize " << c.quantize;
    }
}

TEST_F(RequantizerTest, QuantizeOffPassesTheSignalAndLeavesAllStateUntouched)
{
    Requantizer twin;
    DitherGenerator twinGenerator;
    configure(true, kBits16, true, kTypeA);
    twin.setFeedbackSet(NoiseShapingSets::select(kTypeA, 44100, nullptr));
    twin.beginBlock(true, kBits16, true);
    auto y = [](int i) { return 0.2 * std::sin(0.07 * i); };
    for (int i = 0; i < 500; ++i) {
        run(y(i), y(i + 3));
        twin.process(y(i), y(i + 3), twinGenerator);
    }

    requantizer.beginBlock(false, kBits16, true);
    for (int i = 0; i < 300; ++i) {
        const StereoSample out = run(i % 2 ? 0.0 : 0.123456789, -0.5);
        ASSERT_EQ(out.left, i % 2 ? 0.0 : 0.123456789);  // silence here would close the gate
        ASSERT_EQ(out.right, -0.5);
    }

    requantizer.beginBlock(true, kBits16, true);
    for (int i = 500; i < 1500; ++i) {
        const StereoSample a = run(i < 1000 ? y(i) : 0.0, i < 1000 ? y(i + 3) : 0.0);
        const StereoSample b = twin.process(i < 1000 ? y(i) : 0.0, i < 1000 ? y(i + 3) : 0.0,
                                            twinGenerator);
        ASSERT_EQ(a.left, b.left) << i;
        ASSERT_EQ(a.right, b.right) << i;
    }
}

TEST(RequantizerStore, WritesRightFirstSoASharedBufferKeepsTheLeftResult)
{
    float shared = 0.0f;
    Requantizer::store(StereoSample{0.25, -0.75}, shared, shared);
    EXPECT_EQ(shared, 0.25f);
    double left = 0.0;
    double right = 0.0;
    Requantizer::store(StereoSample{0.25, -0.75}, left, right);
    EXPECT_EQ(left, 0.25);
    EXPECT_EQ(right, -0.75);
}

TEST(RequantizerConversion, SaturatesOutsideThe32BitRange)
{
    EXPECT_EQ(Requantizer::truncateSaturating(2.9), 2);
    EXPECT_EQ(Requantizer::truncateSaturating(-2.9), -2);
    EXPECT_EQ(Requantizer::truncateSaturating(3e9), INT32_MAX);
    EXPECT_EQ(Requantizer::truncateSaturating(-3e9), INT32_MIN);
    EXPECT_EQ(Requantizer::truncateSaturating(-2147483648.5), INT32_MIN);
    EXPECT_EQ(Requantizer::truncateSaturating(std::nan("")), INT32_MIN);
}

// ---- the shaped error spectrum ----

// Band power of a Hann-windowed signal by a plain DFT over the bins in [lowHz, highHz).
double bandPower(const std::vector<double>& x, double rate, double lowHz, double highHz)
{
    const int n = static_cast<int>(x.size());
    std::vector<double> windowed(x.size());
    for (int i = 0; i < n; ++i) {
        windowed[i] = x[i] * (0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * i / n));
    }
    std::vector<std::complex<double>> twiddle(x.size());
    for (int i = 0; i < n; ++i) {
        twiddle[i] = std::polar(1.0, -2.0 * std::numbers::pi * i / n);
    }
    const int first = static_cast<int>(std::ceil(lowHz * n / rate));
    const int last = static_cast<int>(std::ceil(highHz * n / rate));
    double power = 0.0;
    for (int bin = first; bin < last; ++bin) {
        std::complex<double> sum = 0.0;
        long long index = 0;
        for (int i = 0; i < n; ++i) {
            sum += windowed[i] * twiddle[index];
            index = (index + bin) % n;
        }
        power += std::norm(sum);
    }
    return power;
}

// The total requantization error q - y of a quiet sine, left channel.
std::vector<double> requantizationError(int shapeStep, int rate, int count)
{
    Requantizer requantizer;
    DitherGenerator generator;
    requantizer.setSampleRate(rate);
    requantizer.setFeedbackSet(NoiseShapingSets::select(shapeStep, rate, NoiseShapingSets::zeroSet()));
    requantizer.beginBlock(true, kBits16, false);
    std::vector<double> error;
    for (int i = 0; i < count; ++i) {
        const double y = 0.003 * std::sin(2.0 * std::numbers::pi * 1000.0 * i / rate);
        error.push_back(requantizer.process(y, y, generator).left - y);
    }
    return error;
}

TEST(RequantizerSpectrum, TypeAAt44100MovesNoiseFromTheMidrangeToTheTop)
{
    constexpr int kCount = 8192;
    const std::vector<double> flat = requantizationError(kStepOff, 44100, kCount);
    const std::vector<double> shaped = requantizationError(kTypeA, 44100, kCount);
    EXPECT_LT(bandPower(shaped, 44100, 2000, 5000), 0.5 * bandPower(flat, 44100, 2000, 5000));
    EXPECT_GT(bandPower(shaped, 44100, 15000, 22050), 2.0 * bandPower(flat, 44100, 15000, 22050));
}

TEST(RequantizerSpectrum, ShapedToFlatPowerRatioFollowsTheCurveInEachBand)
{
    struct Case {
        int step;
        int rate;
    };
    constexpr int kCount = 16384;
    for (const Case c : {Case{kTypeA, 48000}, Case{kTypeB, 44100}, Case{kTypeC, 96000},
                         Case{kTypeB, 192000}}) {
        const double* g = NoiseShapingSets::select(c.step, c.rate, nullptr);
        const std::vector<double> flat = requantizationError(kStepOff, c.rate, kCount);
        const std::vector<double> shaped = requantizationError(c.step, c.rate, kCount);
        for (const auto& [low, high] : {std::pair{0.05, 0.1}, std::pair{0.2, 0.25},
                                        std::pair{0.4, 0.45}}) {
            double expected = 0.0;
            constexpr int kPoints = 200;
            for (int i = 0; i < kPoints; ++i) {
                const double f = low + (high - low) * (i + 0.5) / kPoints;
                expected += std::pow(ntfMagnitude(g, 2.0 * std::numbers::pi * f), 2) / kPoints;
            }
            const double measured = bandPower(shaped, c.rate, low * c.rate, high * c.rate)
                                    / bandPower(flat, c.rate, low * c.rate, high * c.rate);
            EXPECT_NEAR(10.0 * std::log10(measured / expected), 0.0, 1.0)
                << "step " << c.step << " at " << c.rate << " band " << low << ".." << high;
        }
    }
}

}  // namespace
}  // namespace orv
