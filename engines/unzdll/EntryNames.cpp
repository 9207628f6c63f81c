#include "EntryNames.h"

#include <climits>

namespace parvo::engine {

std::string EntryPath::joined(size_t count) const
{
    std::string path;
    for (size_t i = 0; i < count && i < parts.size(); ++i) {
        if (i)
            path += '/';
        path += parts[i];
    }
    return path;
}

std::optional<EntryPath> SafeEntryPath(std::string_view name)
{
    std::string text(name);
    for (char& c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F)
            return std::nullopt;
        if (c == '\\')
            c = '/';
    }
    if (text.empty() || text.front() == '/')
        return std::nullopt;
    if (text.size() >= 2 && text[1] == ':' && ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z'))
        && (text.size() == 2 || text[2] == '/'))
        return std::nullopt;

    EntryPath path;
    path.isFolder = text.back() == '/';
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('/', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string part = text.substr(start, end - start);
        if (part == "..")
            return std::nullopt;
        if (part.size() > NAME_MAX)
            return std::nullopt;
        if (!part.empty() && part != ".")
            path.parts.push_back(part);
        start = end + 1;
    }
    if (path.parts.empty())
        return std::nullopt;
    return path;
}

} // namespace parvo::engine
