// Bitmaps read without the toolkit's image reader must read exactly as the toolkit reads
// them: every plain form, every form left to the toolkit, every cut-off file.

#include "../unit/TempFiles.h"
#include "UiApp.h"
#include "app/DataFilePath.h"
#include "widgets/BitmapImage.h"
#include "widgets/PlainBitmap.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include <functional>

using namespace parvo;

namespace {

using parvo::test::App;
using parvo::test::ReadBytes;
using parvo::test::WriteBytes;

template <typename T> void Put(QByteArray& b, T v)
{
    char raw[sizeof v];
    qToLittleEndian(v, raw);
    b.append(raw, sizeof v);
}

struct BitmapSpec {
    qint32 width = 5;
    qint32 height = 3; // negative: the top row first
    quint16 bits = 8;
    quint32 compression = 0;
    quint32 headerSize = 40;
    quint32 coloursUsed = 0;
    quint32 paletteEntries = 0;
    quint32 gap = 0; // bytes between the palette and the rows
    QList<quint32> masks; // written after a 40-byte header (bit fields)
    QByteArray rows;      // when empty, made from pixel()
    std::function<quint32(int x, int y)> pixel = [](int x, int y) { return quint32(x * 7 + y * 13); };
};

QByteArray Rows(const BitmapSpec& s)
{
    const int height = qAbs(s.height);
    const qsizetype stride = ((qsizetype(s.width) * s.bits + 31) / 32) * 4;
    QByteArray rows(stride * height, '\0');
    for (int y = 0; y < height; ++y) {
        uchar* row = reinterpret_cast<uchar*>(rows.data()) + stride * y;
        for (int x = 0; x < s.width; ++x) {
            const quint32 v = s.pixel(x, y);
            switch (s.bits) {
            case 1: row[x / 8] |= (v & 1) << (7 - x % 8); break;
            case 4: row[x / 2] |= (v & 0xf) << (x % 2 ? 0 : 4); break;
            case 8: row[x] = uchar(v); break;
            case 16: qToLittleEndian(quint16(v), row + 2 * x); break;
            case 24: row[3 * x] = uchar(v), row[3 * x + 1] = uchar(v >> 8), row[3 * x + 2] = uchar(v >> 16); break;
            case 32: qToLittleEndian(v, row + 4 * x); break;
            }
        }
    }
    return rows;
}

QByteArray Bitmap(const BitmapSpec& s)
{
    QByteArray info;
    Put<quint32>(info, s.headerSize);
    Put<quint32>(info, quint32(s.width));
    Put<quint32>(info, quint32(s.height));
    Put<quint16>(info, 1);
    Put<quint16>(info, s.bits);
    Put<quint32>(info, s.compression);
    Put<quint32>(info, 0);
    Put<quint32>(info, 2835);
    Put<quint32>(info, 2835);
    Put<quint32>(info, s.coloursUsed);
    Put<quint32>(info, 0);
    info.append(QByteArray(s.headerSize > 40 ? s.headerSize - 40 : 0, '\0'));
    for (quint32 m : s.masks)
        Put<quint32>(info, m);
    for (quint32 i = 0; i < s.paletteEntries; ++i)
        Put<quint32>(info, (i * 0x3b2d17u) & 0xffffff);
    info.append(QByteArray(s.gap, '\x5a'));
    const QByteArray rows = s.rows.isEmpty() ? Rows(s) : s.rows;
    QByteArray file("BM");
    Put<quint32>(file, quint32(14 + info.size() + rows.size()));
    Put<quint32>(file, 0);
    Put<quint32>(file, quint32(14 + info.size()));
    return file + info + rows;
}

// The toolkit's reading of the same bytes, in one pixel format for comparing.
QImage ToolkitReads(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "bmp");
    reader.setDecideFormatFromContent(false);
    const QImage image = reader.read();
    return image.isNull() ? image : image.convertToFormat(QImage::Format_ARGB32);
}

QImage WeRead(const QTemporaryDir& dir, const QByteArray& bytes)
{
    const QString path = dir.filePath(QStringLiteral("picture.mke"));
    WriteBytes(path, bytes);
    const QImage image = ReadBitmapImage(path);
    return image.isNull() ? image : image.convertToFormat(QImage::Format_ARGB32);
}

void ExpectSameAsToolkit(const QTemporaryDir& dir, const QByteArray& bytes, const char* what)
{
    const QImage expected = ToolkitReads(bytes);
    const QImage got = WeRead(dir, bytes);
    EXPECT_EQ(got.isNull(), expected.isNull()) << what;
    EXPECT_EQ(got.size(), expected.size()) << what;
    EXPECT_TRUE(got == expected) << what;
    if (!expected.isNull())
        EXPECT_EQ(got.dotsPerMeterX(), expected.dotsPerMeterX()) << what;
}

} // namespace

TEST(BitmapImage, EveryPlainFormReadsAsTheToolkitReadsIt)
{
    App();
    QTemporaryDir dir;
    for (quint16 bits : {1, 4, 8, 24, 32}) {
        for (qint32 width : {1, 2, 3, 5, 8, 9, 17, 33}) {
            for (qint32 height : {4, -4}) {
                BitmapSpec s;
                s.bits = bits;
                s.width = width;
                s.height = height;
                s.paletteEntries = bits <= 8 ? 1u << bits : 0;
                // 32-bit pixels carry a fourth byte the toolkit does not read as alpha.
                s.pixel = [](int x, int y) { return quint32(x * 0x01234567u + y * 0x89abcdefu); };
                const QByteArray bytes = Bitmap(s);
                const QString what = QStringLiteral("%1 bits, %2 x %3").arg(bits).arg(width).arg(height);
                ASSERT_TRUE(ParsePlainBitmap(bytes).has_value()) << qPrintable(what);
                ExpectSameAsToolkit(dir, bytes, qPrintable(what));
            }
        }
    }
}

