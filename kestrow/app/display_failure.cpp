#include "kestrow/app/display_failure.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QString>
#include <QtGlobal>
#include <wayland-client.h>
#include <xcb/xcb.h>

namespace {

std::mutex stateMutex;
bool handlerInstalled = false;
QtMessageHandler previousHandler = nullptr;
int capture = -1;     // the memory file standing in for standard error
int savedStderr = -1; // the real standard error while capturing
std::vector<std::string> triedPlatforms;

// Everything written to the capture from `offset` on.
std::string capturedSince(off_t offset) {
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::pread(capture, buffer, sizeof buffer, offset);
        if (got <= 0) {
            return text;
        }
        text.append(buffer, static_cast<std::size_t>(got));
        offset += got;
    }
}

off_t captureEnd() {
    return capture < 0 ? 0 : ::lseek(capture, 0, SEEK_END);
}

void writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = ::write(fd, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            return;
        }
        done += static_cast<std::size_t>(wrote);
    }
}

// Standard error back where it was; returns what was captured. Caller holds stateMutex.
std::string stopCapture() {
    if (capture < 0) {
        return {};
    }
    std::string text = capturedSince(0);
    ::dup2(savedStderr, STDERR_FILENO);
    ::close(savedStderr);
    ::close(capture);
    capture = savedStderr = -1;
    return text;
}

std::string firstLine(const std::string& text) {
    const auto start = text.find_first_not_of("\n ");
    if (start == std::string::npos) {
        return {};
    }
    return text.substr(start, text.find('\n', start) - start);
}

// connect(2) to a Unix socket path: 0, or the errno.
int connectError(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        return ENAMETOOLONG;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return errno;
    }
    const int result = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    const int error = result == 0 ? 0 : errno;
    ::close(fd);
    return error;
}

std::string socketReason(int error, const std::string& path, const char* what) {
    switch (error) {
    case ENOENT:
        return "not found (no " + std::string(what) + " at " + path + ")";
    case ECONNREFUSED:
        return "refused (nothing listens at " + path + ")";
    default:
        return std::string(std::strerror(error)) + " (" + path + ")";
    }
}

// Why the X11 display cannot be opened, or nothing when it can.
std::string x11Failure(std::string& name) {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        return "DISPLAY is not set";
    }
    name = display;
    // libxcb writes the server's refusal to standard error (the capture) itself.
    const off_t before = captureEnd();
    xcb_connection_t* connection = xcb_connect(display, nullptr);
    const int error = xcb_connection_has_error(connection);
    xcb_disconnect(connection);
    if (error == 0) {
        return {};
    }
    if (const std::string refusal = firstLine(capturedSince(before)); !refusal.empty()) {
        return "refused (" + refusal + ")";
    }
    char* host = nullptr;
    int number = 0;
    if (xcb_parse_display(display, &host, &number, nullptr) == 0) {
        return "not a display name";
    }
    const std::string hostName = host == nullptr ? "" : host;
    std::free(host);
    if (!hostName.empty() && hostName != "unix") {
        return "cannot connect to the X server on " + hostName;
    }
    const std::string path = "/tmp/.X11-unix/X" + std::to_string(number);
    return socketReason(connectError(path), path, "X server");
}

// Why the Wayland display cannot be opened, or nothing when it can.
std::string waylandFailure(std::string& name) {
    const char* display = std::getenv("WAYLAND_DISPLAY");
    name = display == nullptr || *display == '\0' ? "wayland-0" : display;
    errno = 0;
    if (wl_display* connection = wl_display_connect(nullptr); connection != nullptr) {
        wl_display_disconnect(connection);
        return {};
    }
    const int error = errno;
    std::string path = name;
    if (path.front() != '/') {
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        if (runtime == nullptr || *runtime == '\0') {
            return "XDG_RUNTIME_DIR is not set";
        }
        path = std::string(runtime) + "/" + name;
    }
    return socketReason(error == 0 ? ENOENT : error, path, "compositor socket");
}

