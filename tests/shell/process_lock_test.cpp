#include "shell/process_lock.h"

#include <gtest/gtest.h>

#include <future>

namespace orv {
namespace {

TEST(ProcessLock, ReentrantForItsOwner) {
    ProcessLock lock;
    ASSERT_TRUE(lock.acquire(0));
    ASSERT_TRUE(lock.acquire(10));
    lock.release();
    // Still owned once: another thread must not get it.
    EXPECT_FALSE(std::async(std::launch::async, [&] { return lock.acquire(20); }).get());
    lock.release();
    auto other = std::async(std::launch::async, [&] {
        const bool got = lock.acquire(1000);
        if (got) lock.release();
        return got;
    });
    EXPECT_TRUE(other.get());
}

TEST(ProcessLock, ScopedLockReleasesOnlyWhatItTook) {
    ProcessLock lock;
    ASSERT_TRUE(lock.acquire(0));
    std::async(std::launch::async, [&] {
        ScopedProcessLock scoped(lock, 20);
        EXPECT_FALSE(scoped.owned());
    }).get();
    lock.release();
    std::async(std::launch::async, [&] {
        ScopedProcessLock scoped(lock, 20);
        EXPECT_TRUE(scoped.owned());
    }).get();
}

}  // namespace
}  // namespace orv
