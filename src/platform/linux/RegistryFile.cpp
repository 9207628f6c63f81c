#include "platform/linux/RegistryFile.h"

#include "settings/WindowsText.h"

#include <QStringDecoder>

namespace parvo {

namespace {

constexpr QStringView kHeader = u"REGEDIT4";
// The header regedit writes in its Unicode exports; the lines below it are the same.
constexpr QStringView kUnicodeHeader = u"Windows Registry Editor Version 5.00";
// Hex data is wrapped to stay within the 80 columns regedit keeps to.
constexpr qsizetype kHexLineWidth = 76;

QString folded(const QString& s) { return s.toCaseFolded(); }

bool isControl(QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; }

bool isWellFormedUtf16(const QString& s)
{
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c.isHighSurrogate()) {
            if (i + 1 >= s.size() || !s[i + 1].isLowSurrogate())
                return false;
            ++i;
        } else if (c.isLowSurrogate()) {
            return false;
        }
    }
    return true;
}

// A text goes between quotes when it survives the trip through a UTF-8 line unchanged.
bool fitsOnOneLine(const QString& s)
{
    for (QChar c : s) {
        if (isControl(c))
            return false;
    }
    return isWellFormedUtf16(s);
}

QString quoted(const QString& s)
{
    QString out;
    out.reserve(s.size() + 2);
    out += u'"';
    for (QChar c : s) {
        if (c == u'\\' || c == u'"')
            out += u'\\';
        out += c;
    }
    out += u'"';
    return out;
}

// What REGEDIT4 can hold of a value: texts in UTF-8, where half a surrogate pair has no
// form, and ended by a zero, so zeros at their end would end them early.
RegValue storable(const RegValue& v)
{
    if (v.type == RegType::Dword)
        return v;
    QString text = QString::fromUtf8(v.text.toUtf8());
    while (text.endsWith(QChar(0)))
        text.chop(1);
    return v.type == RegType::Sz ? RegValue::fromText(text) : RegValue::fromExpandText(text);
}

// REGEDIT4 stores texts in hex form as single-byte text ended by a zero.
QByteArray bytesWithTerminator(const QString& s)
{
    QByteArray bytes = s.toUtf8();
    bytes.append('\0');
    return bytes;
}

// Appends "hex(n):xx,xx,..." to a line that already holds `line`, wrapping as regedit does.
void appendHex(QByteArray& out, qsizetype lineStart, const char* prefix, const QByteArray& bytes)
{
    static const char digits[] = "0123456789abcdef";
    out += prefix;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out += digits[b >> 4];
        out += digits[b & 0x0f];
        if (i + 1 < bytes.size()) {
            out += ',';
            if (out.size() - lineStart > kHexLineWidth) {
                out += "\\\n  ";
                lineStart = out.size() - 2;
            }
        }
    }
}

// --- reading ---------------------------------------------------------------------------

// The two forms of texts in hex data.
enum class HexText { Bytes, Utf16 };

struct Reader {
    QStringList lines;
    qsizetype next = 0;
    bool damaged = false;
    RegistryFile file;
    QString currentKey; // empty while no usable section is open
    HexText hexForm = HexText::Bytes; // the form the header names
};

// Reads a quoted text starting at `pos` (on the opening quote). Returns the position after
// the closing quote, or -1 when the text has no end.
qsizetype readQuoted(const QString& line, qsizetype pos, QString& text)
{
    text.clear();
    for (qsizetype i = pos + 1; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == u'"')
            return i + 1;
        if (c == u'\\' && i + 1 < line.size() && (line[i + 1] == u'\\' || line[i + 1] == u'"')) {
            text += line[++i];
            continue;
        }
        // Any other backslash is taken as it stands, so a hand-written path keeps it.
        text += c;
    }
    return -1;
}

bool onlySpaceFrom(const QString& line, qsizetype pos)
{
    for (qsizetype i = pos; i < line.size(); ++i) {
        if (!line[i].isSpace())
            return false;
    }
    return true;
}

