// The processing lock: serialises audio processing against rebuilds of lengths, kernel and
// buffers. Process-local, re-entrant for its owner, with a bounded wait.
#pragma once

#include <mutex>

namespace orv {

class ProcessLock {
public:
    // Waits at most `ms` milliseconds for ownership (0: without bound) and tells whether it got
    // it. A thread that already owns the lock gets it again at once. Any thread; the audio thread
    // uses only this wait and release.
    bool acquire(int ms) noexcept;
    // Releases one level of ownership; only the owner may call it.
    void release() noexcept;

private:
    std::recursive_timed_mutex mutex_;
};

// Holds the lock for a scope when the bounded wait succeeded; releases only what it took.
class ScopedProcessLock {
public:
    ScopedProcessLock(ProcessLock& lock, int ms) noexcept : lock_(lock), owned_(lock.acquire(ms)) {}
    ~ScopedProcessLock() {
        if (owned_) lock_.release();
    }
    ScopedProcessLock(const ScopedProcessLock&) = delete;
    ScopedProcessLock& operator=(const ScopedProcessLock&) = delete;

    bool owned() const noexcept { return owned_; }

private:
    ProcessLock& lock_;
    bool owned_;
};

inline constexpr int kProcessLockTimeoutMs = 1000;

}  // namespace orv
