#include "widgets/PopupLevel.h"

#include "widgets/PopupRows.h"
#include "widgets/TBcBarPopupMenu.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <cmath>

namespace parvo {

namespace {
constexpr int Frame = 2;
constexpr int SideBarWidth = 17;
constexpr int StripHeight = 12;     // the scroll arrow strips of a level taller than the screen
constexpr int PictureSize = 16;
constexpr int CheckWidth = 18;
constexpr int ArrowWidth = 16;
constexpr int SeparatorHeight = 8;
constexpr int AutoScrollMs = 40;
constexpr int WheelRowsPerNotch = 3;
constexpr int WheelNotch = 120;

QFont SideBarFont()
{
    QFont font(QStringLiteral("Monospace"));
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(17);
    font.setBold(true);
    font.setItalic(true);
    return font;
}

QPoint globalPoint(const QPointF& p) { return p.toPoint(); }

// Caption widths from cached character advances: a folder level may measure a hundred
// thousand names. Kerning is left out, which the eliding at paint time absorbs; text
// beyond Latin-1 goes to the font metrics whole.
class CaptionMeasure {
public:
    explicit CaptionMeasure(const QFont& font)
        : metrics_(font)
    {
        advances_.fill(-1);
    }
    int operator()(const QString& text)
    {
        qreal width = 0;
        for (const QChar c : text) {
            const char16_t code = c.unicode();
            if (code >= advances_.size())
                return int(std::ceil(metrics_.horizontalAdvance(text)));
            qreal& advance = advances_[code];
            if (advance < 0) // control characters are drawn as spaces
                advance = metrics_.horizontalAdvance(code < 32 ? QChar(u' ') : c);
            width += advance;
        }
        return int(std::ceil(width)) + 2;
    }

private:
    QFontMetricsF metrics_;
    std::array<qreal, 256> advances_;
};
} // namespace

PopupLevel::PopupLevel(TBcBarPopupMenu* menu, std::vector<int> path, bool sideBar, QWidget* parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint)
    , menu_(menu)
    , path_(std::move(path))
    , sideBar_(sideBar)
{
    // A press outside is passed on by the menu itself, where it should go.
    setAttribute(Qt::WA_NoMouseReplay);
    setMouseTracking(true);
    // The desktop's own menu font, at the size the user chose.
    font_ = QApplication::font("QMenu");
    boldFont_ = font_;
    boldFont_.setBold(true);
    itemHeight_ = std::max(PictureSize + 4, QFontMetrics(boldFont_).height() + 6);
    autoScroll_.setInterval(AutoScrollMs);
    connect(&autoScroll_, &QTimer::timeout, this, [this] {
        const int before = scroll_;
        scrollBy(autoScrollStep_);
        if (scroll_ == before)
            stopAutoScroll();
    });
}

MenuItem* PopupLevel::owner() const
{
    return menu_ ? menu_->itemAt(path_) : nullptr;
}

bool PopupLevel::inStep() const
{
    const MenuItem* item = owner();
    return item && (rows_.empty() || rows_.back() < int(item->children.size()));
}

int PopupLevel::left() const { return Frame + (sideBar_ ? SideBarWidth : 0); }

int PopupLevel::sideBarCaptionLength()
{
    // The caption is set up for each painting; this is what the next one will show.
    if (menu_->OnBeforeDrawBar)
        menu_->OnBeforeDrawBar();
    if (menu_->SideBarCaption.isEmpty())
        return 0;
    return QFontMetrics(SideBarFont()).horizontalAdvance(menu_->SideBarCaption) + 8;
}

QString PopupLevel::hiddenCaption(int row) const
{
    const MenuItem* item = owner();
    if (row < 0 || row >= int(rows_.size()) || !inStep())
        return {};
    const MenuItem& it = item->children[rows_[row]];
    const QString text = popup::itemLabel(it).text;
    return QFontMetrics(it.Default ? boldFont_ : font_).horizontalAdvance(text) > textWidth_ ? text : QString();
}
int PopupLevel::viewTop() const { return Frame + (scrolls_ ? StripHeight : 0); }
int PopupLevel::viewHeight() const { return height() - 2 * viewTop(); }

QRect PopupLevel::screenArea() const
{
    QScreen* screen = QGuiApplication::screenAt(geometry().center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen->availableGeometry();
}

bool PopupLevel::titled(const MenuItem& separator) const
{
    return separator.Enabled && !separator.Hint.isEmpty();
}

bool PopupLevel::refresh()
{
    const MenuItem* item = owner();
    if (!item)
        return false;
    const int oldIndex = currentIndex();
    const bool reduce = !path_.empty() && item->AutoLineReduction;
    rows_ = popup::visibleRows(item->children, reduce);
    if (rows_.empty())
        return false;

    // One pass over the rows: offsets, widest caption, whether any item is ticked.
    const QRect area = screenArea();
    const int widest = std::max(80, area.width() / 2);
    const QFontMetrics plain(font_);
    CaptionMeasure plainWidth(font_);
    CaptionMeasure boldWidth(boldFont_);
    const int titledHeight = std::max(SeparatorHeight, plain.height() + 4);
    offsets_.assign(rows_.size() + 1, 0);
    textWidth_ = 60;
    checkColumn_ = false;
    int y = 0;
    for (size_t r = 0; r < rows_.size(); ++r) {
        const MenuItem& it = item->children[rows_[r]];
        offsets_[r] = y;
        if (it.isSeparator()) {
            y += titled(it) ? titledHeight : SeparatorHeight;
            if (titled(it) && textWidth_ < widest)
                textWidth_ = std::max(textWidth_, plain.horizontalAdvance(it.Hint) + 2 * 24);
            continue;
        }
        y += itemHeight_;
        checkColumn_ = checkColumn_ || it.Checked;
        if (textWidth_ < widest) {
            const QString& text = it.Mnemonic ? popup::itemLabel(it).text : it.Caption;
            textWidth_ = std::max(textWidth_, it.Default ? boldWidth(text) : plainWidth(text));
        }
    }
    offsets_.back() = y;
    textWidth_ = std::min(textWidth_, widest);

    const int width = left() + 2 + (checkColumn_ ? CheckWidth : 0) + PictureSize + 6 + textWidth_ + 8
        + ArrowWidth + Frame;
    scrolls_ = y + 2 * Frame > area.height();
    // A short menu grows to show its side bar's caption whole.
    const int height = std::min(std::max(y, sideBar_ ? sideBarCaptionLength() : 0) + 2 * Frame, area.height());
    resize(width, height);
    scrollBy(0);

    current_ = oldIndex < 0 ? -1 : rowOfIndex(oldIndex);
    if (isVisible())
        keepOnScreen();
    update();
    return true;
}

void PopupLevel::keepOnScreen()
{
    const QRect area = screenArea();
    QPoint at = pos();
    at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - width())));
    at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - height())));
    move(at);
}

