// Twiddle tables of the split-radix passes, one per transform size m = 32 .. 512.
//
// Table d_m holds w_k = (cos(2 pi k / m), sin(2 pi k / m)) for k = 1 .. m/4 - 1 as (re, im) pairs,
// entry k at index 2 (k - 1); w_0 = 1 is never stored because the passes treat it apart. A quarter
// period is all a conjugate-pair pass needs. The tables are built while compiling, so they are
// read-only data and safe to read from any thread.
#pragma once

#include <array>
#include <cstddef>

namespace orv::fft::detail {

// Taylor series evaluated in extended precision; accurate to far below a double's rounding for
// |x| <= pi/4, which is all makeTwiddles asks of them.
constexpr long double sinSeries(long double x) noexcept {
    long double term = x;
    long double sum = x;
    for (int n = 1; n <= 12; ++n) {
        term *= -x * x / static_cast<long double>((2 * n) * (2 * n + 1));
        sum += term;
    }
    return sum;
}

constexpr long double cosSeries(long double x) noexcept {
    long double term = 1.0L;
    long double sum = 1.0L;
    for (int n = 1; n <= 12; ++n) {
        term *= -x * x / static_cast<long double>((2 * n - 1) * (2 * n));
        sum += term;
    }
    return sum;
}

template <int M>
constexpr std::array<double, M / 2 - 2> makeTwiddles() noexcept {
    static_assert(M >= 32 && (M & (M - 1)) == 0, "twiddle tables exist for powers of two from 32");
    constexpr long double twoPi = 6.283185307179586476925286766559005768L;
    std::array<double, M / 2 - 2> table{};
    for (int k = 1; k < M / 4; ++k) {
        // Past an eighth of a turn, use the complementary angle so the series stays short and
        // cos/sin of k and m/4 - k come out as exact mirror images.
        const int mirror = M / 4 - k;
        const bool direct = k <= mirror;
        const long double angle = twoPi * static_cast<long double>(direct ? k : mirror) / M;
        const long double c = direct ? cosSeries(angle) : sinSeries(angle);
        const long double s = direct ? sinSeries(angle) : cosSeries(angle);
        table[static_cast<std::size_t>(2 * (k - 1))] = static_cast<double>(c);
        table[static_cast<std::size_t>(2 * (k - 1) + 1)] = static_cast<double>(s);
    }
    return table;
}

template <int M>
inline constexpr std::array<double, M / 2 - 2> kTwiddles = makeTwiddles<M>();

}  // namespace orv::fft::detail
