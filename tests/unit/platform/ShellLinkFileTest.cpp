#include "platform/linux/ShellLinkFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace parvo;

namespace {

// Little-endian byte sequences assembled by hand, in the forms other writers produce.
struct Bytes {
    QByteArray data;
    Bytes& u16(quint16 v)
    {
        data.append(char(v & 0xFF)).append(char(v >> 8));
        return *this;
    }
    Bytes& u32(quint32 v) { return u16(quint16(v & 0xFFFF)).u16(quint16(v >> 16)); }
    Bytes& raw(const QByteArray& bytes)
    {
        data.append(bytes);
        return *this;
    }
    Bytes& ansiZ(const QByteArray& text) { return raw(text).raw(QByteArray(1, '\0')); }
    Bytes& utf16(const QString& text)
    {
        for (QChar c : text)
            u16(c.unicode());
        return *this;
    }
    Bytes& utf16Z(const QString& text) { return utf16(text).u16(0); }
};

constexpr quint32 kHasIdList = 0x01, kHasLinkInfo = 0x02, kHasName = 0x04, kHasRelativePath = 0x08,
                  kHasWorkingDir = 0x10, kHasArguments = 0x20, kHasIconLocation = 0x40,
                  kIsUnicode = 0x80;

QByteArray header(quint32 flags, qint32 iconIndex = 0)
{
    Bytes b;
    b.u32(0x4C).raw(QByteArray::fromHex("0114020000000000c000000000000046")).u32(flags).u32(0x20);
    for (int i = 0; i < 3; ++i)
        b.u32(0xD53E8000).u32(0x01A8E79F); // some FILETIME
    b.u32(4096).u32(quint32(iconIndex)).u32(1).u16(0).u16(0).u32(0).u32(0);
    return b.data;
}

// An item ID list such as Windows puts first: its contents are never looked at.
QByteArray idList()
{
    Bytes items;
    items.u16(20).raw(QByteArray::fromHex("1f50e04fd020ea3a6910a2d808002b30309d"));
    items.u16(6).raw(QByteArray("/C:\\", 4)).u16(0);
    return Bytes().u16(quint16(items.data.size())).raw(items.data).data;
}

QByteArray volumeId()
{
    return Bytes().u32(0x10 + 7).u32(3).u32(0x1234ABCD).u32(0x10).ansiZ("SYSTEM").data;
}

// LinkInfo with a local path, header without the Unicode offsets.
QByteArray linkInfoAnsi(const QByteArray& localPath)
{
    const QByteArray vol = volumeId();
    const quint32 localAt = 0x1C + vol.size();
    const quint32 suffixAt = localAt + localPath.size() + 1;
    const quint32 size = suffixAt + 1;
    return Bytes().u32(size).u32(0x1C).u32(1).u32(0x1C).u32(localAt).u32(0).u32(suffixAt)
        .raw(vol).ansiZ(localPath).ansiZ("").data;
}

// LinkInfo with both the code-page and the Unicode local path.
QByteArray linkInfoUnicode(const QByteArray& localPath, const QString& unicodePath)
{
    const QByteArray vol = volumeId();
    const quint32 localAt = 0x24 + vol.size();
    const quint32 suffixAt = localAt + localPath.size() + 1;
    const quint32 localUAt = suffixAt + 1;
    const quint32 suffixUAt = localUAt + 2 * (unicodePath.size() + 1);
    const quint32 size = suffixUAt + 2;
    return Bytes().u32(size).u32(0x24).u32(1).u32(0x24).u32(localAt).u32(0).u32(suffixAt)
        .u32(localUAt).u32(suffixUAt).raw(vol).ansiZ(localPath).ansiZ("").utf16Z(unicodePath)
        .utf16Z("").data;
}

// LinkInfo for a file on a share: CommonNetworkRelativeLink plus the path below the share.
QByteArray linkInfoNetwork(const QByteArray& netName, const QByteArray& suffix)
{
    const QByteArray network = Bytes().u32(0x14 + netName.size() + 1).u32(2).u32(0x14).u32(0)
        .u32(0x00020000).ansiZ(netName).data;
    const quint32 suffixAt = 0x1C + network.size();
    return Bytes().u32(suffixAt + suffix.size() + 1).u32(0x1C).u32(2).u32(0).u32(0).u32(0x1C)
        .u32(suffixAt).raw(network).ansiZ(suffix).data;
}

QByteArray linkInfoNetworkUnicode(const QString& netName, const QString& suffix)
{
    const quint32 netAt = 0x1C, netUAt = netAt + 2;
    const QByteArray network = Bytes().u32(netUAt + 2 * (netName.size() + 1)).u32(2).u32(netAt)
        .u32(0).u32(0x00020000).u32(netUAt).u32(0).ansiZ("?").utf16Z(netName).data;
    const quint32 suffixAt = 0x24 + network.size();
    const quint32 suffixUAt = suffixAt + 2;
    return Bytes().u32(suffixUAt + 2 * (suffix.size() + 1)).u32(0x24).u32(2).u32(0).u32(0)
        .u32(0x24).u32(suffixAt).u32(0).u32(suffixUAt).raw(network).ansiZ("?")
        .utf16Z(suffix).data;
}

QByteArray ansiString(const QByteArray& text)
{
    return Bytes().u16(quint16(text.size())).raw(text).data;
}

QByteArray unicodeString(const QString& text)
{
    return Bytes().u16(quint16(text.size())).utf16(text).data;
}

// Blocks Windows appends: environment-variable paths, a special folder, a tracker entry.
QByteArray extraBlocks()
{
    Bytes b;
    b.u32(0x314).u32(0xA0000001).raw(QByteArray(0x314 - 8, 'E'));
    b.u32(0x10).u32(0xA0000005).u32(0x25).u32(0xB5);
    b.u32(0x60).u32(0xA0000003).raw(QByteArray(0x60 - 8, 'T'));
    return b.u32(0).data;
}

quint32 readU32(const QByteArray& bytes, qsizetype at)
{
    return quint8(bytes[at]) | quint8(bytes[at + 1]) << 8 | quint8(bytes[at + 2]) << 16
         | quint32(quint8(bytes[at + 3])) << 24;
}

QByteArray patchU32(QByteArray bytes, qsizetype at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char((value >> (8 * i)) & 0xFF);
    return bytes;
}

ShellLink sampleLink()
{
    return {QStringLiteral("/usr/bin/gedit"), QStringLiteral("--new-window \"a b.txt\""),
            QStringLiteral("/usr/bin/"), QStringLiteral("Editor di testo"), QString(), 0};
}

} // namespace

