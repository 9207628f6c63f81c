#include "platform/linux/DriveLetters.h"

#include "platform/Registry.h"

#include <QHash>
#include <QMap>
#include <QSet>
#include <algorithm>
#include <optional>

namespace parvo {

namespace {

constexpr RegRoot HKCU = RegRoot::CurrentUser;

struct Remembered {
    QString mountPoint;
    QChar letter;
    std::optional<qint64> goneSince;
    bool present = false;
};

bool isGivenLetter(QChar c) { return c >= u'D' && c <= u'Z'; }

std::optional<Remembered> parseValue(const QString& name, const std::optional<RegValue>& v)
{
    if (!v || v->type == RegType::Dword || v->text.isEmpty() || !isGivenLetter(v->text[0]))
        return std::nullopt;
    Remembered r{name, v->text[0], std::nullopt, false};
    if (v->text.size() == 1)
        return r;
    if (v->text[1] != u' ')
        return std::nullopt;
    bool ok = false;
    const qint64 since = v->text.mid(2).toLongLong(&ok);
    if (!ok || since < 0)
        return std::nullopt;
    r.goneSince = since;
    return r;
}

QString presentText(QChar letter) { return QString(letter); }
QString goneText(QChar letter, qint64 since) { return QString(letter) + u' ' + QString::number(since); }

} // namespace

QList<LetteredMount> AssignDriveLetters(Registry& reg, const QStringList& mountPoints, qint64 now)
{
    const QString key = QString::fromLatin1(DriveLettersKey);

    // Remembered mounts, by lower-case mount point, and who holds which letter.
    QHash<QString, Remembered> byName;
    QMap<QChar, QString> byLetter;
    for (const QString& name : reg.valueNames(HKCU, key)) {
        if (!name.startsWith(u'/') || name == u"/")
            continue;
        auto r = parseValue(name, reg.value(HKCU, key, name));
        if (!r || byLetter.contains(r->letter))
            continue;
        byLetter.insert(r->letter, name.toLower());
        byName.insert(name.toLower(), *r);
    }

    RegistryUpdate batch(reg);
    QList<LetteredMount> out;
    QSet<QChar> taken; // letters of mounts there now
    QSet<QString> seen;
    QList<std::pair<QString, bool>> newcomers; // mount point, whether to remember its letter
    bool rootListed = false;
    for (const QString& mp : mountPoints) {
        if (mp == u"/") {
            if (!rootListed)
                out.append({u'C', mp, true});
            rootListed = true;
            continue;
        }
        const QString k = mp.toLower();
        if (seen.contains(k)) {
            newcomers.append({mp, false});
            continue;
        }
        seen.insert(k);
        const auto it = byName.find(k);
        if (it == byName.end()) {
            newcomers.append({mp, true});
            continue;
        }
        it->present = true;
        taken.insert(it->letter);
        out.append({it->letter, mp, true});
        if (it->goneSince) {
            reg.setValue(HKCU, key, mp, RegValue::fromText(presentText(it->letter)));
            it->goneSince.reset();
        }
    }

    for (Remembered& r : byName) {
        if (!r.present && !r.goneSince) {
            r.goneSince = now;
            reg.setValue(HKCU, key, r.mountPoint, RegValue::fromText(goneText(r.letter, now)));
        }
    }

    for (const auto& [mp, remember] : newcomers) {
        std::optional<QChar> letter;
        for (char16_t c = u'D'; c <= u'Z' && !letter; ++c) {
            if (!byLetter.contains(QChar(c)) && !taken.contains(QChar(c)))
                letter = QChar(c);
        }
        if (!letter) {
            // Every letter is held: take the one of the mount missing the longest.
            const Remembered* oldest = nullptr;
            for (const Remembered& r : std::as_const(byName)) {
                if (r.present)
                    continue;
                if (!oldest || *r.goneSince < *oldest->goneSince
                    || (*r.goneSince == *oldest->goneSince && r.letter < oldest->letter))
                    oldest = &r;
            }
            if (!oldest)
                continue; // no letter left: this mount is not listed
            letter = oldest->letter;
            reg.deleteValue(HKCU, key, oldest->mountPoint);
            byName.remove(oldest->mountPoint.toLower());
            byLetter.remove(*letter);
        }
        taken.insert(*letter);
        out.append({*letter, mp, true});
        if (remember) {
            reg.setValue(HKCU, key, mp, RegValue::fromText(presentText(*letter)));
            byName.insert(mp.toLower(), Remembered{mp, *letter, std::nullopt, true});
            byLetter.insert(*letter, mp.toLower());
        }
    }

    for (const Remembered& r : std::as_const(byName)) {
        if (!r.present)
            out.append({r.letter, r.mountPoint, false});
    }
    std::sort(out.begin(), out.end(),
              [](const LetteredMount& a, const LetteredMount& b) { return a.letter < b.letter; });
    return out;
}

} // namespace parvo
