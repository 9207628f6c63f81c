#include "dialogs/OptionsPages.h"

#include <array>

namespace parvo {

int OptionsPageTitleId(OptionsPage page)
{
    static constexpr std::array<int, OptionsPageCount> ids = {211, 212, 213, 214, 215, 216, 262};
    return ids[static_cast<size_t>(page)];
}

std::optional<ListKind> ListOf(std::optional<OptionsPage> page)
{
    if (page == OptionsPage::s2)
        return ListKind::Programs;
    if (page == OptionsPage::s3)
        return ListKind::WebLinks;
    if (page == OptionsPage::s4)
        return ListKind::Email;
    return std::nullopt;
}

OptionsOpening OpeningFor(const QString& menuKey, bool addLinkRequest)
{
    if (menuKey == u"Slinks")
        return {OptionsPage::s3, true};
    if (menuKey == u"scrDrive")
        return {OptionsPage::s1, false};
    if (menuKey == u"email")
        return {OptionsPage::s4, true};
    if (menuKey.startsWith(u"app_"))
        return {OptionsPage::s2, addLinkRequest};
    return {};
}

} // namespace parvo