TEST(ShellLinkFormat, RoundTripsEveryKindOfText)
{
    const ShellLink links[] = {
        sampleLink(),
        {QStringLiteral("C:\\Windows\\notepad.exe"), QString(), QStringLiteral("C:\\Windows\\"),
         QStringLiteral("notepad"), QStringLiteral("%SystemRoot%\\system32\\shell32.dll"), -152},
        {QStringLiteral("/home/utente/Città/€ 文档 🎉.txt"), QStringLiteral("àèìòù «x»"),
         QStringLiteral("/home/utente/Città/"), QStringLiteral("Descrizione è 🎉"),
         QStringLiteral("/usr/share/icons/ü.png"), 7},
        {QStringLiteral("/usr/bin/xterm"), QString(), QString(), QString(), QString(), 0},
        {QStringLiteral("/opt/a"), QString(65535, QLatin1Char('a')), QString(4000, QChar(0x00E9)),
         QString(65535, QChar(0x6587)), QString(300, QLatin1Char('i')), 0},
        {QStringLiteral("/") + QString(70000, QLatin1Char('p')), QString::fromLatin1("x\0y", 3),
         QString(), QString(), QString(), 0},
    };
    for (const ShellLink& link : links) {
        const QByteArray bytes = EncodeShellLink(link);
        ASSERT_FALSE(bytes.isEmpty()) << link.target.left(40).toStdString();
        const auto back = DecodeShellLink(bytes);
        ASSERT_TRUE(back.has_value()) << link.target.left(40).toStdString();
        EXPECT_EQ(*back, link) << link.target.left(40).toStdString();
    }
}

