#include "fault_table.h"

#include <dirent.h>
#include <sys/file.h>

#include <array>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fault {
namespace {

struct Rule {
    Call call;
    int nth;
    int error;
};

constexpr std::size_t callKinds = static_cast<std::size_t>(Call::Unlinkat) + 1;

std::vector<Rule> rules;
std::array<int, callKinds> counts{};
int fired = 0;

// Counts the call; when a rule names it, sets errno and returns true.
bool failsNow(Call call) {
    const int nth = ++counts[static_cast<std::size_t>(call)];
    for (const auto& rule : rules) {
        if (rule.call == call && rule.nth == nth) {
            ++fired;
            errno = rule.error;
            return true;
        }
    }
    return false;
}

} // namespace

const char* nameOf(Call call) {
    switch (call) {
    case Call::Stat:
        return "stat";
    case Call::Lstat:
        return "lstat";
    case Call::Open:
        return "open";
    case Call::Read:
        return "read";
    case Call::Fstat:
        return "fstat";
    case Call::Write:
        return "write";
    case Call::Fchmod:
        return "fchmod";
    case Call::Fsync:
        return "fsync";
    case Call::Close:
        return "close";
    case Call::Rename:
        return "rename";
    case Call::Unlink:
        return "unlink";
    case Call::Rmdir:
        return "rmdir";
    case Call::Mkostemp:
        return "mkostemp";
    case Call::Flock:
        return "flock";
    case Call::Opendir:
        return "opendir";
    case Call::Openat:
        return "openat";
    case Call::Unlinkat:
        return "unlinkat";
    }
    return "?";
}

void failNthCall(Call call, int nth, int error) {
    rules.push_back({call, nth, error});
}

void clear() {
    rules.clear();
    counts.fill(0);
    fired = 0;
}

int callCount(Call call) {
    return counts[static_cast<std::size_t>(call)];
}

int firedCount() {
    return fired;
}

} // namespace fault

using fault::Call;
using fault::failsNow;

extern "C" {

int __real_stat(const char* path, struct stat* info);
int __real_lstat(const char* path, struct stat* info);
int __real_open(const char* path, int flags, ...);
ssize_t __real_read(int fd, void* buffer, size_t size);
int __real_fstat(int fd, struct stat* info);
ssize_t __real_write(int fd, const void* buffer, size_t size);
int __real_fchmod(int fd, mode_t mode);
int __real_fsync(int fd);
int __real_close(int fd);
int __real_rename(const char* from, const char* to);
int __real_unlink(const char* path);
int __real_rmdir(const char* path);
int __real_mkostemp(char* pattern, int flags);
int __real_flock(int fd, int operation);
DIR* __real_opendir(const char* path);
int __real_openat(int directory, const char* path, int flags, ...);
int __real_unlinkat(int directory, const char* path, int flags);

int __wrap_stat(const char* path, struct stat* info) {
    return failsNow(Call::Stat) ? -1 : __real_stat(path, info);
}

int __wrap_lstat(const char* path, struct stat* info) {
    return failsNow(Call::Lstat) ? -1 : __real_lstat(path, info);
}

// The mode argument of open() and openat() is there only when the flags create a file.
#define KESTROW_MODE_ARGUMENT(flags)                                                                         \
    mode_t mode = 0;                                                                                         \
    if ((O_CREAT & (flags)) != 0 || (O_TMPFILE & (flags)) == O_TMPFILE) {                                    \
        std::va_list arguments;                                                                              \
        va_start(arguments, flags);                                                                          \
        mode = va_arg(arguments, mode_t);                                                                    \
        va_end(arguments);                                                                                   \
    }

int __wrap_open(const char* path, int flags, ...) {
    KESTROW_MODE_ARGUMENT(flags)
    return failsNow(Call::Open) ? -1 : __real_open(path, flags, mode);
}

int __wrap_openat(int directory, const char* path, int flags, ...) {
    KESTROW_MODE_ARGUMENT(flags)
    return failsNow(Call::Openat) ? -1 : __real_openat(directory, path, flags, mode);
}

#undef KESTROW_MODE_ARGUMENT

ssize_t __wrap_read(int fd, void* buffer, size_t size) {
    return failsNow(Call::Read) ? -1 : __real_read(fd, buffer, size);
}

int __wrap_fstat(int fd, struct stat* info) {
    return failsNow(Call::Fstat) ? -1 : __real_fstat(fd, info);
}

ssize_t __wrap_write(int fd, const void* buffer, size_t size) {
    return failsNow(Call::Write) ? -1 : __real_write(fd, buffer, size);
}

int __wrap_fchmod(int fd, mode_t mode) {
    return failsNow(Call::Fchmod) ? -1 : __real_fchmod(fd, mode);
}

int __wrap_fsync(int fd) {
    return failsNow(Call::Fsync) ? -1 : __real_fsync(fd);
}

int __wrap_close(int fd) {
    // Linux releases the descriptor even when close() reports an error; so does this.
    const int result = __real_close(fd);
    return failsNow(Call::Close) ? -1 : result;
}

int __wrap_rename(const char* from, const char* to) {
    return failsNow(Call::Rename) ? -1 : __real_rename(from, to);
}

int __wrap_unlink(const char* path) {
    return failsNow(Call::Unlink) ? -1 : __real_unlink(path);
}

int __wrap_rmdir(const char* path) {
    return failsNow(Call::Rmdir) ? -1 : __real_rmdir(path);
}

int __wrap_mkostemp(char* pattern, int flags) {
    return failsNow(Call::Mkostemp) ? -1 : __real_mkostemp(pattern, flags);
}

int __wrap_flock(int fd, int operation) {
    return failsNow(Call::Flock) ? -1 : __real_flock(fd, operation);
}

DIR* __wrap_opendir(const char* path) {
    return failsNow(Call::Opendir) ? nullptr : __real_opendir(path);
}

int __wrap_unlinkat(int directory, const char* path, int flags) {
    return failsNow(Call::Unlinkat) ? -1 : __real_unlinkat(directory, path, flags);
}

} // extern "C"
