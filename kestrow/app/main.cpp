#include <QApplication>

#include "kestrow_app.h"
#include "standard_output.h"

int main(int argc, char* argv[]) {
    protectStandardStreams();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kestrow"));
    QGuiApplication::setDesktopFileName(QStringLiteral("kestrow"));
    KestrowApp kestrowApp;
    kestrowApp.show();
    return QApplication::exec();
}
