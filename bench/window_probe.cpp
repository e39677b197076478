// Times one run of a windowed program on an X server (the test desktop's Xvfb, for bench/measure.py):
// from the moment the process is started until its window is mapped, and until that window's content
// is on screen and the process has gone idle. It can then click and press keys the way a user would
// (XTEST, sent from here, so no helper process start lands in the timings) and time the reaction.
//
// "Loaded" = the window is mapped, the program has read all of its standard input (when that is a
// file), and afterwards the process's CPU time (all threads, nanoseconds from
// /proc/<pid>/task/*/schedstat, sampled every 2 ms) stops growing for --settle milliseconds; a
// sample whose growth is under --busy-share of its wall time is a timer's wake-up, not work. The
// loaded time is the last busy sample, so the idle wait itself is not counted. GTK programs map
// their window first and fill the list afterwards; this waits for both.
//
// Output: one line of key=value pairs on standard output, e.g.
//   status=loaded mapped_ms=102.3 loaded_ms=151.0 cpu_ms=140.2 peak_kib=40312
//
// On a display server that is not X (a Wayland compositor), --mapped-on-stdin leaves the map to
// the caller, who watches the compositor: the probe prints pid=N first, and the window counts as
// mapped when a line arrives on the probe's standard input. Everything after the map is the same.

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

struct Options {
    std::string title;
    std::string stdinPath = "/dev/null";
    std::string logPath = "/dev/null";
    double timeoutSeconds = 120;
    int settleMs = 300;
    double busyShare = 0.1;
    std::optional<std::pair<int, int>> click;
    std::string key;
    std::string waitFile;
    bool trace = false;
    bool mappedOnStdin = false;
    std::string argsFrom;
    std::string inputFile;
    std::vector<std::string> command;
};

[[noreturn]] void usage(const std::string& problem) {
    std::cerr
        << "kestrow_window_probe: " << problem << "\n"
        << "usage: kestrow_window_probe --title TEXT [--stdin FILE] [--log FILE] [--timeout S]\n"
        << "         [--settle MS] [--click X,Y] [--key Return|Escape|Tab|space] [--wait-file PATH]\n"
        << "         [--busy-share F] [--args-from FILE] [--input-file PATH] [--trace]\n"
        << "         -- PROGRAM [ARGS...]\n"
        << "       kestrow_window_probe --mapped-on-stdin [--stdin FILE] [--log FILE] [--timeout S]\n"
        << "         [--settle MS] [--busy-share F] [--input-file PATH] [--trace] -- PROGRAM [ARGS...]\n"
        << "  --click: after loading, click at X,Y inside the window (negative counts from the right or\n"
        << "           bottom edge) and time until idle; --key: then press the key and time until\n"
        << "           --wait-file appears (or until idle); --trace: each CPU sample that grew, on\n"
        << "           standard error (ms since start, CPU ms used since the previous one);\n"
        << "  --busy-share: a sample counts as busy when the CPU time grew by at least this share of\n"
        << "           the wall time since the previous sample (default 0.1), so that a timer's wake-up\n"
        << "           of a few microseconds does not count as work;\n"
        << "  --args-from: each line of FILE is one more argument for the program;\n"
        << "  --input-file: a file the program reads before its window maps; when anything changes it\n"
        << "           between the start and the map (another program sharing the path), the run is\n"
        << "           reported as status=disturbed;\n"
        << "  --mapped-on-stdin: no X server; prints pid=N (the program's) first, and the window\n"
        << "           counts as mapped when a line arrives on standard input.\n";
    std::exit(2);
}

