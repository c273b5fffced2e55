// Fixed-size real transforms for block convolution, one entry per size.
//
// A signal of n reals is stored as n/2 pairs (x[t], x[t + n/2]); a spectrum occupies the same n
// doubles with bins in the order the split-radix recursion leaves them. Only convolution is
// supported: forward, multiply by a scaled kernel spectrum, inverse. All entries work in place on
// 16-byte aligned buffers, allocate nothing and keep no state. Safe to call from the audio thread.
#pragma once

namespace orv::fft {

// Signal in pair layout to spectrum. Any thread, reentrant.
void fftForward8(double* data) noexcept;
void fftForward16(double* data) noexcept;
void fftForward32(double* data) noexcept;
void fftForward64(double* data) noexcept;
void fftForward128(double* data) noexcept;
void fftForward256(double* data) noexcept;
void fftForward512(double* data) noexcept;

// Spectrum to signal in pair layout. Unscaled: it undoes fftForward only on a spectrum that went
// through fftScale (in a convolution, the kernel's). Any thread, reentrant.
void fftInverse8(double* data) noexcept;
void fftInverse16(double* data) noexcept;
void fftInverse32(double* data) noexcept;
void fftInverse64(double* data) noexcept;
void fftInverse128(double* data) noexcept;
void fftInverse256(double* data) noexcept;
void fftInverse512(double* data) noexcept;

// data := data x kernel, bin by bin (positions 0 and 1 real, every other pair complex).
// Any thread, reentrant.
void fftMultiply8(double* data, const double* kernel) noexcept;
void fftMultiply16(double* data, const double* kernel) noexcept;
void fftMultiply32(double* data, const double* kernel) noexcept;
void fftMultiply64(double* data, const double* kernel) noexcept;
void fftMultiply128(double* data, const double* kernel) noexcept;
void fftMultiply256(double* data, const double* kernel) noexcept;
void fftMultiply512(double* data, const double* kernel) noexcept;

// Positions 0 and 1 times 1/n, every other position times 2/n; applied to kernel spectra once.
// Any thread, reentrant.
void fftScale8(double* data) noexcept;
void fftScale16(double* data) noexcept;
void fftScale32(double* data) noexcept;
void fftScale64(double* data) noexcept;
void fftScale128(double* data) noexcept;
void fftScale256(double* data) noexcept;
void fftScale512(double* data) noexcept;

}  // namespace orv::fft
