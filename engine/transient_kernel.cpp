#include "engine/transient_kernel.h"

#include "engine/transform_by_size.h"

#include <cmath>

namespace orv {
namespace {

// Writes the taps `stride` doubles apart. x advances by repeated addition, so the taps are
// reproducible to the last bit.
void writeTaps(int length, double* out, int stride) noexcept {
    const double step = 6.283185307179586 / (length - 1);
    double x = -3.141592653589793;
    double sum = 0.0;
    for (int i = 0; i < length; ++i) {
        const double tap = x == 0.0 ? 1.0 : std::sin(x) / x;
        out[i * stride] = tap;
        sum += tap;
        x += step;
    }
    for (int i = 0; i < length; ++i) out[i * stride] /= sum;
}

}  // namespace

void transientKernelTaps(int length, double* taps) noexcept { writeTaps(length, taps, 1); }

void buildTransientKernelSpectrum(int length, double* spectrum) noexcept {
    const int size = 2 * length;
    for (int i = 0; i < size; ++i) spectrum[i] = 0.0;
    // Pair i of the 2W-real signal is (tap i, upper-half value 0).
    writeTaps(length, spectrum, 2);
    transformForward(size, spectrum);
    transformScale(size, spectrum);
}

}  // namespace orv
