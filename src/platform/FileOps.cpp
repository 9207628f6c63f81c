#include "platform/FileOps.h"

#include <QFileInfo>

namespace parvo {

QStringList IntoItself(const QStringList& sources, const QString& destFolder)
{
    const QString dest = QFileInfo(destFolder).canonicalFilePath();
    QStringList found;
    if (dest.isEmpty())
        return found;
    for (const QString& s : sources) {
        const QFileInfo info(s);
        if (!info.exists() && !info.isSymLink())
            continue;
        // The item itself when it is a folder; its folder decides where it is.
        const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
        const QString self = info.isDir() && !info.isSymLink() ? info.canonicalFilePath() : QString();
        const bool onto = folder == dest || self == dest;
        const bool into = !self.isEmpty() && dest.startsWith(self + QLatin1Char('/'));
        if (onto || into)
            found.append(s);
    }
    return found;
}

} // namespace parvo
