// mkdata1 SOURCE OUTPUT: writes the branding record file "data1.mke" from its readable
// source (the format is described at the top of branding.txt), then reads the written
// file back with the program's own readers and fails when any of them would see
// something other than the source says. A failure removes the output, so a broken
// branding file never reaches the program folder.

#include "app/BrandingFile.h"

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>

#include <optional>

namespace {

using namespace parvo;

struct WebLink {
    QString address;
    QString caption;
};

struct Branding {
    QMap<QString, QString> single; // every entry but the links, by name
    QList<WebLink> links;
};

const QStringList kSingleNames = {
    QStringLiteral("home-label"), QStringLiteral("home-address"), QStringLiteral("title"),
    QStringLiteral("web-label"),  QStringLiteral("background"),   QStringLiteral("font"),
    QStringLiteral("accent"),     QStringLiteral("banner"),       QStringLiteral("search"),
};

QTextStream& Err()
{
    static QTextStream stream(stderr);
    return stream;
}

std::optional<Branding> Parse(const QString& sourcePath, const QString& text)
{
    Branding branding;
    bool ok = true;
    const auto fail = [&](int line, const QString& message) {
        Err() << sourcePath;
        if (line > 0) // 0: about the whole file
            Err() << ':' << line;
        Err() << ": " << message << Qt::endl;
        ok = false;
    };

    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const int lineNo = i + 1;
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0) {
            fail(lineNo, QStringLiteral("expected \"name = text\""));
            continue;
        }
        const QString name = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (name == QLatin1String("link")) {
            const qsizetype blank = value.indexOf(QRegularExpression(QStringLiteral("\\s")));
            const QString caption = blank < 0 ? QString() : value.mid(blank + 1).trimmed();
            if (caption.isEmpty())
                fail(lineNo, QStringLiteral("a link needs an address, blanks and a caption"));
            else if (caption.contains(QLatin1Char('=')))
                fail(lineNo, QStringLiteral("a link caption cannot hold \"=\""));
            else
                branding.links << WebLink{value.left(blank), caption};
        } else if (!kSingleNames.contains(name)) {
            fail(lineNo, QStringLiteral("unknown name \"%1\"").arg(name));
        } else if (branding.single.contains(name)) {
            fail(lineNo, QStringLiteral("\"%1\" given twice").arg(name));
        } else {
            branding.single.insert(name, value);
        }
    }
    for (const QString& name : kSingleNames)
        if (!branding.single.contains(name))
            fail(0, QStringLiteral("\"%1\" missing").arg(name));
    for (const char* colour : {"background", "font", "accent"}) {
        if (!branding.single.contains(QLatin1String(colour)))
            continue;
        bool number = false;
        const int value = branding.single.value(QLatin1String(colour)).toInt(&number);
        if (!number || value < 0 || value > 0xFFFFFF)
            fail(0, QStringLiteral("%1 is not a colour number 0..16777215").arg(QLatin1String(colour)));
    }
    if (branding.single.value(QStringLiteral("home-label")).contains(QLatin1Char('=')))
        fail(0, QStringLiteral("the home label cannot hold \"=\": it is the first web link's caption"));
    if (!ok)
        return std::nullopt;
    return branding;
}

QList<QPair<QString, QString>> Records(const Branding& b)
{
    const auto& s = b.single;
    QList<QPair<QString, QString>> records;
    records << qMakePair(s[QStringLiteral("home-label")], s[QStringLiteral("home-address")]);
    for (const WebLink& link : b.links)
        records << qMakePair(link.caption, link.address);
    records << qMakePair(s[QStringLiteral("title")], s[QStringLiteral("web-label")])
            << qMakePair(s[QStringLiteral("background")] + QLatin1Char('|') + s[QStringLiteral("font")],
                         s[QStringLiteral("accent")])
            << qMakePair(s[QStringLiteral("banner")], s[QStringLiteral("search")]);
    return records;
}

// What the program will see: every reader over the written file against the source.
bool ReadsBackAsWritten(const QString& path, const Branding& b)
{
    const auto& s = b.single;
    bool ok = true;
    const auto expect = [&](const char* what, const QString& got, const QString& wanted) {
        if (got != wanted) {
            Err() << path << ": " << what << " reads back as \"" << got << "\", not \"" << wanted
                  << '"' << Qt::endl;
            ok = false;
        }
    };

    QString title, address;
    ReadTitleAndAddress(path, title, address);
    expect("title", title, s[QStringLiteral("title")]);
    expect("web label", address, s[QStringLiteral("web-label")]);

    QString label, home;
    ReadHome(path, label, home);
    expect("home label", label, s[QStringLiteral("home-label")]);
    expect("home address", home, s[QStringLiteral("home-address")]);

    expect("background", QString::number(ReadColour(path, 1)), s[QStringLiteral("background")]);
    expect("font", QString::number(ReadColour(path, 2)), s[QStringLiteral("font")]);
    expect("accent", QString::number(ReadColour(path, 3)), s[QStringLiteral("accent")]);

    expect("banner", ReadSearchSite(path), s[QStringLiteral("banner")]);
    expect("search", ReadSearchUrl(path, QStringLiteral("a b")),
           QString(s[QStringLiteral("search")]).replace(QLatin1Char('|'), QLatin1String("a+b")));

    QStringList wanted{s[QStringLiteral("home-label")] + QLatin1Char('=') + SiteRoot(s[QStringLiteral("home-address")])};
    for (const WebLink& link : b.links)
        wanted << link.caption + QLatin1Char('=') + link.address;
    const auto links = ReadWebLinks(path);
    expect("web links", links ? links->join(QLatin1Char('\n')) : QStringLiteral("(unreadable)"),
           wanted.join(QLatin1Char('\n')));
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        Err() << "usage: mkdata1 SOURCE OUTPUT" << Qt::endl;
        return 2;
    }
    const QString sourcePath = QString::fromLocal8Bit(argv[1]);
    const QString outputPath = QString::fromLocal8Bit(argv[2]);

    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly)) {
        Err() << sourcePath << ": " << source.errorString() << Qt::endl;
        return 1;
    }
    const auto branding = Parse(sourcePath, QString::fromUtf8(source.readAll()));
    if (!branding)
        return 1;

    QString error;
    const QByteArray bytes = EncodeBrandingRecords(Records(*branding), &error);
    if (!error.isEmpty()) {
        Err() << sourcePath << ": " << error << Qt::endl;
        return 1;
    }

    QSaveFile output(outputPath);
    if (!output.open(QIODevice::WriteOnly) || output.write(bytes) != bytes.size() || !output.commit()) {
        Err() << outputPath << ": " << output.errorString() << Qt::endl;
        return 1;
    }
    if (!ReadsBackAsWritten(outputPath, *branding)) {
        QFile::remove(outputPath);
        return 1;
    }
    return 0;
}