Options parseOptions(int argc, char** argv) {
    Options options;
    int i = 1;
    auto value = [&](const char* name) -> std::string {
        if (i + 1 >= argc) {
            usage(std::string(name) + " needs a value");
        }
        return argv[++i];
    };
    for (; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "--") {
            ++i;
            break;
        }
        if (argument == "--title") {
            options.title = value("--title");
        } else if (argument == "--stdin") {
            options.stdinPath = value("--stdin");
        } else if (argument == "--log") {
            options.logPath = value("--log");
        } else if (argument == "--timeout") {
            options.timeoutSeconds = std::atof(value("--timeout").c_str());
        } else if (argument == "--settle") {
            options.settleMs = std::atoi(value("--settle").c_str());
        } else if (argument == "--click") {
            const std::string text = value("--click");
            int x = 0;
            int y = 0;
            char comma = 0;
            std::istringstream in(text);
            if (!(in >> x >> comma >> y) || comma != ',') {
                usage("--click wants X,Y");
            }
            options.click = {x, y};
        } else if (argument == "--key") {
            options.key = value("--key");
        } else if (argument == "--wait-file") {
            options.waitFile = value("--wait-file");
        } else if (argument == "--input-file") {
            options.inputFile = value("--input-file");
        } else if (argument == "--args-from") {
            options.argsFrom = value("--args-from");
        } else if (argument == "--busy-share") {
            options.busyShare = std::atof(value("--busy-share").c_str());
        } else if (argument == "--trace") {
            options.trace = true;
        } else if (argument == "--mapped-on-stdin") {
            options.mappedOnStdin = true;
        } else {
            usage("unknown option " + std::string(argument));
        }
    }
    for (; i < argc; ++i) {
        options.command.emplace_back(argv[i]);
    }
    if (options.command.empty() || (options.title.empty() && !options.mappedOnStdin)) {
        usage("--title and a program are required");
    }
    if (options.mappedOnStdin && (options.click || !options.key.empty())) {
        usage("--mapped-on-stdin takes no --click or --key");
    }
    if (!options.argsFrom.empty()) {
        std::ifstream in(options.argsFrom);
        if (!in) {
            usage("cannot read " + options.argsFrom);
        }
        for (std::string line; std::getline(in, line);) {
            options.command.push_back(line);
        }
    }
    return options;
}

// CPU time of every thread of the process, in nanoseconds; nothing once it is gone.
std::optional<std::uint64_t> cpuNanoseconds(pid_t pid) {
    const std::string taskDirectory = "/proc/" + std::to_string(pid) + "/task";
    std::unique_ptr<DIR, int (*)(DIR*)> directory(::opendir(taskDirectory.c_str()), ::closedir);
    if (!directory) {
        return std::nullopt;
    }
    std::uint64_t total = 0;
    while (const dirent* entry = ::readdir(directory.get())) {
        if (entry->d_name[0] == '.') {
            continue;
        }
        std::ifstream in(taskDirectory + "/" + entry->d_name + "/schedstat");
        std::uint64_t running = 0;
        if (in >> running) {
            total += running;
        }
    }
    return total;
}

// VmHWM (peak resident set) in KiB, or 0 when the process is gone.
long peakResidentKib(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.starts_with("VmHWM:")) {
            return std::atol(line.c_str() + 6);
        }
    }
    return 0;
}

class Display {
public:
    Display() {
        int screenNumber = 0;
        m_connection = xcb_connect(nullptr, &screenNumber);
        if (xcb_connection_has_error(m_connection) != 0) {
            std::cerr << "kestrow_window_probe: cannot connect to the X server (DISPLAY)\n";
            std::exit(2);
        }
        xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
        for (int i = 0; i < screenNumber; ++i) {
            xcb_screen_next(&screens);
        }
        m_root = screens.data->root;
        m_utf8String = atom("UTF8_STRING");
        m_netWmName = atom("_NET_WM_NAME");
        // Map events of every top-level window (there is no window manager to reparent them).
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_connection);
    }
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;
    ~Display() { xcb_disconnect(m_connection); }

    int fd() const { return xcb_get_file_descriptor(m_connection); }

    // Handles pending events; returns the window titled title once one is mapped.
    std::optional<xcb_window_t> mappedWindowTitled(const std::string& title) {
        std::optional<xcb_window_t> found;
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
            const auto type = event->response_type & 0x7f;
            xcb_window_t window = XCB_NONE;
            if (type == XCB_MAP_NOTIFY) {
                window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
                // A title set after mapping arrives as a property change.
                const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
                xcb_change_window_attributes(m_connection, window, XCB_CW_EVENT_MASK, &mask);
                m_mapped.push_back(window);
            } else if (type == XCB_PROPERTY_NOTIFY) {
                window = reinterpret_cast<xcb_property_notify_event_t*>(event)->window;
            }
            std::free(event);
            if (window != XCB_NONE && !found && isMapped(window) && titleOf(window) == title) {
                found = window;
            }
        }
        xcb_flush(m_connection);
        return found;
    }

    // Window-relative point (negative: from the right or bottom edge) in root coordinates.
    std::pair<int, int> rootPoint(xcb_window_t window, int x, int y) {
        std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
            xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr), std::free);
        std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(&std::free)> origin(
            xcb_translate_coordinates_reply(
                m_connection, xcb_translate_coordinates(m_connection, window, m_root, 0, 0), nullptr),
            std::free);
        if (!geometry || !origin) {
            return {x, y};
        }
        const int localX = x < 0 ? geometry->width + x : x;
        const int localY = y < 0 ? geometry->height + y : y;
        return {origin->dst_x + localX, origin->dst_y + localY};
    }

    void movePointer(int x, int y) {
        fake(XCB_MOTION_NOTIFY, 0, x, y);
        sync();
    }
    void clickButton() {
        fake(XCB_BUTTON_PRESS, 1);
        fake(XCB_BUTTON_RELEASE, 1);
        sync();
    }
    bool pressKey(std::uint32_t keysym) {
        const auto keycode = keycodeOf(keysym);
        if (!keycode) {
            return false;
        }
        fake(XCB_KEY_PRESS, *keycode);
        fake(XCB_KEY_RELEASE, *keycode);
        sync();
        return true;
    }

