#include "render/atomic_file.h"

#include "render/render_error.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace orv::render {
namespace {

namespace fs = std::filesystem;

std::string describeErrno() { return std::strerror(errno); }

// The permissions a newly created file gets from the process's mask.
mode_t newFilePermissions() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

AtomicFile::AtomicFile(std::string target) : target_(std::move(target)) {
    const fs::path path(target_);
    if (path.filename().empty()) throw RenderError(target_ + ": not a file name");
    std::error_code ec;
    if (fs::is_directory(path, ec)) throw RenderError(target_ + ": is a folder");
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    // A hidden name beside the target: <folder>/.<name>.XXXXXX
    std::vector<char> buffer;
    for (const std::string& part : {folder.string(), std::string("/."), path.filename().string(), std::string(".XXXXXX")})
        buffer.insert(buffer.end(), part.begin(), part.end());
    buffer.push_back('\0');
    const int fd = mkstemp(buffer.data());
    if (fd < 0) throw RenderError(target_ + ": cannot write here (" + describeErrno() + ")");
    fchmod(fd, newFilePermissions());
    close(fd);
    temporary_ = buffer.data();
}

AtomicFile::~AtomicFile() {
    if (!committed_ && !temporary_.empty()) std::remove(temporary_.c_str());
}

void AtomicFile::write(std::span<const unsigned char> bytes) const {
    std::FILE* file = std::fopen(temporary_.c_str(), "wb");
    if (!file) throw RenderError(target_ + ": cannot write (" + describeErrno() + ")");
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) throw RenderError(target_ + ": write failed (" + describeErrno() + ")");
}

void AtomicFile::commit() {
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0)
        throw RenderError(target_ + ": cannot replace (" + describeErrno() + ")");
    committed_ = true;
}

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    if (fs::exists(a, ec) && fs::exists(b, ec)) return fs::equivalent(a, b, ec);
    return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec);
}

}  // namespace orv::render
