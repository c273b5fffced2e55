#include "platform/file_io.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) noexcept : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const noexcept { return fd_; }
    bool valid() const noexcept { return fd_ >= 0; }
    // Closes now and tells whether the close reported no error.
    bool close() noexcept {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

// Reads until `out` is full or the file ends; -1 on an error.
ssize_t readFully(int fd, uint8_t* out, size_t size) noexcept {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, out + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

bool writeFully(int fd, const uint8_t* bytes, size_t size) noexcept {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, bytes + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

FileRead readFile(const std::string& path, std::span<uint8_t> out) noexcept {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
    if (!fd.valid()) return {ReadStatus::Missing, 0};
    const ssize_t n = readFully(fd.get(), out.data(), out.size());
    if (n < 0) return {ReadStatus::Missing, 0};
    uint8_t probe = 0;
    const ssize_t more = readFully(fd.get(), &probe, 1);
    if (more < 0) return {ReadStatus::Missing, static_cast<size_t>(n)};
    return {more > 0 ? ReadStatus::TooLong : ReadStatus::Read, static_cast<size_t>(n)};
}

bool writeFileAtomically(const std::string& path, std::span<const uint8_t> bytes,
                         mode_t newFileMode) noexcept {
    try {
        const std::string folder = folderOf(path);
        std::string temporary = folder + "/." + nameOf(path) + ".XXXXXX";
        FileDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
        if (!fd.valid()) return false;

        struct stat existing {};
        const mode_t mode = ::stat(path.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : newFileMode;
        const bool written = ::fchmod(fd.get(), mode) == 0 && writeFully(fd.get(), bytes.data(), bytes.size()) &&
                             ::fsync(fd.get()) == 0;
        if (!fd.close() || !written || ::rename(temporary.c_str(), path.c_str()) != 0) {
            ::unlink(temporary.c_str());
            return false;
        }
        return true;
    } catch (...) {  // the path strings could not be allocated
        return false;
    }
}

}  // namespace orv
