#include <chrono>

#include <QApplication>

#include "kestrow/app/display_failure.h"
#include "kestrow/app/kestrow_app.h"
#include "kestrow/app/standard_output.h"
#include "kestrow/app/teardown_watchdog.h"
#include "kestrow/app/wayland_decorations.h"
#include "kestrow/ui/translations.h"

namespace {

// Tearing down takes 2 to 25 ms (AddressSanitizer builds included, on a busy machine): a teardown
// still running after twenty times that is the Wayland deadlock, not a slow machine.
constexpr std::chrono::milliseconds teardownLimit{500};

} // namespace

int main(int argc, char* argv[]) {
    protectStandardStreams();
    preferCompositorDecorations();
    TeardownWatchdog watchdog;
    DisplayFailureReport displayFailure;
    QApplication application(argc, argv);
    displayFailure.release();
    QApplication::setApplicationName(QStringLiteral("kestrow"));
    QGuiApplication::setDesktopFileName(QStringLiteral("kestrow"));
    // The window speaks the user's language; standard output and the exchange files never change.
    const Translations translations(Translations::userLocale(), Translations::besideProgram());
    KestrowApp kestrowApp;
    kestrowApp.show();
    const int status = QApplication::exec();
    // The answer is final (or the window closed): from here on the process ends, hang or not.
    watchdog.start(status, teardownLimit);
    return status;
}
