#include "dialogs/DropOperation.h"

#include "app/RunOffThread.h"
#include "app/StringTable.h"
#include "dialogs/DestinationHistory.h"
#include "platform/FileOps.h"
#include "platform/Prompts.h"
#include "widgets/TFileIterator.h"
#include "zip/TZip.h"

#include <QDir>
#include <QFileInfo>

namespace parvo {

namespace {

constexpr char DefaultZipName[] = "zip_parvo.zip";

QString Joined(int first, int second)
{
    return Str(first) + QLatin1Char(' ') + Str(second);
}

// The dropped paths to copy or move, or nothing when one of them would land on itself
// or inside itself: then the whole drop is refused before anything is written.
std::optional<QStringList> SourceList(const DroppedFiles& drop, const QString& dest, Prompts& prompts)
{
    const QString folder = dest.endsWith(QLatin1Char('/')) ? dest : dest + QLatin1Char('/');
    for (int i = 0; i < drop.Files.size(); ++i) {
        const QString& path = drop.Files[i];
        const QString name = drop.MappedNames.size() > i ? drop.MappedNames[i] : QFileInfo(path).fileName();
        const QString target = QFileInfo(folder + name).absoluteFilePath();
        if (target == QFileInfo(path).absoluteFilePath()) {
            prompts.error(Joined(100, 105));
            return std::nullopt;
        }
    }
    if (!IntoItself(drop.Files, dest).isEmpty()) {
        prompts.error(Joined(100, 105));
        return std::nullopt;
    }
    return drop.Files;
}

} // namespace

QStringList ExpandFileList(const QStringList& dropped)
{
    QStringList files;
    TFileIterator iterator;
    iterator.Recurse = true;
    iterator.OnFileFound = [&files](const QString& path) { files.append(path); };
    for (const QString& path : dropped) {
        if (QFileInfo(path).isDir())
            iterator.Execute(path);
        else
            files.append(path);
    }
    return files;
}

std::optional<QString> ZipFileName(const QString& typed)
{
    QString name = typed.trimmed().toLower();
    if (name.isEmpty())
        return QString();
    // A name, not a path: the archive goes into the destination chosen.
    if (name.contains(QLatin1Char('/')) || name == QLatin1String(".") || name == QLatin1String(".."))
        return std::nullopt;
    if (!name.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive))
        name += QLatin1String(".zip");
    return name;
}

QString CommonFolder(const QStringList& paths)
{
    QStringList common;
    bool first = true;
    for (const QString& p : paths) {
        const QStringList parts = QFileInfo(p).absolutePath().split(QLatin1Char('/'), Qt::SkipEmptyParts);
        if (first) {
            common = parts;
            first = false;
            continue;
        }
        int n = 0;
        while (n < common.size() && n < parts.size() && common[n] == parts[n])
            ++n;
        common = common.mid(0, n);
    }
    return QLatin1Char('/') + common.join(QLatin1Char('/'));
}

void ExecuteDropOperation(const DropAnswers& answers, const DroppedFiles& drop, QString& destination,
                          const DropServices& services, const DropStatus& status)
{
    const QString dest = answers.destination;
    if (dest.isEmpty() || !RunOffThread([&] { return QFileInfo(dest).isDir(); })) {
        services.prompts.error(Joined(100, 102));
        return;
    }
    RecordDestination(services.registry, dest);
    destination = dest;

    bool succeeded = false;
    switch (answers.choice) {
    case DropChoice::Copy:
    case DropChoice::Move: {
        const std::optional<QStringList> sources = SourceList(drop, dest, services.prompts);
        if (!sources)
            return;
        const FileOpOutcome outcome = answers.choice == DropChoice::Move ? services.fileOps.moveFiles(*sources, dest)
                                                                         : services.fileOps.copyFiles(*sources, dest);
        succeeded = outcome.ok();
        break;
    }
    case DropChoice::Zip: {
        TZip& zip = services.zip;
        try {
            int count = 0;
            if (answers.extractMode) {
                // Selecting a missing archive would create an empty one in its place.
                const QString archive = drop.Files.value(0);
                if (!RunOffThread([&] { return QFileInfo(archive).isFile(); })) {
                    services.prompts.error(Str(100) + QLatin1Char(' ') + archive + QStringLiteral(": ") + Str(572));
                    break;
                }
                zip.SetZipPath(archive);
                zip.ExtractDir = dest;
                // Existing files are replaced when older if the user asked to overwrite
                // them, and otherwise never without asking.
                zip.ExtractFlags = quint8((answers.checkBox1 ? 0x10 : 0) | (answers.checkBox2 ? 0x01 : 0x08));
                zip.FileList.clear();
                count = zip.Extract();
            } else {
                std::optional<QString> name = ZipFileName(answers.zipName);
                if (!name) {
                    services.prompts.error(Joined(100, 48));
                    return;
                }
                if (name->isEmpty()) {
                    const QString question = Str(35) + QLatin1Char('\r') + Str(36) + QLatin1Char(' ')
                                           + QLatin1String(DefaultZipName);
                    if (services.prompts.ask(question, PromptButtons::YesNo, PromptIcon::Question) != PromptAnswer::Yes)
                        return;
                    name = QString::fromLatin1(DefaultZipName);
                }
                zip.SetZipPath(QDir(dest).filePath(*name));
                zip.FileList = RunOffThread([&] { return ExpandFileList(drop.Files); });
                zip.AddFlags = quint8(0x14 | (answers.checkBox1 ? 0x08 : 0));
                // Names in the archive begin where the dropped things were.
                zip.AddBaseDir = CommonFolder(drop.Files);
                count = zip.Add();
            }
            succeeded = count > 0 && !zip.Cancelled;
        } catch (const ZipException&) {
            services.prompts.error(Joined(100, 104));
            succeeded = false;
        }
        break;
    }
    }
    if (status)
        status(Str(succeeded ? 75 : 76));
}

} // namespace parvo
