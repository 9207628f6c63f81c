#include "widgets/LinkTarget.h"

namespace parvo {

namespace {

// "scheme:" with a scheme of two or more letters, so that "c:" stays a drive.
bool HasScheme(const QString& s)
{
    const qsizetype colon = s.indexOf(QLatin1Char(':'));
    if (colon < 2)
        return false;
    for (qsizetype i = 0; i < colon; ++i) {
        const QChar c = s[i];
        const bool ascii = c.unicode() < 0x80;
        if (!ascii || !(c.isLetter() || (i > 0 && (c.isDigit() || c == u'+' || c == u'-' || c == u'.'))))
            return false;
    }
    return true;
}

} // namespace

QString LinkTarget(const QString& caption)
{
    const QString text = caption.trimmed();
    if (text.isEmpty() || HasScheme(text))
        return text;
    if (text.contains(QLatin1Char('@')) && !text.contains(QLatin1Char('/')))
        return QStringLiteral("mailto:") + text;
    return QStringLiteral("http://") + text;
}

} // namespace parvo
