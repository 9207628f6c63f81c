#include "settings/ListEntry.h"

namespace parvo {

QString ParseEntry(const QString& line, int index)
{
    const QString error = QStringLiteral("error");
    const qsizetype bar = line.indexOf(QLatin1Char('|'));
    const qsizetype targetStart = bar < 0 ? 0 : bar + 1;
    const qsizetype flagMark = line.indexOf(QLatin1Char('>'), targetStart);

    switch (index) {
    case 0:
        return bar < 0 ? QString() : line.left(bar);
    case 1:
        return flagMark < 0 ? line.mid(targetStart) : line.mid(targetStart, flagMark - targetStart);
    case 2:
        return flagMark < 0 || line.size() < 2 ? error : QString(line.at(line.size() - 2));
    case 3:
        return flagMark < 0 ? error : QString(line.at(line.size() - 1));
    default:
        return error;
    }
}

bool EntryOpensSubmenu(const QString& line)
{
    const QString flag = ParseEntry(line, 2);
    return flag == QLatin1String("error") || flag == QLatin1String("1");
}

} // namespace parvo
