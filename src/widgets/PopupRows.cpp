#include "widgets/PopupRows.h"

#include <algorithm>

namespace parvo::popup {

std::vector<int> visibleRows(const std::vector<MenuItem>& items, bool reduceLines)
{
    std::vector<int> rows;
    rows.reserve(items.size());
    for (int i = 0; i < int(items.size()); ++i) {
        if (reduceLines && items[i].isSeparator()
            && (rows.empty() || items[rows.back()].isSeparator()))
            continue;
        rows.push_back(i);
    }
    if (reduceLines)
        while (!rows.empty() && items[rows.back()].isSeparator())
            rows.pop_back();
    return rows;
}

int stepRow(const std::vector<MenuItem>& items, const std::vector<int>& rows, int from, int step)
{
    const int n = int(rows.size());
    if (n == 0)
        return -1;
    int row = from;
    if (row < 0)
        row = step > 0 ? -1 : n;
    for (int tried = 0; tried < n; ++tried) {
        row = ((row + step) % n + n) % n;
        if (canBeCurrent(items[rows[row]]))
            return row;
    }
    return -1;
}

int nearestRow(const std::vector<MenuItem>& items, const std::vector<int>& rows, int row, int step)
{
    const int n = int(rows.size());
    if (n == 0)
        return -1;
    row = std::clamp(row, 0, n - 1);
    for (int r = row; r >= 0 && r < n; r += step)
        if (canBeCurrent(items[rows[r]]))
            return r;
    for (int r = row - step; r >= 0 && r < n; r -= step)
        if (canBeCurrent(items[rows[r]]))
            return r;
    return -1;
}

static QString flattened(const QString& text)
{
    // Most captions have no line breaks: share them rather than copy.
    QString flat = text;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == u'\n' || text[i] == u'\r' || text[i] == u'\t')
            flat[i] = u' ';
    return flat;
}

ItemLabel itemLabel(const MenuItem& item)
{
    ItemLabel label;
    const QString caption = flattened(item.Caption);
    if (!item.Mnemonic) {
        label.text = caption;
        return label;
    }
    label.text.reserve(caption.size());
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size()) {
            ++i;
            if (caption[i] != u'&' && label.mnemonic < 0)
                label.mnemonic = int(label.text.size());
        }
        label.text += caption[i];
    }
    return label;
}

QString markedCaption(const MenuItem& item)
{
    const QString caption = flattened(item.Caption);
    if (item.Mnemonic)
        return caption;
    QString marked = caption;
    return marked.replace(u'&', QStringLiteral("&&"));
}

QString typeAheadName(const MenuItem& item)
{
    QString name = itemLabel(item).text;
    for (const QLatin1String lead : {QLatin1String("[ "), QLatin1String("-> ")})
        if (name.startsWith(lead))
            return name.mid(lead.size());
    return name;
}

int rowByMnemonic(const std::vector<MenuItem>& items, const std::vector<int>& rows, QChar key)
{
    const QChar wanted = key.toLower();
    for (int r = 0; r < int(rows.size()); ++r) {
        const MenuItem& item = items[rows[r]];
        if (!item.Mnemonic || item.isSeparator())
            continue;
        const ItemLabel label = itemLabel(item);
        if (label.mnemonic >= 0 && label.text[label.mnemonic].toLower() == wanted)
            return r;
    }
    return -1;
}

int rowByPrefix(const std::vector<MenuItem>& items, const std::vector<int>& rows, int from,
                const QString& prefix)
{
    const int n = int(rows.size());
    if (n == 0 || prefix.isEmpty())
        return -1;
    from = (from % n + n) % n;
    for (int k = 0; k < n; ++k) {
        const int r = (from + k) % n;
        const MenuItem& item = items[rows[r]];
        if (canBeCurrent(item) && typeAheadName(item).startsWith(prefix, Qt::CaseInsensitive))
            return r;
    }
    return -1;
}

} // namespace parvo::popup
