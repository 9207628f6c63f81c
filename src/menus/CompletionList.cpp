#include "menus/CompletionList.h"

#include "app/BrandingFile.h"
#include "settings/HistoryRing.h"
#include "settings/ListFiles.h"
#include "settings/RegistryKeys.h"
#include "settings/SystemLocations.h"

namespace parvo {

namespace {

void AddAddresses(const QStringList& addresses, SortedTextList& completion)
{
    for (const QString& address : addresses) {
        const QString entry = WithoutHttpPrefix(address);
        if (!entry.isEmpty()) // a bare "http://" offers nothing to complete
            completion.add(entry);
    }
}

} // namespace

QString HostPrefix(const QString& address)
{
    if (address.startsWith(QLatin1String("http"), Qt::CaseInsensitive))
        return {};
    const qsizetype slash = address.indexOf(QLatin1Char('/'));
    if (slash <= 0 || address.at(slash - 1) == QLatin1Char(':'))
        return {};
    return address.left(slash + 1);
}

bool BuildCompletionList(Registry& reg, const QString& programFolder, const QString& brandingFile,
                         const QStringList& favouriteAddresses, SortedTextList& completionList)
{
    completionList.clear();
    LoadTypedUrls(reg, completionList);
    QStringList searchWords; // not read for the address history
    LoadHistoryList(reg, QString::fromLatin1(keys::HistoryLinks), completionList, searchWords);
    LoadCompletionList(programFolder, QStringLiteral("www"), completionList);

    const auto links = ReadWebLinks(brandingFile);
    if (!links)
        return false;
    QStringList urlScratch;
    for (const QString& line : *links) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        urlScratch.append(eq < 0 ? QString() : line.mid(eq + 1));
    }
    AddAddresses(urlScratch, completionList);

    AddAddresses(favouriteAddresses, completionList);

    const QStringList entries = completionList.items(); // a copy: the list grows below
    for (const QString& entry : entries) {
        const QString host = HostPrefix(entry);
        if (!host.isEmpty())
            completionList.add(host);
    }
    return true;
}

bool RefreshCompletion(Registry& reg, const QString& programFolder, const QString& brandingFile,
                       const QStringList& favouriteAddresses, CompletionLists& lists)
{
    if (!BuildCompletionList(reg, programFolder, brandingFile, favouriteAddresses, lists.CompletionList))
        return false;
    lists.GoCompletionList = lists.CompletionList;
    return true;
}

} // namespace parvo
