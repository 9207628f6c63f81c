#include "dialogs/DestinationHistory.h"

#include "platform/Registry.h"
#include "settings/RegistryKeys.h"

#include <QFileInfo>

#include <sys/stat.h>

namespace parvo {

namespace {

QString HistoryKey()
{
    return QString::fromLatin1(keys::Program) + QString::fromLatin1(keys::CUEHistoria);
}

QString Slot(int n)
{
    return QStringLiteral("H") + QString::number(n);
}

bool SameFile(const QString& a, const QString& b)
{
    struct stat sa, sb;
    return ::stat(QFile::encodeName(a).constData(), &sa) == 0 && ::stat(QFile::encodeName(b).constData(), &sb) == 0
        && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

} // namespace

QString FoldedPath(const QString& path)
{
    const QString lower = path.toLower();
    if (lower == path || SameFile(lower, path))
        return lower;
    return path;
}

QStringList LoadHistory(Registry& reg)
{
    const QString key = HistoryKey();
    reg.createKey(RegRoot::CurrentUser, key);
    QStringList rows;
    for (int n = 0; n < DestinationHistorySize; ++n) {
        const auto v = reg.value(RegRoot::CurrentUser, key, Slot(n));
        if (!v || v->type == RegType::Dword)
            break;
        rows.append(v->text);
    }
    return rows;
}

QStringList RecordDestination(Registry& reg, const QString& destination)
{
    QStringList rows = LoadHistory(reg);
    const QString d = FoldedPath(destination);
    if (!rows.contains(d)) {
        if (rows.size() >= DestinationHistorySize)
            rows.removeFirst();
        rows.append(d);
    }
    const QString key = HistoryKey();
    RegistryUpdate batch(reg);
    for (int n = 0; n < rows.size(); ++n)
        reg.setValue(RegRoot::CurrentUser, key, Slot(n), RegValue::fromText(rows[n]));
    return rows;
}

} // namespace parvo
