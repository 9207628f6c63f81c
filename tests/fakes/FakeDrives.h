#pragma once
// A fixed set of drives, with their space, and a record of the media taken out.

#include "platform/Drives.h"

#include <QHash>
#include <QStringList>

namespace parvo {

class FakeDrives : public Drives {
public:
    QList<DriveInfo> list() override { return drives; }
    std::optional<DriveSpace> space(const QString& root) const override
    {
        const auto it = spaces.constFind(root);
        return it == spaces.cend() ? std::nullopt : std::optional<DriveSpace>(*it);
    }
    bool eject(const QString& root) override
    {
        ejected.append(root);
        return ejectSucceeds;
    }

    QList<DriveInfo> drives;
    QHash<QString, DriveSpace> spaces; // by root; a root missing here cannot tell its space
    QStringList ejected;
    bool ejectSucceeds = true;
};

} // namespace parvo
