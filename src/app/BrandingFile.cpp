#include "app/BrandingFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <limits>

namespace parvo {

namespace {

// Both tables are permutations of printable ASCII characters (every character appears
// once as a first and once as a second), so the transformation is a bijection on bytes
// and the writer can undo it exactly. "|" is in neither: the colour record is split at
// its stored "|". Bytes of 0x80 and above, the UTF-8 sequences, pass untouched.
constexpr std::array<CharPair, 12> kFirstTable{{
    {'e', 'w'}, {'w', 't'}, {'t', 'e'},
    {'a', '/'}, {'/', 'o'}, {'o', 'a'},
    {'.', 'p'}, {'p', 'h'}, {'h', '.'},
    {':', 'r'}, {'r', 'i'}, {'i', ':'},
}};

constexpr std::array<CharPair, 30> kSecondTable{{
    {'0', '7'}, {'1', '4'}, {'2', '9'}, {'3', '0'}, {'4', '6'},
    {'5', '2'}, {'6', '8'}, {'7', '3'}, {'8', '5'}, {'9', '1'},
    {'A', 'M'}, {'M', 'Z'}, {'Z', 'A'},
    {'B', 'Q'}, {'Q', 'B'},
    {'C', 'x'}, {'x', 'C'},
    {'D', 'n'}, {'n', 'K'}, {'K', 'D'},
    {'E', 's'}, {'s', 'E'},
    {'F', 'c'}, {'c', 'F'},
    {'G', 'm'}, {'m', 'G'},
    {'=', '-'}, {'-', '?'}, {'?', '&'}, {'&', '='},
}};

// One record as stored: both fields cut to their length byte, not yet transformed.
struct StoredRecord {
    QByteArray key;
    QByteArray value;
};

QByteArray FieldText(const char* field)
{
    // The length byte may claim more than the field holds; never read past the field.
    const int length = std::min<int>(static_cast<unsigned char>(field[0]), kBrandingTextMax);
    return QByteArray(field + 1, length);
}

// The opened branding file and its record count (whole records only: a partial
// trailing record does not count).
class RecordFile {
public:
    explicit RecordFile(const QString& path) : file_(path)
    {
        // Only a regular file: opening a FIFO would block, a device could be endless.
        if (!QFileInfo(path).isFile() || !file_.open(QIODevice::ReadOnly))
            return;
        count_ = file_.size() / kBrandingRecordSize;
    }

    qint64 count() const { return count_; }

    std::optional<StoredRecord> read(qint64 index)
    {
        if (index < 0 || index >= count_ || !file_.seek(index * kBrandingRecordSize))
            return std::nullopt;
        char buffer[kBrandingRecordSize];
        if (file_.read(buffer, kBrandingRecordSize) != kBrandingRecordSize)
            return std::nullopt;
        return StoredRecord{FieldText(buffer), FieldText(buffer + kBrandingFieldSize)};
    }

    // The record counted from the end: 1 is the last one.
    std::optional<StoredRecord> readFromEnd(qint64 fromEnd) { return read(count_ - fromEnd); }

private:
    QFile file_;
    qint64 count_ = 0;
};

// Integer text of the colour record: decimal, or hexadecimal after "$", with an optional
// sign; surrounding blanks are ignored. Unparsable or out of range → 0.
int ParseColourNumber(const QString& text)
{
    QStringView digits = QStringView(text).trimmed();
    bool negative = false;
    if (!digits.isEmpty() && (digits.front() == u'-' || digits.front() == u'+')) {
        negative = digits.front() == u'-';
        digits = digits.mid(1);
    }
    bool hex = false;
    if (!digits.isEmpty() && digits.front() == u'$') {
        hex = true;
        digits = digits.mid(1);
    }
    if (digits.isEmpty())
        return 0;

    qint64 value = 0;
    for (QChar c : digits) {
        int digit = -1;
        if (c >= u'0' && c <= u'9')
            digit = c.unicode() - u'0';
        else if (hex && c >= u'a' && c <= u'f')
            digit = c.unicode() - u'a' + 10;
        else if (hex && c >= u'A' && c <= u'F')
            digit = c.unicode() - u'A' + 10;
        if (digit < 0)
            return 0;
        value = value * (hex ? 16 : 10) + digit;
        if (value > (hex ? qint64(0xFFFFFFFF) : qint64(std::numeric_limits<int>::max()) + 1))
            return 0;
    }
    if (hex) {
        // Eight hex digits fill the 32 bits, as "$FFFFFFFF" for −1.
        const auto bits = static_cast<quint32>(value);
        return static_cast<qint32>(negative ? 0u - bits : bits);
    }
    if (negative)
        return static_cast<int>(-value);
    return value > std::numeric_limits<int>::max() ? 0 : static_cast<int>(value);
}

// Replaces each occurrence of one character by a text; the rest is copied as it is.
QString ReplaceChar(const QString& text, QChar pattern, const QString& replacement)
{
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        if (c == pattern)
            result += replacement;
        else
            result += c;
    }
    return result;
}

bool IsSchemeChar(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')
        || c == u'+' || c == u'-' || c == u'.';
}

} // namespace