TEST(ShellLinkFormat, WritesTheHeaderAndLinkInfoWindowsExpects)
{
    ShellLink link = sampleLink();
    link.target = QStringLiteral("/home/utente/Città/x");
    QByteArray bytes = EncodeShellLink(link);
    ASSERT_GE(bytes.size(), 0x4C + 0x24);
    EXPECT_EQ(readU32(bytes, 0), 0x4Cu);
    EXPECT_EQ(bytes.mid(4, 16).toHex(), QByteArray("0114020000000000c000000000000046"));
    EXPECT_EQ(readU32(bytes, 20), kHasLinkInfo | kHasName | kHasWorkingDir | kHasArguments | kIsUnicode);
    EXPECT_EQ(readU32(bytes, 60), 1u); // SW_SHOWNORMAL

    const qsizetype info = 0x4C;
    EXPECT_EQ(readU32(bytes, info + 4), 0x24u);
    EXPECT_EQ(readU32(bytes, info + 8), 1u); // VolumeIDAndLocalBasePath
    EXPECT_EQ(readU32(bytes, info + readU32(bytes, info + 12) + 4), 3u); // a fixed drive
    const QByteArray utf8 = link.target.toUtf8() + '\0';
    EXPECT_EQ(bytes.mid(info + readU32(bytes, info + 16), utf8.size()), utf8);
    EXPECT_EQ(bytes.mid(info + readU32(bytes, info + 28), 2 * link.target.size() + 2),
              Bytes().utf16Z(link.target).data);
    EXPECT_EQ(bytes.right(4), QByteArray(4, '\0')); // terminal block

    link.iconLocation = QStringLiteral("/usr/share/icons/a.png");
    link.iconIndex = -3;
    bytes = EncodeShellLink(link);
    EXPECT_EQ(readU32(bytes, 20) & kHasIconLocation, kHasIconLocation);
    EXPECT_EQ(qint32(readU32(bytes, 56)), -3);
}

TEST(ShellLinkFormat, RefusesTextsTheCountsCannotHold)
{
    for (int field = 0; field < 4; ++field) {
        ShellLink link = sampleLink();
        QString* texts[] = {&link.description, &link.workingDir, &link.arguments, &link.iconLocation};
        *texts[field] = QString(65536, QLatin1Char('x'));
        EXPECT_TRUE(EncodeShellLink(link).isEmpty()) << field;
    }
}

TEST(ShellLinkFormat, ReadsWindowsCodePageLinksWithIdListAndExtraBlocks)
{
    const QByteArray bytes = header(kHasIdList | kHasLinkInfo | kHasName | kHasWorkingDir | kHasArguments
                                        | kHasIconLocation,
                                    2)
        + idList() + linkInfoAnsi("C:\\Programmi\\Caff\xe8\\caff\xe8.exe") + ansiString("Caff\xe8 \x80 5")
        + ansiString("C:\\Programmi\\Caff\xe8\\") + ansiString("/q \"c:\\a b\"")
        + ansiString("%SystemRoot%\\system32\\SHELL32.dll") + extraBlocks();
    const auto link = DecodeShellLink(bytes);
    ASSERT_TRUE(link.has_value());
    EXPECT_EQ(link->target, QStringLiteral("C:\\Programmi\\Caffè\\caffè.exe"));
    EXPECT_EQ(link->description, QStringLiteral("Caffè € 5"));
    EXPECT_EQ(link->workingDir, QStringLiteral("C:\\Programmi\\Caffè\\"));
    EXPECT_EQ(link->arguments, QStringLiteral("/q \"c:\\a b\""));
    EXPECT_EQ(link->iconLocation, QStringLiteral("%SystemRoot%\\system32\\SHELL32.dll"));
    EXPECT_EQ(link->iconIndex, 2);

    // Code-page text that happens to be UTF-8 is this system's own.
    const auto utf8 = DecodeShellLink(header(kHasLinkInfo) + linkInfoAnsi("/home/u/Citt\xc3\xa0") + extraBlocks());
    ASSERT_TRUE(utf8.has_value());
    EXPECT_EQ(utf8->target, QStringLiteral("/home/u/Città"));
}

