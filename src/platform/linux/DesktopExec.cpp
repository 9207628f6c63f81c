#include "platform/linux/DesktopExec.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <optional>
#include <utility>

namespace parvo {

namespace {

constexpr QStringView kReserved = u" \t\n\"'\\><~|&;$*?#()`";
constexpr QStringView kQuotedEscapes = u"\"`$\\";
// Field codes, the deprecated ones included: a launcher replaces them, and for finding
// the program they are noise.
constexpr QStringView kFieldCodes = u"fFuUdDnNickvm";

bool isFieldCode(QChar c) { return kFieldCodes.contains(c); }

// Removes field codes from one argument. An argument that is nothing but a field code
// disappears altogether; that is what the empty optional says.
std::optional<QString> expandFieldCodes(const QString& arg)
{
    if (arg.size() == 2 && arg[0] == u'%' && isFieldCode(arg[1]))
        return std::nullopt;
    QString out;
    for (qsizetype i = 0; i < arg.size(); ++i) {
        if (arg[i] == u'%' && i + 1 < arg.size()) {
            if (arg[i + 1] == u'%') {
                out += u'%';
                ++i;
                continue;
            }
            if (isFieldCode(arg[i + 1])) {
                ++i;
                continue;
            }
        }
        out += arg[i];
    }
    return out;
}

} // namespace

namespace {

struct RawArgument {
    QString text;
    bool quoted = false;
};

// The arguments with quoting undone, field codes left as written; nothing when a quote
// is left open.
std::optional<QList<RawArgument>> SplitRaw(const QString& exec)
{
    QList<RawArgument> raw;
    RawArgument current;
    bool inArgument = false;
    bool inQuotes = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (inQuotes) {
            if (c == u'"') {
                inQuotes = false;
            } else if (c == u'\\' && i + 1 < exec.size() && kQuotedEscapes.contains(exec[i + 1])) {
                current.text += exec[++i];
            } else {
                current.text += c;
            }
            continue;
        }
        if (c == u' ' || c == u'\t' || c == u'\n') {
            if (inArgument)
                raw += current;
            current = {};
            inArgument = false;
            continue;
        }
        inArgument = true;
        if (c == u'"') {
            inQuotes = true;
            current.quoted = true;
        } else {
            current.text += c;
        }
    }
    if (inQuotes)
        return std::nullopt;
    if (inArgument)
        raw += current;
    return raw;
}

bool isFileCode(QChar c) { return c == u'f' || c == u'F' || c == u'u' || c == u'U'; }

} // namespace

QStringList SplitDesktopExec(const QString& exec)
{
    const auto raw = SplitRaw(exec);
    if (!raw)
        return {};
    QStringList args;
    for (const RawArgument& a : *raw) {
        if (auto expanded = expandFieldCodes(a.text))
            args += *expanded;
    }
    return args;
}

QStringList ExpandDesktopExec(const QString& exec, const QStringList& files, const DesktopEntryFacts& facts)
{
    const auto raw = SplitRaw(exec);
    if (!raw)
        return {};
    QStringList args;
    bool filesPlaced = false;
    for (const RawArgument& a : *raw) {
        const QString& t = a.text;
        if (t.size() == 2 && t[0] == u'%' && isFileCode(t[1])) {
            if (!std::exchange(filesPlaced, true))
                args += files;
            continue;
        }
        if (t == u"%i") {
            if (!facts.icon.isEmpty())
                args << QStringLiteral("--icon") << facts.icon;
            continue;
        }
        QString out;
        bool usedFile = false;
        for (qsizetype i = 0; i < t.size(); ++i) {
            if (t[i] != u'%' || i + 1 >= t.size()) {
                out += t[i];
                continue;
            }
            const QChar code = t[++i];
            if (code == u'%') {
                out += u'%';
            } else if (code == u'c' || code == u'k') {
                if (!a.quoted)
                    out += code == u'c' ? facts.name : facts.location;
            } else if (isFileCode(code)) {
                if (!a.quoted && !filesPlaced && !files.isEmpty()) {
                    out += files.front();
                    usedFile = true;
                }
            } else if (!isFieldCode(code)) {
                out += u'%';
                out += code; // no field code: kept as written
            }
        }
        filesPlaced = filesPlaced || usedFile;
        args += out;
    }
    return args;
}

QString QuoteDesktopExecArgument(const QString& argument)
{
    bool needsQuotes = argument.isEmpty();
    for (QChar c : argument)
        needsQuotes = needsQuotes || kReserved.contains(c);
    QString out;
    if (needsQuotes) {
        out += u'"';
        for (QChar c : argument) {
            if (kQuotedEscapes.contains(c))
                out += u'\\';
            out += c;
        }
        out += u'"';
    } else {
        out = argument;
    }
    return out.replace(QStringLiteral("%"), QStringLiteral("%%"));
}

QString DesktopExecProgram(const QStringList& arguments, const QStringList& searchPath)
{
    qsizetype i = 0;
    if (i < arguments.size() && QFileInfo(arguments[i]).fileName() == u"env") {
        ++i;
        while (i < arguments.size() && (arguments[i].startsWith(u'-') || arguments[i].contains(u'=')))
            ++i;
    }
    if (i >= arguments.size())
        return {};
    const QString& program = arguments[i];
    if (program.startsWith(u'/')) {
        const QFileInfo info(program);
        return info.isFile() && info.isExecutable() ? program : QString();
    }
    // A relative path with folders in it means nothing without a working folder.
    if (program.contains(u'/') || searchPath.isEmpty())
        return {};
    return QStandardPaths::findExecutable(program, searchPath);
}

} // namespace parvo