int PopupLevel::currentIndex() const
{
    return current_ >= 0 && current_ < int(rows_.size()) ? rows_[current_] : -1;
}

int PopupLevel::rowOfIndex(int index) const
{
    const auto found = std::lower_bound(rows_.begin(), rows_.end(), index);
    return found != rows_.end() && *found == index ? int(found - rows_.begin()) : -1;
}

void PopupLevel::setCurrentRow(int row, bool scrollIntoView)
{
    if (row >= int(rows_.size()))
        row = -1;
    if (row != current_) {
        // Only the two rows: the side bar is not repainted (and set up) on every move.
        update(rowRect(current_));
        current_ = row;
        update(rowRect(current_));
    }
    if (scrollIntoView && row >= 0)
        scrollToRow(row);
}

QRect PopupLevel::rowRect(int row) const
{
    if (row < 0 || row >= int(rows_.size()))
        return {};
    return QRect(left(), viewTop() + offsets_[row] - scroll_, width() - left() - Frame,
                 offsets_[row + 1] - offsets_[row]);
}

int PopupLevel::rowAt(const QPoint& pos) const
{
    if (pos.x() < left() || pos.x() >= width() - Frame || pos.y() < viewTop()
        || pos.y() >= viewTop() + viewHeight())
        return -1;
    const int y = pos.y() - viewTop() + scroll_;
    const auto after = std::upper_bound(offsets_.begin(), offsets_.end(), y);
    const int row = int(after - offsets_.begin()) - 1;
    return row >= 0 && row < int(rows_.size()) ? row : -1;
}

