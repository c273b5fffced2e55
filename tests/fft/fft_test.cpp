#include "fft/fft.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace orv::fft {
namespace {

using Signal = std::vector<double>;

struct FftEntries {
    int n;
    void (*forward)(double*) noexcept;
    void (*inverse)(double*) noexcept;
    void (*multiply)(double*, const double*) noexcept;
    void (*scale)(double*) noexcept;
};

const FftEntries kSizes[] = {
    {8, fftForward8, fftInverse8, fftMultiply8, fftScale8},
    {16, fftForward16, fftInverse16, fftMultiply16, fftScale16},
    {32, fftForward32, fftInverse32, fftMultiply32, fftScale32},
    {64, fftForward64, fftInverse64, fftMultiply64, fftScale64},
    {128, fftForward128, fftInverse128, fftMultiply128, fftScale128},
    {256, fftForward256, fftInverse256, fftMultiply256, fftScale256},
    {512, fftForward512, fftInverse512, fftMultiply512, fftScale512},
};

// Signal in natural order -> pair layout (x[t], x[t + n/2]) and back.
Signal toPairs(const Signal& x) {
    const std::size_t half = x.size() / 2;
    Signal pairs(x.size());
    for (std::size_t t = 0; t < half; ++t) {
        pairs[2 * t] = x[t];
        pairs[2 * t + 1] = x[t + half];
    }
    return pairs;
}

Signal fromPairs(const Signal& pairs) {
    const std::size_t half = pairs.size() / 2;
    Signal x(pairs.size());
    for (std::size_t t = 0; t < half; ++t) {
        x[t] = pairs[2 * t];
        x[t + half] = pairs[2 * t + 1];
    }
    return x;
}

double maxAbs(const Signal& x) {
    double m = 0.0;
    for (double v : x) m = std::max(m, std::abs(v));
    return m;
}

double maxAbsDifference(const Signal& a, const Signal& b) {
    double m = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i) m = std::max(m, std::abs(a[i] - b[i]));
    return m;
}

// X[f] = sum over t of x[t] e^(+2 pi i f t / n), summed directly.
std::vector<std::complex<double>> directDft(const Signal& x) {
    const std::size_t n = x.size();
    std::vector<std::complex<double>> bins(n);
    for (std::size_t f = 0; f < n; ++f) {
        std::complex<double> sum = 0.0;
        for (std::size_t t = 0; t < n; ++t) {
            const double angle = 2.0 * std::numbers::pi * static_cast<double>((f * t) % n) /
                                 static_cast<double>(n);
            sum += x[t] * std::polar(1.0, angle);
        }
        bins[f] = sum;
    }
    return bins;
}

Signal directCyclicConvolution(const Signal& x, const Signal& k) {
    const std::size_t n = x.size();
    Signal y(n, 0.0);
    for (std::size_t j = 0; j < n; ++j)
        for (std::size_t m = 0; m < n; ++m) y[j] += x[m] * k[(j + n - m) % n];
    return y;
}

class FftContract : public ::testing::TestWithParam<FftEntries> {
protected:
    std::size_t size() const { return static_cast<std::size_t>(GetParam().n); }

    // Uniform in [-1, 1) on the first `used` values, zero above.
    Signal randomSignal(std::size_t used) {
        std::uniform_real_distribution<double> dist(-1.0, 1.0);
        Signal x(size(), 0.0);
        for (std::size_t t = 0; t < used; ++t) x[t] = dist(rng_);
        return x;
    }

    Signal forward(const Signal& x) const {
        Signal data = toPairs(x);
        GetParam().forward(data.data());
        return data;
    }

    // The engine's recipe: forward, times the scaled kernel spectrum, inverse.
    Signal convolve(const Signal& x, const Signal& k) const {
        Signal kernel = forward(k);
        GetParam().scale(kernel.data());
        Signal data = forward(x);
        GetParam().multiply(data.data(), kernel.data());
        GetParam().inverse(data.data());
        return fromPairs(data);
    }

private:
    std::mt19937_64 rng_{0x5eed + static_cast<unsigned>(GetParam().n)};
};

TEST_P(FftContract, InverseOfScaledForwardIsIdentity) {
    const Signal x = randomSignal(size());
    Signal data = toPairs(x);
    GetParam().forward(data.data());
    GetParam().scale(data.data());
    GetParam().inverse(data.data());
    EXPECT_LE(maxAbsDifference(fromPairs(data), x), 1e-13 * maxAbs(x));
}

