#pragma once
// What a drop onto a folder does once the copy / move / compress / extract dialog has
// been confirmed: copy or move the dropped files there, compress them into a new zip
// file there, or extract the one dropped archive there. Both drop handlers (the bar's
// and the Pvfolder window's) run it.

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace parvo {

class Registry;
class Prompts;
class Drives;
class FileOps;
class TZip;

// What a drop target hands over: the dropped paths in drag order and, for some sources,
// the names the source gave them (a list that may be shorter).
struct DroppedFiles {
    QStringList Files;
    QStringList MappedNames;
};

// The three choices of the dialog; the third is extract for one dropped archive and
// compress otherwise.
enum class DropChoice { Copy, Move, Zip };

// The answers of a confirmed dialog.
struct DropAnswers {
    DropChoice choice = DropChoice::Copy;
    bool extractMode = false;
    QString destination;   // the confirmed destination folder
    bool checkBox1 = true; // extract: with sub-folders; compress: folder names
    bool checkBox2 = false; // extract: overwrite existing files
    QString zipName;       // compress: name of the zip file to create
};

// What the dialog and the drop procedure use of the program; the bar holds one set.
struct DropServices {
    Registry& registry;
    Prompts& prompts;
    Drives& drives;
    FileOps& fileOps;
    TZip& zip;              // the bar's one zip wrapper
    QString programFolder;  // the lists folder: holds data/efolder.mke, the Pvfolder list
    QString title;          // the application title
};

// Receives the outcome text; only the Pvfolder window shows one.
using DropStatus = std::function<void(const QString&)>;

// The dropped paths with every folder replaced by the files below it (see
// TFileIterator); other paths stay. The order of the dropped paths is kept.
QStringList ExpandFileList(const QStringList& dropped);

// The name of the archive to create from the dialog's text: lower-cased, ".zip" added
// when it does not end so; empty when the text is empty; nothing when it is not a name.
std::optional<QString> ZipFileName(const QString& typed);

// The folder the dropped paths share, where their names in an archive begin.
QString CommonFolder(const QStringList& paths);

// Carries out a confirmed answer for the dropped files. `destination` is the caller's
// destination variable: it receives the confirmed destination.
void ExecuteDropOperation(const DropAnswers& answers, const DroppedFiles& drop, QString& destination,
                          const DropServices& services, const DropStatus& status = {});

} // namespace parvo
