#include "kestrow/core/file_ops.h"

#include <cerrno>
#include <charconv>
#include <fstream>
#include <sstream>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrow {
namespace {

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
            return FileError::system(errno);
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return std::nullopt;
}

// umask() can only be read by changing it, and that change is process-wide while Qt's threads
// may create files; Linux shows the mask in /proc instead.
mode_t currentUmask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("Umask:")) {
            unsigned mask = 0;
            if (std::istringstream(line.substr(6)) >> std::oct >> mask) {
                return static_cast<mode_t>(mask & 0777);
            }
        }
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

mode_t fileModeForNewFiles() {
    // The installer may run as another user: 0644 less the umask in force now, as creat() gives.
    return static_cast<mode_t>(0644 & ~currentUmask());
}

// Makes the rename itself durable; the new file is already complete, so a failure here is not
// reported as a failed write.
void syncDirectory(const std::string& directory) {
    const FileDescriptor fd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0) {
        ::fsync(fd.get());
    }
}

// Whether a failed open of path found nothing there. Refused access may mean a file without read
// permission (something is there) or a directory on the way that cannot be searched (nothing
// can be seen); only then does a look at the path itself tell which.
bool nothingThere(const std::string& path, int openError) {
    switch (openError) {
    case ENOENT:
    case ENOTDIR:
    case ELOOP:
    case ENAMETOOLONG:
        return true;
    case EACCES: {
        struct stat info = {};
        return ::stat(path.c_str(), &info) != 0;
    }
    default:
        return false;
    }
}

} // namespace

std::string directoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

ReadResult readRegularFile(const std::string& path) {
    // O_NONBLOCK: opening a FIFO must not wait for a writer that never comes.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        const int error = errno;
        return {{}, FileError::system(error), !nothingThere(path, error)};
    }
    struct stat info = {};
    if (::fstat(fd.get(), &info) != 0) {
        return {{}, FileError::system(errno)};
    }
    if (S_ISDIR(info.st_mode)) {
        return {{}, FileError::system(EISDIR)};
    }
    if (!S_ISREG(info.st_mode)) {
        return {{}, FileError{FileError::Kind::NotRegularFile}};
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
            return {{}, FileError::system(errno)};
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
    // Everything that allocates happens before the temporary file exists, so that running out of
    // memory cannot leave one behind.
    const std::string directory = directoryOf(path);
    std::string temporaryPath =
        directory + "/" + std::string(temporaryFilePrefix) + std::to_string(::getpid()) + "-XXXXXX";
    const mode_t mode = fileModeForNewFiles();
    // mkstemp: an unpredictable name created with O_EXCL, so nothing planted in /tmp is reused.
    FileDescriptor fd(::mkostemp(temporaryPath.data(), O_CLOEXEC));
    if (fd.get() < 0) {
        return FileError::system(errno);
    }
    // Held until the file is complete and closed: a writer whose pid we cannot see (another pid
    // namespace sharing /tmp) is recognised as alive by the clean-up of abandoned temporaries.
    // Closing comes before the rename, so that a failed close still leaves the target as it was;
    // that leaves such a clean-up a moment between the two.
    ::flock(fd.get(), LOCK_EX | LOCK_NB);

    auto failed = [&](int error) {
        ::unlink(temporaryPath.c_str());
        return FileError::system(error);
    };
    if (auto error = writeAll(fd.get(), content)) {
        ::unlink(temporaryPath.c_str());
        return error;
    }
    if (::fchmod(fd.get(), mode) != 0) {
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
        struct stat info = {};
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

RemoveResult removeEntry(const std::string& path) {
    if (::unlink(path.c_str()) == 0) {
        return {true, std::nullopt};
    }
    int error = errno;
    if (error == EISDIR) { // Linux's answer for a directory; an empty one may go
        if (::rmdir(path.c_str()) == 0) {
            return {true, std::nullopt};
        }
        error = errno;
    }
    if (error == ENOENT || error == ENOTDIR) {
        return {false, std::nullopt};
    }
    return {false, FileError::system(error)};
}

} // namespace kestrow
