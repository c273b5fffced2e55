// Calibration signal: pink noise (Voss-McCartney: eight rows refreshed at octave-spaced rates
// plus a white term) at the reference level of the chosen K scale, on the left channel, the right
// channel, or on both as two independent noises. It replaces the whole signal path while on.
#pragma once

#include "engine/dither.h"
#include "engine/meters.h"

namespace orv {

class CalibrationGenerator {
public:
    // Calibrate steps 1..3 (0 is "off" and never reaches this class).
    enum class Mode { Left = 1, Uncorrelated = 2, Right = 3 };

    // Engine reset (processing lock held): row counter, rows and sums to 0.
    void reset() noexcept;

    // Audio thread, once per block instead of the signal path, under the processing lock.
    // calibrateStep: 1 left, 2 both uncorrelated, 3 right (any other value leaves the block and
    // all state untouched). scaleStep: 0 K-12, 1 K-14, 2 K-20. `right` is null when the host's
    // right output pin is not connected; a null `left` is skipped too. Inputs are not read.
    // Random numbers come from the shared generator, meter values go to `meters`.
    void process(int calibrateStep, int scaleStep, float* left, float* right, int frames,
                 DitherGenerator& generator, EngineMeters& meters) noexcept;
    // The 64-bit entry: the single-channel modes round the noise to single precision first.
    void process(int calibrateStep, int scaleStep, double* left, double* right, int frames,
                 DitherGenerator& generator, EngineMeters& meters) noexcept;

private:
    static constexpr int kRows = 8;

    struct Rows {
        double row[kRows] = {};
        double sum = 0.0;
    };

    template <typename Sample>
    void run(int calibrateStep, int scaleStep, Sample* left, Sample* right, int frames,
             DitherGenerator& generator, EngineMeters& meters) noexcept;
    int nextRowIndex() noexcept;
    static void refreshRow(Rows& rows, int index, DitherGenerator& generator) noexcept;
    static double shape(double white, const Rows& rows, double level) noexcept;

    Rows left_;
    Rows right_;
    unsigned counter_ = 0;
};

}  // namespace orv
