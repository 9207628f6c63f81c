#pragma once
// The registry on Linux: the user's own keys live in one REGEDIT4 text file, and the few
// keys of Windows the program reads are made up from the desktop.
//
// The file is read once, when the registry is created, and rewritten whole after every
// change: a temporary file in the same folder is written, flushed and renamed over the
// old one, so the file on disk is always either the old or the new one. A file that was
// damaged keeps every value that could still be read; before it is first rewritten it is
// copied aside as "<file>.damaged-<date>-<time>". When the file cannot be written the
// values stay in memory, the write reports failure and the program runs on.
//
// Keys made up from the desktop (never stored in the file):
//   HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders
//       the desktop's special folders (see XdgShellFolders); read only
//   HKEY_CURRENT_USER\Software\Microsoft\Internet Explorer\TypedURLs
//       exists, always empty; read only
//   HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run
//       the value "Tessaline Parvo" is the autostart entry
//       $XDG_CONFIG_HOME/autostart/parvo.desktop: it exists while that entry does (and is
//       not switched off by the desktop), its data is the program path of the entry's
//       Exec; writing it writes the entry, deleting it removes the entry
//   HKEY_CLASSES_ROOT\http\shell                  unnamed value "open"
//   HKEY_CLASSES_ROOT\http\shell\open\command     unnamed value "\"<browser>\" \"%1\"",
//       the desktop entry of the default web browser, looked up in the mimeapps.list
//       files at the first read; absent when there is none or its program is missing.
//       The launcher starts the entry's whole Exec line with the address. Read only, as
//       is all of HKEY_CLASSES_ROOT.

#include "platform/Registry.h"
#include "platform/linux/RegistryFile.h"
#include "platform/linux/XdgDirs.h"
#include "platform/linux/XdgShellFolders.h"

#include <QList>
#include <QString>
#include <memory>
#include <optional>

namespace parvo {

class LinuxRegistry : public Registry {
public:
    LinuxRegistry(QString filePath, XdgDirs dirs);

    // The registry of the user running the program, at defaultFilePath.
    static std::unique_ptr<LinuxRegistry> forCurrentUser();
    // $XDG_CONFIG_HOME/parvo/registry.reg
    static QString defaultFilePath(const XdgDirs& dirs);
    // $XDG_CONFIG_HOME/autostart/parvo.desktop
    static QString autostartFilePath(const XdgDirs& dirs);

    bool keyExists(RegRoot root, const QString& key) const override;
    bool createKey(RegRoot root, const QString& key) override;
    std::optional<RegValue> value(RegRoot root, const QString& key, const QString& name) const override;
    // Inside beginUpdate/endUpdate a change is only made in memory and reports success;
    // the file is written once, at the outermost endUpdate.
    bool setValue(RegRoot root, const QString& key, const QString& name, const RegValue& v) override;
    bool deleteValue(RegRoot root, const QString& key, const QString& name) override;
    QStringList valueNames(RegRoot root, const QString& key) const override;

    void beginUpdate() override;
    void endUpdate() override;

    // Whether the file read at creation was damaged.
    bool wasDamaged() const { return damaged_; }
    // Where the damaged file was copied before its first rewrite; empty until then.
    QString backupPath() const { return backupPath_; }

private:
    enum class Place;
    Place placeOf(RegRoot root, const QString& normalizedKey) const;

    std::optional<RegValue> autostartValue() const;
    bool writeAutostart(const QString& program);
    bool removeAutostart();
    const QList<ShellFolder>& shellFolders() const;
    const QString& browserProgram() const;

    // Writes the file when something changed and no update is open.
    bool store();
    bool writeFile();
    bool backUpDamagedFile();

    QString path_;
    XdgDirs dirs_;
    RegistryFile file_;
    bool damaged_ = false;
    bool readable_ = true; // false: a file is there but could not be read; never replace it
    bool dirty_ = false;   // memory holds changes the file lacks
    int updateDepth_ = 0;
    bool backedUp_ = false;
    QString backupPath_;
    mutable std::optional<QList<ShellFolder>> shellFolders_;
    mutable std::optional<QString> browserProgram_;
};

} // namespace parvo