TEST(BitmapImage, PalettesShortOfTheirBitsAndRowsAfterAGapReadAsTheToolkitReadsThem)
{
    App();
    QTemporaryDir dir;
    BitmapSpec shortPalette; // indices past a 10-colour palette
    shortPalette.coloursUsed = 10;
    shortPalette.paletteEntries = 10;
    shortPalette.pixel = [](int x, int y) { return quint32(x * 3 + y); };
    ASSERT_TRUE(ParsePlainBitmap(Bitmap(shortPalette)).has_value());
    ExpectSameAsToolkit(dir, Bitmap(shortPalette), "8 bits, 10 colours");

    BitmapSpec gap; // the rows where the file header says, past some padding
    gap.bits = 4;
    gap.paletteEntries = 16;
    gap.gap = 6;
    ASSERT_TRUE(ParsePlainBitmap(Bitmap(gap)).has_value());
    ExpectSameAsToolkit(dir, Bitmap(gap), "rows after a gap");

    BitmapSpec oneColour; // two-colour bitmaps with one colour: the toolkit's own rule
    oneColour.bits = 1;
    oneColour.coloursUsed = 1;
    oneColour.paletteEntries = 1;
    EXPECT_FALSE(ParsePlainBitmap(Bitmap(oneColour)).has_value());
    ExpectSameAsToolkit(dir, Bitmap(oneColour), "1 bit, 1 colour");
}

TEST(BitmapImage, OtherFormsAreLeftToTheToolkit)
{
    App();
    QTemporaryDir dir;
    BitmapSpec rle; // 8 bits, run-length encoded: one run of 5, end of line, three times, end
    rle.compression = 1;
    rle.paletteEntries = 256;
    for (int y = 0; y < 3; ++y)
        rle.rows += QByteArray::fromHex("0507") + QByteArray::fromHex("0000");
    rle.rows += QByteArray::fromHex("0001");
    BitmapSpec fields; // 16 bits, 5-6-5 bit fields
    fields.bits = 16;
    fields.compression = 3;
    fields.masks = {0xf800, 0x07e0, 0x001f};
    BitmapSpec fifthHeader; // the newest header
    fifthHeader.headerSize = 124;
    fifthHeader.bits = 24;
    BitmapSpec sixteen; // 16 bits without fields
    sixteen.bits = 16;
    for (const auto& [spec, what] : {std::pair{rle, "run-length"}, std::pair{fields, "bit fields"},
                                     std::pair{fifthHeader, "124-byte header"}, std::pair{sixteen, "16 bits"}}) {
        const QByteArray bytes = Bitmap(spec);
        EXPECT_FALSE(ParsePlainBitmap(bytes).has_value()) << what;
        EXPECT_FALSE(ToolkitReads(bytes).isNull()) << what; // the case is one the toolkit reads
        ExpectSameAsToolkit(dir, bytes, what);
    }
}

TEST(BitmapImage, DamagedFilesReadAsTheToolkitReadsThem)
{
    App();
    QTemporaryDir dir;
    BitmapSpec s;
    s.bits = 4;
    s.width = 7;
    s.paletteEntries = 16;
    const QByteArray whole = Bitmap(s);
    for (qsizetype cut = 0; cut < whole.size(); ++cut) {
        const QByteArray bytes = whole.left(cut);
        EXPECT_FALSE(ParsePlainBitmap(bytes).has_value()) << cut;
        ExpectSameAsToolkit(dir, bytes, qPrintable(QStringLiteral("cut at %1").arg(cut)));
    }
    const auto withField = [&whole](qsizetype at, quint32 value) {
        QByteArray bytes = whole;
        qToLittleEndian(value, bytes.data() + at);
        return bytes;
    };
    const QList<std::pair<QByteArray, const char*>> damaged = {
        {withField(10, 20), "rows inside the header"},
        {withField(10, quint32(whole.size())), "rows past the end"},
        {withField(18, 0), "no width"},
        {withField(18, 0x80000000u), "a negative width"},
        {withField(22, 0), "no height"},
        {withField(22, 0x80000000u), "the most negative height"},
        {withField(22, 0x7fffffffu), "a height past the file"},
        {withField(46, 17), "more colours than 4 bits hold"},
        {withField(26, 0x00040002), "two planes"},
        {"BN" + whole.mid(2), "not a bitmap"},
    };
    for (const auto& [bytes, what] : damaged) {
        EXPECT_FALSE(ParsePlainBitmap(bytes).has_value()) << what;
        ExpectSameAsToolkit(dir, bytes, what);
    }
}

TEST(BitmapImage, TheShippedBitmapsAreReadHereAndAsTheToolkitReadsThem)
{
    App();
    QStringList paths;
    for (int index : {1, 4, 5, 6})
        paths << DataFilePath(index, PARVO_PROGRAM_DIR);
    for (const QString& name : QDir(QStringLiteral(":/bitmaps")).entryList())
        paths << QStringLiteral(":/bitmaps/") + name;
    ASSERT_GT(paths.size(), 4) << "the program's own bitmaps are missing";
    for (const QString& path : paths) {
        const QByteArray bytes = ReadBytes(path);
        EXPECT_TRUE(ParsePlainBitmap(bytes).has_value()) << qPrintable(path);
        const QImage got = ReadBitmapImage(path);
        ASSERT_FALSE(got.isNull()) << qPrintable(path);
        EXPECT_TRUE(got.convertToFormat(QImage::Format_ARGB32) == ToolkitReads(bytes)) << qPrintable(path);
    }
}
