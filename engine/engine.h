// The limiter engine: drive, leveller, lookahead detector, followers, transient envelope, output
// gain, requantizer, meters and the calibration generator. A plain class with no host types.
//
// Threading: construction, setSampleRate, setTransShape and suspend run while the caller holds the
// processing lock (or while no processing call can run); process runs on the audio thread under
// that lock. The other setters may be called from any thread while processing runs: they store
// relaxed atomics that the audio thread picks up at its next sample or block. takeMeterSnapshot
// runs on the editor's thread without the lock.
#pragma once

#include "engine/meter_snapshot.h"

#include <memory>

namespace orv {

class Engine {
public:
    // Allocates every buffer, sized for the highest rate family. This is the only allocation.
    explicit Engine(bool vectorForm = false);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Caller holds the processing lock. Rates outside 5000..200000 Hz count as 44100 Hz.
    void setSampleRate(float rate) noexcept;
    int sampleRate() const noexcept;
    int latency() const noexcept;  // lookahead + 31 samples: 159, 287 or 543
    int lookahead() const noexcept;            // 128, 256 or 512 samples
    int kernelLength() const noexcept;         // transient window W: 8 to 256 samples
    int envelopeDelayLength() const noexcept;  // lookahead - 2W + 2

    // Engine reset: gains to their targets, rings and histories cleared, generators reseeded.
    void suspend() noexcept;

    // Derived values in user units, from the parameter model. Any thread.
    void setOutputGain(double gain) noexcept;
    void setDriveGain(double gain) noexcept;
    void setTransient(double weight) noexcept;      // 0..0.5; also rebuilds the attack ladder
    void setReleaseMs(double ms) noexcept;          // also rebuilds the release ladder
    void setLink(double amount) noexcept;           // 0..1
    void setOversample(bool on) noexcept;
    void setDetectorOrder(int step) noexcept;       // 0 first order, 1 second order
    void setPower(bool on) noexcept;
    void setScale(int step) noexcept;               // 0 K-12, 1 K-14, 2 K-20
    void setBits(int step) noexcept;                // 0: 8, 1: 16, 2: 24 bits
    // 0 off, 1..3 types A..C: selects the set for the current rate (other rates keep the set in
    // use); the next block starts with it and with the shaper's history position at 0.
    void setNoiseShape(int step) noexcept;
    void setCalibrate(int step) noexcept;           // 0 off, 1 left, 2 both uncorrelated, 3 right
    void setLeveller(double threshold, bool off) noexcept;
    void setMeterOvs(bool on) noexcept;
    void setAutoOut(bool on) noexcept;
    void setQuantize(bool on) noexcept;
    void setAutoblack(bool on) noexcept;
    void setPostMeter(bool post) noexcept;
    void setAttShow(int components) noexcept;       // bit mask: 1 followers, 2 transient, 4 leveller
    void resetDisplayedGain() noexcept;             // AttShow changed: the gain holds restart at 1.0

    // Caller holds the processing lock. Rebuilds the kernel and resets only when the step changes;
    // returns whether it did.
    bool setTransShape(int step) noexcept;
    int transShape() const noexcept;

    bool calibrating() const noexcept;

    // Audio thread, under the processing lock. Channel pointers are already resolved (the right
    // ones may equal the left ones); the right output is written before the left one per sample.
    // While calibrating the inputs are not read (they may be null) and a right output that equals
    // the left one counts as not connected.
    // This method will never allocate memory.
    void process(const float* inL, const float* inR, float* outL, float* outR, int frames) noexcept;
    void process(const double* inL, const double* inR, double* outL, double* outR, int frames) noexcept;

    // Editor thread, without the lock: the accumulated values, after which the holds restart.
    MeterSnapshot takeMeterSnapshot() noexcept;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace orv
