#pragma once
// Small file helpers for tests that work in a temporary program folder.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <gtest/gtest.h>

#include <cstdio>
#include <ftw.h>

namespace parvo::test {

inline QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Writes the file, creating its folder; a file that cannot be written fails the test.
inline void WriteBytes(const QString& path, const QByteArray& bytes, bool executable = false)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << qPrintable(path);
    f.write(bytes);
    f.close();
    if (executable)
        f.setPermissions(f.permissions() | QFile::ExeOwner);
}

// Removes a folder and everything in it, whatever bytes the names hold (Qt's own removal
// cannot name files whose names are not UTF-8).
inline void RemoveTree(const QByteArray& folder)
{
    nftw(folder.constData(), [](const char* path, const struct stat*, int, struct FTW*) { return ::remove(path); }, 16,
         FTW_DEPTH | FTW_PHYS);
}

} // namespace parvo::test
