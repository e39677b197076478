#pragma once

#include <QLocale>
#include <QString>
#include <QTranslator>

// Kestrow's catalogue for the locale's first language that has one, with Qt's own catalogue for
// that language, installed in the application while this object lives (a QTranslator removes
// itself); the layout turns right to left where the catalogue says so. Where no catalogue matches
// (English, C, POSIX) nothing is installed and every text stays as written.
class Translations {
public:
    Translations(const QLocale& locale, const QString& directory);
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    // The language of the catalogue in use ("de_DE"), or empty.
    QString language() const;

    // Where the catalogues are installed, relative to the program: <prefix>/share/kestrow/translations.
    static QString besideProgram();

    // The user's locale for messages: the C locale where the locale variables say C or POSIX.
    // Qt lists the languages of LANGUAGE even then; GNU gettext ignores them, and so do we, so
    // that "LC_ALL=C kestrow" shows the English texts on any desktop.
    static QLocale userLocale();

private:
    QTranslator m_kestrow;
    QTranslator m_qt;
    bool m_kestrowInstalled = false;
};
