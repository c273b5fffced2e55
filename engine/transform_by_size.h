// The fixed-size transforms chosen by a run-time size (8 to 512 reals). Sizes outside that set
// leave the data untouched; the engine never produces them.
//
// Threading: no state; safe from any thread, including the audio thread.
#pragma once

namespace orv {

void transformForward(int size, double* data) noexcept;
void transformInverse(int size, double* data) noexcept;
void transformMultiply(int size, double* data, const double* kernel) noexcept;
void transformScale(int size, double* data) noexcept;

}  // namespace orv
