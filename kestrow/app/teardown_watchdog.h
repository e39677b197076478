#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// Ends the process with a given status if tearing the application down takes longer than a
// bound. Qt 6.4's Wayland plugin can deadlock in its display teardown (~QWaylandDisplay joins an
// event thread that waits for a read that will never come), after the answer is already on disk
// and the window gone: the process would never end, and an installer waiting for it would wait
// for ever. Declared before the QApplication, started once the event loop has returned and ended
// after the QApplication is destroyed, so that a normal exit (with the sanitizers' leak check) is
// untouched.
class TeardownWatchdog {
public:
    TeardownWatchdog() = default;
    ~TeardownWatchdog();
    TeardownWatchdog(const TeardownWatchdog&) = delete;
    TeardownWatchdog& operator=(const TeardownWatchdog&) = delete;

    // From now on, exit with `status` unless this object is destroyed within `limit`.
    void start(int status, std::chrono::milliseconds limit);

private:
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_finished;
    bool m_done = false;
};
