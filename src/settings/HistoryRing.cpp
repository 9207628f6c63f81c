#include "settings/HistoryRing.h"

#include "platform/Registry.h"
#include "settings/RegistryKeys.h"
#include "settings/SortedTextList.h"

namespace parvo {

namespace {

QString RingKey(const QString& subkey) { return QString::fromLatin1(keys::Program) + subkey; }

QString Slot(quint32 n) { return QStringLiteral("L") + QString::number(n); }

} // namespace

void LoadHistoryList(Registry& reg, const QString& subkey, SortedTextList& completion, QStringList& searchWords)
{
    const QString key = RingKey(subkey);
    reg.createKey(RegRoot::CurrentUser, key);
    const bool links = subkey.compare(QString::fromLatin1(keys::HistoryLinks), Qt::CaseInsensitive) == 0;
    for (quint32 n = 0; n < HistorySlots; ++n) {
        const auto v = reg.value(RegRoot::CurrentUser, key, Slot(n));
        if (!v)
            break;
        const QString text = v->type == RegType::Dword ? QString::number(v->dword) : v->text;
        if (links)
            completion.add(WithoutHttpPrefix(text));
        else
            searchWords.append(text);
    }
}

void AppendHistoryEntry(Registry& reg, const QString& text, const QString& subkey)
{
    const QString key = RingKey(subkey);
    RegistryUpdate batch(reg);
    reg.createKey(RegRoot::CurrentUser, key);
    const QString numer = QStringLiteral("Numer");
    const auto next = reg.value(RegRoot::CurrentUser, key, numer);
    const quint32 slot = next && next->type == RegType::Dword ? next->dword : 0;
    // A missing, damaged or out-of-range counter restarts the ring at slot 0 rather than
    // writing past its hundred slots.
    if (!next || next->type != RegType::Dword || slot >= HistorySlots) {
        reg.setValue(RegRoot::CurrentUser, key, numer, RegValue::fromDword(1));
        reg.setValue(RegRoot::CurrentUser, key, Slot(0), RegValue::fromText(text));
        return;
    }
    reg.setValue(RegRoot::CurrentUser, key, Slot(slot), RegValue::fromText(text));
    reg.setValue(RegRoot::CurrentUser, key, numer, RegValue::fromDword(slot + 1));
}

} // namespace parvo