std::optional<QByteArray> readHexBytes(QStringView data)
{
    QByteArray bytes;
    const auto tokens = data.split(u',');
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const QStringView token = tokens[i].trimmed();
        if (token.isEmpty()) {
            // "hex:" with no bytes, and the comma regedit leaves before a line break.
            if (i == tokens.size() - 1)
                continue;
            return std::nullopt;
        }
        if (token.size() > 2)
            return std::nullopt;
        bool ok = false;
        const uint b = token.toUInt(&ok, 16);
        if (!ok)
            return std::nullopt;
        bytes.append(char(b));
    }
    return bytes;
}

std::optional<QString> textFromUtf16(const QByteArray& bytes)
{
    if (bytes.size() % 2 != 0)
        return std::nullopt;
    QString s;
    s.reserve(bytes.size() / 2);
    for (qsizetype i = 0; i < bytes.size(); i += 2) {
        s += QChar(char16_t(quint8(bytes[i]) | (quint8(bytes[i + 1]) << 8)));
    }
    // Regedit always ends the text with a zero; without it the data was cut short.
    if (s.isEmpty() || s.back() != QChar(0))
        return std::nullopt;
    s.chop(1);
    return s;
}

std::optional<QString> textFromBytes(const QByteArray& bytes)
{
    // Regedit always ends the text with a zero; without it the data was cut short.
    if (bytes.isEmpty() || bytes.back() != '\0')
        return std::nullopt;
    return DecodeWindowsText(QByteArrayView(bytes).chopped(1));
}

std::optional<QString> hexText(const QByteArray& bytes, HexText form)
{
    // A REGEDIT4 file of an older version of this program holds UTF-16LE: an even
    // number of bytes ending in two zeros, which single-byte text never does.
    if (form == HexText::Utf16 || (bytes.size() % 2 == 0 && bytes.endsWith(QByteArrayView("\0\0", 2))))
        return textFromUtf16(bytes);
    return textFromBytes(bytes);
}

// The data of a value line, after "=". Sets `trailingGarbage` when a readable value is
// followed by something that does not belong to it.
std::optional<RegValue> readData(const QString& data, HexText form, bool& trailingGarbage)
{
    trailingGarbage = false;
    if (data.startsWith(u'"')) {
        QString text;
        const qsizetype end = readQuoted(data, 0, text);
        if (end < 0)
            return std::nullopt;
        trailingGarbage = !onlySpaceFrom(data, end);
        return RegValue::fromText(text);
    }
    if (data.startsWith(u"dword:", Qt::CaseInsensitive)) {
        const QStringView digits = QStringView(data).mid(6).trimmed();
        if (digits.isEmpty() || digits.size() > 8)
            return std::nullopt;
        bool ok = false;
        const uint v = digits.toUInt(&ok, 16);
        if (!ok || digits.startsWith(u'+') || digits.startsWith(u'-'))
            return std::nullopt;
        return RegValue::fromDword(v);
    }
    const qsizetype colon = data.indexOf(u':');
    if (colon < 0)
        return std::nullopt;
    const QString kind = data.left(colon).trimmed().toLower();
    const auto bytes = readHexBytes(QStringView(data).mid(colon + 1));
    if (!bytes)
        return std::nullopt;
    if (kind == u"hex(1)" || kind == u"hex(2)") {
        auto text = hexText(*bytes, form);
        if (!text)
            return std::nullopt;
        return kind == u"hex(1)" ? RegValue::fromText(*text) : RegValue::fromExpandText(*text);
    }
    if (kind == u"hex(4)" && bytes->size() == 4) {
        const auto* b = reinterpret_cast<const quint8*>(bytes->constData());
        return RegValue::fromDword(b[0] | (b[1] << 8) | (b[2] << 16) | (quint32(b[3]) << 24));
    }
    // Binary data, multi-texts and the like: this program keeps none of them.
    return std::nullopt;
}

bool startsEntry(QStringView trimmed)
{
    return trimmed.startsWith(u'[') || trimmed.startsWith(u'"') || trimmed.startsWith(u'@');
}