void SwapPairs(QByteArray& text, std::span<const CharPair> table, PairDirection direction)
{
    for (char& c : text) {
        for (const auto& [first, second] : table) {
            const char from = direction == PairDirection::Forward ? first : second;
            if (c == from) {
                c = direction == PairDirection::Forward ? second : first;
                break;
            }
        }
    }
}

QString DecodeBrandingText(const QByteArray& stored)
{
    QByteArray bytes = stored;
    SwapPairs(bytes, kFirstTable, PairDirection::Forward);
    SwapPairs(bytes, kSecondTable, PairDirection::Reverse);
    return QString::fromUtf8(bytes);
}

QByteArray EncodeBrandingText(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    SwapPairs(bytes, kSecondTable, PairDirection::Forward);
    SwapPairs(bytes, kFirstTable, PairDirection::Reverse);
    return bytes;
}

void ReadTitleAndAddress(const QString& path, QString& title, QString& address)
{
    RecordFile file(path);
    const auto record = file.readFromEnd(3);
    if (!record) {
        title.clear();
        return;
    }
    title = DecodeBrandingText(record->key);
    address = DecodeBrandingText(record->value);
}

void ReadHome(const QString& path, QString& label, QString& address)
{
    RecordFile file(path);
    const auto record = file.read(0);
    if (!record) {
        address.clear();
        return;
    }
    label = DecodeBrandingText(record->key);
    address = DecodeBrandingText(record->value);
}

int ReadColour(const QString& path, int which)
{
    if (which < 1 || which > 3)
        return 0;
    RecordFile file(path);
    const auto record = file.readFromEnd(2);
    if (!record)
        return 0;
    if (which == 3)
        return ParseColourNumber(DecodeBrandingText(record->value));
    // Split before decoding: the separator is the stored "|". Without one, the part
    // before is empty and the part after is the whole key.
    const qsizetype bar = record->key.indexOf('|');
    const QByteArray part = which == 1 ? (bar < 0 ? QByteArray() : record->key.left(bar))
                                       : record->key.mid(bar + 1);
    return ParseColourNumber(DecodeBrandingText(part));
}

std::optional<QStringList> ReadWebLinks(const QString& path)
{
    RecordFile file(path);
    const qint64 count = file.count();
    const auto home = file.read(0);
    if (!home)
        return std::nullopt;
    QStringList lines;
    lines << DecodeBrandingText(home->key) + QLatin1Char('=')
                 + SiteRoot(DecodeBrandingText(home->value));
    // Record 1 must exist even when it is not a link: a one-record file is no branding
    // file. The records past the links are read as well, so a file that cannot be read
    // to its end fails here rather than later in the title or colours.
    qint64 index = 1;
    do {
        const auto record = file.read(index);
        if (!record)
            return std::nullopt;
        if (index < count - 3)
            lines << DecodeBrandingText(record->key) + QLatin1Char('=')
                         + DecodeBrandingText(record->value);
        ++index;
    } while (index < count);
    return lines;
}

QString ReadSearchUrl(const QString& path, const QString& words)
{
    const QString encoded = ReplaceChar(words, u' ', QStringLiteral("+"));
    RecordFile file(path);
    const auto record = file.readFromEnd(1);
    if (!record)
        return {};
    return ReplaceChar(DecodeBrandingText(record->value), u'|', encoded);
}

QString ReadSearchSite(const QString& path)
{
    RecordFile file(path);
    const auto record = file.readFromEnd(1);
    return record ? DecodeBrandingText(record->key) : QString();
}

QString SiteRoot(const QString& address)
{
    QString prefix = QStringLiteral("http://");
    QStringView rest = address;
    const qsizetype separator = address.indexOf(QLatin1String("://"));
    if (separator > 0) {
        bool scheme = true;
        for (QChar c : QStringView(address).left(separator))
            scheme = scheme && IsSchemeChar(c);
        if (scheme) {
            prefix = address.left(separator + 3);
            rest = QStringView(address).mid(separator + 3);
        }
    }
    if (rest.isEmpty())
        return prefix;
    qsizetype end = 0;
    while (end < rest.size() && rest[end] != u'/' && rest[end] != u'?' && rest[end] != u'#')
        ++end;
    return prefix + rest.left(end).toString() + QLatin1Char('/');
}

QByteArray EncodeBrandingRecords(const QList<QPair<QString, QString>>& records, QString* error)
{
    QByteArray file(records.size() * kBrandingRecordSize, '\0');
    for (qsizetype i = 0; i < records.size(); ++i) {
        const QString* texts[2] = {&records[i].first, &records[i].second};
        for (int field = 0; field < 2; ++field) {
            const QByteArray stored = EncodeBrandingText(*texts[field]);
            if (stored.size() > kBrandingTextMax) {
                if (error)
                    *error = QStringLiteral("record %1, %2: \"%3\" takes %4 bytes, at most %5 fit")
                                 .arg(i)
                                 .arg(field == 0 ? QStringLiteral("key") : QStringLiteral("value"))
                                 .arg(*texts[field])
                                 .arg(stored.size())
                                 .arg(kBrandingTextMax);
                return {};
            }
            char* at = file.data() + i * kBrandingRecordSize + field * kBrandingFieldSize;
            at[0] = static_cast<char>(stored.size());
            std::copy(stored.begin(), stored.end(), at + 1);
        }
    }
    if (error)
        error->clear();
    return file;
}

} // namespace parvo
