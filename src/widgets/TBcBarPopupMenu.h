#pragma once
// The bar's one popup menu. It shows a tree of item records as cascading levels, one
// window per level that paints only the rows on screen, so a folder of a hundred thousand
// entries opens as fast as a short list. The root level carries a coloured side bar with
// a vertical caption. The menu decides nothing about what items mean: it fills a folder
// item through OnExpand when its sub-menu is about to open and reports the chosen item
// through OnChoose.

#include "menus/MenuItem.h"
#include "widgets/ImageStrip.h"

#include <QColor>
#include <QElapsedTimer>
#include <QHash>
#include <QIcon>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <optional>
#include <vector>

class QKeyEvent;
class QMouseEvent;
class QWidget;

namespace parvo {

class PopupLevel;

class TBcBarPopupMenu : public QObject {
    Q_OBJECT
public:
    explicit TBcBarPopupMenu(QWidget* owner = nullptr);
    ~TBcBarPopupMenu() override;

    // The root level's items are Items().children.
    MenuItem& Items() { return root_; }
    void setImages(const ImageStrip& popupImg, const ImageStrip& sponsorImg);

    // The root level's side bar: 17 px wide, a gradient from GradientStart (bottom) to
    // GradientEnd (top) with the caption reading upwards in it.
    QString SideBarCaption;
    // The root level's window title; a sub-menu's window is titled after its item's
    // target (a folder's path), so window lists and screen readers can tell them apart.
    QString Title;
    QColor GradientStart = Qt::black;
    QColor GradientEnd = QColor(128, 0, 128);
    QColor CaptionColor = Qt::white;
    // The lines beside a separator's title fade out over their last FadeWidth pixels.
    bool SeparatorFade = false;
    int FadeWidth = 32;

    std::function<void()> OnPopup;         // before anything is shown: rebuilds Items()
    std::function<void()> OnBeforeDrawBar; // before every painting of the side bar
    std::function<void(MenuItem&)> OnExpand;       // a folder item's sub-menu is about to open
    std::function<void(const MenuItem&)> OnChoose; // after the menu has closed

    // Between these the open levels are not re-measured after each change of the items;
    // when the outermost pair ends, every open level is measured and painted again once.
    void BeginUpdate();
    void EndUpdate();

    // For OnPopup and OnExpand handlers whose items are still being read: the level about
    // to open is held until ReleaseOpening() is called or `ms` have passed, and then opens
    // with what its items hold by then. Nothing grabs the pointer or keyboard meanwhile,
    // so clicks elsewhere and other menus work.
    void HoldOpening(int ms);
    void ReleaseOpening();
    // Whether a level is held.
    bool isHolding() const { return held_.has_value(); }

    // Shows the root level with its top-left corner at the point, or above / left of it
    // when there is no room. Returns at once.
    void popup(const QPoint& globalPos);
    void closeAll();
    bool isOpen() const { return !levels_.empty(); }
    // Root level first.
    QList<QWidget*> openLevels() const;

signals:
    void closed();

private:
    friend class PopupLevel;

    // The item whose children a level shows: the root for an empty path.
    MenuItem* itemAt(const std::vector<int>& path);
    int indexOf(const PopupLevel* level) const;
    PopupLevel* levelAtGlobal(const QPoint& globalPos) const;

    // Called by the levels with what the user did.
    void keyPressed(PopupLevel* level, QKeyEvent* event);
    void hovered(PopupLevel* level, int row);
    void pressed(PopupLevel* level, int row);
    void pressedOutside(const QMouseEvent& press);
    void released(PopupLevel* level, int row);
    void pointerMoved(const QPoint& globalPos);
    void levelHidden(PopupLevel* level);

    void activate(int levelIndex, int row, bool firstCurrent);
    bool openSubmenu(int levelIndex, int row, bool firstCurrent);
    // The second half of popup() and openSubmenu(), once the items are in (or held long enough).
    void showRoot(const QPoint& globalPos);
    bool showSubmenu(int levelIndex, const std::vector<int>& path, int row, bool firstCurrent);
    void openHeld();
    // Whether the sub-menu of the row is open already (or held for its items).
    bool childOfRowOpen(int levelIndex, int row) const;
    void closeFrom(int levelIndex);
    void finish(std::optional<MenuItem> chosen);
    void typed(int levelIndex, const QString& text);
    void submenuDelayPassed();
    void showHiddenCaption(PopupLevel* level, int row);

    QPixmap pictureOf(const MenuItem& item);

    QWidget* owner_;
    MenuItem root_;
    ImageStrip popupImg_;
    ImageStrip sponsorImg_;
    QHash<QString, QIcon> iconsByMime_;
    std::vector<PopupLevel*> levels_;
    // The level the keys act on: the one the pointer or the keyboard went to last.
    int keyLevel_ = 0;
    int updateDepth_ = 0;
    bool closing_ = false;

    // The hovered row whose sub-menu opens (or whose sibling's closes) when the delay passes.
    QTimer submenuTimer_;
    int delayedLevel_ = -1;
    int delayedRow_ = -1;

    // The release of the press that opened the menu chooses nothing unless the pointer
    // was dragged away from where it went down.
    bool openingPress_ = false;
    QPoint openingPoint_;
    // The widget whose press opened the menu: a press on it closes the menu, one anywhere
    // else closes the menu and goes on to where it was made.
    QPointer<QWidget> opener_;

    QString typedPrefix_;
    QElapsedTimer typedClock_;

    // A level waiting for its items: the root (levelIndex -1, at `at`) or the sub-menu of
    // row `row` of level `levelIndex`.
    struct Held {
        int levelIndex = -1;
        QPoint at;
        std::vector<int> path;
        int row = -1;
        bool firstCurrent = false;
        PopupLevel* parent = nullptr;
    };
    std::optional<Held> held_;
    int holdRequest_ = -1; // set by HoldOpening while a handler runs
    QTimer holdTimer_;
};

} // namespace parvo