int PopupLevel::pageRow(int direction) const
{
    const MenuItem* item = owner();
    if (!inStep() || rows_.empty())
        return -1;
    const int from = current_ >= 0 ? offsets_[current_] : (direction > 0 ? 0 : offsets_.back());
    const int y = std::clamp(from + direction * viewHeight(), 0, offsets_.back() - 1);
    const int row = int(std::upper_bound(offsets_.begin(), offsets_.end(), y) - offsets_.begin()) - 1;
    return popup::nearestRow(item->children, rows_, row, direction);
}

void PopupLevel::scrollBy(int pixels)
{
    const int maxScroll = scrolls_ ? std::max(0, offsets_.back() - viewHeight()) : 0;
    const int next = std::clamp(scroll_ + pixels, 0, maxScroll);
    if (next != scroll_) {
        scroll_ = next;
        update();
    }
}

void PopupLevel::scrollToRow(int row)
{
    if (offsets_[row] < scroll_)
        scrollBy(offsets_[row] - scroll_);
    else if (offsets_[row + 1] > scroll_ + viewHeight())
        scrollBy(offsets_[row + 1] - scroll_ - viewHeight());
}

void PopupLevel::hoverAt(const QPoint& pos)
{
    int step = 0;
    if (scrolls_ && pos.x() >= 0 && pos.x() < width()) {
        if (pos.y() >= 0 && pos.y() < viewTop())
            step = -itemHeight_;
        else if (pos.y() >= viewTop() + viewHeight() && pos.y() < height())
            step = itemHeight_;
    }
    if (step == 0)
        stopAutoScroll();
    else if (step != autoScrollStep_ || !autoScroll_.isActive()) {
        autoScrollStep_ = step;
        autoScroll_.start();
    }
    const int row = rowAt(pos);
    const MenuItem* item = owner();
    if (row >= 0 && inStep() && popup::canBeCurrent(item->children[rows_[row]]) && menu_)
        menu_->hovered(this, row);
}

void PopupLevel::stopAutoScroll()
{
    autoScroll_.stop();
    autoScrollStep_ = 0;
}

// The topmost popup window receives every mouse event; the menu hands each one to the
// level under the pointer so that the user can move back into a parent level.
void PopupLevel::mouseMoveEvent(QMouseEvent* event)
{
    if (menu_)
        menu_->pointerMoved(globalPoint(event->globalPosition()));
}

void PopupLevel::mousePressEvent(QMouseEvent* event)
{
    if (!menu_)
        return;
    const QPoint global = globalPoint(event->globalPosition());
    PopupLevel* level = menu_->levelAtGlobal(global);
    if (!level)
        return menu_->pressedOutside(*event);
    menu_->pressed(level, level->rowAt(level->mapFromGlobal(global)));
}

void PopupLevel::mouseReleaseEvent(QMouseEvent* event)
{
    if (!menu_)
        return;
    const QPoint global = globalPoint(event->globalPosition());
    PopupLevel* level = menu_->levelAtGlobal(global);
    menu_->released(level, level ? level->rowAt(level->mapFromGlobal(global)) : -1);
}

void PopupLevel::wheelEvent(QWheelEvent* event)
{
    PopupLevel* level = menu_ ? menu_->levelAtGlobal(globalPoint(event->globalPosition())) : nullptr;
    (level ? level : this)->wheelBy(event->angleDelta().y());
}

