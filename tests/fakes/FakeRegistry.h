#pragma once
// An in-memory registry: keys and value names compare without regard to case, like the
// real store. Counts the stores of the backing file, so batching can be checked.

#include "platform/Registry.h"

#include <QMap>

namespace parvo {

class FakeRegistry : public Registry {
public:
    bool keyExists(RegRoot root, const QString& key) const override { return keys_.contains(id(root, key)); }

    bool createKey(RegRoot root, const QString& key) override
    {
        if (readOnlyKeys.contains(key.toLower()))
            return false;
        keys_[id(root, key)];
        return true;
    }

    std::optional<RegValue> value(RegRoot root, const QString& key, const QString& name) const override
    {
        const auto k = keys_.constFind(id(root, key));
        if (k == keys_.cend())
            return std::nullopt;
        const auto v = k->constFind(name.toLower());
        if (v == k->cend())
            return std::nullopt;
        return *v;
    }

    bool setValue(RegRoot root, const QString& key, const QString& name, const RegValue& v) override
    {
        if (readOnlyKeys.contains(key.toLower()))
            return false;
        keys_[id(root, key)][name.toLower()] = v;
        stored();
        return true;
    }

    bool deleteValue(RegRoot root, const QString& key, const QString& name) override
    {
        auto k = keys_.find(id(root, key));
        if (k != keys_.end() && k->remove(name.toLower()) > 0)
            stored();
        return true;
    }

    QStringList valueNames(RegRoot root, const QString& key) const override
    {
        return keys_.value(id(root, key)).keys();
    }

    void beginUpdate() override { ++depth_; }
    void endUpdate() override
    {
        if (--depth_ == 0 && pending_) {
            pending_ = false;
            ++stores;
        }
    }

    // Convenience for tests.
    void set(const QString& key, const QString& name, const RegValue& v, RegRoot root = RegRoot::CurrentUser)
    {
        keys_[id(root, key)][name.toLower()] = v;
    }
    quint32 dword(const QString& key, const QString& name) const
    {
        const auto v = value(RegRoot::CurrentUser, key, name);
        return v ? v->dword : 0xDEADBEEF;
    }
    QString text(const QString& key, const QString& name) const
    {
        const auto v = value(RegRoot::CurrentUser, key, name);
        return v ? v->text : QStringLiteral("<missing>");
    }
    bool has(const QString& key, const QString& name) const
    {
        return value(RegRoot::CurrentUser, key, name).has_value();
    }

    int stores = 0;              // times the backing store would have been written
    QStringList readOnlyKeys;    // lower-case keys that refuse writes

private:
    static QString id(RegRoot root, const QString& key)
    {
        return (root == RegRoot::CurrentUser ? QStringLiteral("hkcu\\") : QStringLiteral("hkcr\\")) + key.toLower();
    }
    void stored()
    {
        if (depth_ > 0)
            pending_ = true;
        else
            ++stores;
    }

    QMap<QString, QMap<QString, RegValue>> keys_;
    int depth_ = 0;
    bool pending_ = false;
};

} // namespace parvo
