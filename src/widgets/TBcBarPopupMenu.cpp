#include "widgets/TBcBarPopupMenu.h"

#include "widgets/PopupLevel.h"
#include "widgets/PopupRows.h"

#include <QApplication>
#include <algorithm>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMimeDatabase>
#include <QScreen>
#include <QStyle>
#include <QToolTip>

namespace parvo {

namespace {
constexpr int TypeAheadPauseMs = 1000; // a longer pause starts a new prefix

int submenuDelay()
{
    const int delay = QApplication::style()->styleHint(QStyle::SH_Menu_SubMenuPopupDelay);
    return delay > 0 ? delay : 200;
}

QRect availableAt(const QPoint& point)
{
    QScreen* screen = QGuiApplication::screenAt(point);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen->availableGeometry();
}
} // namespace

TBcBarPopupMenu::TBcBarPopupMenu(QWidget* owner)
    : QObject(owner)
    , owner_(owner)
{
    submenuTimer_.setSingleShot(true);
    connect(&submenuTimer_, &QTimer::timeout, this, &TBcBarPopupMenu::submenuDelayPassed);
    holdTimer_.setSingleShot(true);
    connect(&holdTimer_, &QTimer::timeout, this, &TBcBarPopupMenu::openHeld);
}

TBcBarPopupMenu::~TBcBarPopupMenu()
{
    closing_ = true;
    for (auto it = levels_.rbegin(); it != levels_.rend(); ++it)
        delete *it;
}

void TBcBarPopupMenu::setImages(const ImageStrip& popupImg, const ImageStrip& sponsorImg)
{
    popupImg_ = popupImg;
    sponsorImg_ = sponsorImg;
}

MenuItem* TBcBarPopupMenu::itemAt(const std::vector<int>& path)
{
    MenuItem* item = &root_;
    for (const int index : path) {
        if (index < 0 || index >= int(item->children.size()))
            return nullptr;
        item = &item->children[index];
    }
    return item;
}

int TBcBarPopupMenu::indexOf(const PopupLevel* level) const
{
    const auto found = std::find(levels_.begin(), levels_.end(), level);
    return found == levels_.end() ? -1 : int(found - levels_.begin());
}

PopupLevel* TBcBarPopupMenu::levelAtGlobal(const QPoint& globalPos) const
{
    // Deepest first: a sub-menu lies over its parent.
    for (auto it = levels_.rbegin(); it != levels_.rend(); ++it)
        if ((*it)->geometry().contains(globalPos))
            return *it;
    return nullptr;
}

QList<QWidget*> TBcBarPopupMenu::openLevels() const
{
    QList<QWidget*> list;
    for (PopupLevel* level : levels_)
        list.append(level);
    return list;
}

void TBcBarPopupMenu::BeginUpdate()
{
    ++updateDepth_;
}

void TBcBarPopupMenu::EndUpdate()
{
    if (updateDepth_ == 0 || --updateDepth_ > 0)
        return;
    for (int i = 0; i < int(levels_.size()); ++i) {
        if (!levels_[i]->refresh()) {
            if (i == 0)
                finish(std::nullopt);
            else
                closeFrom(i);
            break;
        }
    }
}

void TBcBarPopupMenu::HoldOpening(int ms)
{
    holdRequest_ = std::max(ms, 0);
}

void TBcBarPopupMenu::ReleaseOpening()
{
    if (held_)
        openHeld();
}

void TBcBarPopupMenu::openHeld()
{
    holdTimer_.stop();
    if (!held_)
        return;
    const Held held = std::move(*held_);
    held_.reset();
    if (held.levelIndex < 0) {
        showRoot(held.at);
        return;
    }
    // Only while the way to it is as it was: its parent open, its row still current and
    // no other sub-menu opened meanwhile.
    const int index = held.levelIndex;
    if (index >= int(levels_.size()) || levels_[index] != held.parent || int(levels_.size()) != index + 1
        || held.parent->currentRow() != held.row || !held.parent->inStep())
        return;
    showSubmenu(index, held.path, held.row, held.firstCurrent);
}

void TBcBarPopupMenu::popup(const QPoint& globalPos)
{
    if (isOpen())
        finish(std::nullopt);
    held_.reset();
    holdTimer_.stop();
    holdRequest_ = -1;
    // Asked for by a press (or a replayed one): the widget under the pointer now.
    opener_ = QApplication::widgetAt(QCursor::pos());
    if (OnPopup)
        OnPopup();
    if (holdRequest_ >= 0) {
        held_ = Held{-1, globalPos, {}, -1, false, nullptr};
        holdTimer_.start(holdRequest_);
        holdRequest_ = -1;
        return;
    }
    showRoot(globalPos);
}

void TBcBarPopupMenu::showRoot(const QPoint& globalPos)
{
    auto* level = new PopupLevel(this, {}, true, owner_);
    level->setWindowTitle(Title);
    levels_.push_back(level);
    level->move(globalPos);
    if (!level->refresh()) {
        // Nothing to show: the menu opened and closed at once.
        levels_.clear();
        delete level;
        emit closed();
        return;
    }
    const QRect area = availableAt(globalPos);
    QPoint at = globalPos;
    if (at.x() + level->width() > area.right() + 1)
        at.rx() -= level->width();
    if (at.y() + level->height() > area.bottom() + 1)
        at.ry() -= level->height();
    level->move(at);
    level->keepOnScreen();
    openingPress_ = QGuiApplication::mouseButtons() != Qt::NoButton;
    openingPoint_ = QCursor::pos();
    typedPrefix_.clear();
    keyLevel_ = 0;
    level->show();
}

void TBcBarPopupMenu::closeAll()
{
    if (isOpen())
        finish(std::nullopt);
}

void TBcBarPopupMenu::finish(std::optional<MenuItem> chosen)
{
    closeFrom(0);
    openingPress_ = false;
    emit closed();
    if (chosen && OnChoose)
        OnChoose(*chosen);
}

void TBcBarPopupMenu::closeFrom(int levelIndex)
{
    const bool wasClosing = closing_;
    closing_ = true;
    while (int(levels_.size()) > levelIndex) {
        PopupLevel* level = levels_.back();
        levels_.pop_back();
        level->hide();
        // Often closed from inside its own event handler.
        level->deleteLater();
    }
    closing_ = wasClosing;
    if (delayedLevel_ >= levelIndex)
        submenuTimer_.stop();
    keyLevel_ = std::min(keyLevel_, std::max(0, levelIndex - 1));
    // A sub-menu held for its items goes with the level it would have opened from.
    if (held_ && held_->levelIndex + 1 >= levelIndex) {
        held_.reset();
        holdTimer_.stop();
    }
    typedPrefix_.clear();
    QToolTip::hideText();
}

void TBcBarPopupMenu::levelHidden(PopupLevel* level)
{
    // Hidden by someone else (the window system closing popups): follow suit.
    if (closing_)
        return;
    const int index = indexOf(level);
    if (index == 0)
        finish(std::nullopt);
    else if (index > 0)
        closeFrom(index);
}

bool TBcBarPopupMenu::openSubmenu(int levelIndex, int row, bool firstCurrent)
{
    PopupLevel* parent = levels_[levelIndex];
    std::vector<int> path = parent->path();
    path.push_back(parent->rows()[row]);
    MenuItem* item = itemAt(path);
    if (!item || !popup::opensSubmenu(*item))
        return false;
    holdRequest_ = -1;
    if (item->OnClick == ItemClick::ExpandFolder && OnExpand)
        OnExpand(*item);
    if (holdRequest_ >= 0) {
        held_ = Held{levelIndex, {}, path, row, firstCurrent, parent};
        holdTimer_.start(holdRequest_);
        holdRequest_ = -1;
        return true;
    }
    return showSubmenu(levelIndex, path, row, firstCurrent);
}

bool TBcBarPopupMenu::showSubmenu(int levelIndex, const std::vector<int>& path, int row, bool firstCurrent)
{
    // The fill may have changed the tree (and closed levels through EndUpdate).
    MenuItem* item = itemAt(path);
    PopupLevel* parent = levelIndex < int(levels_.size()) ? levels_[levelIndex] : nullptr;
    if (!item || item->children.empty() || !parent || parent->path().size() + 1 != path.size()
        || !std::equal(parent->path().begin(), parent->path().end(), path.begin()))
        return false;

    auto* level = new PopupLevel(this, path, false, owner_);
    level->setWindowTitle(item->Hint.isEmpty() ? item->Caption : item->Hint);
    const QRect rowBox = parent->rowRect(row);
    const QPoint rowTopRight = parent->mapToGlobal(QPoint(parent->width(), rowBox.top()));
    level->move(rowTopRight);
    if (!level->refresh()) {
        delete level;
        return false;
    }
    const QRect area = availableAt(rowTopRight);
    QPoint at(rowTopRight.x() - 2, rowTopRight.y() - 2);
    if (at.x() + level->width() > area.right() + 1)
        at.setX(parent->x() - level->width() + 2);
    level->move(at);
    level->keepOnScreen();
    levels_.push_back(level);
    typedPrefix_.clear();
    level->show();
    if (firstCurrent) {
        level->setCurrentRow(popup::stepRow(item->children, level->rows(), -1, +1));
        keyLevel_ = int(levels_.size()) - 1;
    }
    return true;
}

void TBcBarPopupMenu::activate(int levelIndex, int row, bool firstCurrent)
{
    PopupLevel* level = levels_[levelIndex];
    if (!level->inStep())
        return;
    const MenuItem& item = level->owner()->children[level->rows()[row]];
    if (popup::opensSubmenu(item)) {
        closeFrom(levelIndex + 1);
        openSubmenu(levelIndex, row, firstCurrent);
    } else if (popup::isChoosable(item)) {
        finish(item);
    }
}

void TBcBarPopupMenu::keyPressed(PopupLevel*, QKeyEvent* event)
{
    if (levels_.empty())
        return;
    // Keys act where the user is: the level the pointer went back to, not necessarily
    // the deepest one open.
    const int index = std::clamp(keyLevel_, 0, int(levels_.size()) - 1);
    PopupLevel* level = levels_[index];
    if (!level->inStep())
        return;
    const bool deeperOpen = index + 1 < int(levels_.size());
    const MenuItem* owner = level->owner();
    const auto& items = owner->children;
    const auto& rows = level->rows();
    const int current = level->currentRow();
    const bool typing = !typedPrefix_.isEmpty() && typedClock_.elapsed() < TypeAheadPauseMs;

    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        // Moving off a row closes the sub-menu it had open.
        if (deeperOpen)
            closeFrom(index + 1);
        const int key = event->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down)
            level->setCurrentRow(popup::stepRow(items, rows, current, key == Qt::Key_Up ? -1 : +1));
        else if (key == Qt::Key_Home || key == Qt::Key_End)
            level->setCurrentRow(popup::stepRow(items, rows, -1, key == Qt::Key_Home ? +1 : -1));
        else
            level->setCurrentRow(level->pageRow(key == Qt::Key_PageUp ? -1 : +1));
        break;
    }
    case Qt::Key_Right:
        if (deeperOpen && current >= 0 && levels_[index + 1]->path().back() == rows[current]) {
            // Into the sub-menu the row has open already.
            PopupLevel* child = levels_[index + 1];
            keyLevel_ = index + 1;
            if (child->currentRow() < 0)
                child->setCurrentRow(popup::stepRow(child->owner()->children, child->rows(), -1, +1));
        } else if (current >= 0 && popup::opensSubmenu(items[rows[current]])) {
            closeFrom(index + 1);
            openSubmenu(index, current, true);
        }
        break;
    case Qt::Key_Left:
        if (index > 0)
            closeFrom(index);
        break;
    case Qt::Key_Escape:
        if (index > 0)
            closeFrom(index);
        else
            finish(std::nullopt);
        return;
    case Qt::Key_Space:
        if (typing)
            return typed(index, event->text());
        [[fallthrough]];
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // With no row current, Enter takes the default item.
        int row = current;
        if (row < 0)
            for (int r = 0; r < int(rows.size()) && row < 0; ++r)
                if (items[rows[r]].Default && !items[rows[r]].isSeparator())
                    row = r;
        typedPrefix_.clear();
        if (row >= 0)
            activate(index, row, true);
        return;
    }
    default:
        if (!event->text().isEmpty() && event->text().at(0).isPrint()) {
            if (deeperOpen)
                closeFrom(index + 1);
            return typed(index, event->text());
        }
        return;
    }
    typedPrefix_.clear();
}

