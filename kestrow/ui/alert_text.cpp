#include "kestrow/ui/alert_text.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace {

// The C library's descriptions of the failures a file operation meets, for the catalogue: a
// reason is looked up by its English text. The core's own reasons are marked where it makes them.
[[maybe_unused]] constexpr const char* systemReasons[] = {
    //: A C library error text (strerror): follow the wording of glibc's catalogue for this language.
    QT_TRANSLATE_NOOP("Alert", "Permission denied"),
    //: A C library error text (strerror): follow the wording of glibc's catalogue for this language.
    QT_TRANSLATE_NOOP("Alert", "No such file or directory"),
    //: A C library error text (strerror): follow the wording of glibc's catalogue for this language.
    QT_TRANSLATE_NOOP("Alert", "Is a directory"),
    //: A C library error text (strerror): follow the wording of glibc's catalogue for this language.
    QT_TRANSLATE_NOOP("Alert", "Not a directory"),
    //: A C library error text (strerror): follow the wording of glibc's catalogue for this language.
    QT_TRANSLATE_NOOP("Alert", "Cannot allocate memory"),
    //: A C library error text (strerror): follow the wording of glibc's catalogue for this language.
    QT_TRANSLATE_NOOP("Alert", "No space left on device"),
    //: A C library error text (strerror): follow the wording of glibc's catalogue for this language.
    QT_TRANSLATE_NOOP("Alert", "Read-only file system"),
    //: A C library error text (strerror): follow the wording of glibc's catalogue for this language.
    QT_TRANSLATE_NOOP("Alert", "Input/output error"),
    //: A C library error text (strerror): follow the wording of glibc's catalogue for this language.
    QT_TRANSLATE_NOOP("Alert", "Operation not permitted"),
    //: A C library error text (strerror): follow the wording of glibc's catalogue for this language.
    QT_TRANSLATE_NOOP("Alert", "Directory not empty"),
    //: A C library error text (strerror): follow the wording of glibc's catalogue for this language.
    QT_TRANSLATE_NOOP("Alert", "Too many levels of symbolic links"),
    //: A C library error text (strerror): follow the wording of glibc's catalogue for this language.
    QT_TRANSLATE_NOOP("Alert", "File name too long"),
    //: A C library error text (strerror): follow the wording of glibc's catalogue for this language.
    QT_TRANSLATE_NOOP("Alert", "Disk quota exceeded"),
    //: A C library error text (strerror): follow the wording of glibc's catalogue for this language.
    QT_TRANSLATE_NOOP("Alert", "Device or resource busy"),
    //: A C library error text (strerror): follow the wording of glibc's catalogue for this language.
    QT_TRANSLATE_NOOP("Alert", "Too many open files"),
    //: A C library error text (strerror): follow the wording of glibc's catalogue for this language.
    QT_TRANSLATE_NOOP("Alert", "Too many open files in system"),
    //: A C library error text (strerror): follow the wording of glibc's catalogue for this language.
    QT_TRANSLATE_NOOP("Alert", "File too large"),
    //: A C library error text (strerror): follow the wording of glibc's catalogue for this language.
    QT_TRANSLATE_NOOP("Alert", "Invalid cross-device link"),
    //: A C library error text (strerror): follow the wording of glibc's catalogue for this language.
    QT_TRANSLATE_NOOP("Alert", "Text file busy"),
    //: A C library error text (strerror): follow the wording of glibc's catalogue for this language.
    QT_TRANSLATE_NOOP("Alert", "File exists"),
    //: A C library error text (strerror): follow the wording of glibc's catalogue for this language.
    QT_TRANSLATE_NOOP("Alert", "Invalid argument"),
    //: A C library error text (strerror): follow the wording of glibc's catalogue for this language.
    QT_TRANSLATE_NOOP("Alert", "Resource temporarily unavailable"),
    //: A C library error text (strerror): follow the wording of glibc's catalogue for this language.
    QT_TRANSLATE_NOOP("Alert", "No such device or address"),
    //: A C library error text (strerror): follow the wording of glibc's catalogue for this language.
    QT_TRANSLATE_NOOP("Alert", "Value too large for defined data type"),
    //: A C library error text (strerror): follow the wording of glibc's catalogue for this language.
    QT_TRANSLATE_NOOP("Alert", "Stale file handle"),
    //: A C library error text (strerror): follow the wording of glibc's catalogue for this language.
    QT_TRANSLATE_NOOP("Alert", "Structure needs cleaning"),
    //: A C library error text (strerror): follow the wording of glibc's catalogue for this language.
    QT_TRANSLATE_NOOP("Alert", "Interrupted system call"),
    //: A C library error text (strerror): follow the wording of glibc's catalogue for this language.
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
