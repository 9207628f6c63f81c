#include "menus/FolderNames.h"

#include <array>
#include <string_view>

namespace parvo {

QString CapitaliseName(const QString& name)
{
    // Most names hold a lower-case ASCII letter; they are known to be unchanged without
    // building their upper-case form.
    bool asciiOnly = true;
    for (QChar ch : name) {
        const char16_t u = ch.unicode();
        if (u >= u'a' && u <= u'z')
            return name;
        if (u >= 0x80)
            asciiOnly = false;
    }
    if (!asciiOnly && name.toUpper() != name)
        return name;
    if (name.isEmpty())
        return name;
    // The first character is the first code point: a letter outside the basic plane is
    // two UTF-16 units and must not be split.
    const qsizetype first = name.at(0).isHighSurrogate() && name.size() > 1 ? 2 : 1;
    return name.left(first) + name.mid(first).toLower();
}

int FileIconIndex(const QString& path)
{
    struct Group {
        int cell;
        std::array<std::string_view, 6> extensions;
    };
    static constexpr std::array<Group, 5> groups{{
        {50, {".TXT", ".DOC", ".XLS", ".PPT", ".RTF", ".PDF"}},
        {6, {".HTM", ".HTML", ".URL", ".PHP", ".MHT"}},
        {53, {".ZIP", ".CAB", ".RAR", ".GZ"}},
        {51, {".EXE", ".BAT", ".COM"}},
        {52, {".WAV", ".MP3", ".M3U", ".MID", ".WMA"}},
    }};
    constexpr int other = 49;

    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot < slash)
        return other;
    const qsizetype length = path.size() - dot;
    if (length > 5)
        return other;

    char ext[6] = {};
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t u = path.at(dot + i).unicode();
        if (u >= 0x80)
            return other;
        ext[i] = static_cast<char>(u >= u'a' && u <= u'z' ? u - (u'a' - u'A') : u);
    }
    const std::string_view extension(ext, static_cast<size_t>(length));
    for (const Group& group : groups)
        for (std::string_view candidate : group.extensions)
            if (!candidate.empty() && candidate == extension)
                return group.cell;
    return other;
}

} // namespace parvo
