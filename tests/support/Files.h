#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tessel::test {

// Writes the file whole, making its folder first; whether that worked.
inline bool writeFile(const QString& path, const QByteArray& contents) {
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
           file.write(contents) == contents.size();
}

// The file's contents; empty when it cannot be read.
inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace tessel::test
