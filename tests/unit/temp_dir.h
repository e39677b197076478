#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// A fresh directory per test, removed afterwards, standing in for /tmp.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrow-test-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }

    std::string path(const std::string& name) const { return (m_path / name).string(); }
    const std::filesystem::path& root() const { return m_path; }

    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(m_path / name, std::ios::binary) << bytes;
    }

    std::string read(const std::string& name) const {
        std::ifstream in(m_path / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    bool exists(const std::string& name) const {
        std::error_code ignored;
        return std::filesystem::exists(std::filesystem::symlink_status(m_path / name, ignored));
    }

    bool isRegularFile(const std::string& name) const {
        return std::filesystem::is_regular_file(std::filesystem::symlink_status(m_path / name));
    }

    void makeDirectory(const std::string& name) const { std::filesystem::create_directory(m_path / name); }
    void makeFifo(const std::string& name) const { ::mkfifo(path(name).c_str(), 0644); }
    void makeLink(const std::string& name, const std::string& target) const {
        std::filesystem::create_symlink(target, m_path / name);
    }

    // Entries whose names start with prefix: leftovers of an interrupted write.
    int countStartingWith(const std::string& prefix) const {
        int count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(m_path)) {
            if (entry.path().filename().string().starts_with(prefix)) {
                ++count;
            }
        }
        return count;
    }

    // A file named as the temporary file of a writer whose process has ended: prefix, pid, "-".
    std::string leftoverOfADeadWriter(const std::string& prefix) const {
        const pid_t dead = ::fork();
        if (dead == 0) {
            ::_exit(0);
        }
        ::waitpid(dead, nullptr, 0);
        const std::string name = prefix + std::to_string(dead) + "-abc123";
        write(name, "partial");
        return name;
    }

private:
    std::filesystem::path m_path;
};

// For its scope, makes the temporary directory read-only and lets permission bits bind this
// thread. Root ignores them (CI runs as root), so root's file-system user id drops to nobody,
// which also drops its override of permissions; setfsuid is per thread and undone on exit.
class PermissionsEnforced {
public:
    explicit PermissionsEnforced(const TempDir& dir)
        : m_dir(dir) {
        ::chmod(m_dir.root().c_str(), 0555);
        if (::geteuid() == 0) {
            ::setfsuid(65534);
            m_dropped = true;
        }
    }
    PermissionsEnforced(const PermissionsEnforced&) = delete;
    PermissionsEnforced& operator=(const PermissionsEnforced&) = delete;
    ~PermissionsEnforced() {
        if (m_dropped) {
            ::setfsuid(0);
        }
        ::chmod(m_dir.root().c_str(), 0700);
    }

    // False when the process could not give up its rights (no CAP_SETUID): the caller skips.
    bool effective() const {
        const std::string probe = m_dir.path(".permission-probe");
        const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd >= 0) {
            ::close(fd);
            ::unlink(probe.c_str());
        }
        return fd < 0;
    }

private:
    const TempDir& m_dir;
    bool m_dropped = false;
};
