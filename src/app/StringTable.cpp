#include "app/StringTable.h"

#include <algorithm>

namespace parvo {

QString Str(int id)
{
    const std::span<const string_table::Entry> entries = string_table::Entries();
    const auto it = std::ranges::lower_bound(entries, id, {}, &string_table::Entry::id);
    if (it == entries.end() || it->id != id)
        return {};
    return QString::fromUtf8(it->text.data(), qsizetype(it->text.size()));
}

QString Fill(QString text, const QStringList& args)
{
    qsizetype from = 0;
    for (const QString& arg : args) {
        qsizetype at = from;
        while ((at = text.indexOf(QLatin1Char('%'), at)) >= 0 && at + 1 < text.size()
               && text[at + 1] != QLatin1Char('s') && text[at + 1] != QLatin1Char('d'))
            ++at;
        if (at < 0 || at + 1 >= text.size())
            break;
        text.replace(at, 2, arg);
        from = at + arg.size();
    }
    return text;
}

} // namespace parvo
