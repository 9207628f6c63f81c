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

} // namespace parvo