void readSection(Reader& r, const QString& line)
{
    r.currentKey.clear();
    const qsizetype close = line.lastIndexOf(u']');
    if (close < 0) {
        r.damaged = true;
        return;
    }
    if (!onlySpaceFrom(line, close + 1))
        r.damaged = true;
    const QString path = line.mid(1, close - 1);
    // "[-key]" asks an import to delete the key; a settings file has no use for it. A key
    // that only reads "-key" once its leading separators go would be written back so.
    if (path.startsWith(u'-') || RegistryFile::normalizedPath(path).startsWith(u'-') || !r.file.createKey(path)) {
        r.damaged = true;
        return;
    }
    r.currentKey = RegistryFile::normalizedPath(path);
}

void readValueLine(Reader& r, QString line)
{
    QString name;
    qsizetype pos = 0;
    if (line.startsWith(u'@')) {
        pos = 1;
    } else {
        pos = readQuoted(line, 0, name);
        if (pos < 0) {
            r.damaged = true;
            return;
        }
    }
    while (pos < line.size() && line[pos].isSpace())
        ++pos;
    if (pos >= line.size() || line[pos] != u'=') {
        r.damaged = true;
        return;
    }
    QString data = line.mid(pos + 1).trimmed();

    // Hex data continues on the next line after a trailing backslash.
    if (data.startsWith(u"hex", Qt::CaseInsensitive)) {
        while (data.endsWith(u'\\')) {
            data.chop(1);
            if (r.next >= r.lines.size()) {
                r.damaged = true; // cut short
                return;
            }
            const QString more = r.lines[r.next].trimmed();
            if (more.isEmpty() || startsEntry(more)) {
                r.damaged = true; // cut short; the line is read for itself
                return;
            }
            ++r.next;
            data += more;
        }
    }

    bool trailingGarbage = false;
    const auto v = readData(data, r.hexForm, trailingGarbage);
    if (!v || r.currentKey.isEmpty() || !r.file.setValue(r.currentKey, name, *v)) {
        r.damaged = true;
        return;
    }
    if (trailingGarbage)
        r.damaged = true;
}

QString decode(const QByteArray& bytes, bool& damaged)
{
    if (bytes.startsWith("\xff\xfe")) {
        QStringDecoder decoder(QStringDecoder::Utf16LE, QStringDecoder::Flag::Stateless);
        QString s = decoder(QByteArrayView(bytes).sliced(2));
        damaged = damaged || decoder.hasError() || bytes.size() % 2 != 0;
        return s;
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString s = decoder(bytes.startsWith("\xef\xbb\xbf") ? QByteArrayView(bytes).sliced(3) : QByteArrayView(bytes));
    damaged = damaged || decoder.hasError();
    return s;
}

} // namespace

// --- the model -------------------------------------------------------------------------

QString RegistryFile::normalizedPath(const QString& path)
{
    QStringList parts;
    for (const QString& part : path.split(u'\\', Qt::SkipEmptyParts)) {
        if (!isValidName(part))
            return {};
        parts += part;
    }
    return parts.join(u'\\');
}

bool RegistryFile::isValidName(const QString& name)
{
    for (QChar c : name) {
        if (isControl(c))
            return false;
    }
    return isWellFormedUtf16(name);
}

const RegistryFile::Key* RegistryFile::findKey(const QString& normalized) const
{
    const auto it = keyIndex_.constFind(folded(normalized));
    return it == keyIndex_.cend() ? nullptr : &keys_[*it];
}

RegistryFile::Key* RegistryFile::findOrAddKey(const QString& normalized)
{
    const QString f = folded(normalized);
    const auto it = keyIndex_.constFind(f);
    if (it != keyIndex_.cend())
        return &keys_[*it];
    Key k;
    k.path = normalized;
    keys_.append(std::move(k));
    keyIndex_.insert(f, keys_.size() - 1);
    return &keys_.back();
}

bool RegistryFile::keyExists(const QString& path) const
{
    const QString n = normalizedPath(path);
    if (n.isEmpty())
        return false;
    if (findKey(n))
        return true;
    const QString prefix = folded(n) + u'\\';
    for (auto it = keyIndex_.cbegin(); it != keyIndex_.cend(); ++it) {
        if (it.key().startsWith(prefix))
            return true;
    }
    return false;
}

