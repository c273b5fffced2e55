#include "render/demo_material.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace orv::render {
namespace {

// Glossary: beat = one quarter note at 120 BPM (0.5 s); bar = four beats; a voice adds itself
// into the stereo mix from its start time; decay = time constant of an exponential envelope.
constexpr double kBeat = 0.5;
constexpr double kBar = 4 * kBeat;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Roots (Hz, bass octave) and triads (Hz) of the four-bar progression.
constexpr double kRoots[4] = {55.0, 43.65, 65.41, 49.0};
constexpr double kTriads[4][3] = {
    {220.0, 261.63, 329.63}, {174.61, 220.0, 261.63}, {261.63, 329.63, 392.0}, {196.0, 246.94, 293.66}};

class Noise {
public:
    double next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<double>(state_) / 2147483648.0 - 1.0;
    }

private:
    uint32_t state_ = 0x9e3779b9u;
};

class Mix {
public:
    Mix(int rate, int64_t frames) : rate_(rate), left_(static_cast<size_t>(frames)), right_(static_cast<size_t>(frames)) {}

    int rate() const { return rate_; }
    int64_t frames() const { return static_cast<int64_t>(left_.size()); }

    // Adds voice(t) from `start` for `length` seconds with a left/right balance in -1..1.
    template <typename Voice>
    void add(double start, double length, double pan, Voice voice) {
        const auto first = static_cast<int64_t>(start * rate_);
        const int64_t last = std::min(frames(), first + static_cast<int64_t>(length * rate_));
        for (int64_t i = std::max<int64_t>(first, 0); i < last; ++i) {
            const double value = voice(static_cast<double>(i - first) / rate_);
            left_[static_cast<size_t>(i)] += value * std::min(1.0, 1.0 - pan);
            right_[static_cast<size_t>(i)] += value * std::min(1.0, 1.0 + pan);
        }
    }

    AudioData finish(double clipLevel) {
        AudioData audio;
        audio.rate = rate_;
        audio.channels = 2;
        audio.frames = frames();
        audio.sourceFormat = SampleFormat::Pcm24;
        audio.samples.resize(left_.size() * 2);
        for (size_t i = 0; i < left_.size(); ++i) {
            audio.samples[2 * i] = std::clamp(left_[i], -clipLevel, clipLevel);
            audio.samples[2 * i + 1] = std::clamp(right_[i], -clipLevel, clipLevel);
        }
        return audio;
    }

private:
    int rate_;
    std::vector<double> left_;
    std::vector<double> right_;
};

void addKick(Mix& mix, double start, double level) {
    mix.add(start, 0.6, 0.0, [level, phase = 0.0, rate = mix.rate()](double t) mutable {
        phase += kTwoPi * (48.0 + 110.0 * std::exp(-t / 0.03)) / rate;
        return level * std::sin(phase) * std::exp(-t / 0.18);
    });
}

void addSnare(Mix& mix, double start, double level, Noise& noise) {
    mix.add(start, 0.4, 0.1, [level, &noise](double t) {
        return level * (0.7 * noise.next() * std::exp(-t / 0.07) + 0.5 * std::sin(kTwoPi * 190.0 * t) * std::exp(-t / 0.05));
    });
}

void addHat(Mix& mix, double start, double level, Noise& noise) {
    mix.add(start, 0.1, 0.4, [level, &noise, previous = 0.0](double t) mutable {
        const double white = noise.next();
        const double bright = white - previous;  // first difference: a crude high-pass
        previous = white;
        return level * bright * std::exp(-t / 0.02);
    });
}

void addBass(Mix& mix, double start, double frequency) {
    mix.add(start, kBeat, 0.0, [frequency, low = 0.0, rate = mix.rate()](double t) mutable {
        const double cycle = std::fmod(t * frequency, 1.0);
        const double saw = 2.0 * cycle - 1.0;
        low += (saw - low) * (1.0 - std::exp(-kTwoPi * 400.0 / rate));  // one-pole low-pass
        const double envelope = std::min(1.0, t / 0.005) * std::exp(-t / 0.35);
        return 0.32 * low * envelope;
    });
}

void addPad(Mix& mix, double start, const double (&triad)[3]) {
    for (int voice = 0; voice < 3; ++voice) {
        for (const double detune : {-0.6, 0.6}) {
            const double frequency = triad[voice] + detune;
            mix.add(start, kBar, detune > 0 ? 0.6 : -0.6, [frequency](double t) {
                const double envelope = std::min(1.0, t / 0.3) * std::min(1.0, (kBar - t) / 0.2);
                return 0.035 * envelope * (std::sin(kTwoPi * frequency * t) + 0.3 * std::sin(kTwoPi * 2.0 * frequency * t));
            });
        }
    }
}

}  // namespace

AudioData generateDemoMaterial(int rate, double seconds) {
    Mix mix(rate, static_cast<int64_t>(seconds * rate));
    Noise noise;
    const auto bars = static_cast<int>(std::ceil(seconds / kBar));
    for (int bar = 0; bar < bars; ++bar) {
        const double barStart = bar * kBar;
        const int chord = bar % 4;
        addPad(mix, barStart, kTriads[chord]);
        for (int beat = 0; beat < 4; ++beat) {
            const double beatStart = barStart + beat * kBeat;
            addBass(mix, beatStart, kRoots[chord]);
            if (beat == 0 || beat == 2) addKick(mix, beatStart, 0.55);
            if (beat == 1 || beat == 3) addSnare(mix, beatStart, 0.4, noise);
            addHat(mix, beatStart, 0.18, noise);
            addHat(mix, beatStart + kBeat / 2, 0.12, noise);
        }
        // Every third bar a hit far too loud for the file: its peaks are clipped flat.
        if (bar % 3 == 2) addSnare(mix, barStart + 3.5 * kBeat, 1.6, noise);
    }
    return mix.finish(1.0);
}

}  // namespace orv::render
