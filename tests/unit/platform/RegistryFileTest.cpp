#include "platform/linux/RegistryFile.h"

#include <gtest/gtest.h>

using namespace parvo;

namespace {

const QString kKey = QStringLiteral("HKEY_CURRENT_USER\\SOFTWARE\\Tessaline\\Parvo");
const QString kOptions = QStringLiteral("HKEY_CURRENT_USER\\SOFTWARE\\Tessaline\\Parvo\\Options");

QString q(const char* s) { return QString::fromUtf8(s); }

ParsedRegistryFile parse(const char* text) { return RegistryFile::parse(QByteArray(text)); }

RegistryFile sample()
{
    RegistryFile f;
    f.setValue(kKey, q("Lewa"), RegValue::fromDword(0));
    f.setValue(kKey, q("Gora"), RegValue::fromDword(42));
    f.setValue(kKey, q("Big"), RegValue::fromDword(0xffffffffu));
    f.setValue(kKey, q("Except_drive"), RegValue::fromText(QString()));
    f.setValue(kKey, QString(), RegValue::fromText(q("unnamed")));
    f.setValue(kKey, q("Quote \"and\" back\\slash"), RegValue::fromText(q("C:\\dir\\\"x\"\\")));
    f.setValue(kKey, q("Lines"), RegValue::fromText(q("one\ntwo\r\nthree\ttab")));
    f.setValue(kKey, q("Unicode"), RegValue::fromText(q("Menú Avvio – ünïcödé 😀")));
    f.setValue(kKey, q("Nul"), RegValue::fromText(q("a") + QChar(0) + q("b")));
    f.setValue(kOptions, q("Path"), RegValue::fromExpandText(q("%HOME%/Documenti ☃")));
    f.setValue(kOptions, q("EmptyExpand"), RegValue::fromExpandText(QString()));
    f.createKey(q("HKEY_CURRENT_USER\\SOFTWARE\\Tessaline\\Parvo\\Empty"));
    return f;
}

} // namespace

TEST(RegistryFile, EveryTypeSurvivesATripThroughText)
{
    const RegistryFile original = sample();
    const ParsedRegistryFile back = RegistryFile::parse(original.serialize());
    EXPECT_FALSE(back.damaged);
    EXPECT_EQ(back.file, original);
    ASSERT_EQ(back.file.keys().size(), 3);
    EXPECT_EQ(back.file.keys()[2].path, q("HKEY_CURRENT_USER\\SOFTWARE\\Tessaline\\Parvo\\Empty"));
    EXPECT_EQ(back.file.value(kKey, q("Lines"))->text, q("one\ntwo\r\nthree\ttab"));
    EXPECT_EQ(back.file.value(kKey, q("Nul"))->text.size(), 3);
    // Writing the read model gives the same bytes again.
    EXPECT_EQ(back.file.serialize(), original.serialize());
}

TEST(RegistryFile, WritesTheRegeditForm)
{
    RegistryFile f;
    f.setValue(kKey, q("Floating"), RegValue::fromDword(42));
    f.setValue(kKey, q("Except_drive"), RegValue::fromText(q("a\\b\"c")));
    f.setValue(kKey, QString(), RegValue::fromText(q("open")));
    f.setValue(kKey, q("Multi"), RegValue::fromText(q("a\nb")));
    f.setValue(kOptions, q("Exp"), RegValue::fromExpandText(q("%A%")));
    EXPECT_EQ(f.serialize(),
              QByteArray("REGEDIT4\n"
                         "\n"
                         "[HKEY_CURRENT_USER\\SOFTWARE\\Tessaline\\Parvo]\n"
                         "\"Floating\"=dword:0000002a\n"
                         "\"Except_drive\"=\"a\\\\b\\\"c\"\n"
                         "@=\"open\"\n"
                         "\"Multi\"=hex(1):61,0a,62,00\n"
                         "\n"
                         "[HKEY_CURRENT_USER\\SOFTWARE\\Tessaline\\Parvo\\Options]\n"
                         "\"Exp\"=hex(2):25,41,25,00\n"
                         "\n"));
}