bool RegistryFile::createKey(const QString& path)
{
    const QString n = normalizedPath(path);
    if (n.isEmpty())
        return false;
    findOrAddKey(n);
    return true;
}

std::optional<RegValue> RegistryFile::value(const QString& keyPath, const QString& name) const
{
    const Key* k = findKey(normalizedPath(keyPath));
    if (!k)
        return std::nullopt;
    const auto it = k->index_.constFind(folded(name));
    if (it == k->index_.cend())
        return std::nullopt;
    return k->values[*it].data;
}

bool RegistryFile::setValue(const QString& keyPath, const QString& name, const RegValue& given)
{
    const QString n = normalizedPath(keyPath);
    if (n.isEmpty() || !isValidName(name))
        return false;
    const RegValue v = storable(given);
    Key* k = findOrAddKey(n);
    const QString f = folded(name);
    const auto it = k->index_.constFind(f);
    if (it != k->index_.cend()) {
        // The name keeps the case it was first written with.
        k->values[*it].data = v;
        return true;
    }
    k->values.append({name, v});
    k->index_.insert(f, k->values.size() - 1);
    return true;
}

bool RegistryFile::deleteValue(const QString& keyPath, const QString& name)
{
    const QString n = normalizedPath(keyPath);
    const auto kit = keyIndex_.constFind(folded(n));
    if (n.isEmpty() || kit == keyIndex_.cend())
        return false;
    Key& k = keys_[*kit];
    const auto it = k.index_.constFind(folded(name));
    if (it == k.index_.cend())
        return false;
    k.values.removeAt(*it);
    k.index_.clear();
    for (qsizetype i = 0; i < k.values.size(); ++i)
        k.index_.insert(folded(k.values[i].name), i);
    return true;
}

QStringList RegistryFile::valueNames(const QString& keyPath) const
{
    QStringList names;
    if (const Key* k = findKey(normalizedPath(keyPath))) {
        for (const Value& v : k->values)
            names += v.name;
    }
    return names;
}

// --- text form -------------------------------------------------------------------------

ParsedRegistryFile RegistryFile::parse(const QByteArray& bytes)
{
    Reader r;
    const QString text = decode(bytes, r.damaged);
    r.lines = text.split(u'\n');
    for (QString& line : r.lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }

    // The header comes first; without it the file is damaged, but what follows may still
    // be readable.
    while (r.next < r.lines.size() && r.lines[r.next].trimmed().isEmpty())
        ++r.next;
    if (r.next < r.lines.size()) {
        const QString first = r.lines[r.next].trimmed();
        if (first == kHeader || first == kUnicodeHeader)
            ++r.next;
        else
            r.damaged = true;
        if (first == kUnicodeHeader)
            r.hexForm = HexText::Utf16;
    } else {
        r.damaged = true; // an empty file
    }

    while (r.next < r.lines.size()) {
        const QString line = r.lines[r.next++].trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'['))
            readSection(r, line);
        else if (line.startsWith(u'"') || line.startsWith(u'@'))
            readValueLine(r, line);
        else
            r.damaged = true;
    }
    return {std::move(r.file), r.damaged};
}

QByteArray RegistryFile::serialize() const
{
    QByteArray out = kHeader.toString().toUtf8() + "\n\n";
    for (const Key& k : keys_) {
        out += '[' + k.path.toUtf8() + "]\n";
        for (const Value& v : k.values) {
            const qsizetype lineStart = out.size();
            out += v.name.isEmpty() ? QByteArray("@") : quoted(v.name).toUtf8();
            out += '=';
            switch (v.data.type) {
            case RegType::Dword:
                out += "dword:" + QByteArray::number(v.data.dword, 16).rightJustified(8, '0');
                break;
            case RegType::Sz:
                if (fitsOnOneLine(v.data.text))
                    out += quoted(v.data.text).toUtf8();
                else
                    appendHex(out, lineStart, "hex(1):", bytesWithTerminator(v.data.text));
                break;
            case RegType::ExpandSz:
                appendHex(out, lineStart, "hex(2):", bytesWithTerminator(v.data.text));
                break;
            }
            out += '\n';
        }
        out += '\n';
    }
    return out;
}

} // namespace parvo
