// Any bytes as "data1.mke": every reader must return normally, the web links must
// follow the record count, and whatever the readers return must survive a trip through
// the writer unchanged (or be refused by it for length, never cut).

#include "app/BrandingFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

using namespace parvo;

namespace {

struct Scratch {
    QTemporaryDir dir;
    QString input = dir.filePath(QStringLiteral("data1.mke"));
    QString again = dir.filePath(QStringLiteral("again.mke"));
};

Scratch& TheScratch()
{
    static Scratch scratch;
    return scratch;
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort(); // the harness itself is broken, not the reader
}

void Require(bool condition)
{
    if (!condition)
        __builtin_trap();
}

bool Fits(const QString& text)
{
    return EncodeBrandingText(text).size() <= kBrandingTextMax;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Scratch& scratch = TheScratch();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    WriteFile(scratch.input, bytes);
    const qint64 count = bytes.size() / kBrandingRecordSize;

    QString title, address, label, home;
    ReadTitleAndAddress(scratch.input, title, address);
    ReadHome(scratch.input, label, home);
    for (int which = 0; which <= 4; ++which)
        ReadColour(scratch.input, which);
    ReadSearchUrl(scratch.input, QStringLiteral("due parole"));
    const QString site = ReadSearchSite(scratch.input);

    const auto links = ReadWebLinks(scratch.input);
    Require(links.has_value() == (count >= 2));
    if (links)
        Require(links->size() == 1 + std::max<qint64>(0, count - 4));

    // Four records: home (0), title (n−3), colours (n−2), banner and template (n−1).
    const QList<QPair<QString, QString>> records{
        {label, home}, {title, address}, {QStringLiteral("1|2"), QStringLiteral("3")}, {site, QStringLiteral("|")}};
    QString error;
    const QByteArray encoded = EncodeBrandingRecords(records, &error);
    const bool allFit = Fits(label) && Fits(home) && Fits(title) && Fits(address) && Fits(site);
    Require(error.isEmpty() == allFit);
    Require(encoded.isEmpty() == !allFit);
    if (!allFit)
        return 0;

    WriteFile(scratch.again, encoded);
    QString title2, address2, label2, home2;
    ReadTitleAndAddress(scratch.again, title2, address2);
    ReadHome(scratch.again, label2, home2);
    Require(title2 == title && address2 == address && label2 == label && home2 == home);
    Require(ReadSearchSite(scratch.again) == site);
    Require(ReadColour(scratch.again, 1) == 1 && ReadColour(scratch.again, 2) == 2
            && ReadColour(scratch.again, 3) == 3);
    Require(ReadSearchUrl(scratch.again, QStringLiteral("x y")) == QStringLiteral("x+y"));
    return 0;
}
