#include "TempFiles.h"
#include "dialogs/EmailImport.h"

#include <QTemporaryDir>
#include <sys/stat.h>
#include <gtest/gtest.h>

using namespace parvo;

namespace {

std::optional<EditorRow> Row(const char* line)
{
    return ImportRowFromLine(QString::fromUtf8(line));
}

QList<EditorRow> Rows(const QByteArray& bytes)
{
    return ParseImportBytes(bytes).rows;
}

} // namespace

TEST(EmailImport, TheAddressRunsBetweenSeparatorsAroundTheFirstAtSign)
{
    EXPECT_EQ(Row("Mario Rossi, mario@example.com"), (EditorRow{"Mario Rossi", " mario@example.com"}))
        << "nothing is trimmed";
    EXPECT_EQ(Row("Rossi;Mario;mario@example.com"), (EditorRow{"Rossi Mario", "mario@example.com"}));
    EXPECT_EQ(Row(" Rossi ;Mario,mario@example.com"), (EditorRow{" Rossi  Mario", "mario@example.com"}));
    EXPECT_EQ(Row("anna@example.org"), (EditorRow{"", "anna@example.org"}));
    EXPECT_EQ(Row("anna@example.org,Anna Bianchi"), (EditorRow{"", "anna@example.org"}));
    EXPECT_EQ(Row("Anna,anna@example.org,Via Roma 1;Milano"), (EditorRow{"Anna", "anna@example.org"}))
        << "fields after the address are ignored";
    EXPECT_EQ(Row("Anna,,x@y,z@w"), (EditorRow{"Anna ", "x@y"})) << "the first at sign decides";
    EXPECT_EQ(Row("@,"), (EditorRow{"", "@"}));
    EXPECT_EQ(Row("Anna,"), std::nullopt);
    EXPECT_EQ(Row(""), std::nullopt);
}

TEST(EmailImport, QuotedFieldsLoseTheirQuotes)
{
    EXPECT_EQ(Row("\"Rossi, Mario\",\"mario@example.com\""), (EditorRow{"Rossi  Mario", "mario@example.com"}));
    EXPECT_EQ(Row("Anna, \"anna@example.org\" "), (EditorRow{"Anna", "anna@example.org"}));
    EXPECT_EQ(Row("\"Bob \"\"B\"\"\",\"b\"\"b@example.org\""), (EditorRow{"Bob B", "b\"b@example.org"}));
    EXPECT_EQ(Row("Anna,\"anna@example.org"), (EditorRow{"Anna", "\"anna@example.org"})) << "no closing quote";
}

TEST(EmailImport, FilesSkipTheirFirstLineAndEveryLineWithoutAnAddress)
{
    EXPECT_TRUE(Rows("Nome,E-mail\r\n").isEmpty()) << "only a header";
    EXPECT_TRUE(Rows("Anna,anna@example.org").isEmpty()) << "a one-line file is all header";
    EXPECT_TRUE(Rows("").isEmpty());
    const QByteArray file = "Nome,E-mail\r\n"
                            "Anna,anna@example.org\r\n"
                            "\r\n"
                            "no address here\n"
                            "Bob;bob@example.org\r"
                            "Carla,carla@example.org";
    EXPECT_EQ(Rows(file), (QList<EditorRow>{{"Anna", "anna@example.org"}, {"Bob", "bob@example.org"},
                                            {"Carla", "carla@example.org"}}))
        << "CR LF, LF and CR all end lines, empty lines are passed over, the last line needs no end";
    EXPECT_EQ(Rows("\xEF\xBB\xBFNome,E-mail\r\nAnna,anna@example.org\r\n"),
              (QList<EditorRow>{{"Anna", "anna@example.org"}}))
        << "a byte-order mark stays with the header";
}

TEST(EmailImport, TextThatIsNotUtf8IsReadAsWindows1252AndBinaryLinesAreSkipped)
{
    const ImportResult r = ParseImportBytes("h\r\nJos\xE9 \x93Pepe\x94,jose@example.es\r\n"
                                            "Zo\xC3\xAB,zoe@example.org\r\n" +
                                            QByteArray("bin\0ary@x\r\n", 11));
    ASSERT_EQ(r.rows.size(), 2);
    EXPECT_EQ(r.rows[0].caption, QString::fromUtf8("José “Pepe”"));
    EXPECT_EQ(r.rows[1].caption, QString::fromUtf8("Zoë")) << "each line on its own";
    EXPECT_EQ(r.skippedLines, 1);
}

TEST(EmailImport, OnlyABoundedPrefixOfAHugeFileIsRead)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("rubrica.csv");
    QByteArray bytes = "Nome,E-mail\r\n";
    const QByteArray line = "Anna Bianchi,anna@example.org\r\n";
    while (bytes.size() < kImportReadLimit)
        bytes += line;
    const qint64 past = bytes.size() - kImportReadLimit + 1000;
    bytes += QByteArray(1000, 'x');
    test::WriteBytes(path, bytes);

    const ImportResult r = ReadImportFile(path);
    EXPECT_EQ(r.unreadBytes, past);
    EXPECT_EQ(r.rows.size(), (kImportReadLimit - 13) / line.size()) << "the line cut by the limit is not used";
    EXPECT_EQ(r.rows.last(), (EditorRow{"Anna Bianchi", "anna@example.org"}));

    std::atomic_bool cancel{true};
    EXPECT_TRUE(ReadImportFile(path, &cancel).rows.isEmpty()) << "a cancelled read ends at once";
}

TEST(EmailImport, OnlyRegularFilesCanBeImported)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.csv");
    test::WriteBytes(path, "h\nA,a@example.org\n");
    EXPECT_TRUE(IsImportFile(path));
    EXPECT_EQ(ReadImportFile(path).rows.size(), 1);
    EXPECT_FALSE(IsImportFile(dir.path()));
    EXPECT_FALSE(IsImportFile(dir.filePath("missing.csv")));
    EXPECT_FALSE(IsImportFile({}));
    ASSERT_EQ(::mkfifo(qPrintable(dir.filePath("pipe")), 0600), 0);
    EXPECT_FALSE(IsImportFile(dir.filePath("pipe"))) << "a pipe would never end";
    EXPECT_TRUE(ReadImportFile(dir.filePath("pipe")).rows.isEmpty());
}
