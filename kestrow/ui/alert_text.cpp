#include "kestrow/ui/alert_text.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace {

// The C library's descriptions of the failures a file operation meets, for the catalogue: a
// reason is looked up by its English text. The core's own reasons are marked where it makes them.
[[maybe_unused]] constexpr const char* systemReasons[] = {
    QT_TRANSLATE_NOOP("Alert", "Permission denied"),
    QT_TRANSLATE_NOOP("Alert", "No such file or directory"),
    QT_TRANSLATE_NOOP("Alert", "Is a directory"),
    QT_TRANSLATE_NOOP("Alert", "Not a directory"),
    QT_TRANSLATE_NOOP("Alert", "Cannot allocate memory"),
    QT_TRANSLATE_NOOP("Alert", "No space left on device"),
    QT_TRANSLATE_NOOP("Alert", "Read-only file system"),
    QT_TRANSLATE_NOOP("Alert", "Input/output error"),
    QT_TRANSLATE_NOOP("Alert", "Operation not permitted"),
    QT_TRANSLATE_NOOP("Alert", "Directory not empty"),
    QT_TRANSLATE_NOOP("Alert", "Too many levels of symbolic links"),
    QT_TRANSLATE_NOOP("Alert", "File name too long"),
    QT_TRANSLATE_NOOP("Alert", "Disk quota exceeded"),
    QT_TRANSLATE_NOOP("Alert", "Device or resource busy"),
    QT_TRANSLATE_NOOP("Alert", "Too many open files"),
    QT_TRANSLATE_NOOP("Alert", "Too many open files in system"),
    QT_TRANSLATE_NOOP("Alert", "File too large"),
    QT_TRANSLATE_NOOP("Alert", "Invalid cross-device link"),
    QT_TRANSLATE_NOOP("Alert", "Text file busy"),
    QT_TRANSLATE_NOOP("Alert", "File exists"),
    QT_TRANSLATE_NOOP("Alert", "Invalid argument"),
    QT_TRANSLATE_NOOP("Alert", "Resource temporarily unavailable"),
    QT_TRANSLATE_NOOP("Alert", "No such device or address"),
    QT_TRANSLATE_NOOP("Alert", "Value too large for defined data type"),
    QT_TRANSLATE_NOOP("Alert", "Stale file handle"),
    QT_TRANSLATE_NOOP("Alert", "Structure needs cleaning"),
    QT_TRANSLATE_NOOP("Alert", "Interrupted system call"),
    QT_TRANSLATE_NOOP("Alert", "Bad file descriptor"),
};

QByteArray translated(const std::string& english) {
    return QCoreApplication::translate("Alert", english.c_str()).toUtf8();
}

} // namespace

QString alertText(const kestrow::Alert& alert) {
    const QByteArray message = translated(kestrow::messageTemplate(alert.kind));
    const QByteArray reason = alert.reason ? translated(alert.reason->description()) : QByteArray();
    // A path is left-to-right text: in a right-to-left message its leading slash would otherwise
    // move to the far end. Isolated only there, so that other languages keep the plain bytes.
    const std::string path = QGuiApplication::isRightToLeft() ? "\u2066" + alert.path + "\u2069" : alert.path;
    // The core fills in the placeholders, in one pass, as for the English text.
    return QString::fromStdString(kestrow::fillIn(std::string_view(message.data(), message.size()), path,
                                                  std::string_view(reason.data(), reason.size())));
}
