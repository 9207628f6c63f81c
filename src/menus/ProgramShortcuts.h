#pragma once
// Program shortcuts: one shortcut file per program button in the "links" folder beside
// the program, named after the button.

#include <QString>

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

} // namespace parvo
