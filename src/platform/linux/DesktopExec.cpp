#include "platform/linux/DesktopExec.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <optional>

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

QStringList SplitDesktopExec(const QString& exec)
{
    QStringList raw;
    QString current;
    bool inArgument = false;
    bool inQuotes = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (inQuotes) {
            if (c == u'"') {
                inQuotes = false;
            } else if (c == u'\\' && i + 1 < exec.size() && kQuotedEscapes.contains(exec[i + 1])) {
                current += exec[++i];
            } else {
                current += c;
            }
            continue;
        }
        if (c == u' ' || c == u'\t' || c == u'\n') {
            if (inArgument)
                raw += current;
            current.clear();
            inArgument = false;
            continue;
        }
        inArgument = true;
        if (c == u'"')
            inQuotes = true;
        else
            current += c;
    }
    if (inQuotes)
        return {};
    if (inArgument)
        raw += current;

    QStringList args;
    for (const QString& a : raw) {
        if (auto expanded = expandFieldCodes(a))
            args += *expanded;
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