void TBcBarPopupMenu::typed(int levelIndex, const QString& text)
{
    PopupLevel* level = levels_[levelIndex];
    const auto& items = level->owner()->children;
    const auto& rows = level->rows();
    if (typedClock_.isValid() && typedClock_.elapsed() >= TypeAheadPauseMs)
        typedPrefix_.clear();
    typedClock_.restart();
    const int current = level->currentRow();
    if (typedPrefix_.isEmpty()) {
        // A key letter opens or chooses its item straight away.
        const int row = popup::rowByMnemonic(items, rows, text.at(0));
        if (row >= 0) {
            level->setCurrentRow(row);
            return activate(levelIndex, row, true);
        }
    }
    typedPrefix_ += text;
    // A first letter looks past the current row, so that typing it again moves on; a
    // longer prefix may still match the current row.
    int row = popup::rowByPrefix(items, rows, typedPrefix_.size() == 1 ? current + 1 : std::max(current, 0),
                                 typedPrefix_);
    // The same letter typed over and over steps through the items starting with it.
    if (row < 0 && typedPrefix_.count(typedPrefix_.at(0)) == typedPrefix_.size())
        row = popup::rowByPrefix(items, rows, current + 1, typedPrefix_.left(1));
    if (row >= 0)
        level->setCurrentRow(row);
}