TEST(RegistryFile, LongHexDataIsWrappedAndReadBack)
{
    RegistryFile f;
    const QString longText = QString(200, u'x') + u'\n';
    f.setValue(kKey, q("Long"), RegValue::fromExpandText(longText));
    const QByteArray text = f.serialize();
    for (const QByteArray& line : text.split('\n'))
        EXPECT_LE(line.size(), 80) << line.constData();
    EXPECT_GT(text.count("\\\n  "), 3);
    const auto back = RegistryFile::parse(text);
    EXPECT_FALSE(back.damaged);
    EXPECT_EQ(back.file.value(kKey, q("Long"))->text, longText);
}

TEST(RegistryFile, ReadsWhatRegeditExports)
{
    const auto r = parse("\xef\xbb\xbfWindows Registry Editor Version 5.00\r\n"
                         "\r\n"
                         "; exported by hand\r\n"
                         "[HKEY_CURRENT_USER\\SOFTWARE\\Tessaline\\Parvo]\r\n"
                         "\"Szer\"=DWORD:000001F4\r\n"
                         "\"Exp\"=hex(2):25,00,48,00,4f,00,4d,00,45,00,25,00,2f,00,\\\r\n"
                         "  61,00,00,00\r\n"
                         "\"Four\"=hex(4):2a,00,00,01\r\n"
                         "\"Text\"=hex(1):68,00,69,00,00,00\r\n"
                         "\"Path\"=\"C:\\Windows\"\r\n"
                         "\"Spaced\" = \"x\"\r\n"
                         "@=\"default\"\r\n");
    EXPECT_FALSE(r.damaged);
    EXPECT_EQ(r.file.value(kKey, q("Szer")), RegValue::fromDword(500));
    EXPECT_EQ(r.file.value(kKey, q("Exp")), RegValue::fromExpandText(q("%HOME%/a")));
    EXPECT_EQ(r.file.value(kKey, q("Four")), RegValue::fromDword(0x0100002a));
    EXPECT_EQ(r.file.value(kKey, q("Text")), RegValue::fromText(q("hi")));
    // A backslash that escapes nothing is kept as it stands.
    EXPECT_EQ(r.file.value(kKey, q("Path")), RegValue::fromText(q("C:\\Windows")));
    EXPECT_EQ(r.file.value(kKey, q("Spaced")), RegValue::fromText(q("x")));
    EXPECT_EQ(r.file.value(kKey, QString()), RegValue::fromText(q("default")));
    EXPECT_EQ(r.file.valueNames(kKey),
              (QStringList{q("Szer"), q("Exp"), q("Four"), q("Text"), q("Path"), q("Spaced"), QString()}));
}

TEST(RegistryFile, HexTextsFollowTheHeader)
{
    // REGEDIT4 holds single-byte text: UTF-8 from here, Windows-1252 from Windows.
    const auto four = parse("REGEDIT4\n"
                            "[HKEY_CURRENT_USER\\SOFTWARE\\Tessaline\\Parvo]\n"
                            "\"Utf8\"=hex(2):25,48,25,2f,e2,82,ac,00\n"
                            "\"Ansi\"=hex(1):80,20,93,63,94,00\n"
                            "\"One\"=hex(1):61,00\n"
                            "\"Empty\"=hex(2):00\n"
                            "\"Cut\"=hex(1):61,62\n");
    EXPECT_TRUE(four.damaged); // only the value cut short
    EXPECT_EQ(four.file.value(kKey, q("Utf8")), RegValue::fromExpandText(q("%H%/€")));
    EXPECT_EQ(four.file.value(kKey, q("Ansi")), RegValue::fromText(q("€ “c”")));
    EXPECT_EQ(four.file.value(kKey, q("One")), RegValue::fromText(q("a")));
    EXPECT_EQ(four.file.value(kKey, q("Empty")), RegValue::fromExpandText(QString()));
    EXPECT_FALSE(four.file.value(kKey, q("Cut")));

    // Version 5 holds UTF-16LE, and so did REGEDIT4 files of older versions of the program.
    for (const char* header : {"Windows Registry Editor Version 5.00", "REGEDIT4"}) {
        const auto r = RegistryFile::parse(QByteArray(header) + "\n[HKEY_CURRENT_USER\\SOFTWARE\\Tessaline\\Parvo]\n"
                                           "\"Exp\"=hex(2):25,00,41,00,ac,20,00,00\n");
        EXPECT_FALSE(r.damaged) << header;
        EXPECT_EQ(r.file.value(kKey, q("Exp")), RegValue::fromExpandText(q("%A€"))) << header;
    }

    // What is written under REGEDIT4 is its byte form; a half surrogate has none.
    RegistryFile f;
    f.setValue(kKey, q("Lone"), RegValue::fromExpandText(QString(QChar(0xd800)) + q("x")));
    EXPECT_TRUE(f.serialize().startsWith("REGEDIT4\n"));
    EXPECT_EQ(RegistryFile::parse(f.serialize()).file.value(kKey, q("Lone")), RegValue::fromExpandText(q("?x")));
}