TEST(ShellLinkFormat, PrefersTheUnicodePathsOfLinkInfo)
{
    const QString path = QStringLiteral("C:\\Users\\Zoë\\文档\\a.txt");
    const auto local = DecodeShellLink(header(kHasLinkInfo | kHasName | kIsUnicode)
                                       + linkInfoUnicode("C:\\Users\\Zo\xeb\\??\\a.txt", path)
                                       + unicodeString(QStringLiteral("文档")) + extraBlocks());
    ASSERT_TRUE(local.has_value());
    EXPECT_EQ(local->target, path);
    EXPECT_EQ(local->description, QStringLiteral("文档"));

    const auto share = DecodeShellLink(header(kHasLinkInfo | kIsUnicode)
                                       + linkInfoNetworkUnicode(QStringLiteral("\\\\srv\\Zoë"),
                                                                QStringLiteral("文档\\b.txt"))
                                       + extraBlocks());
    ASSERT_TRUE(share.has_value());
    EXPECT_EQ(share->target, QStringLiteral("\\\\srv\\Zoë\\文档\\b.txt"));
}

TEST(ShellLinkFormat, JoinsShareAndSuffixOfNetworkLinks)
{
    const auto decode = [](const QByteArray& net, const QByteArray& suffix) {
        const auto link = DecodeShellLink(header(kHasIdList | kHasLinkInfo) + idList()
                                          + linkInfoNetwork(net, suffix) + extraBlocks());
        return link ? link->target : QStringLiteral("<none>");
    };
    EXPECT_EQ(decode("\\\\server\\share", "docs\\a.txt"), QStringLiteral("\\\\server\\share\\docs\\a.txt"));
    EXPECT_EQ(decode("\\\\server\\share\\", "a.txt"), QStringLiteral("\\\\server\\share\\a.txt"));
    EXPECT_EQ(decode("\\\\server\\share", ""), QStringLiteral("\\\\server\\share"));
}

TEST(ShellLinkFormat, TakesARelativePathOnlyWhenThereIsNoOtherTarget)
{
    const QByteArray relativeOnly = header(kHasIdList | kHasRelativePath | kHasArguments | kIsUnicode)
        + idList() + unicodeString(QStringLiteral("..\\tools\\run.sh"))
        + unicodeString(QStringLiteral("-v")) + extraBlocks();
    const auto asStored = DecodeShellLink(relativeOnly);
    ASSERT_TRUE(asStored.has_value());
    EXPECT_EQ(asStored->target, QStringLiteral("..\\tools\\run.sh"));
    EXPECT_EQ(asStored->arguments, QStringLiteral("-v"));
    const auto resolved = DecodeShellLink(relativeOnly, QStringLiteral("/home/u/links"));
    ASSERT_TRUE(resolved.has_value());
    EXPECT_EQ(resolved->target, QStringLiteral("/home/u/tools/run.sh"));
    const auto absolute = DecodeShellLink(header(kHasRelativePath | kIsUnicode)
                                              + unicodeString(QStringLiteral("D:\\x.exe")) + extraBlocks(),
                                          QStringLiteral("/home/u/links"));
    ASSERT_TRUE(absolute.has_value());
    EXPECT_EQ(absolute->target, QStringLiteral("D:\\x.exe"));

    const auto both = DecodeShellLink(header(kHasLinkInfo | kHasRelativePath | kIsUnicode)
                                          + linkInfoAnsi("C:\\real.exe")
                                          + unicodeString(QStringLiteral(".\\other.exe")) + extraBlocks(),
                                      QStringLiteral("/home/u"));
    ASSERT_TRUE(both.has_value());
    EXPECT_EQ(both->target, QStringLiteral("C:\\real.exe"));

    // Only an item ID list (a shortcut to a virtual folder): no file to start.
    EXPECT_FALSE(DecodeShellLink(header(kHasIdList | kHasName) + idList() + ansiString("Pannello")
                                 + extraBlocks())
                     .has_value());
}

