#include "engine/noise_shaping_sets.h"

#include <array>

namespace orv {
namespace {

using Set = std::array<double, NoiseShapingSets::kTaps>;

// Taps c[0..11] of the noise transfer functions, one row per curve and rate (rates in the order
// of kRatesHz, trailing zeros omitted). Type A is of third order, types B and C of 11th/12th.
constexpr Set kNoiseTransfer[NoiseShapingSets::kCurves][NoiseShapingSets::kRates] = {
    {   // type A
        {-1.14927, 0.690052, -0.222153},
        {-1.320576, 0.900871, -0.3339},
        {-2.295096, 2.083295, -0.751798},
        {-2.361518, 2.150189, -0.758101},
        {-1.974841, 1.131472, -0.120763},
        {-1.830033, 0.827539, 0.038527},
    },
    {   // type B
        {-1.98998, 2.815903, -3.59874, 4.14422, -3.958916, 3.541496, -2.876669, 2.080732,
         -1.301405, 0.738357, -0.324668, 0.094727},
        {-2.292807, 3.449207, -4.278992, 4.405259, -3.551278, 2.383736, -1.145863, 0.178984,
         0.308775, -0.376613, 0.270185, -0.093739},
        {-2.569667, 2.357124, -0.171799, -1.058195, 0.069182, 0.766136, -0.071017, -0.502235,
         0.058293, 0.427168, -0.30351, 0.055997},
        {-2.420053, 1.813905, 0.349798, -0.85658, -0.3587, 0.482171, 0.380613, -0.250664,
         -0.307192, 0.122492, 0.249268, -0.157513},
        {-1.583163, -0.046741, 0.539339, 0.432278, 0.057126, -0.21563, -0.274263, -0.138357,
         0.068032, 0.204997, 0.126801, -0.145297},
        {-1.478775, -0.150194, 0.425819, 0.437121, 0.160451, -0.124695, -0.254447, -0.195122,
         -0.016586, 0.163272, 0.17062, -0.110211},
    },
    {   // type C
        {-2.373123, 3.202127, -3.536373, 3.495827, -2.380664, 1.002082, -0.045419, -0.485393,
         0.707703, -0.465713, 0.151443},
        {-2.550927, 3.535094, -3.670588, 2.919664, -1.112481, -0.485228, 1.218951, -1.271762,
         0.878562, -0.31554, 0.052365},
        {-2.348798, 1.563476, 0.466139, -0.694704, -0.405994, 0.346658, 0.423676, -0.149073,
         -0.292122, 0.011553, 0.208539, -0.083328},
        {-2.228022, 1.203183, 0.681533, -0.474134, -0.503511, 0.062118, 0.44359, 0.117306,
         -0.255252, -0.156088, 0.169775, -0.01671},
        {-1.29969, -0.269145, 0.256736, 0.377943, 0.2339, 0.004219, -0.160402, -0.193702,
         -0.105258, 0.042255, 0.15463},
        {-1.322058, -0.277325, 0.268108, 0.397685, 0.239571, -0.004577, -0.159831, -0.188303,
         -0.104882, 0.035507, 0.146967},
    },
};

constexpr int kShapedSets = NoiseShapingSets::kCurves * NoiseShapingSets::kRates;

// The 18 shaped sets negated, in curve-major order, then the zero set. Built at compile time.
constexpr std::array<Set, kShapedSets + 1> makeFeedbackSets()
{
    std::array<Set, kShapedSets + 1> sets{};
    for (int curve = 0; curve < NoiseShapingSets::kCurves; ++curve) {
        for (int rate = 0; rate < NoiseShapingSets::kRates; ++rate) {
            for (int k = 0; k < NoiseShapingSets::kTaps; ++k) {
                sets[curve * NoiseShapingSets::kRates + rate][k] = -kNoiseTransfer[curve][rate][k];
            }
        }
    }
    return sets;
}

constexpr std::array<Set, kShapedSets + 1> kFeedbackSets = makeFeedbackSets();

}  // namespace

const double* NoiseShapingSets::select(int step, int rateHz, const double* current) noexcept
{
    if (step == 0) {
        return zeroSet();
    }
    if (step < 1 || step > kCurves) {
        return current;
    }
    for (int rate = 0; rate < kRates; ++rate) {
        if (kRatesHz[rate] == rateHz) {
            return kFeedbackSets[(step - 1) * kRates + rate].data();
        }
    }
    return current;
}

const double* NoiseShapingSets::zeroSet() noexcept
{
    return kFeedbackSets[kShapedSets].data();
}

}  // namespace orv