TEST(RegistryFile, NamesIgnoreCaseAndKeepTheirFirstSpelling)
{
    RegistryFile f;
    EXPECT_TRUE(f.setValue(q("HKEY_CURRENT_USER\\SOFTWARE\\Tessaline\\Parvo"), q("FirstLoad"), RegValue::fromDword(1)));
    EXPECT_TRUE(f.setValue(q("hkey_current_user\\software\\TESSALINE\\parvo"), q("FIRSTLOAD"), RegValue::fromDword(0)));
    EXPECT_TRUE(f.setValue(q("\\HKEY_CURRENT_USER\\\\software\\tessaline\\parvo\\"), q("Numer"), RegValue::fromDword(3)));
    ASSERT_EQ(f.keys().size(), 1);
    EXPECT_EQ(f.keys()[0].path, kKey);
    EXPECT_EQ(f.valueNames(kKey), (QStringList{q("FirstLoad"), q("Numer")}));
    EXPECT_EQ(f.value(kKey.toLower(), q("firstload")), RegValue::fromDword(0));

    // A parent exists through its child; a sibling does not.
    EXPECT_TRUE(f.keyExists(q("hkey_current_user\\SOFTWARE")));
    EXPECT_FALSE(f.keyExists(q("HKEY_CURRENT_USER\\SOFTWARE\\Tessal")));

    // Deleting and writing again takes the new spelling; the other values stay findable.
    EXPECT_TRUE(f.deleteValue(kKey, q("firstLOAD")));
    EXPECT_FALSE(f.deleteValue(kKey, q("firstLOAD")));
    EXPECT_EQ(f.value(kKey, q("NUMER")), RegValue::fromDword(3));
    f.setValue(kKey, q("FIRSTLOAD"), RegValue::fromDword(7));
    EXPECT_EQ(f.valueNames(kKey), (QStringList{q("Numer"), q("FIRSTLOAD")}));

    // The same holds after a trip through the text, with differently spelt repeats.
    const auto r = parse("REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"Name\"=dword:1\n[hkey_current_user\\a]\n\"NAME\"=dword:2\n");
    EXPECT_FALSE(r.damaged);
    ASSERT_EQ(r.file.keys().size(), 1);
    EXPECT_EQ(r.file.keys()[0].path, q("HKEY_CURRENT_USER\\A"));
    EXPECT_EQ(r.file.valueNames(q("HKEY_CURRENT_USER\\A")), QStringList{q("Name")});
    EXPECT_EQ(r.file.value(q("HKEY_CURRENT_USER\\A"), q("name")), RegValue::fromDword(2));
}

TEST(RegistryFile, RefusesNamesThatCannotBeStored)
{
    RegistryFile f;
    EXPECT_FALSE(f.setValue(kKey, q("two\nlines"), RegValue::fromDword(1)));
    EXPECT_FALSE(f.setValue(kKey, QString(QChar(0xdc00)), RegValue::fromDword(1)));
    EXPECT_FALSE(f.setValue(q("A\\b\rc"), q("x"), RegValue::fromDword(1)));
    EXPECT_FALSE(f.setValue(q("\\\\"), q("x"), RegValue::fromDword(1)));
    EXPECT_FALSE(f.createKey(QString()));
    EXPECT_TRUE(f.keys().isEmpty());
}