TEST(ShellLinkFormat, GivesNothingForAnyTruncation)
{
    const QByteArray samples[] = {
        EncodeShellLink(sampleLink()),
        header(kHasIdList | kHasLinkInfo | kHasName) + idList() + linkInfoAnsi("C:\\a.exe")
            + ansiString("a") + extraBlocks(),
        header(kHasLinkInfo) + linkInfoNetwork("\\\\s\\t", "u") + Bytes().u32(0).data,
    };
    for (const QByteArray& bytes : samples) {
        ASSERT_TRUE(DecodeShellLink(bytes).has_value());
        for (qsizetype size = 0; size < bytes.size(); ++size)
            EXPECT_FALSE(DecodeShellLink(bytes.left(size)).has_value()) << size;
    }
}

TEST(ShellLinkFormat, GivesNothingForGarbledStructures)
{
    const QByteArray good = EncodeShellLink(sampleLink());
    ASSERT_TRUE(DecodeShellLink(good).has_value());
    const qsizetype info = 0x4C;
    const quint32 infoSize = readU32(good, info);
    QByteArray otherClass = good;
    otherClass[19] = 0x47;
    const QByteArray garbled[] = {
        patchU32(good, 0, 0x4D),
        otherClass,
        patchU32(good, info, quint32(good.size())),          // link info past the end
        patchU32(good, info, 0xFFFFFFFF),
        patchU32(good, info + 4, 0x10),                      // header smaller than its fields
        patchU32(good, info + 4, infoSize + 4),              // header larger than the structure
        patchU32(good, info + 28, infoSize),                 // Unicode path outside link info
        patchU32(good, info + 28, 0xFFFFFFF0),
        patchU32(good, info + 28, infoSize - 1),             // no terminator before the end
        patchU32(good, good.size() - 4, 5),                  // extra block too small
        patchU32(good, good.size() - 4, 0x100),              // extra block past the end
    };
    for (size_t i = 0; i < std::size(garbled); ++i)
        EXPECT_FALSE(DecodeShellLink(garbled[i]).has_value()) << i;

    // A string count beyond the end, in code-page and in Unicode form.
    QByteArray ansi = header(kHasLinkInfo | kHasName) + linkInfoAnsi("C:\\a.exe");
    EXPECT_FALSE(DecodeShellLink(ansi + Bytes().u16(9).raw("abcd").u32(0).data).has_value());
    ansi[20] = char(ansi[20] | kIsUnicode);
    EXPECT_FALSE(DecodeShellLink(ansi + Bytes().u16(7).raw("abcdefgh").u32(0).data).has_value());

    // Network link whose own size overruns the link info.
    QByteArray network = linkInfoNetwork("\\\\s\\t", "u");
    network = patchU32(network, 0x1C, readU32(network, 0) + 1);
    EXPECT_FALSE(DecodeShellLink(header(kHasLinkInfo) + network + extraBlocks()).has_value());

    EXPECT_FALSE(DecodeShellLink(QByteArray()).has_value());
    EXPECT_FALSE(DecodeShellLink(QByteArray(200, '\xff')).has_value());
}