TEST_P(FftContract, ConvolutionMatchesDirectCyclicConvolution) {
    const Signal x = randomSignal(size());
    const Signal k = randomSignal(size());
    const Signal expected = directCyclicConvolution(x, k);
    EXPECT_LE(maxAbsDifference(convolve(x, k), expected), 1e-12 * maxAbs(expected));
}

TEST_P(FftContract, ConvolutionOfImpulseReturnsKernel) {
    Signal impulse(size(), 0.0);
    impulse[0] = 1.0;
    const Signal k = randomSignal(size());
    EXPECT_LE(maxAbsDifference(convolve(impulse, k), k), 1e-14 * maxAbs(k));
}

TEST_P(FftContract, ZeroUpperHalvesGiveLinearConvolution) {
    const std::size_t half = size() / 2;
    const Signal x = randomSignal(half);
    const Signal k = randomSignal(half);
    Signal expected(size(), 0.0);
    for (std::size_t i = 0; i < half; ++i)
        for (std::size_t j = 0; j < half; ++j) expected[i + j] += x[i] * k[j];
    EXPECT_LE(maxAbsDifference(convolve(x, k), expected), 1e-12 * maxAbs(expected));
}

TEST_P(FftContract, ConstantSignalHasOnlyTheZeroBin) {
    const Signal spectrum = forward(Signal(size(), 1.0));
    EXPECT_EQ(spectrum[0], GetParam().n);
    for (std::size_t p = 1; p < size(); ++p) EXPECT_EQ(spectrum[p], 0.0) << "position " << p;
}

TEST_P(FftContract, ImpulseHasEveryBinEqualToOne) {
    Signal impulse(size(), 0.0);
    impulse[0] = 1.0;
    const Signal spectrum = forward(impulse);
    EXPECT_EQ(spectrum[0], 1.0);
    EXPECT_EQ(spectrum[1], 1.0);
    for (std::size_t p = 2; p < size(); p += 2) {
        EXPECT_EQ(spectrum[p], 1.0) << "pair at " << p;
        EXPECT_EQ(spectrum[p + 1], 0.0) << "pair at " << p;
    }
}

// Positions 0 and 1 are X[0] and X[n/2]; every other pair is X[f] or its conjugate for a distinct
// f in 1 .. n/2 - 1, so together the pairs cover each independent bin exactly once.
TEST_P(FftContract, ForwardHoldsEachDftBinOnce) {
    const Signal x = randomSignal(size());
    const std::vector<std::complex<double>> bins = directDft(x);
    const Signal spectrum = forward(x);
    const std::size_t half = size() / 2;
    const double tolerance = 1e-12 * static_cast<double>(size());

    EXPECT_NEAR(spectrum[0], bins[0].real(), tolerance);
    EXPECT_NEAR(spectrum[1], bins[half].real(), tolerance);
    std::vector<int> hits(half, 0);
    for (std::size_t p = 2; p < size(); p += 2) {
        const std::complex<double> value(spectrum[p], spectrum[p + 1]);
        std::size_t matches = 0;
        for (std::size_t f = 1; f < half; ++f) {
            if (std::abs(value - bins[f]) < tolerance || std::abs(value - std::conj(bins[f])) < tolerance) {
                ++hits[f];
                ++matches;
            }
        }
        EXPECT_EQ(matches, 1u) << "pair at " << p;
    }
    for (std::size_t f = 1; f < half; ++f) EXPECT_EQ(hits[f], 1) << "bin " << f;
}

INSTANTIATE_TEST_SUITE_P(AllSizes, FftContract, ::testing::ValuesIn(kSizes),
                         [](const ::testing::TestParamInfo<FftEntries>& param) {
                             std::string name(1, 'n');
                             name += std::to_string(param.param.n);
                             return name;
                         });

TEST(FftBinOrder, Forward8PlacesBinsInRecursionOrder) {
    const Signal x = {0.3, -1.2, 2.5, 0.7, -0.4, 1.9, -2.2, 0.8};
    const std::vector<std::complex<double>> bins = directDft(x);
    Signal data = toPairs(x);
    fftForward8(data.data());
    const double expected[8] = {bins[0].real(), bins[4].real(), bins[2].real(), bins[2].imag(),
                                bins[1].real(), bins[1].imag(), bins[3].real(), -bins[3].imag()};
    for (std::size_t p = 0; p < 8; ++p) EXPECT_NEAR(data[p], expected[p], 1e-14) << "position " << p;
}

}  // namespace
}  // namespace orv::fft
