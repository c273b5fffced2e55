#include "shell/process_lock.h"

#include <chrono>

namespace orv {

bool ProcessLock::acquire(int ms) noexcept {
    if (ms <= 0) {
        mutex_.lock();
        return true;
    }
    return mutex_.try_lock_for(std::chrono::milliseconds(ms));
}

void ProcessLock::release() noexcept { mutex_.unlock(); }

}  // namespace orv
