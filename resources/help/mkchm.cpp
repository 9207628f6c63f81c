// Builds the program's compiled help file from its sources:
//   mkchm OUTPUT SOURCE_FOLDER
// SOURCE_FOLDER holds "project.txt" (title, default page, contents and index files), the
// contents and index lists, and the pages under "html_source/" with their pictures and
// style sheet. Every page the lists name, and every page, picture or style sheet a page
// links to inside the file, must be there: a broken link stops the build.

#include "ChmWriter.h"
#include "HelpTopic.h"
#include "SiteMap.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QTextStream>

#include <cstdio>

using namespace parvo::chm;

namespace {

int Fail(const QString& why)
{
    std::fprintf(stderr, "mkchm: %s\n", qPrintable(why));
    return 1;
}

QByteArray ReadAll(const QString& path, bool* ok)
{
    QFile f(path);
    *ok = f.open(QIODevice::ReadOnly);
    return *ok ? f.readAll() : QByteArray();
}

// "key = value" lines; "#" starts a comment.
QHash<QString, QString> ReadProject(const QByteArray& text)
{
    QHash<QString, QString> values;
    for (const QByteArray& raw : text.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq > 0)
            values.insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
    return values;
}

void CollectPages(const QList<SiteMapItem>& items, QStringList& pages)
{
    for (const SiteMapItem& i : items) {
        if (!i.local.isEmpty())
            pages.append(NormalisePagePath(i.local));
        CollectPages(i.children, pages);
    }
}

// The targets inside the file that a page links to: links, pictures, style sheets.
QStringList LinksOf(const QString& page, const QByteArray& html)
{
    static const QRegularExpression ref(QStringLiteral("\\b(?:href|src)\\s*=\\s*\"([^\"]*)\""),
                                        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression scheme(QStringLiteral("^[a-zA-Z][a-zA-Z0-9+.-]+:"));
    const QString folder = page.left(page.lastIndexOf(QLatin1Char('/')) + 1);
    QStringList targets;
    for (auto it = ref.globalMatch(QString::fromUtf8(html)); it.hasNext();) {
        QString target = it.next().captured(1);
        if (target.startsWith(QLatin1Char('#')) || scheme.match(target).hasMatch())
            continue;
        target.truncate(target.indexOf(QLatin1Char('#')) >= 0 ? target.indexOf(QLatin1Char('#')) : target.size());
        targets.append(NormalisePagePath(target.startsWith(QLatin1Char('/')) ? target : folder + target));
    }
    return targets;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return Fail(QStringLiteral("usage: mkchm OUTPUT SOURCE_FOLDER"));
    const QString output = args[1];
    QString source = args[2];
    if (!source.endsWith(QLatin1Char('/')))
        source += QLatin1Char('/');

    bool ok = false;
    const auto project = ReadProject(ReadAll(source + QStringLiteral("project.txt"), &ok));
    if (!ok)
        return Fail(QStringLiteral("no project.txt in ") + source);
    const QString contents = project.value(QStringLiteral("contents"));
    const QString index = project.value(QStringLiteral("index"));
    const QString start = project.value(QStringLiteral("default"));
    if (contents.isEmpty() || index.isEmpty() || start.isEmpty())
        return Fail(QStringLiteral("project.txt must name contents, index and default"));

    QList<StoredFile> files;
    QSet<QString> names;
    QHash<QString, QByteArray> pages;
    const auto store = [&](const QString& relative) {
        bool read = false;
        const QByteArray data = ReadAll(source + relative, &read);
        if (!read)
            return false;
        const QString name = NormalisePagePath(relative);
        files.append({name.toUtf8(), data});
        names.insert(name.toLower());
        if (name.endsWith(QLatin1String(".html")))
            pages.insert(name, data);
        return true;
    };
    for (const QString& list : {contents, index}) {
        if (!store(list))
            return Fail(QStringLiteral("cannot read ") + source + list);
    }
    QStringList stored;
    for (QDirIterator it(source + QStringLiteral("html_source"), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        stored.append(it.next().mid(source.size()));
    stored.sort(); // the same sources give the same file
    for (const QString& relative : stored) {
        if (!store(relative))
            return Fail(QStringLiteral("cannot read ") + source + relative);
    }

    // Everything the lists and the pages point to must be inside the file.
    QStringList problems;
    const auto check = [&](const QString& from, const QString& target) {
        if (!names.contains(target.toLower()))
            problems.append(from + QStringLiteral(" -> ") + target);
    };
    check(QStringLiteral("project.txt"), NormalisePagePath(start));
    for (const QString& list : {contents, index}) {
        QStringList listed;
        CollectPages(ParseSiteMap(files[list == contents ? 0 : 1].data), listed);
        if (listed.isEmpty())
            problems.append(list + QStringLiteral(" lists no pages"));
        for (const QString& page : std::as_const(listed))
            check(list, page);
    }
    for (auto it = pages.cbegin(); it != pages.cend(); ++it) {
        for (const QString& target : LinksOf(it.key(), it.value()))
            check(it.key(), target);
    }
    if (!problems.isEmpty())
        return Fail(QStringLiteral("broken links:\n  ") + problems.join(QStringLiteral("\n  ")));

    SystemInfo system;
    system.contentsFile = contents.toUtf8();
    system.indexFile = index.toUtf8();
    system.defaultTopic = start.toUtf8();
    system.title = project.value(QStringLiteral("title")).toUtf8();
    system.compiledName = QFileInfo(output).completeBaseName().toUtf8();
    files.append({"/#SYSTEM", SystemFile(system)});

    QString why;
    const QByteArray chm = WriteChm(files, {}, &why);
    if (chm.isEmpty())
        return Fail(why);
    QSaveFile out(output);
    if (!out.open(QIODevice::WriteOnly) || out.write(chm) != chm.size() || !out.commit())
        return Fail(QStringLiteral("cannot write ") + output);
    return 0;
}
