// Conjugate-pair split-radix transforms of fixed size, complex and real, forward and inverse.
//
// Glossary
//   m       number of complex values of a complex transform
//   n       number of reals of a real transform, stored as n/2 pairs (x[t], x[t + n/2])
//   q       a quarter of the size (m/4 or n/4)
//   w_k     twiddle e^(2 pi i k / size) of the current size, k < q
//   bin     one pair of a spectrum; which frequency it holds is whatever the recursion leaves there
//
// Forward: X[f] = sum over t of x[t] e^(+2 pi i f t / size). The complex inverse returns m times
// its forward transform's input; the real inverse only becomes the inverse of the real forward
// transform after the spectrum has been scaled (see spectrum_ops.h). Nothing is ever reordered.
//
// Everything is a template over the lane type and over the size, so every size is its own code
// with no size decided at run time. The 4, 8 and 16 value complex transforms and the 8 and 16 real
// transforms are straight-line with constant twiddles; each larger level is one loop over its
// table d_m followed by the smaller transforms. In place, no allocation, no state: safe on any
// thread, including the audio thread.
#pragma once

#include "fft/lane_complex.h"
#include "fft/twiddles.h"

namespace orv::fft::detail {

// Where the loop passes find table d_m for a lane type; a lane type that carries both channels
// supplies its own tables with every double stored once per lane.
template <typename Lane>
struct TwiddleTables;

template <>
struct TwiddleTables<double> {
    template <int M>
    static const double* table() noexcept {
        return kTwiddles<M>.data();
    }
};

inline constexpr double kCosEighthPi = 0.9238795325112867;
inline constexpr double kSinEighthPi = 0.3826834323650898;
inline constexpr double kHalfSqrt2 = 0.7071067811865476;

template <typename Lane>
inline Complex<Lane> twiddle(double re, double im) noexcept {
    return {Lane(re), Lane(im)};
}

// --- Butterflies -------------------------------------------------------------------------------

// Forward step k of a complex transform: a points at a[k], the partners are a[k + Q], a[k + 2Q],
// a[k + 3Q].
template <int Q, typename Lane, typename Twiddle>
inline void forwardButterfly(Lane* a, Twiddle w) noexcept {
    const Complex<Lane> a0 = load(a);
    const Complex<Lane> a1 = load(a + 2 * Q);
    const Complex<Lane> a2 = load(a + 4 * Q);
    const Complex<Lane> a3 = load(a + 6 * Q);
    const Complex<Lane> t1 = a0 - a2;
    const Complex<Lane> t2 = a1 - a3;
    store(a, a0 + a2);
    store(a + 2 * Q, a1 + a3);
    store(a + 4 * Q, times(t1 + timesI(t2), w));
    store(a + 6 * Q, timesConj(t1 - timesI(t2), w));
}

// Inverse step k, run after the sub-transforms; undoes forwardButterfly up to their scale.
template <int Q, typename Lane, typename Twiddle>
inline void inverseButterfly(Lane* a, Twiddle w) noexcept {
    const Complex<Lane> p = load(a);
    const Complex<Lane> r = load(a + 2 * Q);
    const Complex<Lane> y1 = timesConj(load(a + 4 * Q), w);
    const Complex<Lane> y3 = times(load(a + 6 * Q), w);
    const Complex<Lane> s = y1 + y3;
    const Complex<Lane> d = timesMinusI(y1 - y3);
    store(a, p + s);
    store(a + 4 * Q, p - s);
    store(a + 2 * Q, r + d);
    store(a + 6 * Q, r - d);
}

// Forward step t of a real transform: x points at pair t = (x[t], x[t + n/2]), pair q + t =
// (x[t + n/4], x[t + 3n/4]) lies Q pairs further. Pair t keeps the even half's input, pair q + t
// receives the folded, twiddled odd half.
template <int Q, typename Lane, typename Twiddle>
inline void realForwardStep(Lane* x, Twiddle w) noexcept {
    const Lane a = x[0];
    const Lane c = x[1];
    const Lane b = x[2 * Q];
    const Lane d = x[2 * Q + 1];
    x[0] = a + c;
    x[1] = b + d;
    store(x + 2 * Q, times(Complex<Lane>{a - c, b - d}, w));
}

template <int Q, typename Lane, typename Twiddle>
inline void realInverseStep(Lane* x, Twiddle w) noexcept {
    const Lane p = x[0];
    const Lane r = x[1];
    const Complex<Lane> y = timesConj(load(x + 2 * Q), w);
    x[0] = p + y.re;
    x[1] = p - y.re;
    x[2 * Q] = r + y.im;
    x[2 * Q + 1] = r - y.im;
}

// Size 2, complex and real: (u, v) becomes (u + v, u - v); applied twice it doubles its input,
// so it serves as forward and inverse alike.
template <typename Lane>
inline void complexTransform2(Lane* a) noexcept {
    const Complex<Lane> a0 = load(a);
    const Complex<Lane> a1 = load(a + 2);
    store(a, a0 + a1);
    store(a + 2, a0 - a1);
}

template <typename Lane>
inline void realTransform2(Lane* x) noexcept {
    const Lane x0 = x[0];
    const Lane x1 = x[1];
    x[0] = x0 + x1;
    x[1] = x0 - x1;
}

// --- Loop passes, one per level from 32 up -------------------------------------------------------

template <int M, typename Lane>
void complexForwardPass(Lane* a) noexcept {
    constexpr int q = M / 4;
    const Lane* w = TwiddleTables<Lane>::template table<M>();
    forwardButterfly<q>(a, UnitTwiddle{});
    for (int k = 1; k < q; ++k) {
        forwardButterfly<q>(a + 2 * k, load(w + 2 * (k - 1)));
    }
}

template <int M, typename Lane>
void complexInversePass(Lane* a) noexcept {
    constexpr int q = M / 4;
    const Lane* w = TwiddleTables<Lane>::template table<M>();
    inverseButterfly<q>(a, UnitTwiddle{});
    for (int k = 1; k < q; ++k) {
        inverseButterfly<q>(a + 2 * k, load(w + 2 * (k - 1)));
    }
}

template <int N, typename Lane>
void realForwardPass(Lane* x) noexcept {
    constexpr int q = N / 4;
    const Lane* w = TwiddleTables<Lane>::template table<N>();
    realForwardStep<q>(x, UnitTwiddle{});
    for (int t = 1; t < q; ++t) {
        realForwardStep<q>(x + 2 * t, load(w + 2 * (t - 1)));
    }
}

template <int N, typename Lane>
void realInversePass(Lane* x) noexcept {
    constexpr int q = N / 4;
    const Lane* w = TwiddleTables<Lane>::template table<N>();
    realInverseStep<q>(x, UnitTwiddle{});
    for (int t = 1; t < q; ++t) {
        realInverseStep<q>(x + 2 * t, load(w + 2 * (t - 1)));
    }
}

// --- Straight-line small sizes -------------------------------------------------------------------

template <typename Lane>
inline void complexForward4(Lane* a) noexcept {
    forwardButterfly<1>(a, UnitTwiddle{});
    complexTransform2(a);
}

template <typename Lane>
inline void complexInverse4(Lane* a) noexcept {
    complexTransform2(a);
    inverseButterfly<1>(a, UnitTwiddle{});
}

template <typename Lane>
inline void complexForward8(Lane* a) noexcept {
    forwardButterfly<2>(a, UnitTwiddle{});
    forwardButterfly<2>(a + 2, twiddle<Lane>(kHalfSqrt2, kHalfSqrt2));
    complexForward4(a);
    complexTransform2(a + 8);
    complexTransform2(a + 12);
}

template <typename Lane>
inline void complexInverse8(Lane* a) noexcept {
    complexInverse4(a);
    complexTransform2(a + 8);
    complexTransform2(a + 12);
    inverseButterfly<2>(a, UnitTwiddle{});
    inverseButterfly<2>(a + 2, twiddle<Lane>(kHalfSqrt2, kHalfSqrt2));
}

template <typename Lane>
inline void complexForward16(Lane* a) noexcept {
    forwardButterfly<4>(a, UnitTwiddle{});
    forwardButterfly<4>(a + 2, twiddle<Lane>(kCosEighthPi, kSinEighthPi));
    forwardButterfly<4>(a + 4, twiddle<Lane>(kHalfSqrt2, kHalfSqrt2));
    forwardButterfly<4>(a + 6, twiddle<Lane>(kSinEighthPi, kCosEighthPi));
    complexForward8(a);
    complexForward4(a + 16);
    complexForward4(a + 24);
}

template <typename Lane>
inline void complexInverse16(Lane* a) noexcept {
    complexInverse8(a);
    complexInverse4(a + 16);
    complexInverse4(a + 24);
    inverseButterfly<4>(a, UnitTwiddle{});
    inverseButterfly<4>(a + 2, twiddle<Lane>(kCosEighthPi, kSinEighthPi));
    inverseButterfly<4>(a + 4, twiddle<Lane>(kHalfSqrt2, kHalfSqrt2));
    inverseButterfly<4>(a + 6, twiddle<Lane>(kSinEighthPi, kCosEighthPi));
}

// Real 8: pass of 8, then real 4 (pass of 4, real 2, complex 1 = nothing) on pairs 0..1 and
// complex 2 on pairs 2..3.
template <typename Lane>
inline void realForward8(Lane* x) noexcept {
    realForwardStep<2>(x, UnitTwiddle{});
    realForwardStep<2>(x + 2, twiddle<Lane>(kHalfSqrt2, kHalfSqrt2));
    realForwardStep<1>(x, UnitTwiddle{});
    realTransform2(x);
    complexTransform2(x + 4);
}

template <typename Lane>
inline void realInverse8(Lane* x) noexcept {
    complexTransform2(x + 4);
    realTransform2(x);
    realInverseStep<1>(x, UnitTwiddle{});
    realInverseStep<2>(x, UnitTwiddle{});
    realInverseStep<2>(x + 2, twiddle<Lane>(kHalfSqrt2, kHalfSqrt2));
}

template <typename Lane>
inline void realForward16(Lane* x) noexcept {
    realForwardStep<4>(x, UnitTwiddle{});
    realForwardStep<4>(x + 2, twiddle<Lane>(kCosEighthPi, kSinEighthPi));
    realForwardStep<4>(x + 4, twiddle<Lane>(kHalfSqrt2, kHalfSqrt2));
    realForwardStep<4>(x + 6, twiddle<Lane>(kSinEighthPi, kCosEighthPi));
    realForward8(x);
    complexForward4(x + 8);
}

template <typename Lane>
inline void realInverse16(Lane* x) noexcept {
    complexInverse4(x + 8);
    realInverse8(x);
    realInverseStep<4>(x, UnitTwiddle{});
    realInverseStep<4>(x + 2, twiddle<Lane>(kCosEighthPi, kSinEighthPi));
    realInverseStep<4>(x + 4, twiddle<Lane>(kHalfSqrt2, kHalfSqrt2));
    realInverseStep<4>(x + 6, twiddle<Lane>(kSinEighthPi, kCosEighthPi));
}

// --- Any supported size --------------------------------------------------------------------------

template <int M, typename Lane>
void complexForward(Lane* a) noexcept {
    static_assert(M >= 4 && M <= 128 && (M & (M - 1)) == 0, "complex transforms of 4 .. 128 values");
    if constexpr (M == 4) {
        complexForward4(a);
    } else if constexpr (M == 8) {
        complexForward8(a);
    } else if constexpr (M == 16) {
        complexForward16(a);
    } else {
        complexForwardPass<M>(a);
        complexForward<M / 2>(a);
        complexForward<M / 4>(a + M);
        complexForward<M / 4>(a + 3 * M / 2);
    }
}

template <int M, typename Lane>
void complexInverse(Lane* a) noexcept {
    static_assert(M >= 4 && M <= 128 && (M & (M - 1)) == 0, "complex transforms of 4 .. 128 values");
    if constexpr (M == 4) {
        complexInverse4(a);
    } else if constexpr (M == 8) {
        complexInverse8(a);
    } else if constexpr (M == 16) {
        complexInverse16(a);
    } else {
        complexInverse<M / 2>(a);
        complexInverse<M / 4>(a + M);
        complexInverse<M / 4>(a + 3 * M / 2);
        complexInversePass<M>(a);
    }
}

template <int N, typename Lane>
void realForward(Lane* x) noexcept {
    static_assert(N >= 8 && N <= 512 && (N & (N - 1)) == 0, "real transforms of 8 .. 512 values");
    if constexpr (N == 8) {
        realForward8(x);
    } else if constexpr (N == 16) {
        realForward16(x);
    } else {
        realForwardPass<N>(x);
        realForward<N / 2>(x);
        complexForward<N / 4>(x + N / 2);
    }
}

template <int N, typename Lane>
void realInverse(Lane* x) noexcept {
    static_assert(N >= 8 && N <= 512 && (N & (N - 1)) == 0, "real transforms of 8 .. 512 values");
    if constexpr (N == 8) {
        realInverse8(x);
    } else if constexpr (N == 16) {
        realInverse16(x);
    } else {
        complexInverse<N / 4>(x + N / 2);
        realInverse<N / 2>(x);
        realInversePass<N>(x);
    }
}

}  // namespace orv::fft::detail
