#pragma once
// A sorted list of texts without duplicates, compared without regard to case: the form
// of the completion list and the favourites lists, where "Example.org" and "example.org"
// are one entry.

#include <QString>
#include <QStringList>

namespace parvo {

class SortedTextList {
public:
    // Inserts the text at its sorted place; false (and nothing added) when an entry equal
    // to it without regard to case is there already.
    bool add(const QString& text);
    bool contains(const QString& text) const;
    void clear() { items_.clear(); }
    qsizetype size() const { return items_.size(); }
    bool isEmpty() const { return items_.isEmpty(); }
    const QString& at(qsizetype i) const { return items_.at(i); }
    const QStringList& items() const { return items_; }

private:
    qsizetype lowerBound(const QString& text) const;
    QStringList items_;
};

// A web address as the completion list keeps it: without a leading "http://" (in any
// letter case), so that typing the host name finds it.
QString WithoutHttpPrefix(const QString& address);

} // namespace parvo