void PopupLevel::wheelBy(int angleDelta)
{
    // Touchpads and fine wheels send a notch in many small steps.
    wheelRest_ -= angleDelta * WheelRowsPerNotch * itemHeight_;
    const int pixels = wheelRest_ / WheelNotch;
    wheelRest_ -= pixels * WheelNotch;
    scrollBy(pixels);
}

void PopupLevel::keyPressEvent(QKeyEvent* event)
{
    if (menu_)
        menu_->keyPressed(this, event);
}

void PopupLevel::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    stopAutoScroll();
    if (menu_)
        menu_->levelHidden(this);
}

void PopupLevel::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    if (sideBar_ && event->rect().intersects(QRect(Frame, Frame, SideBarWidth, height() - 2 * Frame)))
        paintSideBar(painter);

    const MenuItem* item = owner();
    if (!inStep() || rows_.empty())
        return;
    painter.save();
    painter.setClipRect(QRect(left(), viewTop(), width() - left() - Frame, viewHeight()));
    // Only the rows inside the window are looked at.
    const int first = int(std::upper_bound(offsets_.begin(), offsets_.end(), scroll_) - offsets_.begin()) - 1;
    for (int r = std::max(0, first); r < int(rows_.size()) && offsets_[r] < scroll_ + viewHeight(); ++r) {
        const MenuItem& it = item->children[rows_[r]];
        const QRect box = rowRect(r);
        if (!box.intersects(event->rect()))
            continue;
        if (it.isSeparator())
            paintSeparator(painter, it, box);
        else
            paintItem(painter, it, box, r == current_);
    }
    painter.restore();
    if (scrolls_)
        paintScrollStrips(painter);
}

void PopupLevel::paintSideBar(QPainter& painter)
{
    // The handler sets caption, colours and separator fade for this very painting.
    if (menu_->OnBeforeDrawBar)
        menu_->OnBeforeDrawBar();
    const QRect bar(Frame, Frame, SideBarWidth, height() - 2 * Frame);
    QLinearGradient gradient(bar.bottomLeft(), bar.topLeft());
    gradient.setColorAt(0, menu_->GradientStart);
    gradient.setColorAt(1, menu_->GradientEnd);
    painter.fillRect(bar, gradient);
    if (menu_->SideBarCaption.isEmpty())
        return;
    painter.save();
    painter.setFont(SideBarFont());
    painter.setPen(menu_->CaptionColor);
    painter.translate(bar.left(), bar.bottom() + 1);
    painter.rotate(-90); // reads from the bottom up
    painter.drawText(QRect(4, 0, bar.height() - 8, bar.width()), Qt::AlignLeft | Qt::AlignVCenter,
                     menu_->SideBarCaption);
    painter.restore();
}

void PopupLevel::paintItem(QPainter& painter, const MenuItem& item, const QRect& box, bool current)
{
    const QPalette& pal = palette();
    QColor text = pal.color(QPalette::WindowText);
    if (current) {
        painter.fillRect(box, pal.highlight());
        text = pal.color(QPalette::HighlightedText);
    }
    if (!item.Enabled)
        text = pal.color(QPalette::Disabled, QPalette::WindowText);
    int x = box.left() + 2;
    if (checkColumn_) {
        if (item.Checked) {
            painter.save();
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(QPen(text, 2));
            const QPointF c(x + CheckWidth / 2.0, box.center().y() + 0.5);
            QPainterPath tick;
            tick.moveTo(c + QPointF(-4, 0));
            tick.lineTo(c + QPointF(-1, 3));
            tick.lineTo(c + QPointF(4, -3));
            painter.drawPath(tick);
            painter.restore();
        }
        x += CheckWidth;
    }
    const QPixmap picture = menu_->pictureOf(item);
    if (!picture.isNull()) {
        painter.save();
        if (!item.Enabled)
            painter.setOpacity(0.45);
        painter.drawPixmap(QRect(x, box.top() + (box.height() - PictureSize) / 2, PictureSize, PictureSize),
                           picture);
        painter.restore();
    }
    x += PictureSize + 6;

    const QFont& font = item.Default ? boldFont_ : font_;
    painter.setFont(font);
    painter.setPen(text);
    const QRect textBox(x, box.top(), textWidth_, box.height());
    const QString shown = QFontMetrics(font).elidedText(popup::markedCaption(item), Qt::ElideRight,
                                                        textWidth_, Qt::TextShowMnemonic);
    painter.drawText(textBox, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic,
                     shown);

    if (item.hasSubmenu()) {
        const QPointF tip(box.right() - 5, box.center().y() + 0.5);
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(text);
        painter.drawPolygon(QPolygonF({tip, tip + QPointF(-4, -4), tip + QPointF(-4, 4)}));
        painter.restore();
    }
}

