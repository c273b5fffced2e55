// An output written beside its target under a temporary name and renamed over the target only
// when complete, so a failed or interrupted run never leaves a half file or damages an existing
// one.
//
// Threading: one thread owns an object.
#pragma once

#include <span>
#include <string>

namespace orv::render {

class AtomicFile {
public:
    // Creates the temporary file in the target's folder; throws RenderError when the folder
    // cannot be written.
    explicit AtomicFile(std::string target);
    // Removes the temporary file unless it was committed.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    const std::string& target() const noexcept { return target_; }
    // Where the content goes before the commit.
    const std::string& temporaryPath() const noexcept { return temporary_; }

    // Replaces the temporary file's content; throws RenderError on failure.
    void write(std::span<const unsigned char> bytes) const;
    // Renames the temporary file over the target; throws RenderError on failure.
    void commit();

private:
    std::string target_;
    std::string temporary_;
    bool committed_ = false;
};

// True when both names lead to the same file (or, for a missing file, the same place).
bool sameFile(const std::string& a, const std::string& b);

}  // namespace orv::render