TEST(RegistryFile, TruncatedFileKeepsWhatIsComplete)
{
    RegistryFile f;
    f.setValue(kKey, q("Lewa"), RegValue::fromDword(10));
    f.setValue(kKey, q("Gora"), RegValue::fromDword(20));
    f.setValue(kOptions, q("Long"), RegValue::fromExpandText(QString(100, u'y')));
    f.setValue(kOptions, q("Tail"), RegValue::fromText(q("tail text")));
    const QByteArray full = f.serialize();

    // Cut inside the last text, inside the wrapped hex data, and inside a section name.
    const QByteArray inText = full.left(full.indexOf("tail text") + 4);
    const auto r1 = RegistryFile::parse(inText);
    EXPECT_TRUE(r1.damaged);
    EXPECT_EQ(r1.file.value(kOptions, q("Long"))->text, QString(100, u'y'));
    EXPECT_FALSE(r1.file.value(kOptions, q("Tail")));

    const QByteArray inHex = full.left(full.indexOf("\\\n  ") + 2);
    const auto r2 = RegistryFile::parse(inHex);
    EXPECT_TRUE(r2.damaged);
    EXPECT_EQ(r2.file.value(kKey, q("Gora")), RegValue::fromDword(20));
    EXPECT_FALSE(r2.file.value(kOptions, q("Long")));

    const QByteArray inSection = full.left(full.indexOf("\\Options") + 3);
    const auto r3 = RegistryFile::parse(inSection);
    EXPECT_TRUE(r3.damaged);
    EXPECT_EQ(r3.file.valueNames(kKey), (QStringList{q("Lewa"), q("Gora")}));
    EXPECT_EQ(r3.file.keys().size(), 1);
}

TEST(RegistryFile, GarbledLinesAreSkippedAndReported)
{
    const char* garbled = "\"Orphan\"=dword:00000001\n"      // before any section, no header
                          "[HKEY_CURRENT_USER\\Good]\n"
                          "\"A\"=dword:00000001\n"
                          "\"B\"=dword:xyz\n"                // not a number
                          "\"C\"=dword:123456789\n"          // nine digits
                          "\"D\"=hex:01,02\n"                // a type this program does not keep
                          "\"E\"=hex(2):41,00,4\n"           // an odd number of bytes
                          "\"F\"=hex(2):41,00,,00\n"         // a hole in the bytes
                          "\xff\xfe garbage \x01\n"
                          "\"G\"=\"open text\n"              // no closing quote
                          "\"H\"=\"text\" junk\n"            // readable, junk after it
                          "\"I\"=-\n"
                          "\"J\n"
                          "[HKEY_CURRENT_USER\\Broken\n"
                          "\"K\"=dword:2\n"                  // in no usable section
                          "[-HKEY_CURRENT_USER\\Gone]\n"
                          "\"L\"=dword:3\n"
                          "[HKEY_CURRENT_USER\\Good]\n"
                          "\"M\"=\"last\"\n";
    const auto r = parse(garbled);
    EXPECT_TRUE(r.damaged);
    const QString good = q("HKEY_CURRENT_USER\\Good");
    EXPECT_EQ(r.file.valueNames(good), (QStringList{q("A"), q("H"), q("M")}));
    EXPECT_EQ(r.file.value(good, q("H")), RegValue::fromText(q("text")));
    EXPECT_EQ(r.file.value(good, q("M")), RegValue::fromText(q("last")));
    ASSERT_EQ(r.file.keys().size(), 1);
}

TEST(RegistryFile, CleanFilesAreNotReportedAsDamaged)
{
    EXPECT_FALSE(parse("REGEDIT4\n").damaged);
    EXPECT_FALSE(parse("\n\nREGEDIT4\n\n; note\n[HKEY_CURRENT_USER\\X]\n\n").damaged);
    EXPECT_TRUE(parse("").damaged);
    EXPECT_TRUE(parse("REGEDIT5\n").damaged);
    // A file written by a Unicode export is read too.
    QByteArray utf16("\xff\xfe", 2);
    for (char c : QByteArray("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\U]\r\n\"V\"=\"w\"\r\n")) {
        utf16.append(c);
        utf16.append('\0');
    }
    const auto r = RegistryFile::parse(utf16);
    EXPECT_FALSE(r.damaged);
    EXPECT_EQ(r.file.value(q("HKEY_CURRENT_USER\\U"), q("V")), RegValue::fromText(q("w")));
}
