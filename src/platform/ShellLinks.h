#pragma once
// Shortcut (.lnk) files: the program buttons are backed by them, and a links folder moves
// between systems unchanged, so they are kept in the Shell Link binary format.

#include <QString>
#include <optional>

namespace parvo {

struct ShellLink {
    QString target;       // full path of the program or document
    QString arguments;    // command-line arguments, may be empty
    QString workingDir;   // folder the target starts in, may be empty
    QString description;  // comment shown as the shortcut's hint
    QString iconLocation; // optional icon file, may be empty
    int iconIndex = 0;
    bool operator==(const ShellLink&) const = default;
};

class ShellLinks {
public:
    virtual ~ShellLinks() = default;
    // Writes (or overwrites) the shortcut file; false when it cannot be written.
    virtual bool write(const QString& linkPath, const ShellLink& link) = 0;
    // Reads a shortcut file; nothing when it is missing or not a valid shortcut.
    virtual std::optional<ShellLink> read(const QString& linkPath) const = 0;
};

} // namespace parvo
