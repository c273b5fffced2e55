// The scalar entries: one channel of doubles per call, each a fixed instance of the transforms.
#include "fft/fft.h"

#include "fft/spectrum_ops.h"
#include "fft/split_radix.h"

namespace orv::fft {

using detail::multiplySpectra;
using detail::realForward;
using detail::realInverse;
using detail::scaleSpectrum;

void fftForward8(double* data) noexcept { realForward<8>(data); }
void fftForward16(double* data) noexcept { realForward<16>(data); }
void fftForward32(double* data) noexcept { realForward<32>(data); }
void fftForward64(double* data) noexcept { realForward<64>(data); }
void fftForward128(double* data) noexcept { realForward<128>(data); }
void fftForward256(double* data) noexcept { realForward<256>(data); }
void fftForward512(double* data) noexcept { realForward<512>(data); }

void fftInverse8(double* data) noexcept { realInverse<8>(data); }
void fftInverse16(double* data) noexcept { realInverse<16>(data); }
void fftInverse32(double* data) noexcept { realInverse<32>(data); }
void fftInverse64(double* data) noexcept { realInverse<64>(data); }
void fftInverse128(double* data) noexcept { realInverse<128>(data); }
void fftInverse256(double* data) noexcept { realInverse<256>(data); }
void fftInverse512(double* data) noexcept { realInverse<512>(data); }

void fftMultiply8(double* data, const double* kernel) noexcept { multiplySpectra<8>(data, kernel); }
void fftMultiply16(double* data, const double* kernel) noexcept { multiplySpectra<16>(data, kernel); }
void fftMultiply32(double* data, const double* kernel) noexcept { multiplySpectra<32>(data, kernel); }
void fftMultiply64(double* data, const double* kernel) noexcept { multiplySpectra<64>(data, kernel); }
void fftMultiply128(double* data, const double* kernel) noexcept { multiplySpectra<128>(data, kernel); }
void fftMultiply256(double* data, const double* kernel) noexcept { multiplySpectra<256>(data, kernel); }
void fftMultiply512(double* data, const double* kernel) noexcept { multiplySpectra<512>(data, kernel); }

void fftScale8(double* data) noexcept { scaleSpectrum<8>(data); }
void fftScale16(double* data) noexcept { scaleSpectrum<16>(data); }
void fftScale32(double* data) noexcept { scaleSpectrum<32>(data); }
void fftScale64(double* data) noexcept { scaleSpectrum<64>(data); }
void fftScale128(double* data) noexcept { scaleSpectrum<128>(data); }
void fftScale256(double* data) noexcept { scaleSpectrum<256>(data); }
void fftScale512(double* data) noexcept { scaleSpectrum<512>(data); }

}  // namespace orv::fft
