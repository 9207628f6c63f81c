#include "app/StringTable.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>
#include <map>

using namespace parvo;

namespace {

const QString kTableDir = QStringLiteral(PARVO_STRINGS_DIR);

QString U(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// Reads the table file on its own terms, without the generator, so that a text the
// generator drops or decodes wrongly shows up as a difference.
std::map<int, QString> ParseTableFile(const QString& path, QString* error)
{
    std::map<int, QString> table;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot open ") + path;
        return table;
    }
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QByteArray line = lines[n];
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const qsizetype tab = line.indexOf('\t');
        bool ok = false;
        const int id = tab > 0 ? line.left(tab).toInt(&ok) : 0;
        if (!ok || table.count(id)) {
            *error = QStringLiteral("line %1 unreadable or repeated").arg(n + 1);
            return table;
        }
        QByteArray text;
        const QByteArray raw = line.mid(tab + 1);
        for (qsizetype i = 0; i < raw.size(); ++i) {
            if (raw[i] != '\\') {
                text += raw[i];
                continue;
            }
            const char next = ++i < raw.size() ? raw[i] : '?';
            text += next == 'n' ? '\n' : next == 'r' ? '\r' : next == 't' ? '\t' : next;
        }
        table[id] = QString::fromUtf8(text);
    }
    return table;
}

struct GeneratorRun
{
    int exitCode = -1;
    QString messages;
    QString source;
};

