#pragma once
// Shortcut files in the Shell Link binary format. The writer produces what the Windows
// shell produces for a file shortcut (header, link info with the local base path, string
// data in UTF-16), so a links folder can be carried between systems; the reader also takes
// the forms older or foreign writers use, and refuses anything it cannot walk safely.

#include "platform/ShellLinks.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace parvo {

// What the header records about the target itself. Windows copies these from the target
// when it saves a shortcut; they only help a resolver recognise a moved target, so the
// defaults (a plain file, no times) are valid too.
struct ShellLinkTargetFacts {
    bool isDirectory = false;
    quint64 creationTime = 0; // FILETIME: 100 ns steps since 1601-01-01 UTC, 0 = unknown
    quint64 accessTime = 0;
    quint64 writeTime = 0;
    quint32 fileSize = 0;     // low 32 bits of the size
};

// The shortcut as bytes. Empty when it cannot be represented: a description, working
// folder, argument list or icon location longer than 65535 UTF-16 units has no place in
// the format, and cutting it short would start something other than what was asked for.
QByteArray EncodeShellLink(const ShellLink& link, const ShellLinkTargetFacts& facts = {});

// The shortcut in `bytes`, or nothing when they are not a complete, well-formed shortcut
// or name no file target. A target stored only as a relative path is resolved against
// `linkFolder` (the folder holding the shortcut) when one is given, and returned as
// stored otherwise.
std::optional<ShellLink> DecodeShellLink(const QByteArray& bytes, const QString& linkFolder = {});

class ShellLinkFile : public ShellLinks {
public:
    // Writes through a temporary file renamed into place, so a failure leaves any earlier
    // shortcut of that name as it was and never a partial one.
    bool write(const QString& linkPath, const ShellLink& link) override;
    std::optional<ShellLink> read(const QString& linkPath) const override;
};

} // namespace parvo
