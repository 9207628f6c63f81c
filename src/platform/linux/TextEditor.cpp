#include "platform/linux/TextEditor.h"

#include "platform/linux/DesktopExec.h"
#include "platform/linux/XdgKeyFile.h"
#include "platform/linux/XdgMimeApps.h"

#include <QFileInfo>

namespace parvo {

namespace {

// Editors a desktop commonly ships, in the order they are tried when no default is set.
constexpr const char* CommonEditors[] = {
    "gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "xed", "pluma", "featherpad", "leafpad", "geany", "xedit",
};

} // namespace

TextEditorChoice FindTextEditor(const XdgDirs& dirs)
{
    const QString desktopFile = DefaultApplicationFile(dirs, QStringLiteral("text/plain"));
    if (!desktopFile.isEmpty()) {
        const auto entry = XdgKeyFile::read(desktopFile);
        const QString group = QStringLiteral("Desktop Entry");
        const QString exec = entry ? entry->value(group, QStringLiteral("Exec")).value_or(QString()) : QString();
        const QString program = DesktopExecProgram(SplitDesktopExec(exec), dirs.programPath);
        if (!program.isEmpty()) {
            // The texts of the bar are Italian; the entry's name follows them when it can.
            QString name = entry->value(group, QStringLiteral("Name[it]")).value_or(QString());
            if (name.isEmpty())
                name = entry->value(group, QStringLiteral("Name")).value_or(QFileInfo(program).fileName());
            return {desktopFile, name};
        }
    }
    for (const char* name : CommonEditors) {
        const QString program = DesktopExecProgram({QString::fromLatin1(name)}, dirs.programPath);
        if (!program.isEmpty())
            return {program, QFileInfo(program).fileName()};
    }
    return {};
}

} // namespace parvo
