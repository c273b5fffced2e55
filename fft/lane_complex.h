// Complex arithmetic on a lane type, the building block of the transforms.
//
// A lane is the unit the transforms compute with: one double for one channel. Every operation is
// written only with +, - and * on lanes so the same transforms can run on a type that carries both
// channels side by side. Complex values live in memory as two consecutive lanes (re, im).
// Pure functions: safe on any thread.
#pragma once

namespace orv::fft::detail {

template <typename Lane>
struct Complex {
    Lane re;
    Lane im;
};

// The twiddle w_0 = 1, kept as its own type so a butterfly on it costs no multiplication.
struct UnitTwiddle {};

template <typename Lane>
inline Complex<Lane> load(const Lane* p) noexcept {
    return {p[0], p[1]};
}

template <typename Lane>
inline void store(Lane* p, Complex<Lane> z) noexcept {
    p[0] = z.re;
    p[1] = z.im;
}

template <typename Lane>
inline Complex<Lane> operator+(Complex<Lane> a, Complex<Lane> b) noexcept {
    return {a.re + b.re, a.im + b.im};
}

template <typename Lane>
inline Complex<Lane> operator-(Complex<Lane> a, Complex<Lane> b) noexcept {
    return {a.re - b.re, a.im - b.im};
}

// i z
template <typename Lane>
inline Complex<Lane> timesI(Complex<Lane> z) noexcept {
    return {-z.im, z.re};
}

// -i z
template <typename Lane>
inline Complex<Lane> timesMinusI(Complex<Lane> z) noexcept {
    return {z.im, -z.re};
}

template <typename Lane>
inline Complex<Lane> times(Complex<Lane> a, Complex<Lane> b) noexcept {
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}

// a times the conjugate of b
template <typename Lane>
inline Complex<Lane> timesConj(Complex<Lane> a, Complex<Lane> b) noexcept {
    return {a.re * b.re + a.im * b.im, a.im * b.re - a.re * b.im};
}

template <typename Lane>
inline Complex<Lane> times(Complex<Lane> a, UnitTwiddle) noexcept {
    return a;
}

template <typename Lane>
inline Complex<Lane> timesConj(Complex<Lane> a, UnitTwiddle) noexcept {
    return a;
}

}  // namespace orv::fft::detail
