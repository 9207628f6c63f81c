#pragma once
// The drives of the machine as the bar shows them: one letter per browsable file system,
// with the drive type codes of the Windows shell, so that captions, the hidden-drive list
// and the menus work with letters on every system.

#include <QChar>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace parvo {

// Drive type codes, as GetDriveType reports them for a drive root.
inline constexpr int DriveUnknown = 0;
inline constexpr int DriveNoRootDir = 1; // nothing there now: the letter gets no button
inline constexpr int DriveRemovable = 2;
inline constexpr int DriveFixed = 3;
inline constexpr int DriveRemote = 4;
inline constexpr int DriveCdRom = 5;
inline constexpr int DriveRamDisk = 6;

struct DriveInfo {
    QChar letter;       // upper case, 'C' to 'Z'
    QString root;       // the folder the drive opens at, ending in "/"
    int type = DriveUnknown;
    QString label;      // volume label, may be empty

    // A drive whose letter is still reserved for it but that is not there now (a stick
    // pulled out, a share not mounted) has the type DriveNoRootDir.
    bool exists() const { return type != DriveNoRootDir; }
    // Media the user takes out: sticks, cards, discs.
    bool isRemovableMedia() const { return type == DriveRemovable || type == DriveCdRom; }
    bool operator==(const DriveInfo&) const = default;
};

struct DriveSpace {
    quint64 freeBytes = 0;  // available to the user
    quint64 totalBytes = 0;
    bool operator==(const DriveSpace&) const = default;
};

class Drives {
public:
    virtual ~Drives() = default;
    // Every lettered drive, in letter order, the absent ones included (type
    // DriveNoRootDir). Read afresh on every call.
    virtual QList<DriveInfo> list() = 0;
    // Free and total space of the file system holding `root`; nothing when it cannot be
    // asked (not mounted, not reachable).
    virtual std::optional<DriveSpace> space(const QString& root) const = 0;
    // Unmounts the removable medium mounted at `root` so that it can be taken out. Waits
    // until the system has written everything out; false when the medium is still in use
    // or the drive is not removable media.
    virtual bool eject(const QString& root) = 0;
};

} // namespace parvo