private:
    xcb_atom_t atom(const char* name) {
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(
                m_connection,
                xcb_intern_atom(m_connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
                nullptr),
            std::free);
        return reply ? reply->atom : XCB_NONE;
    }

    bool isMapped(xcb_window_t window) const {
        return std::find(m_mapped.begin(), m_mapped.end(), window) != m_mapped.end();
    }

    std::string property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type) {
        std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
            xcb_get_property_reply(m_connection,
                                   xcb_get_property(m_connection, 0, window, name, type, 0, 1024), nullptr),
            std::free);
        if (!reply) {
            return {};
        }
        const auto* bytes = static_cast<const char*>(xcb_get_property_value(reply.get()));
        return std::string(bytes, static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
    }

    std::string titleOf(xcb_window_t window) {
        std::string title = property(window, m_netWmName, m_utf8String);
        if (title.empty()) {
            title = property(window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
        }
        return title;
    }

    std::optional<xcb_keycode_t> keycodeOf(std::uint32_t keysym) {
        const xcb_setup_t* setup = xcb_get_setup(m_connection);
        const auto count = static_cast<std::uint8_t>(setup->max_keycode - setup->min_keycode + 1);
        std::unique_ptr<xcb_get_keyboard_mapping_reply_t, decltype(&std::free)> reply(
            xcb_get_keyboard_mapping_reply(
                m_connection, xcb_get_keyboard_mapping(m_connection, setup->min_keycode, count), nullptr),
            std::free);
        if (!reply) {
            return std::nullopt;
        }
        const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(reply.get());
        const int perKeycode = reply->keysyms_per_keycode;
        for (int code = 0; code < count; ++code) {
            for (int level = 0; level < perKeycode; ++level) {
                if (keysyms[code * perKeycode + level] == keysym) {
                    return static_cast<xcb_keycode_t>(setup->min_keycode + code);
                }
            }
        }
        return std::nullopt;
    }

    void fake(std::uint8_t type, std::uint8_t detail, int x = 0, int y = 0) {
        xcb_test_fake_input(m_connection, type, detail, XCB_CURRENT_TIME, m_root,
                            static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), XCB_NONE);
    }

    // Returns once the server has handled everything sent so far.
    void sync() {
        std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    }

    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = XCB_NONE;
    xcb_atom_t m_utf8String = XCB_NONE;
    xcb_atom_t m_netWmName = XCB_NONE;
    std::vector<xcb_window_t> m_mapped;
};

std::optional<std::uint32_t> keysymNamed(const std::string& name) {
    if (name == "Return") {
        return 0xff0d;
    }
    if (name == "Escape") {
        return 0xff1b;
    }
    if (name == "Tab") {
        return 0xff09;
    }
    if (name == "space") {
        return 0x20;
    }
    return std::nullopt;
}

pid_t g_childGroup = 0;

// Interrupted (Ctrl-C during scripts/bench): the program runs in its own process group, so it would
// outlive us unless stopped here.
void stopChildAndExit(int signalNumber) {
    if (g_childGroup > 0) {
        ::kill(-g_childGroup, SIGKILL);
    }
    ::_exit(128 + signalNumber);
}

