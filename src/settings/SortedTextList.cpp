#include "settings/SortedTextList.h"

#include <algorithm>

namespace parvo {

qsizetype SortedTextList::lowerBound(const QString& text) const
{
    const auto it = std::lower_bound(items_.cbegin(), items_.cend(), text, [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return it - items_.cbegin();
}

bool SortedTextList::add(const QString& text)
{
    const qsizetype at = lowerBound(text);
    if (at < items_.size() && items_.at(at).compare(text, Qt::CaseInsensitive) == 0)
        return false;
    items_.insert(at, text);
    return true;
}

bool SortedTextList::contains(const QString& text) const
{
    const qsizetype at = lowerBound(text);
    return at < items_.size() && items_.at(at).compare(text, Qt::CaseInsensitive) == 0;
}

QString WithoutHttpPrefix(const QString& address)
{
    if (address.left(7).compare(QLatin1String("http://"), Qt::CaseInsensitive) == 0)
        return address.mid(7);
    return address;
}

} // namespace parvo