void TBcBarPopupMenu::pointerMoved(const QPoint& globalPos)
{
    if (openingPress_
        && (globalPos - openingPoint_).manhattanLength() >= QApplication::startDragDistance())
        openingPress_ = false;
    PopupLevel* under = levelAtGlobal(globalPos);
    for (PopupLevel* level : levels_)
        if (level != under)
            level->stopAutoScroll();
    if (under)
        under->hoverAt(under->mapFromGlobal(globalPos));
    else if (!levels_.empty())
        levels_.back()->setCurrentRow(-1, false); // the way to an open sub-menu stays lit
}

void TBcBarPopupMenu::hovered(PopupLevel* level, int row)
{
    const int index = indexOf(level);
    if (index < 0 || !level->inStep())
        return;
    level->setCurrentRow(row, false);
    keyLevel_ = index;
    showHiddenCaption(level, row);
    // Coming into a sub-menu keeps the way to it lit and cancels a pending close.
    for (int i = 0; i < index; ++i)
        levels_[i]->setCurrentRow(levels_[i]->rowOfIndex(levels_[i + 1]->path().back()), false);
    if (delayedLevel_ < index)
        submenuTimer_.stop();

    if (childOfRowOpen(index, row)) {
        submenuTimer_.stop();
        return;
    }
    // The pointer gliding along a row must not put its sub-menu off again and again.
    if (submenuTimer_.isActive() && delayedLevel_ == index && delayedRow_ == row)
        return;
    const MenuItem& item = level->owner()->children[level->rows()[row]];
    if (popup::opensSubmenu(item) || index + 1 < int(levels_.size())) {
        delayedLevel_ = index;
        delayedRow_ = row;
        submenuTimer_.start(submenuDelay());
    }
}