class Child {
public:
    explicit Child(const Options& options) {
        const int in = ::open(options.stdinPath.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat input = {};
        if (in >= 0 && ::fstat(in, &input) == 0 && S_ISREG(input.st_mode)) {
            m_inputSize = input.st_size;
        }
        const int out = ::open(options.logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
        if (in < 0 || out < 0) {
            std::cerr << "kestrow_window_probe: cannot open "
                      << (in < 0 ? options.stdinPath : options.logPath) << ": " << std::strerror(errno)
                      << "\n";
            std::exit(2);
        }
        std::vector<char*> arguments;
        for (const auto& argument : options.command) {
            arguments.push_back(const_cast<char*>(argument.c_str()));
        }
        arguments.push_back(nullptr);
        start = Clock::now();
        pid = ::fork();
        if (pid == 0) {
            ::setpgid(0, 0); // its own group, so that helpers it starts are stopped with it
            // Linux allows arguments up to a quarter of the stack limit (and 6 MiB at most).
            rlimit stack{};
            if (!options.argsFrom.empty() && ::getrlimit(RLIMIT_STACK, &stack) == 0 &&
                stack.rlim_cur != RLIM_INFINITY && stack.rlim_cur < 32 * 1024 * 1024) {
                stack.rlim_cur = std::min<rlim_t>(32 * 1024 * 1024, stack.rlim_max);
                ::setrlimit(RLIMIT_STACK, &stack);
            }
            ::dup2(in, 0);
            ::dup2(out, 1);
            ::dup2(out, 2);
            ::execvp(arguments[0], arguments.data());
            std::fprintf(stderr, "kestrow_window_probe: cannot run %s: %s\n", arguments[0],
                         std::strerror(errno));
            ::_exit(127);
        }
        ::close(in);
        ::close(out);
        if (pid < 0) {
            std::cerr << "kestrow_window_probe: fork: " << std::strerror(errno) << "\n";
            std::exit(2);
        }
        ::setpgid(pid, pid);
        g_childGroup = pid;
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child() { stop(); }

    bool running() {
        if (m_reaped) {
            return false;
        }
        return !reap(WNOHANG);
    }

    // Ends the process group: SIGTERM, then SIGKILL after two seconds.
    void stop() {
        if (m_reaped) {
            return;
        }
        ::kill(-pid, SIGTERM);
        const auto deadline = Clock::now() + std::chrono::seconds(2);
        while (Clock::now() < deadline) {
            if (reap(WNOHANG)) {
                ::kill(-pid, SIGKILL); // anything it left behind in its group
                return;
            }
            ::usleep(5000);
        }
        ::kill(-pid, SIGKILL);
        reap(0);
    }

    // True once the process has ended (its status and peak memory are then known).
    bool waitUntil(Clock::time_point deadline) {
        while (Clock::now() < deadline) {
            if (!running()) {
                return true;
            }
            ::usleep(2000);
        }
        return false;
    }

    // True once the program has read all of its standard input (or closed it). A program may
    // sleep between reads (zenity does, 10 ms a line), so idling alone does not mean loaded.
    bool inputConsumed() const {
        if (m_inputSize == 0) {
            return true;
        }
        std::ifstream in("/proc/" + std::to_string(pid) + "/fdinfo/0");
        std::string key;
        long long position = 0;
        while (in >> key) {
            if (key == "pos:") {
                in >> position;
                return position >= m_inputSize;
            }
            in.ignore(1 << 20, '\n');
        }
        return true; // closed
    }

    pid_t pid = -1;
    Clock::time_point start;
    int exitCode = -1; // 128 + signal when killed
    long maxResidentKib = 0;

private:
    bool reap(int flags) {
        int status = 0;
        rusage usage{};
        const pid_t done = ::wait4(pid, &status, flags, &usage);
        if (done != pid) {
            return false;
        }
        m_reaped = true;
        g_childGroup = 0;
        maxResidentKib = usage.ru_maxrss;
        exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return true;
    }

    bool m_reaped = false;
    off_t m_inputSize = 0;
};

// Waits until the process's CPU time has not grown for settle; returns the time it last grew
// (or from, when it never did) and the CPU time spent since from.
struct Idle {
    bool reached = false;
    Clock::time_point lastBusy;
    double cpuMs = 0;
};

bool g_trace = false;
double g_busyShare = 0.1;

Idle waitForIdle(Child& child, Display* display, Clock::time_point from, int settleMs,
                 Clock::time_point deadline) {
    Idle idle;
    idle.lastBusy = from;
    const auto first = cpuNanoseconds(child.pid);
    if (!first) {
        return idle;
    }
    std::uint64_t last = *first;
    std::uint64_t lastBusyCpu = *first;
    auto previous = Clock::now();
    const auto settle = std::chrono::milliseconds(settleMs);
    while (Clock::now() < deadline) {
        ::usleep(2000);
        if (display != nullptr) {
            display->mappedWindowTitled({}); // keep the event queue drained
        }
        const auto now = Clock::now();
        const auto cpu = cpuNanoseconds(child.pid);
        if (!cpu || !child.running()) {
            return idle;
        }
        const double grewMs = static_cast<double>(*cpu - last) / 1e6;
        const bool busy = (grewMs > 0 && grewMs >= g_busyShare * millisecondsBetween(previous, now)) ||
                          !child.inputConsumed();
        if (g_trace && grewMs > 0) {
            std::fprintf(stderr, "trace %8.1f ms  +%.2f ms cpu%s\n", millisecondsBetween(child.start, now),
                         grewMs, busy ? "" : "  (not busy)");
        }
        last = *cpu;
        previous = now;
        if (busy) {
            idle.lastBusy = now;
            lastBusyCpu = *cpu;
        } else if (now - idle.lastBusy >= settle) {
            idle.reached = true;
            idle.cpuMs = static_cast<double>(lastBusyCpu - *first) / 1e6;
            return idle;
        }
    }
    return idle;
}

// Waits for path to appear; returns when it was first seen.
std::optional<Clock::time_point> waitForFile(const std::string& path, Clock::time_point deadline) {
    const int notify = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    const auto slash = path.rfind('/');
    const std::string directory =
        slash == std::string::npos ? "." : path.substr(0, std::max<std::size_t>(slash, 1));
    if (notify >= 0) {
        ::inotify_add_watch(notify, directory.c_str(), IN_CREATE | IN_MOVED_TO | IN_CLOSE_WRITE);
    }
    std::optional<Clock::time_point> seen;
    while (Clock::now() < deadline) {
        struct stat info = {};
        if (::stat(path.c_str(), &info) == 0) {
            seen = Clock::now();
            break;
        }
        if (notify >= 0) {
            pollfd wait{notify, POLLIN, 0};
            ::poll(&wait, 1, 1);
            char buffer[4096];
            while (::read(notify, buffer, sizeof buffer) > 0) {
            }
        } else {
            ::usleep(500);
        }
    }
    if (notify >= 0) {
        ::close(notify);
    }
    return seen;
}

// Identity and version of a file: a replacement or a rewrite changes it.
std::string fileStamp(const std::string& path) {
    struct stat info = {};
    if (::stat(path.c_str(), &info) != 0) {
        return "missing";
    }
    std::ostringstream stamp;
    stamp << info.st_dev << ':' << info.st_ino << ':' << info.st_size << ':' << info.st_mtim.tv_sec << '.'
          << info.st_mtim.tv_nsec << ':' << info.st_ctim.tv_sec << '.' << info.st_ctim.tv_nsec;
    return stamp.str();
}

std::string formatMs(double ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", ms);
    return text;
}

} // namespace

int main(int argc, char** argv) {
    ::signal(SIGPIPE, SIG_IGN);
    ::signal(SIGINT, stopChildAndExit);
    ::signal(SIGTERM, stopChildAndExit);
    ::signal(SIGHUP, stopChildAndExit);
    const Options options = parseOptions(argc, argv);
    g_trace = options.trace;
    g_busyShare = options.busyShare;
    std::optional<std::uint32_t> keysym;
    if (!options.key.empty()) {
        keysym = keysymNamed(options.key);
        if (!keysym) {
            usage("unknown key " + options.key);
        }
    }

    // Listening before the program starts, so that its map event cannot be missed.
    std::optional<Display> x11;
    if (!options.mappedOnStdin) {
        x11.emplace();
    }
    Display* const display = x11 ? &*x11 : nullptr;
    const std::string inputBefore = options.inputFile.empty() ? std::string() : fileStamp(options.inputFile);
    Child child(options);
    const auto deadline =
        child.start + std::chrono::milliseconds(static_cast<long>(options.timeoutSeconds * 1000));
    std::ostringstream report;

    std::optional<xcb_window_t> window;
    std::optional<Clock::time_point> mappedAt;
    if (options.mappedOnStdin) {
        std::cout << "pid=" << child.pid << std::endl;
    }
    while (Clock::now() < deadline && child.running()) {
        pollfd wait{display != nullptr ? display->fd() : STDIN_FILENO, POLLIN, 0};
        ::poll(&wait, 1, 1);
        if (display != nullptr) {
            window = display->mappedWindowTitled(options.title);
        } else if ((wait.revents & (POLLIN | POLLHUP)) != 0) {
            char line[64];
            if (::read(STDIN_FILENO, line, sizeof line) <= 0) {
                break; // the caller gave up
            }
            mappedAt = Clock::now();
            break;
        }
        if (window) {
            mappedAt = Clock::now();
            break;
        }
    }
    if (!mappedAt) {
        const bool ended = !child.running();
        child.stop();
        std::cout << "status=" << (ended ? "exited" : "timeout") << " exit=" << child.exitCode << "\n";
        return 1;
    }
    report << "mapped_ms=" << formatMs(millisecondsBetween(child.start, *mappedAt));
    if (!options.inputFile.empty() && fileStamp(options.inputFile) != inputBefore) {
        child.stop();
        std::cout << "status=disturbed " << report.str() << " exit=" << child.exitCode << "\n";
        return 1;
    }

    const Idle loaded = waitForIdle(child, display, *mappedAt, options.settleMs, deadline);
    if (!loaded.reached) {
        const bool ended = !child.running();
        child.stop();
        std::cout << "status=" << (ended ? "exited" : "timeout") << " " << report.str()
                  << " exit=" << child.exitCode << "\n";
        return 1;
    }
    const auto startCpu = cpuNanoseconds(child.pid).value_or(0);
    report << " loaded_ms=" << formatMs(millisecondsBetween(child.start, loaded.lastBusy))
           << " cpu_ms=" << formatMs(static_cast<double>(startCpu) / 1e6);
    long peakKib = peakResidentKib(child.pid);

    const auto actionDeadline = [] { return Clock::now() + std::chrono::seconds(60); };
    if (options.click) {
        const auto [x, y] = display->rootPoint(*window, options.click->first, options.click->second);
        display->movePointer(x, y);
        waitForIdle(child, display, Clock::now(), options.settleMs, actionDeadline()); // hover effects
        const auto clickedAt = Clock::now();
        display->clickButton();
        const Idle afterClick = waitForIdle(child, display, clickedAt, options.settleMs, actionDeadline());
        report << " click_busy_ms=" << formatMs(millisecondsBetween(clickedAt, afterClick.lastBusy))
               << " click_cpu_ms=" << formatMs(afterClick.cpuMs);
    }
    if (keysym) {
        const auto pressedAt = Clock::now();
        display->pressKey(*keysym);
        if (!options.waitFile.empty()) {
            const auto seen = waitForFile(options.waitFile, actionDeadline());
            report << " key_to_file_ms=" << (seen ? formatMs(millisecondsBetween(pressedAt, *seen)) : "none");
            // Finishing ends the process on its own.
            if (seen) {
                child.waitUntil(Clock::now() + std::chrono::seconds(10));
            }
        } else {
            const Idle afterKey = waitForIdle(child, display, pressedAt, options.settleMs, actionDeadline());
            report << " key_busy_ms=" << formatMs(millisecondsBetween(pressedAt, afterKey.lastBusy))
                   << " key_cpu_ms=" << formatMs(afterKey.cpuMs);
        }
    }

    if (child.running()) {
        peakKib = std::max(peakKib, peakResidentKib(child.pid)); // sampled just before it is stopped
        child.stop();
        report << " exit=stopped";
    } else {
        report << " exit=" << child.exitCode;
    }
    peakKib = std::max(peakKib, child.maxResidentKib);
    std::cout << "status=loaded " << report.str() << " peak_kib=" << peakKib << "\n";
    return 0;
}