// The one line for a fatal whose cause is the display, or nothing when it is not.
std::string displayFailureLine() {
    std::vector<std::string> platforms = triedPlatforms;
    if (platforms.empty()) {
        // No plugin named in Qt's messages: the ones the environment asks for.
        const char* wanted = std::getenv("QT_QPA_PLATFORM");
        std::string list = wanted == nullptr ? "" : wanted;
        for (std::size_t at = 0; at < list.size();) {
            const std::size_t end = std::min(list.find(';', at), list.size());
            const std::string entry = list.substr(at, end - at);
            if (!entry.empty()) {
                platforms.push_back(entry.substr(0, entry.find(':')));
            }
            at = end + 1;
        }
        if (platforms.empty()) {
            platforms.push_back(qEnvironmentVariableIsEmpty("DISPLAY") &&
                                        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
                                    ? "wayland"
                                    : "xcb");
        }
    }
    std::vector<std::string> parts;
    bool onlyUnset = true;
    for (const std::string& platform : platforms) {
        std::string name;
        std::string reason;
        std::string kind;
        if (platform == "xcb") {
            kind = "X11";
            reason = x11Failure(name);
        } else if (platform.rfind("wayland", 0) == 0) {
            kind = "Wayland";
            reason = waylandFailure(name);
        } else {
            return {}; // a platform that is no display server of ours: not this failure
        }
        if (reason.empty()) {
            return {}; // that display opens: Qt failed for another reason
        }
        const bool unset = name.empty();
        onlyUnset = onlyUnset && unset;
        parts.push_back(unset ? "an " + kind + " display (" + reason + ")"
                              : "the " + kind + " display '" + name + "': " + reason);
    }
    if (onlyUnset) {
        return "kestrow: cannot open a display: neither DISPLAY nor WAYLAND_DISPLAY is set";
    }
    std::string line = "kestrow: cannot open ";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        line += (i == 0 ? "" : "; nor ") + parts[i];
    }
    return line;
}

void handleMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    {
        const std::lock_guard lock(stateMutex);
        // (Without a capture, as when memfd_create fails, the line still comes; only a refusal's
        // reason then goes to standard error on its own, as libxcb writes it.)
        if (handlerInstalled) {
            // "Could not load the Qt platform plugin "xcb" in "" even though it was found."
            if (context.category != nullptr && std::strcmp(context.category, "qt.qpa.plugin") == 0) {
                const qsizetype open = message.indexOf(QLatin1Char('"'));
                const qsizetype close = message.indexOf(QLatin1Char('"'), open + 1);
                if (open >= 0 && close > open) {
                    triedPlatforms.push_back(message.mid(open + 1, close - open - 1).toStdString());
                }
            }
            if (type == QtFatalMsg) {
                const std::string line = displayFailureLine();
                const std::string captured = stopCapture();
                if (!line.empty()) {
                    writeAll(STDERR_FILENO, line + "\n");
                    // Nothing was shown, nothing written: no clean-up to run, and no leak check
                    // of a half-made application.
                    ::_exit(1);
                }
                writeAll(STDERR_FILENO, captured);
            }
        }
    }
    if (previousHandler != nullptr) {
        previousHandler(type, context, message);
    } else if (type == QtFatalMsg) {
        std::abort();
    }
}

} // namespace

DisplayFailureReport::DisplayFailureReport() {
    const std::lock_guard lock(stateMutex);
    std::fflush(stderr);
    const int memory = ::memfd_create("kestrow-stderr", MFD_CLOEXEC);
    const int saved = memory < 0 ? -1 : ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    if (saved >= 0 && ::dup2(memory, STDERR_FILENO) >= 0) {
        capture = memory;
        savedStderr = saved;
    } else {
        if (memory >= 0) {
            ::close(memory);
        }
        if (saved >= 0) {
            ::close(saved);
        }
    }
    previousHandler = qInstallMessageHandler(handleMessage);
    handlerInstalled = true;
}

DisplayFailureReport::~DisplayFailureReport() {
    release();
}

void DisplayFailureReport::release() {
    const std::lock_guard lock(stateMutex);
    if (!handlerInstalled) {
        return;
    }
    std::fflush(stderr);
    writeAll(STDERR_FILENO, stopCapture());
    qInstallMessageHandler(previousHandler);
    handlerInstalled = false;
}
