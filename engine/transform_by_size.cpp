#include "engine/transform_by_size.h"

#include "fft/fft.h"

namespace orv {
namespace {

using Transform = void (*)(double*) noexcept;
using Product = void (*)(double*, const double*) noexcept;

// Index 0 stands for 8 reals, 6 for 512; -1 for any other size.
int sizeIndex(int size) noexcept {
    switch (size) {
        case 8: return 0;
        case 16: return 1;
        case 32: return 2;
        case 64: return 3;
        case 128: return 4;
        case 256: return 5;
        case 512: return 6;
        default: return -1;
    }
}

constexpr Transform kForward[] = {fft::fftForward8,   fft::fftForward16,  fft::fftForward32, fft::fftForward64,
                                  fft::fftForward128, fft::fftForward256, fft::fftForward512};
constexpr Transform kInverse[] = {fft::fftInverse8,   fft::fftInverse16,  fft::fftInverse32, fft::fftInverse64,
                                  fft::fftInverse128, fft::fftInverse256, fft::fftInverse512};
constexpr Transform kScale[] = {fft::fftScale8,   fft::fftScale16,  fft::fftScale32, fft::fftScale64,
                                fft::fftScale128, fft::fftScale256, fft::fftScale512};
constexpr Product kMultiply[] = {fft::fftMultiply8,   fft::fftMultiply16,  fft::fftMultiply32,
                                 fft::fftMultiply64,  fft::fftMultiply128, fft::fftMultiply256,
                                 fft::fftMultiply512};

void apply(const Transform* table, int size, double* data) noexcept {
    const int index = sizeIndex(size);
    if (index >= 0) table[index](data);
}

}  // namespace

void transformForward(int size, double* data) noexcept { apply(kForward, size, data); }
void transformInverse(int size, double* data) noexcept { apply(kInverse, size, data); }
void transformScale(int size, double* data) noexcept { apply(kScale, size, data); }

void transformMultiply(int size, double* data, const double* kernel) noexcept {
    const int index = sizeIndex(size);
    if (index >= 0) kMultiply[index](data, kernel);
}

}  // namespace orv