GeneratorRun RunGenerator(const QTemporaryDir& dir, const QByteArray& table)
{
    const QString input = dir.filePath(QStringLiteral("table.txt"));
    const QString output = dir.filePath(QStringLiteral("table.cpp"));
    QFile::remove(output);
    QFile in(input);
    if (!in.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    in.write(table);
    in.close();

    QProcess cmake;
    cmake.start(QStringLiteral(PARVO_CMAKE_COMMAND),
                {QStringLiteral("-DINPUT=") + input, QStringLiteral("-DOUTPUT=") + output,
                 QStringLiteral("-P"), kTableDir + QStringLiteral("/GenerateStringTable.cmake")});
    GeneratorRun run;
    if (!cmake.waitForFinished(30000) || cmake.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = cmake.exitCode();
    run.messages = QString::fromUtf8(cmake.readAllStandardError() + cmake.readAllStandardOutput());
    QFile out(output);
    if (out.open(QIODevice::ReadOnly))
        run.source = QString::fromUtf8(out.readAll());
    return run;
}

} // namespace

TEST(StringTable, GivesTheTextsExactlyAsWritten)
{
    EXPECT_EQ(Str(100), U("Errore!"));
    EXPECT_EQ(Str(101), U("File di dati invalido. Parvo deve essere reinstallato."));
    EXPECT_EQ(Str(40), U("Sei sicuro di voler terminare il programma?"));
    EXPECT_EQ(Str(41), U("Suggerimento: Non terminare il programma, ma setta nella configurazione "
                         "che Parvo venga avviato all'avvio del sistema."));
    EXPECT_EQ(Str(122), U("Desktop"));
    EXPECT_EQ(Str(127), U("Menú Avvio"));
    EXPECT_EQ(Str(74), U("Questa PvCartella é giá esistente!"));
    EXPECT_EQ(Str(142), U("Tutti i files|*.*"));
    EXPECT_EQ(Str(505), U("Dopo aver digitato un indirizzo o una parola-chiave puoi sia premere ENTER "
                          "che fare clicksul pulsante < GO! >"));
    // Blanks inside and at the end are part of the text: callers append to 53 and 116.
    EXPECT_EQ(Str(43), U("(Passo 1/2)   Origine dei tuoi indirizzi Pvemail"));
    EXPECT_EQ(Str(53), U("La pagina Web del programma - "));
    EXPECT_EQ(Str(116), U("Per ulteriori informazioni su Parvo, visita la homepage di Parvo: "));

    // One code point per accented letter, whatever the encoding of this test's source.
    const QString menu = Str(127);
    ASSERT_EQ(menu.size(), 10);
    EXPECT_EQ(menu.at(3), QChar(0x00FA));
    EXPECT_EQ(Str(74).at(18), QChar(0x00E9));
}

TEST(StringTable, DecodesEscapesAndKeepsQuotesAndBrackets)
{
    EXPECT_EQ(Str(65282), U("No password was entered so the file will not be extracted...\n"
                            "Do you wish to continue extracting other files?"));
    EXPECT_EQ(Str(65309), U("Unable to create \n\"%s\""));
    EXPECT_EQ(Str(65304), U("Insert [ Disk %d ] of the Zip file into the floppy drive\n"
                            "before pressing [ OK ] to continue ..."));
    EXPECT_FALSE(Str(65287).contains(QLatin1Char('\\')));
    EXPECT_EQ(Str(65287).count(QLatin1Char('\n')), 2);
}

TEST(StringTable, UnknownNumbersGiveEmptyText)
{
    const auto entries = string_table::Entries();
    ASSERT_FALSE(entries.empty());
    for (int id : {INT_MIN, -1, 0, 39, 65535, 99999, INT_MAX,
                   entries.front().id - 1, entries.back().id + 1})
        EXPECT_TRUE(Str(id).isEmpty()) << id;
    EXPECT_FALSE(Str(entries.front().id).isEmpty());
    EXPECT_FALSE(Str(entries.back().id).isEmpty());
}

TEST(StringTable, AgreesWithTheTableFileForEveryEntry)
{
    QString error;
    const auto table = ParseTableFile(kTableDir + QStringLiteral("/strings_it.txt"), &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    ASSERT_GT(table.size(), 200u);
    EXPECT_EQ(string_table::Entries().size(), table.size());
    for (const auto& [id, text] : table)
        EXPECT_EQ(Str(id), text) << id;
    for (const auto& entry : string_table::Entries()) {
        const QByteArray bytes(entry.text.data(), qsizetype(entry.text.size()));
        const QString decoded = QString::fromUtf8(bytes);
        EXPECT_EQ(decoded.toUtf8(), bytes) << "invalid UTF-8 in " << entry.id;
        EXPECT_FALSE(decoded.contains(QChar::ReplacementCharacter)) << entry.id;
    }
}

TEST(StringTableGenerator, SortsAndEscapesValidTables)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Out of order, with a CR LF line end, and with the characters that CMake lists and
    // C++ literals treat specially.
    const GeneratorRun run = RunGenerator(
        dir, "# comment\n\n20\tlast\r\n7\tsemi;colon [x] \\\\n \"q\"\\tend\n0\tzero\n");
    ASSERT_EQ(run.exitCode, 0) << run.messages.toStdString();
    const qsizetype zero = run.source.indexOf(QStringLiteral("{0, \"zero\"sv},"));
    const qsizetype seven =
        run.source.indexOf(QStringLiteral("{7, \"semi;colon [x] \\\\n \\\"q\\\"\\tend\"sv},"));
    const qsizetype twenty = run.source.indexOf(QStringLiteral("{20, \"last\"sv},"));
    EXPECT_GE(zero, 0) << run.source.toStdString();
    EXPECT_LT(zero, seven);
    EXPECT_LT(seven, twenty);
}

TEST(StringTableGenerator, RejectsMalformedLinesAndRepeatedNumbers)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const struct
    {
        const char* table;
        const char* expected; // line number and reason in the message
    } cases[] = {
        {"1\tone\n2\ttwo\n1\tagain\n", "table.txt:3: number 1 is already used on line 1"},
        {"1\tone\n2 two\n", "table.txt:2: expected a number"},
        {"-4\tminus\n", "table.txt:1: expected a number"},
        {"\tno number\n", "table.txt:1: expected a number"},
        {"1\tone\n007\tbond\n", "table.txt:2: number 007 has a leading zero"},
        {"65536\ttoo big\n", "table.txt:1: number 65536 is out of range"},
        {"1\t\n", "table.txt:1: number 1 has no text"},
        {"1\tbad \\q escape\n", "table.txt:1: unknown escape"},
        {"1\tends in \\\n", "table.txt:1: unknown escape"},
        {"1\ta\ttab\n", "table.txt:1: tab inside the text"},
        {"1\tone\n2\tcarriage\rreturn\n", "table.txt:2: carriage return inside the line"},
        {"# only comments\n", "holds no texts"},
    };
    for (const auto& c : cases) {
        const GeneratorRun run = RunGenerator(dir, c.table);
        EXPECT_NE(run.exitCode, 0) << c.table;
        EXPECT_TRUE(run.messages.contains(QString::fromUtf8(c.expected)))
            << c.table << "\n" << run.messages.toStdString();
        EXPECT_TRUE(run.source.isEmpty()) << c.table;
    }
}
