#pragma once
// Program shortcuts: one shortcut file per program button in the "links" folder beside
// the program, named after the button.

#include <QString>
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
// left alone.
void UpdateShortcutList(const QString& programFolder, const QString& name, const QString& newName);

// Moves the shortcut file of the button `name` to `newName`. A name taken already, or one
// that is not usable, changes nothing. True when moved.
bool RenameShortcutFile(const QString& programFolder, const QString& name, const QString& newName);

// Renames a program button: its shortcut file first, and the list only if that worked.
// True when renamed.
bool RenameProgramShortcut(const QString& programFolder, const QString& name, const QString& newName);

// Makes the shortcut file for a dropped or chosen file: a shortcut to it, or a copy of it
// when it is a shortcut itself, under its derived name. The name, or nothing when no
// shortcut could be written (the user was told why when the copy failed).
std::optional<QString> MakeProgramShortcut(ShellLinks& links, Prompts* prompts, const QString& programFolder,
                                           const QString& file);

// Puts a dropped or chosen file on the bar: MakeProgramShortcut, and the name at the end
// of the list.
std::optional<QString> AddProgramShortcut(ShellLinks& links, Prompts* prompts, const QString& programFolder,
                                          const QString& file);

} // namespace parvo
