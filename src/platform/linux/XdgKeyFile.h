#pragma once
// Files in the freedesktop key-file form: desktop entries, mimeapps.list, mimeinfo.cache.
// Groups in brackets, "key=value" lines, "#" comments; the first of a repeated group or
// key counts. Values are returned with their escapes (\s \n \t \r \\) undone.

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace parvo {

class XdgKeyFile {
public:
    static XdgKeyFile parse(const QByteArray& bytes);
    // Nothing when the file cannot be read.
    static std::optional<XdgKeyFile> read(const QString& path);

    bool hasGroup(const QString& group) const { return groups_.contains(group); }
    std::optional<QString> value(const QString& group, const QString& key) const;
    // A list value: items separated by ";" (an escaped "\;" stays inside its item), empty
    // items dropped.
    QStringList listValue(const QString& group, const QString& key) const;
    // "true" (or the old "1"); anything else is false.
    bool boolValue(const QString& group, const QString& key) const;

    // The form a text takes as a value: the escapes above applied, so that line ends and
    // spaces at either end survive.
    static QString escapeValue(const QString& text);

private:
    QHash<QString, QHash<QString, QString>> groups_; // values as written, escapes intact
};

} // namespace parvo
