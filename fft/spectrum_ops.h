// Bin-by-bin operations on spectra in the transforms' own bin order.
//
// Positions 0 and 1 hold the two real bins (X[0] and X[n/2]); every other pair is one complex bin.
// Since both operands come from the same transform, their bins line up whatever the order is.
// In place, no allocation, no state: safe on any thread, including the audio thread.
#pragma once

#include "fft/lane_complex.h"

namespace orv::fft::detail {

// data := data x kernel
template <int N, typename Lane>
void multiplySpectra(Lane* data, const Lane* kernel) noexcept {
    data[0] = data[0] * kernel[0];
    data[1] = data[1] * kernel[1];
    for (int p = 2; p < N; p += 2) {
        store(data + p, times(load(data + p), load(kernel + p)));
    }
}

// Scaling that turns the real inverse into the exact inverse of the real forward transform: the
// two real bins by 1/n, every complex bin by 2/n (it stands for itself and its conjugate).
template <int N, typename Lane>
void scaleSpectrum(Lane* data) noexcept {
    const Lane realScale(1.0 / N);
    const Lane complexScale(2.0 / N);
    data[0] = data[0] * realScale;
    data[1] = data[1] * realScale;
    for (int p = 2; p < N; ++p) {
        data[p] = data[p] * complexScale;
    }
}

}  // namespace orv::fft::detail
