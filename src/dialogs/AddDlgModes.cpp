#include "dialogs/AddDlgModes.h"

#include "app/StringTable.h"

namespace parvo {

std::optional<AddDlgTexts> AddDlgTextsFor(int mode, const QString& displayTitle)
{
    struct Ids {
        int caption, label1, label2, note;
    };
    Ids ids{};
    switch (mode) {
    case addmode::AddWebLink: ids = {144, 146, 147, 501}; break;
    case addmode::EditWebLink: ids = {145, 146, 147, 501}; break;
    case addmode::AddEmail: ids = {152, 154, 155, 503}; break;
    case addmode::EditEmail: ids = {153, 154, 155, 503}; break;
    case addmode::AddPvfolder: ids = {156, 158, 159, 512}; break;
    case addmode::EditPvfolder: ids = {157, 158, 159, 512}; break;
    default: return std::nullopt;
    }
    return AddDlgTexts{Str(ids.caption) + QStringLiteral(" [ ") + displayTitle + QStringLiteral(" ]"),
                       Str(ids.label1), Str(ids.label2), Str(500) + QLatin1Char('\n') + Str(ids.note)};
}

} // namespace parvo
