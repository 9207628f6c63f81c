#pragma once
// Program shortcuts: one shortcut file per program button in the "links" folder beside
// the program, named after the button.

#include <QString>
#include <QStringList>
#include <optional>

namespace parvo {

class ShellLinks;
class Prompts;

// programFolder + "links/".
QString LinksFolder(const QString& programFolder);
// The shortcut file of the program button `name`.
QString ShortcutFilePath(const QString& programFolder, const QString& name);

// Writes a shortcut to `target`, starting in the target's folder. The link path must end
// in ".lnk" (any case); otherwise the user is told and nothing is written. False when
// nothing was written.
bool CreateShortcut(ShellLinks& links, Prompts* prompts, const QString& target, const QString& arguments,
                    const QString& description, const QString& linkPath);

// Copies one file byte for byte, replacing `destination` only once the whole copy is
// written. Nothing when it worked, else the message for the user ("Error opening a file "
// + source, "Error creating a file " + destination).
std::optional<QString> CopyFileTo(const QString& source, const QString& destination);

// The button name a file gives: its name less the last four characters (notepad.exe gives
// notepad, Setup.msi7 gives Setup.). A name without any "." keeps all of it, as programs
// here seldom carry an extension, a desktop entry loses its whole ".desktop", and no
// name comes out empty.
QString ShortcutNameFor(const QString& file);

// A name the user may give a program button: not empty, and nothing that would put its
// shortcut file outside the links folder or break the one-name-per-line list.
bool IsUsableShortcutName(const QString& name);

// Removes the button `name` from the list (every line equal to it) and deletes its
// shortcut file, or, with a `newName`, renames both. A file that was moved already is
// left alone. False, with the shortcut file untouched, when the list could not be changed.
bool UpdateShortcutList(const QString& programFolder, const QString& name, const QString& newName);

// Moves the shortcut file of the button `name` to `newName`. A name taken already, or one
// that is not usable, changes nothing. True when moved.
bool RenameShortcutFile(const QString& programFolder, const QString& name, const QString& newName);

// Renames a program button: its shortcut file first, and the list only if that worked (a
// name taken already, or one that is not usable, changes nothing); a list that cannot be
// changed puts the file back. True when renamed.
bool RenameProgramShortcut(const QString& programFolder, const QString& name, const QString& newName);

// Puts a dropped or chosen file on the bar: a shortcut to it, or a copy of it when it is a
// shortcut itself, under its derived name, and that name at the end of the list. The
// name, or nothing when no shortcut could be written (the user was told why when the
// copy failed).
std::optional<QString> AddProgramShortcut(ShellLinks& links, Prompts* prompts, const QString& programFolder,
                                          const QString& file);

// The shortcut file of AddProgramShortcut, without the list: the name it was written
// under, or the message for the user when a copy failed (nothing and no message when a
// shortcut could not be written).
struct WrittenShortcut {
    std::optional<QString> name;
    QString error;
};
WrittenShortcut WriteProgramShortcut(ShellLinks& links, const QString& programFolder, const QString& file);

// Files dropped on the program area, in drop order: a shortcut file for each (the names
// go on the list afterwards, in one write, with AppendShortcutNames). Paths that are no
// longer there are left out.
struct DroppedPrograms {
    QStringList names;  // the buttons to add, in order
    QStringList errors; // messages for the user, in order
};
DroppedPrograms WriteDroppedPrograms(ShellLinks& links, const QString& programFolder, const QStringList& files);

} // namespace parvo
