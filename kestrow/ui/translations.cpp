#include "kestrow/ui/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>

namespace {

// Qt mirrors the layout when the catalogue translates this, its own entry, to "RTL"; marked here
// so that our catalogues keep it.
struct TextWithComment {
    const char* source;
    const char* comment;
};
[[maybe_unused]] constexpr TextWithComment layoutDirection = QT_TRANSLATE_NOOP3(
    "QGuiApplication", "QT_LAYOUT_DIRECTION",
    "Translate this string to the string 'LTR' in left-to-right languages or to 'RTL' in right-to-left "
    "languages (such as Hebrew and Arabic) to get proper widget layout.");

} // namespace

Translations::Translations(const QLocale& locale, const QString& directory) {
    // Tries each of the user's languages in turn (de-DE, then de, ...), as QLocale lists them.
    if (!m_kestrow.load(locale, QStringLiteral("kestrow"), QStringLiteral("_"), directory)) {
        return;
    }
    m_kestrowInstalled = QCoreApplication::installTranslator(&m_kestrow);
    // Qt's own texts in the same language only: a second language would make a mixed window.
    if (m_qt.load(QLocale(m_kestrow.language()), QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&m_qt);
    }
    // Installing sends the language change at once, and with it Qt reads the layout direction
    // from the catalogue: the window is laid out right to left from its first frame.
}

QString Translations::language() const {
    return m_kestrowInstalled ? m_kestrow.language() : QString();
}

QLocale Translations::userLocale() {
    // The C library's order for the messages category: the first of these that is set decides.
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray value = qgetenv(variable);
        if (!value.isEmpty()) {
            const bool plain = value == "C" || value == "POSIX" || value.startsWith("C.");
            return plain ? QLocale::c() : QLocale::system();
        }
    }
    return QLocale::c();
}

QString Translations::besideProgram() {
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral("../share/kestrow/translations"));
}
