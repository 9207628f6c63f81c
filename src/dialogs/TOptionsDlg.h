#pragma once
// The options dialog: a tree of seven pages on the left, the chosen page on the right
// under its title strip, and one button that closes it. There is no OK or Cancel: every
// click takes effect on the bar and is stored at once.

#include "dialogs/ListPage.h"
#include "dialogs/ListPageView.h"
#include "dialogs/OptionSwitches.h"
#include "dialogs/OptionsPages.h"
#include "widgets/ImageStrip.h"

#include <QColor>
#include <QDialog>
#include <array>
#include <functional>
#include <map>
#include <memory>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QRadioButton;
class QStackedWidget;
class QTreeWidget;

namespace parvo {

class GradientTitle;
class LiveBar;
class Prompts;
class Registry;
class Shell;
class ShellLinks;
class TPlumBut;

// What the dialog works with: the bar, the stores, and what it needs to ask the user.
struct OptionsDialogServices {
    OptionsDialogServices(Registry& r, LiveBar& b, Prompts& p, ShellLinks& l, Shell& s)
        : registry(r), bar(b), prompts(p), links(l), shell(s)
    {
    }
    Registry& registry;
    LiveBar& bar;
    Prompts& prompts;
    ShellLinks& links;
    Shell& shell;
    QString programFolder;
    QString executablePath; // what the autostart entry starts
    QString DisplayTitle;
    QString WebAddress;     // empty: no link on the web-link page
    QString MenuKey;        // the menu the dialog was opened from
    bool AddLinkRequest = false;
    ImageStrip PopupImg;    // the bar's button and menu pictures
    QColor BarColor;
    QColor FontColor;
    // The sample buttons of the bar-buttons page drop the bar's popup menu.
    std::function<void(const QString& key)> setMenuKey;
    std::function<void(const QPoint& globalTopLeft)> dropMenu;
    // What the list pages ask the user; unset questions get the program's own dialogs.
    ListPageQuestions questions;
};

class TOptionsDlg : public QDialog {
    Q_OBJECT
public:
    TOptionsDlg(OptionsDialogServices services, QWidget* parent = nullptr);
    ~TOptionsDlg() override;

    // Shows `page` and selects its node in the tree.
    void ShowPage(OptionsPage page);
    OptionsPage CurrentPage() const;

    // The controls, for the tests that click them.
    QCheckBox* Check(Option option) const;
    QCheckBox* AutostartBox() const { return cbAutostart_; }
    QRadioButton* Radio(Option option, int value) const;
    ListPageView* List(ListKind kind) const { return listViews_[size_t(kind)]; }
    TPlumBut* SampleButton(int index) const { return samples_[size_t(index)]; }
    QTreeWidget* Tree() const { return TvMenu; }
    GradientTitle* Title() const { return title_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Filled once, when the dialog first shows: the controls from the bar under the
    // loading guard, then the page the opening menu asks for.
    void FormActivate();
    void UseProgramDialogs();
    void ShowControls();
    void TvMenuChange();

    QWidget* BuildMainPage();
    QWidget* BuildDrivePage();
    QWidget* BuildButtonsPage();
    QWidget* BuildOpenerPage();
    QWidget* BuildListPage(ListKind kind);

    QCheckBox* AddCheck(QWidget* page, Option option, int textId, QRect place, void (OptionSwitches::*click)(bool));
    void ConnectGroup(QButtonGroup* group, void (OptionSwitches::*click)(int));
    QRadioButton* AddRadio(QWidget* page, QButtonGroup* group, Option option, int value, int textId, QRect place);
    QPixmap DriveSample(int layout, int clickLayout) const;

    OptionsDialogServices services_;
    OptionSwitches switches_;
    std::array<std::unique_ptr<ListPage>, 3> lists_;
    std::array<ListPageView*, 3> listViews_{};
    QTreeWidget* TvMenu = nullptr;
    QStackedWidget* PageControl = nullptr;
    GradientTitle* title_ = nullptr;
    QCheckBox* cbAutostart_ = nullptr;
    std::map<Option, QCheckBox*> checks_;
    std::map<std::pair<Option, int>, QRadioButton*> radios_;
    std::array<QCheckBox*, OptionalButtonCount> buttonBoxes_{};
    std::array<TPlumBut*, OptionalButtonCount> samples_{};
    bool activated_ = false;
};

} // namespace parvo
