// Proves that processing, with parameter changes between and around the blocks, never allocates:
// every global allocation function is replaced by one that counts while a probe is armed.
#include "engine/engine.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>
#include <vector>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* pointer, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* pointer);
}

namespace {

std::atomic<bool> gArmed{false};
std::atomic<long> gAllocations{0};

void noteAllocation() noexcept {
    if (gArmed.load(std::memory_order_relaxed)) gAllocations.fetch_add(1, std::memory_order_relaxed);
}

void* allocateOrThrow(std::size_t size, std::size_t alignment) {
    noteAllocation();
    void* p = alignment > alignof(std::max_align_t) ? __libc_memalign(alignment, size ? size : 1)
                                                      : __libc_malloc(size ? size : 1);
    if (p == nullptr) throw std::bad_alloc();
    return p;
}

}  // namespace

extern "C" {
void* malloc(std::size_t size) noexcept {
    noteAllocation();
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) noexcept {
    noteAllocation();
    return __libc_calloc(count, size);
}
void* realloc(void* pointer, std::size_t size) noexcept {
    noteAllocation();
    return __libc_realloc(pointer, size);
}
void free(void* pointer) noexcept {
    noteAllocation();
    __libc_free(pointer);
}
}

void* operator new(std::size_t size) { return allocateOrThrow(size, 0); }
void* operator new[](std::size_t size) { return allocateOrThrow(size, 0); }
void* operator new(std::size_t size, std::align_val_t a) { return allocateOrThrow(size, static_cast<std::size_t>(a)); }
void* operator new[](std::size_t size, std::align_val_t a) { return allocateOrThrow(size, static_cast<std::size_t>(a)); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    noteAllocation();
    return __libc_malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    noteAllocation();
    return __libc_malloc(size ? size : 1);
}
void operator delete(void* p) noexcept { free(p); }
void operator delete[](void* p) noexcept { free(p); }
void operator delete(void* p, std::size_t) noexcept { free(p); }
void operator delete[](void* p, std::size_t) noexcept { free(p); }
void operator delete(void* p, std::align_val_t) noexcept { free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { free(p); }

namespace orv {
namespace {

// Counts the allocations made while it lives.
class AllocationProbe {
public:
    AllocationProbe() {
        gAllocations.store(0);
        gArmed.store(true);
    }
    ~AllocationProbe() { gArmed.store(false); }
    long count() const { return gAllocations.load(); }
};

TEST(EngineAllocation, TheProbeSeesAnAllocation) {
    long seen = 0;
    {
        AllocationProbe probe;
        auto* volatile p = new double[4];
        delete[] p;
        seen = probe.count();
    }
    EXPECT_GE(seen, 2);
}

TEST(EngineAllocation, ProcessingWithParameterChangesAllocatesNothing) {
    Engine engine;
    const int frames = 4096;
    std::vector<float> inF(frames);
    std::vector<double> inD(frames);
    for (int t = 0; t < frames; ++t) inD[t] = inF[t] = static_cast<float>(2.5 * std::sin(0.01 * t));
    std::vector<float> outL(frames);
    std::vector<float> outR(frames);
    std::vector<double> outDL(frames);
    std::vector<double> outDR(frames);

    long allocations = 0;
    {
        AllocationProbe probe;
        for (int round = 0; round < 12; ++round) {
            const bool odd = round % 2 != 0;
            engine.setOutputGain(odd ? 0.5 : 1.0);
            engine.setDriveGain(odd ? 4.0 : 1.0);
            engine.setTransient(0.05 * round / 12.0);
            engine.setReleaseMs(1.0 + 100.0 * round);
            engine.setLink(odd ? 0.0 : 1.0);
            engine.setOversample(odd);
            engine.setDetectorOrder(round % 2);
            engine.setPower(round % 3 != 0);
            engine.setLeveller(0.5, odd);
            engine.setAutoOut(round % 4 == 1);
            engine.setAttShow(round % 8);
            engine.setScale(round % 3);
            engine.setBits(round % 3);
            engine.setNoiseShape(round % 4);
            engine.setQuantize(odd);
            engine.setAutoblack(!odd);
            engine.setMeterOvs(odd);
            engine.setPostMeter(!odd);
            engine.setCalibrate(round % 4 == 2 ? round % 3 + 1 : 0);
            engine.resetDisplayedGain();
            engine.setTransShape(round % 3);
            if (round % 5 == 0) engine.setSampleRate(round % 2 == 0 ? 192000.0f : 44100.0f);
            engine.process(inF.data(), inF.data(), outL.data(), outR.data(), frames);
            engine.process(inD.data(), inD.data(), outDL.data(), outDR.data(), frames - round);
            engine.takeMeterSnapshot();
            if (round == 6) engine.suspend();
        }
        allocations = probe.count();
    }
    EXPECT_EQ(allocations, 0);
}

}  // namespace
}  // namespace orv
