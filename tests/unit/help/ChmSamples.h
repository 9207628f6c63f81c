#pragma once
// Help files written for the tests, and the places of the numbers a damaged file changes.

#include "ChmFormat.h"
#include "ChmWriter.h"

#include <QFile>
#include <QString>
#include <gtest/gtest.h>

namespace parvo::test {

// Pages enough to need several directory chunks of `chunkSize`, and an index over them.
inline QList<chm::StoredFile> ManyPages(int count)
{
    QList<chm::StoredFile> files;
    for (int i = 0; i < count; ++i) {
        const QByteArray n = QByteArray::number(i);
        files.append({"/html_source/pagina_" + n + ".html", "<html><body>pagina " + n + "</body></html>"});
    }
    return files;
}

inline void Save(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// Where directory chunk `n` of a written file begins.
inline qsizetype ChunkAt(const QByteArray& file, quint32 n)
{
    const quint64 dir = chm::Le64(file.constData() + 0x48);
    const quint32 chunkSize = chm::Le32(file.constData() + dir + 0x10);
    return qsizetype(dir + chm::DirectoryHeaderSize + quint64(n) * chunkSize);
}

inline void PutLe32(QByteArray& b, qsizetype at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

inline void PutLe64(QByteArray& b, qsizetype at, quint64 v)
{
    for (int i = 0; i < 8; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

} // namespace parvo::test