TEST(ShellLinkFile, WritesAndReadsFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("gedit.lnk"));
    ShellLinkFile links;
    EXPECT_FALSE(links.read(path).has_value());

    ASSERT_TRUE(links.write(path, sampleLink()));
    EXPECT_EQ(links.read(path), sampleLink());

    // Overwriting replaces the whole file; a link that cannot be written leaves it alone.
    ShellLink shorter{QStringLiteral("/a"), {}, {}, {}, {}, 0};
    ASSERT_TRUE(links.write(path, shorter));
    EXPECT_EQ(links.read(path), shorter);
    ShellLink tooLong = sampleLink();
    tooLong.arguments = QString(70000, QLatin1Char('x'));
    EXPECT_FALSE(links.write(path, tooLong));
    EXPECT_EQ(links.read(path), shorter);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("gedit.lnk")});

    EXPECT_FALSE(links.write(dir.filePath(QStringLiteral("missing/x.lnk")), sampleLink()));

    QFile other(dir.filePath(QStringLiteral("notalink.lnk")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("[InternetShortcut]\r\nURL=http://example.org/\r\n");
    other.close();
    EXPECT_FALSE(links.read(other.fileName()).has_value());
    EXPECT_FALSE(links.read(dir.path()).has_value());
}

TEST(ShellLinkFile, RecordsTheTargetsKindAndSize)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile target(dir.filePath(QStringLiteral("prog")));
    ASSERT_TRUE(target.open(QIODevice::WriteOnly));
    target.write(QByteArray(1234, 'x'));
    target.close();
    ShellLinkFile links;
    const QString fileLink = dir.filePath(QStringLiteral("f.lnk"));
    const QString dirLink = dir.filePath(QStringLiteral("d.lnk"));
    ASSERT_TRUE(links.write(fileLink, {target.fileName(), {}, {}, {}, {}, 0}));
    ASSERT_TRUE(links.write(dirLink, {dir.path(), {}, {}, {}, {}, 0}));

    QFile f(fileLink), d(dirLink);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly) && d.open(QIODevice::ReadOnly));
    const QByteArray fileBytes = f.readAll(), dirBytes = d.readAll();
    EXPECT_EQ(readU32(fileBytes, 24), 0x80u); // normal file
    EXPECT_EQ(readU32(fileBytes, 52), 1234u);
    EXPECT_NE(readU32(fileBytes, 48), 0u);    // high half of the write time
    EXPECT_EQ(readU32(dirBytes, 24), 0x10u);  // directory
}

TEST(ShellLinkFile, ResolvesRelativeTargetsAgainstTheLinksFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("rel.lnk")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(header(kHasRelativePath | kIsUnicode) + unicodeString(QStringLiteral(".\\bin\\tool"))
               + extraBlocks());
    file.close();
    const auto link = ShellLinkFile().read(file.fileName());
    ASSERT_TRUE(link.has_value());
    EXPECT_EQ(link->target, QDir(dir.path()).absoluteFilePath(QStringLiteral("bin/tool")));
}

TEST(ShellLinkFile, IsReadableByLnkinfo)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const ShellLink links[] = {
        {QStringLiteral("/usr/bin/gedit"), QStringLiteral("--new-window \"a b.txt\""),
         QStringLiteral("/home/utente/"), QStringLiteral("Editor di testo"), QString(), 0},
        {QStringLiteral("/home/utente/Città/€ 文档.txt"), QStringLiteral("-x àè"),
         QStringLiteral("/home/utente/Città/"), QStringLiteral("Descrizione è"), QString(), 0},
    };
    int n = 0;
    for (const ShellLink& link : links) {
        const QString path = dir.filePath(QStringLiteral("l%1.lnk").arg(n++));
        ASSERT_TRUE(ShellLinkFile().write(path, link));
        QProcess lnkinfo;
        lnkinfo.start(QStringLiteral("lnkinfo"), {path});
        ASSERT_TRUE(lnkinfo.waitForStarted()) << "lnkinfo (package liblnk-utils) is required";
        ASSERT_TRUE(lnkinfo.waitForFinished(10000));
        ASSERT_EQ(lnkinfo.exitCode(), 0);
        const QString out = QString::fromUtf8(lnkinfo.readAllStandardOutput());
        const auto field = [&](const char* name) {
            for (const QString& line : out.split(QLatin1Char('\n')))
                if (line.trimmed().startsWith(QLatin1String(name)))
                    return line.section(QLatin1Char(':'), 1, -1).trimmed();
            return QStringLiteral("<missing>");
        };
        EXPECT_EQ(field("Local path"), link.target) << out.toStdString();
        EXPECT_EQ(field("Command line arguments"), link.arguments);
        EXPECT_EQ(field("Working directory"), link.workingDir);
        EXPECT_EQ(field("Description"), link.description);
        EXPECT_EQ(field("Drive type"), QStringLiteral("Fixed (3)"));
    }
}
