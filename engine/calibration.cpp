#include "engine/calibration.h"

#include <bit>

namespace orv {
namespace {

// Reference levels relative to K-20 (0.1 RMS): K-12 is 8 dB and K-14 6 dB above.
double levelForScale(int scaleStep) noexcept
{
    switch (scaleStep) {
    case 0:
        return 2.5118864315;
    case 1:
        return 2.0;
    default:
        return 1.0;
    }
}

template <typename Sample>
void write(Sample* left, Sample* right, int i, Sample valueL, Sample valueR) noexcept
{
    if (right != nullptr) {
        right[i] = valueR;
    }
    if (left != nullptr) {
        left[i] = valueL;
    }
}

}  // namespace

void CalibrationGenerator::reset() noexcept
{
    left_ = Rows{};
    right_ = Rows{};
    counter_ = 0;
}

void CalibrationGenerator::process(int calibrateStep, int scaleStep, float* left, float* right,
                                   int frames, DitherGenerator& generator,
                                   EngineMeters& meters) noexcept
{
    run(calibrateStep, scaleStep, left, right, frames, generator, meters);
}

void CalibrationGenerator::process(int calibrateStep, int scaleStep, double* left, double* right,
                                   int frames, DitherGenerator& generator,
                                   EngineMeters& meters) noexcept
{
    run(calibrateStep, scaleStep, left, right, frames, generator, meters);
}

// The row refreshed now: the counter's trailing zeros, at most 7, so row k changes every
// 2^(k+1) samples (rows 6 and 7 both every 128th).
int CalibrationGenerator::nextRowIndex() noexcept
{
    const int index = std::countr_zero(counter_ | 0x80u);
    counter_ = (counter_ + 1) & 0xFFu;
    return index;
}

void CalibrationGenerator::refreshRow(Rows& rows, int index, DitherGenerator& generator) noexcept
{
    const double fresh = generator.nextUniform();
    const double old = rows.row[index];
    rows.row[index] = fresh;
    rows.sum = (fresh - old) + rows.sum;
}

// Nine terms of variance 1/3 each: the RMS comes out as 0.1 / sqrt(2) x level.
double CalibrationGenerator::shape(double white, const Rows& rows, double level) noexcept
{
    static constexpr double kSqrt2Single = static_cast<double>(static_cast<float>(1.4142135623730951));
    return (white + rows.sum) * 0.1 / kSqrt2Single / 1.7320508 * level;
}

template <typename Sample>
void CalibrationGenerator::run(int calibrateStep, int scaleStep, Sample* left, Sample* right,
                               int frames, DitherGenerator& generator,
                               EngineMeters& meters) noexcept
{
    const double level = levelForScale(scaleStep);
    switch (static_cast<Mode>(calibrateStep)) {
    case Mode::Left:
    case Mode::Right: {
        const bool onLeft = static_cast<Mode>(calibrateStep) == Mode::Left;
        for (int i = 0; i < frames; ++i) {
            refreshRow(left_, nextRowIndex(), generator);
            const double noise = shape(generator.nextUniform(), left_, level);
            const auto stored = static_cast<Sample>(static_cast<float>(noise));
            write(left, right, i, onLeft ? stored : Sample{0}, onLeft ? Sample{0} : stored);
            meters.updateCalibration(onLeft, noise, !onLeft, noise);
        }
        break;
    }
    case Mode::Uncorrelated:
        for (int i = 0; i < frames; ++i) {
            const int index = nextRowIndex();
            refreshRow(left_, index, generator);
            refreshRow(right_, index, generator);
            const double noiseL = shape(generator.nextUniform(), left_, level);
            const double noiseR = shape(generator.nextUniform(), right_, level);
            write(left, right, i, static_cast<Sample>(noiseL), static_cast<Sample>(noiseR));
            meters.updateCalibration(true, noiseL, true, noiseR);
        }
        break;
    default:
        break;
    }
}

}  // namespace orv
