#pragma once
// The per-user registry file in memory, and its REGEDIT4 text form.
//
// Keys are addressed by their full backslash-separated path as it stands in a section
// header ("HKEY_CURRENT_USER\SOFTWARE\Tessaline\Parvo"). Key paths and value names compare
// without regard to case but keep the case they were first written with. Keys and values
// keep the order they were created in, so a file read and written again keeps its order.
//
// The text form is the one regedit exports:
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\SOFTWARE\Tessaline\Parvo]
//   "Floating"=dword:00000002
//   "Except_drive"="ad"
//   @="unnamed value"
//   "Path"=hex(2):25,48,00
//
// Texts are UTF-8, with \\ and \" as the only escapes. A text that cannot stand on one
// line (it holds a line end or another control character) is written as hex(1), and an
// expandable text always as hex(2), as regedit writes them: in a REGEDIT4 file their
// bytes are the text in the system's single-byte encoding (here UTF-8) with a
// terminating zero. Reading takes both forms regedit writes: under REGEDIT4 single-byte
// text (UTF-8, or Windows-1252 where it is not valid UTF-8), under "Windows Registry
// Editor Version 5.00" UTF-16LE. Files that older versions of this program headed
// REGEDIT4 but filled with UTF-16LE data (even length, two zero bytes at the end) are
// still read as UTF-16LE. A text is kept as REGEDIT4 can hold it: half a surrogate pair
// becomes "?", and zeros at its end are dropped.

#include "platform/Registry.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace parvo {

struct ParsedRegistryFile;

class RegistryFile {
public:
    struct Value {
        QString name;
        RegValue data;
        bool operator==(const Value&) const = default;
    };

    struct Key {
        QString path;
        QList<Value> values;
        bool operator==(const Key& other) const { return path == other.path && values == other.values; }

    private:
        friend class RegistryFile;
        QHash<QString, qsizetype> index_; // case-folded value name -> position in values
    };

    // Reads the text form. Never fails: whatever cannot be read (a garbled line, a value
    // cut short, a type this program does not keep) is left out and reported as damage.
    static ParsedRegistryFile parse(const QByteArray& bytes);
    QByteArray serialize() const;

    // A key exists when it was created or when a key below it was.
    bool keyExists(const QString& path) const;
    // False for a path that cannot name a key (no name at all, or a control character).
    bool createKey(const QString& path);
    std::optional<RegValue> value(const QString& keyPath, const QString& name) const;
    // Creates the key when missing. False for an invalid key path or value name.
    bool setValue(const QString& keyPath, const QString& name, const RegValue& v);
    // True when a value was removed.
    bool deleteValue(const QString& keyPath, const QString& name);
    QStringList valueNames(const QString& keyPath) const;

    const QList<Key>& keys() const { return keys_; }

    // Drops empty components, so "\A\\B\" is "A\B". Empty when the path is invalid.
    static QString normalizedPath(const QString& path);
    // Value names and key names may hold any character but control characters, and must
    // be well-formed UTF-16.
    static bool isValidName(const QString& name);

    bool operator==(const RegistryFile& other) const { return keys_ == other.keys_; }

private:
    const Key* findKey(const QString& normalized) const;
    Key* findOrAddKey(const QString& normalized);

    QList<Key> keys_;
    QHash<QString, qsizetype> keyIndex_; // case-folded path -> position in keys_
};

struct ParsedRegistryFile {
    RegistryFile file;
    bool damaged = false;
};

} // namespace parvo
