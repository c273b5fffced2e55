// Real-time factor of the limiter engine (seconds of audio processed per CPU second) with the
// "Default" program settings, on generated material loud enough to keep the limiter working.
#include "engine/engine.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr int kBlock = 512;

// Two detuned tones with periodic bursts up to about 2.4 and a little deterministic noise.
void fillProgram(std::vector<float>& left, std::vector<float>& right, double rate) {
    unsigned noise = 12345u;
    for (std::size_t t = 0; t < left.size(); ++t) {
        noise = noise * 1664525u + 1013904223u;
        const double jitter = (static_cast<double>(noise >> 8) / 16777216.0 - 0.5) * 0.2;
        const double seconds = static_cast<double>(t) / rate;
        const double burst = std::fmod(seconds, 0.5) < 0.1 ? 2.2 : 0.7;
        const double phase = 2.0 * std::numbers::pi * seconds;
        left[t] = static_cast<float>(burst * std::sin(97.0 * phase) + jitter);
        right[t] = static_cast<float>(burst * std::sin(131.0 * phase + 0.5) - jitter);
    }
}

void applyDefaultProgram(orv::Engine& engine) {
    engine.setOutputGain(1.0);
    engine.setDriveGain(1.0);
    engine.setTransient(0.02);
    engine.setReleaseMs(199.9867);
    engine.setTransShape(0);
    engine.setLink(1.0);
    engine.setOversample(false);
    engine.setDetectorOrder(0);
    engine.setPower(true);
    engine.setLeveller(1.0, true);
    engine.suspend();
}

void BM_EngineRealTimeFactor(benchmark::State& state) {
    const double rate = static_cast<double>(state.range(0));
    orv::Engine engine;
    engine.setSampleRate(static_cast<float>(rate));
    applyDefaultProgram(engine);

    const std::size_t frames = static_cast<std::size_t>(rate);  // one second of material, looped
    std::vector<float> inL(frames);
    std::vector<float> inR(frames);
    fillProgram(inL, inR, rate);
    std::vector<float> outL(kBlock);
    std::vector<float> outR(kBlock);

    std::size_t position = 0;
    for (auto _ : state) {
        if (position + kBlock > frames) position = 0;
        engine.process(inL.data() + position, inR.data() + position, outL.data(), outR.data(), kBlock);
        benchmark::DoNotOptimize(outL.data());
        benchmark::DoNotOptimize(outR.data());
        benchmark::ClobberMemory();
        position += kBlock;
    }
    const double audioSeconds = static_cast<double>(state.iterations()) * kBlock / rate;
    // kIsRate divides by the measured CPU time: seconds of audio per CPU second.
    state.counters["realtime_factor"] = benchmark::Counter(audioSeconds, benchmark::Counter::kIsRate);
    state.SetItemsProcessed(state.iterations() * kBlock);
}

// The median of five repetitions is the figure to compare; single runs are noisy here.
BENCHMARK(BM_EngineRealTimeFactor)
    ->Arg(44100)
    ->Arg(48000)
    ->Arg(96000)
    ->Arg(192000)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
