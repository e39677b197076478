#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <string>
#include <vector>

#include "kestrow/ui/content_view.h"

// A ContentView working in a temporary directory, with its diagnostic lines and termination
// requests recorded.
struct ViewUnderTest {
    QTemporaryDir dir;
    std::vector<std::string> lines;
    int terminationRequests = 0;
    ContentView view;

    ViewUnderTest()
        : view(paths(dir), kestrow::SessionHooks{[this](const std::string& line) { lines.push_back(line); },
                                                 [this] { ++terminationRequests; }}) {}

    static kestrow::ExchangePaths paths(const QTemporaryDir& dir) {
        return {dir.filePath(QStringLiteral("list.txt")).toStdString(),
                dir.filePath(QStringLiteral("selected.txt")).toStdString(),
                dir.filePath(QStringLiteral("done.flag")).toStdString()};
    }

    void writeList(const QByteArray& bytes) const {
        QFile file(dir.filePath(QStringLiteral("list.txt")));
        if (file.open(QIODevice::WriteOnly)) {
            file.write(bytes);
        }
    }

    bool exists(const char* name) const { return QFile::exists(dir.filePath(QString::fromLatin1(name))); }

    QByteArray read(const char* name) const {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};
