#include <QApplication>

#include <optional>

#include "kestrow/app/display_failure.h"
#include "kestrow/app/kestrow_app.h"
#include "kestrow/app/prompt_exit.h"
#include "kestrow/app/standard_output.h"
#include "kestrow/app/wayland_text_input.h"
#include "kestrow/app/window_frames.h"
#include "kestrow/ui/own_window_frames.h"
#include "kestrow/ui/translations.h"

int main(int argc, char* argv[]) {
    protectStandardStreams();
    const WindowFrames frames = chooseWindowFrames();
    skipWaylandTextInput();
    DisplayFailureReport displayFailure;
    QApplication application(argc, argv);
    displayFailure.release();
    QApplication::setApplicationName(QStringLiteral("kestrow"));
    QGuiApplication::setDesktopFileName(QStringLiteral("kestrow"));
    // Only where Qt did connect to that compositor: QT_QPA_PLATFORM may have chosen X11.
    std::optional<OwnWindowFrames> ownFrames;
    if (frames == WindowFrames::Own && QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        ownFrames.emplace();
    }
    // The window speaks the user's language; standard output and the exchange files never change.
    const Translations translations(Translations::userLocale(), Translations::besideProgram());
    KestrowApp kestrowApp;
    kestrowApp.show();
    const int status = QApplication::exec();
    // The answer is final (or the window closed): the window goes, and so does the process.
    endPromptly(status);
}
