#include "file_ops.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include <charconv>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrow {
namespace {

FileError errnoError(int error) {
    return FileError{std::generic_category().message(error)};
}

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd)
        : m_fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    int get() const { return m_fd; }
    // Closes now, so that a failed close can be reported.
    int close() {
        const int result = ::close(m_fd);
        m_fd = -1;
        return result;
    }

private:
    int m_fd;
};

std::optional<FileError> writeAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errnoError(errno);
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return std::nullopt;
}

mode_t fileModeForNewFiles() {
    // The installer may run as another user: 0644 less the umask in force now, as creat() gives.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0644 & ~mask);
}

std::string directoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the rename itself durable; the new file is already complete, so a failure here is not
// reported as a failed write.
void syncDirectory(const std::string& directory) {
    const FileDescriptor fd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0) {
        ::fsync(fd.get());
    }
}

} // namespace

bool existsFollowingLinks(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

bool existsAsEntry(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0) {
        return true;
    }
    // Only a definite "nothing there" counts as absent: an entry that cannot be examined may
    // still be there, and treating it as gone would hide a stale file from the installer.
    return errno != ENOENT && errno != ENOTDIR;
}

ReadResult readRegularFile(const std::string& path) {
    // O_NONBLOCK: opening a FIFO must not wait for a writer that never comes.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        return {{}, errnoError(errno)};
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        return {{}, errnoError(errno)};
    }
    if (S_ISDIR(info.st_mode)) {
        return {{}, errnoError(EISDIR)};
    }
    if (!S_ISREG(info.st_mode)) {
        return {{}, FileError{"Not a regular file."}};
    }

    std::string content;
    content.resize(static_cast<std::size_t>(info.st_size));
    std::size_t filled = 0;
    // The file may grow or shrink while it is read; what counts is what read() gives until its end.
    // Past the size fstat gave, read into a small buffer first, so that the common case of a file
    // that did not grow never copies the whole text into a bigger one.
    char overflow[65536];
    for (;;) {
        const bool inPlace = filled < content.size();
        char* target = inPlace ? content.data() + filled : overflow;
        const std::size_t room = inPlace ? content.size() - filled : sizeof overflow;
        const ssize_t got = ::read(fd.get(), target, room);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return {{}, errnoError(errno)};
        }
        if (got == 0) {
            break;
        }
        if (!inPlace) {
            content.append(overflow, static_cast<std::size_t>(got));
        }
        filled += static_cast<std::size_t>(got);
    }
    content.resize(filled);
    return {std::move(content), std::nullopt};
}

std::optional<FileError> writeFileAtomically(const std::string& path, std::string_view content) {
    const std::string directory = directoryOf(path);
    removeAbandonedTemporaries(directory);
    std::string temporaryPath =
        directory + "/" + std::string(temporaryFilePrefix) + std::to_string(::getpid()) + "-XXXXXX";
    // mkstemp: an unpredictable name created with O_EXCL, so nothing planted in /tmp is reused.
    FileDescriptor fd(::mkostemp(temporaryPath.data(), O_CLOEXEC));
    if (fd.get() < 0) {
        return errnoError(errno);
    }
    // Held until the file is complete: a writer whose pid we cannot see (another pid namespace
    // sharing /tmp) is still recognised as alive by the clean-up below.
    ::flock(fd.get(), LOCK_EX | LOCK_NB);

    auto failed = [&](int error) {
        ::unlink(temporaryPath.c_str());
        return errnoError(error);
    };
    if (auto error = writeAll(fd.get(), content)) {
        ::unlink(temporaryPath.c_str());
        return error;
    }
    if (::fchmod(fd.get(), fileModeForNewFiles()) != 0) {
        return failed(errno);
    }
    if (::fsync(fd.get()) != 0) {
        return failed(errno);
    }
    if (fd.close() != 0) {
        return failed(errno);
    }
    // rename() replaces whatever stands at the path, a symbolic link included; the target is
    // never opened, so a link planted there cannot redirect the write.
    if (::rename(temporaryPath.c_str(), path.c_str()) != 0) {
        return failed(errno);
    }
    syncDirectory(directory);
    return std::nullopt;
}

int removeAbandonedTemporaries(const std::string& directory) {
    DIR* listing = ::opendir(directory.c_str());
    if (listing == nullptr) {
        return 0;
    }
    int removed = 0;
    const int directoryFd = ::dirfd(listing);
    while (const dirent* entry = ::readdir(listing)) {
        std::string_view name(entry->d_name);
        if (!name.starts_with(temporaryFilePrefix)) {
            continue;
        }
        name.remove_prefix(temporaryFilePrefix.size());
        pid_t writer = 0;
        const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), writer);
        if (error != std::errc() || end == name.data() || *end != '-' || writer <= 0) {
            continue;
        }
        // A live writer may be about to rename its file; only the dead leave garbage.
        if (::kill(writer, 0) == 0 || errno != ESRCH) {
            continue;
        }
        const FileDescriptor candidate(
            ::openat(directoryFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat info {};
        if (candidate.get() < 0 || ::fstat(candidate.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
            info.st_uid != ::geteuid() || ::flock(candidate.get(), LOCK_EX | LOCK_NB) != 0) {
            continue;
        }
        if (::unlinkat(directoryFd, entry->d_name, 0) == 0) {
            ++removed;
        }
    }
    ::closedir(listing);
    return removed;
}

std::optional<FileError> removeEntry(const std::string& path) {
    std::error_code error;
    std::filesystem::remove(path, error);
    if (error) {
        return FileError{error.message()};
    }
    return std::nullopt;
}

} // namespace kestrow