void PopupLevel::paintSeparator(QPainter& painter, const MenuItem& item, const QRect& box)
{
    const QPalette& pal = palette();
    const int x0 = box.left() + 2 + (checkColumn_ ? CheckWidth : 0);
    const int x1 = box.right() - 4;
    const int y = box.center().y();
    // A sunken line: dark over light.
    const auto line = [&](int from, int to, bool fadeLeft, bool fadeRight) {
        if (to <= from)
            return;
        for (const auto& [colour, dy] : {std::pair{pal.color(QPalette::Mid), 0},
                                         std::pair{pal.color(QPalette::Light), 1}}) {
            const int fade = std::min(menu_->FadeWidth, to - from);
            if (!menu_->SeparatorFade || fade <= 0 || (!fadeLeft && !fadeRight)) {
                painter.fillRect(QRect(from, y + dy, to - from, 1), colour);
                continue;
            }
            QLinearGradient gradient(from, 0, to, 0);
            QColor clear = colour;
            clear.setAlpha(0);
            const qreal edge = qreal(fade) / (to - from);
            gradient.setColorAt(0, fadeLeft ? clear : colour);
            gradient.setColorAt(fadeLeft ? edge : 0, colour);
            gradient.setColorAt(fadeRight ? 1 - edge : 1, colour);
            gradient.setColorAt(1, fadeRight ? clear : colour);
            painter.fillRect(QRect(from, y + dy, to - from, 1), gradient);
        }
    };
    if (!titled(item))
        return line(x0 + PictureSize + 6, x1, false, false);

    painter.setFont(font_);
    painter.setPen(pal.color(QPalette::WindowText));
    const QFontMetrics metrics(font_);
    const QString title = metrics.elidedText(item.Hint, Qt::ElideRight, std::max(0, x1 - x0 - 16));
    const int width = metrics.horizontalAdvance(title);
    const int start = x0 + (x1 - x0 - width) / 2;
    painter.drawText(QRect(start, box.top(), width + 1, box.height()), Qt::AlignCenter | Qt::TextSingleLine,
                     title);
    line(x0, start - 4, true, false);
    line(start + width + 4, x1, false, true);
}

void PopupLevel::paintScrollStrips(QPainter& painter)
{
    const int maxScroll = offsets_.back() - viewHeight();
    const QPalette& pal = palette();
    const auto arrow = [&](int top, bool up, bool enabled) {
        const QRect strip(left(), top, width() - left() - Frame, StripHeight);
        painter.fillRect(strip, pal.button());
        const QPointF c = QRectF(strip).center();
        const qreal d = up ? -1 : 1;
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(pal.color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        painter.drawPolygon(QPolygonF({c + QPointF(-4, -2 * d), c + QPointF(4, -2 * d), c + QPointF(0, 2 * d)}));
        painter.restore();
    };
    arrow(Frame, true, scroll_ > 0);
    arrow(height() - Frame - StripHeight, false, scroll_ < maxScroll);
}

} // namespace parvo
