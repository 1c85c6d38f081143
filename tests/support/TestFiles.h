#pragma once

// Files in the tests: whole files read and written, and a home folder of the test's own.
#include "generation/CardRecord.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// The file's bytes; empty when it cannot be read.
inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Makes home the HOME, so that the Desktop, the documents folder and the record of prepared cards start empty.
// Windows takes the application's data folder from the user's profile, not from HOME: the record of prepared cards
// starts afresh there instead.
inline void useHome(const QTemporaryDir& home)
{
    qputenv("HOME", QFile::encodeName(home.path()));
#ifdef Q_OS_WIN
    QFile::remove(CardRecord::filePath());
    QDir(CardRecord::filePath()).removeRecursively();
#endif
}
