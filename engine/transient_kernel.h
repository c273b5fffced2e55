// The transient smoothing kernel: the main lobe of sin(x)/x sampled over [-pi, pi] at W taps,
// normalised to a sum of 1, and its scaled spectrum for block convolution.
//
// Threading: no state; the engine calls these only while it holds the processing lock.
#pragma once

namespace orv {

// Writes `length` taps (length >= 2).
void transientKernelTaps(int length, double* taps) noexcept;

// Writes 2 x length doubles: the taps zero-padded to 2 x length reals in the pair layout of the
// transforms, forward-transformed and scaled, ready for the spectrum product.
void buildTransientKernelSpectrum(int length, double* spectrum) noexcept;

}  // namespace orv
