#pragma once
// What the GO! and search buttons do around their dialog: what the dialog is filled with
// from the branding data and the histories, and what happens after it closes with one of
// its five ways. The dialog only records the way; everything it leads to happens here.

#include "dialogs/FolderNameCompletion.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace parvo {

class Registry;
class Shell;
class SortedTextList;

// The ways out of the GO! dialog, kept in its tag.
enum GoWay {
    GoNothing = 0,
    GoWebAddress = 1,
    GoLocalFile = 2,
    GoHomePage = 3,
    GoSearch = 4,
    GoBanner = 5,
};

// The search button's help context: the dialog opens with the search box focused.
inline constexpr int SearchButtonHelpContext = 5;

// The banner as read from its file: a GIF picture and its size on screen.
struct BannerPicture {
    QByteArray bytes;
    int width = 0;
    int height = 0;
};

// The banner file "data4.mke": a GIF (87a or 89a) with a picture size; nothing when it
// cannot be read or is no GIF. Whether its frames decode is for the picture widget.
std::optional<BannerPicture> ReadBanner(const QString& path);

// Where the banner goes across the dialog: the two widths the edition banners come in
// are centred, anything else stays where the layout put it.
int BannerLeft(int width);

// What the dialog is filled with from the branding data "data1.mke".
struct GoBranding {
    QString homeLabel;
    QString homeAddress;   // the caption of the site link
    bool searchRow = true; // hidden for the search template "-"
    QString bannerLink;    // where a click on the banner leads
};
GoBranding ReadGoBranding(const QString& brandingFile);

// The search history as the dialog offers it: `searchWords` emptied and refilled from
// the "\SearchKeywords" ring.
void LoadSearchWords(Registry& reg, QStringList& searchWords);

// What the dialog gave back when it closed with OK.
struct GoChoice {
    int tag = GoNothing;
    QString webText;    // the address box's confirmed text
    QString localText;  // the local file or folder as shown
    QString searchText; // the search box's confirmed text
    QString siteText;   // the site link's caption
    QString bannerLink; // where the banner leads
};

// What carrying out a way needs.
struct GoTargets {
    Registry& registry;
    Shell& shell;
    QString BrowserCommand;
    QString brandingFile;                // for the search template
    SortedTextList& GoCompletionList;    // gains a newly opened address
    QStringList& SearchWordList;         // as loaded when the dialog opened; emptied after a search
    LocalNames names;                    // drive letters and "~" in a typed local path
};

// Carries out the way the dialog closed with. An empty input opens nothing and writes no
// history. An address goes to the browser as one argument, exactly as typed, after it
// has been added to the address history (repeats included) and to the completion list
// (once). A search word enters its history only when it is new to the loaded history;
// it goes into the search template safely quoted for an address, blanks as "+".
void DispatchGoChoice(GoTargets& targets, const GoChoice& choice);

// The search address for `words`: the template with the words in place of "|".
QString SearchAddress(const QString& brandingFile, const QString& words);

} // namespace parvo
