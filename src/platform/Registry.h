#pragma once
// The per-user settings database the program keeps its options in, modelled on the
// registry: keys addressed by backslash-separated paths under a root, typed values with
// case-insensitive names. Logic reads and writes settings only through this interface.

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>

namespace parvo {

enum class RegRoot { CurrentUser, ClassesRoot };

enum class RegType { Dword, Sz, ExpandSz };

struct RegValue {
    RegType type = RegType::Sz;
    quint32 dword = 0;
    QString text;

    static RegValue fromDword(quint32 v) { return {RegType::Dword, v, {}}; }
    static RegValue fromText(const QString& s) { return {RegType::Sz, 0, s}; }
    static RegValue fromExpandText(const QString& s) { return {RegType::ExpandSz, 0, s}; }
    bool operator==(const RegValue&) const = default;
};

class Registry {
public:
    virtual ~Registry() = default;

    // Key paths are written without a leading backslash, e.g. "SOFTWARE\\Tessaline\\Parvo".
    // Key and value names compare without regard to case. The empty value name is the
    // key's unnamed (default) value.
    virtual bool keyExists(RegRoot root, const QString& key) const = 0;
    // Creates the key (and its parents) when missing; false when it cannot be created.
    virtual bool createKey(RegRoot root, const QString& key) = 0;
    virtual std::optional<RegValue> value(RegRoot root, const QString& key, const QString& name) const = 0;
    // Creates the key when missing. False when the value cannot be stored.
    virtual bool setValue(RegRoot root, const QString& key, const QString& name, const RegValue& v) = 0;
    // A missing value is no error.
    virtual bool deleteValue(RegRoot root, const QString& key, const QString& name) = 0;
    virtual QStringList valueNames(RegRoot root, const QString& key) const = 0;

    // Writes between begin and end are stored once, when the outermost end is reached, so
    // that a group of defaults costs one write of the backing store instead of twenty.
    virtual void beginUpdate() {}
    virtual void endUpdate() {}
};

// Scope guard for Registry::beginUpdate/endUpdate.
class RegistryUpdate {
public:
    explicit RegistryUpdate(Registry& r) : reg_(r) { reg_.beginUpdate(); }
    ~RegistryUpdate() { reg_.endUpdate(); }
    RegistryUpdate(const RegistryUpdate&) = delete;
    RegistryUpdate& operator=(const RegistryUpdate&) = delete;

private:
    Registry& reg_;
};

} // namespace parvo
