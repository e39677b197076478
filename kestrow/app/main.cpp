#include <chrono>

#include <QApplication>

#include "kestrow_app.h"
#include "standard_output.h"
#include "teardown_watchdog.h"
#include "wayland_decorations.h"

namespace {

// Tearing down takes 2 to 25 ms (AddressSanitizer builds included, on a busy machine): a teardown
// still running after twenty times that is the Wayland deadlock, not a slow machine.
constexpr std::chrono::milliseconds teardownLimit{500};

} // namespace

int main(int argc, char* argv[]) {
    protectStandardStreams();
    preferCompositorDecorations();
    TeardownWatchdog watchdog;
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kestrow"));
    QGuiApplication::setDesktopFileName(QStringLiteral("kestrow"));
    KestrowApp kestrowApp;
    kestrowApp.show();
    const int status = QApplication::exec();
    // The answer is final (or the window closed): from here on the process ends, hang or not.
    watchdog.start(status, teardownLimit);
    return status;
}