void TBcBarPopupMenu::showHiddenCaption(PopupLevel* level, int row)
{
    const QString whole = level->hiddenCaption(row);
    if (whole.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    const QRect box = level->rowRect(row);
    QToolTip::showText(level->mapToGlobal(box.bottomLeft() + QPoint(box.width() / 3, 2)), whole, level, box);
}

bool TBcBarPopupMenu::childOfRowOpen(int levelIndex, int row) const
{
    // A sub-menu held for its items counts as open: it opens as soon as they are in.
    if (held_ && held_->levelIndex == levelIndex && held_->row == row)
        return true;
    const PopupLevel* level = levels_[levelIndex];
    return levelIndex + 1 < int(levels_.size()) && levels_[levelIndex + 1]->path().back() == level->rows()[row];
}

void TBcBarPopupMenu::submenuDelayPassed()
{
    if (delayedLevel_ < 0 || delayedLevel_ >= int(levels_.size()))
        return;
    PopupLevel* level = levels_[delayedLevel_];
    if (level->currentRow() != delayedRow_ || !level->inStep())
        return;
    closeFrom(delayedLevel_ + 1);
    if (popup::opensSubmenu(level->owner()->children[level->rows()[delayedRow_]]))
        openSubmenu(delayedLevel_, delayedRow_, false);
}

void TBcBarPopupMenu::pressed(PopupLevel* level, int row)
{
    openingPress_ = false;
    const int index = indexOf(level);
    if (index < 0 || row < 0 || !level->inStep())
        return;
    const MenuItem& item = level->owner()->children[level->rows()[row]];
    if (!popup::canBeCurrent(item))
        return;
    level->setCurrentRow(row, false);
    if (popup::opensSubmenu(item) && !childOfRowOpen(index, row)) {
        submenuTimer_.stop();
        closeFrom(index + 1);
        openSubmenu(index, row, false);
    }
}

void TBcBarPopupMenu::pressedOutside(const QMouseEvent& press)
{
    // Closing, the menu passes the press on to what of ours lies under it (another button
    // of the bar drops its menu at once), except to the button that opened it, which
    // would only open it again. The window system's own grab would swallow it.
    const QPoint global = press.globalPosition().toPoint();
    const QPointer<QWidget> under = QApplication::widgetAt(global);
    closeAll();
    if (!under || under == opener_)
        return;
    const Qt::MouseButton button = press.button();
    const Qt::MouseButtons buttons = press.buttons();
    const Qt::KeyboardModifiers modifiers = press.modifiers();
    QTimer::singleShot(0, under, [under, global, button, buttons, modifiers] {
        QMouseEvent again(QEvent::MouseButtonPress, under->mapFromGlobal(global), global, button, buttons, modifiers);
        QApplication::sendEvent(under, &again);
    });
}

void TBcBarPopupMenu::released(PopupLevel* level, int row)
{
    if (openingPress_) {
        openingPress_ = false;
        return;
    }
    if (!level || row < 0 || indexOf(level) < 0 || !level->inStep())
        return;
    const MenuItem& item = level->owner()->children[level->rows()[row]];
    if (popup::isChoosable(item))
        finish(item);
}

QPixmap TBcBarPopupMenu::pictureOf(const MenuItem& item)
{
    switch (item.Picture.source) {
    case ItemPicture::None:
        return {};
    case ItemPicture::PopupCell:
        return popupImg_.cell(item.Picture.cell);
    case ItemPicture::SponsorCell:
        return sponsorImg_.cell(item.Picture.cell);
    case ItemPicture::FileIcon:
        break;
    }
    // Looked up by the name alone: the disk is never touched while painting.
    static const QMimeDatabase mimes;
    const bool folder = item.Hint.endsWith(u'/');
    const QMimeType type = folder ? mimes.mimeTypeForName(QStringLiteral("inode/directory"))
                                  : mimes.mimeTypeForFile(item.Hint, QMimeDatabase::MatchExtension);
    auto found = iconsByMime_.find(type.name());
    if (found == iconsByMime_.end()) {
        QIcon icon = QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName()));
        if (icon.isNull())
            icon = QApplication::style()->standardIcon(folder ? QStyle::SP_DirIcon : QStyle::SP_FileIcon);
        found = iconsByMime_.insert(type.name(), icon);
    }
    return found->pixmap(16, 16);
}

} // namespace parvo
