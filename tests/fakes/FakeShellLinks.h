#pragma once
// Shortcut files kept in memory, but created on disk as empty marker files so that code
// checking for their existence sees them.

#include "platform/ShellLinks.h"

#include <QFile>
#include <QMap>

namespace parvo {

class FakeShellLinks : public ShellLinks {
public:
    bool write(const QString& linkPath, const ShellLink& link) override
    {
        QFile f(linkPath);
        if (!f.open(QIODevice::WriteOnly))
            return false;
        written[linkPath] = link;
        return true;
    }
    std::optional<ShellLink> read(const QString& linkPath) const override
    {
        const auto it = written.constFind(linkPath);
        if (it == written.cend())
            return std::nullopt;
        return *it;
    }

    QMap<QString, ShellLink> written;
};

} // namespace parvo
