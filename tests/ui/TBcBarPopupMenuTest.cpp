#include "UiApp.h"
#include "widgets/PopupLevel.h"
#include "widgets/PopupRows.h"
#include "widgets/TBcBarPopupMenu.h"

#include <QScreen>
#include <QSet>
#include <QElapsedTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace parvo;

namespace {

MenuItem Item(const QString& caption, ItemClick click = ItemClick::Launch)
{
    MenuItem item;
    item.Caption = caption;
    item.OnClick = click;
    return item;
}

MenuItem Disabled(MenuItem item)
{
    item.Enabled = false;
    return item;
}

struct TBcBarPopupMenuTest : ::testing::Test {
    QApplication& app = test::App(); // before any widget
    TBcBarPopupMenu menu;
    std::vector<MenuItem> chosen;
    bool openWhenChosen = false;

    TBcBarPopupMenuTest()
    {
        menu.OnChoose = [this](const MenuItem& item) {
            openWhenChosen = menu.isOpen();
            chosen.push_back(item);
        };
    }
    ~TBcBarPopupMenuTest() override
    {
        menu.closeAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void open(std::vector<MenuItem> items)
    {
        menu.OnPopup = [this, items] { menu.Items().children = items; };
        menu.popup(QPoint(100, 100));
        ASSERT_TRUE(menu.isOpen());
    }
    PopupLevel* level(int i) const { return qobject_cast<PopupLevel*>(menu.openLevels().value(i)); }
    int depth() const { return int(menu.openLevels().size()); }
    void key(Qt::Key k) { QTest::keyClick(menu.openLevels().last(), k); }
    void type(const char* text) { QTest::keyClicks(menu.openLevels().last(), QString::fromUtf8(text)); }
    QString current(int i = -1) const
    {
        PopupLevel* l = level(i < 0 ? depth() - 1 : i);
        const int index = l->currentIndex();
        return index < 0 ? QString() : l->owner()->children[index].Caption;
    }
    QPoint rowCentre(int levelIndex, int itemIndex) const
    {
        PopupLevel* l = level(levelIndex);
        return l->rowRect(l->rowOfIndex(itemIndex)).center();
    }
};

} // namespace

TEST_F(TBcBarPopupMenuTest, UpAndDownSkipSeparatorsAndWrapHomeAndEndGoToTheEnds)
{
    open({Item("A"), Separator(), Disabled(Item("B")), Separator("title"), Item("C")});
    EXPECT_EQ(current(), QString()) << "nothing is current when the menu opens";
    key(Qt::Key_Down);
    EXPECT_EQ(current(), "A");
    key(Qt::Key_Down);
    EXPECT_EQ(current(), "B") << "a greyed item can be current";
    key(Qt::Key_Down);
    EXPECT_EQ(current(), "C");
    key(Qt::Key_Down);
    EXPECT_EQ(current(), "A");
    key(Qt::Key_Up);
    EXPECT_EQ(current(), "C");
    key(Qt::Key_Home);
    EXPECT_EQ(current(), "A");
    key(Qt::Key_End);
    EXPECT_EQ(current(), "C");
}

TEST_F(TBcBarPopupMenuTest, RightFillsAFolderOnEveryOpeningLeftAndEscapeCloseOneLevel)
{
    MenuItem folder = Item("[ docs ]", ItemClick::ExpandFolder);
    MenuItem closedFolder = Disabled(Item("[ locked ]", ItemClick::ExpandFolder));
    int fills = 0;
    menu.OnExpand = [&](MenuItem& item) {
        ++fills;
        item.children = {Separator("files"), Item("one"), Item("two")};
    };
    QSignalSpy closed(&menu, &TBcBarPopupMenu::closed);
    open({closedFolder, folder, Item("after")});

    key(Qt::Key_Down);
    key(Qt::Key_Right);
    EXPECT_EQ(depth(), 1) << "a greyed folder neither opens nor is read";
    EXPECT_EQ(fills, 0);

    key(Qt::Key_Down);
    key(Qt::Key_Right);
    ASSERT_EQ(depth(), 2);
    EXPECT_EQ(fills, 1);
    EXPECT_EQ(current(), "one") << "opened by key, the first item is current";
    EXPECT_EQ(level(1)->path(), std::vector<int>{1});

    key(Qt::Key_Left);
    EXPECT_EQ(depth(), 1);
    EXPECT_EQ(current(), "[ docs ]");
    key(Qt::Key_Return);
    ASSERT_EQ(depth(), 2);
    EXPECT_EQ(fills, 2) << "the folder is read again at each opening";

    key(Qt::Key_Escape);
    EXPECT_EQ(depth(), 1);
    EXPECT_EQ(closed.count(), 0);
    key(Qt::Key_Escape);
    EXPECT_FALSE(menu.isOpen());
    EXPECT_EQ(closed.count(), 1);
    EXPECT_TRUE(chosen.empty());
}

TEST_F(TBcBarPopupMenuTest, OnlyEnabledLaunchItemsAreChosenAndOnlyAfterTheMenuClosed)
{
    MenuItem target = Item("target");
    target.Tag = 7;
    target.Hint = "/tmp/x";
    QSignalSpy closed(&menu, &TBcBarPopupMenu::closed);
    open({Disabled(Item("greyed")), Item("title", ItemClick::None), target});

    key(Qt::Key_Down);
    key(Qt::Key_Return);
    key(Qt::Key_Down);
    key(Qt::Key_Space);
    EXPECT_TRUE(menu.isOpen());
    EXPECT_TRUE(chosen.empty());

    key(Qt::Key_Down);
    key(Qt::Key_Return);
    EXPECT_FALSE(menu.isOpen());
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_FALSE(openWhenChosen);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(chosen[0].Caption, "target");
    EXPECT_EQ(chosen[0].Tag, 7);
    EXPECT_EQ(chosen[0].Hint, "/tmp/x");
}

TEST_F(TBcBarPopupMenuTest, LinesAreReducedOnlyWhereTheOwnerItemAsksForIt)
{
    const std::vector<MenuItem> lines = {Separator(), Item("a"), Separator(), Separator("t"),
                                         Item("b"), Separator()};
    MenuItem reduced = Item("reduced", ItemClick::None);
    reduced.AutoLineReduction = true;
    reduced.children = lines;
    MenuItem kept = Item("kept", ItemClick::None);
    kept.children = lines;
    std::vector<MenuItem> root = lines;
    root.push_back(reduced);
    root.push_back(kept);
    menu.Items().AutoLineReduction = true; // the root level never reduces
    open(root);
    EXPECT_EQ(level(0)->rows().size(), root.size());

    key(Qt::Key_End);
    key(Qt::Key_Up);
    key(Qt::Key_Right);
    ASSERT_EQ(depth(), 2);
    EXPECT_EQ(level(1)->rows(), (std::vector<int>{1, 2, 4}));
    key(Qt::Key_Left);
    key(Qt::Key_Down);
    key(Qt::Key_Right);
    ASSERT_EQ(depth(), 2);
    EXPECT_EQ(level(1)->rows().size(), lines.size());
}

TEST_F(TBcBarPopupMenuTest, TypedLettersFindNamesWithoutFolderAndLinkMarksAndWrap)
{
    open({Item("[ alpha ]"), Item("[ beta ]"), Item("[ Bravo ]"), Item("-> charlie"), Item("blue")});
    type("b");
    EXPECT_EQ(current(), "[ beta ]");
    type("b");
    EXPECT_EQ(current(), "[ Bravo ]") << "the same letter again moves on";
    type("b");
    EXPECT_EQ(current(), "blue");
    type("b");
    EXPECT_EQ(current(), "[ beta ]") << "and wraps round";

    key(Qt::Key_Home); // another key starts a new prefix
    type("bl");
    EXPECT_EQ(current(), "blue");
    key(Qt::Key_Home);
    type("c");
    EXPECT_EQ(current(), "-> charlie");
    key(Qt::Key_Home);
    type("x");
    EXPECT_EQ(current(), "[ alpha ]") << "no match leaves the current row";
}

TEST_F(TBcBarPopupMenuTest, AKeyLetterChoosesItsItemAndAmpersandsElsewhereArePlain)
{
    MenuItem rename = Item("&Rinomina");
    rename.Mnemonic = true;
    MenuItem remove = Item("E&limina");
    remove.Mnemonic = true;
    open({Item("Lista R&D"), rename, remove});
    type("l");
    ASSERT_EQ(chosen.size(), 1u) << "the key letter wins over the name starting with it";
    EXPECT_EQ(chosen[0].Caption, "E&limina");

    const popup::ItemLabel marked = popup::itemLabel(remove);
    EXPECT_EQ(marked.text, "Elimina");
    EXPECT_EQ(marked.mnemonic, 1);
    MenuItem doubled = Item("Save && &quit");
    doubled.Mnemonic = true;
    EXPECT_EQ(popup::itemLabel(doubled).text, "Save & quit");
    EXPECT_EQ(popup::itemLabel(doubled).mnemonic, 7);
    EXPECT_EQ(popup::itemLabel(Item("R&D\nline\tend")).text, "R&D line end");
    EXPECT_EQ(popup::itemLabel(Item("R&D")).mnemonic, -1);
    EXPECT_EQ(popup::markedCaption(Item("R&D")), "R&&D") << "drawn with a plain ampersand";
}

TEST_F(TBcBarPopupMenuTest, AHundredThousandEntriesOpenAsOneWindowThatScrollsToTheEnd)
{
    menu.OnExpand = [&](MenuItem& item) {
        menu.BeginUpdate();
        item.children.resize(100000);
        for (int i = 0; i < 100000; ++i)
            item.children[i] = Item(QStringLiteral("file %1").arg(i));
        menu.EndUpdate();
    };
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const auto windowsBefore = QApplication::topLevelWidgets().size();
    open({Item("[ big ]", ItemClick::ExpandFolder)});
    key(Qt::Key_Down);
    key(Qt::Key_Right);
    ASSERT_EQ(depth(), 2);
    PopupLevel* big = level(1);
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windowsBefore + 2);
    EXPECT_LT(big->findChildren<QObject*>().size(), 10);
    EXPECT_TRUE(big->scrolls());
    EXPECT_LE(big->height(), big->screen()->availableGeometry().height());

    key(Qt::Key_End);
    EXPECT_EQ(big->currentIndex(), 99999);
    EXPECT_TRUE(big->rect().contains(big->rowRect(big->currentRow())));
    key(Qt::Key_PageUp);
    EXPECT_LT(big->currentIndex(), 99999);
    EXPECT_GT(big->currentIndex(), 99900);
    EXPECT_TRUE(big->rect().contains(big->rowRect(big->currentRow())));
    key(Qt::Key_End);
    key(Qt::Key_Down);
    EXPECT_EQ(big->currentIndex(), 0) << "down from the last entry wraps to the first";
    const auto firstShown = [&] { return big->rect().contains(big->rowRect(0)); };
    EXPECT_TRUE(firstShown());

    const auto wheel = [&](int delta) {
        const QPointF at(big->width() / 2, big->height() / 2);
        QWheelEvent event(at, big->mapToGlobal(at), {}, QPoint(0, delta), Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(big, &event);
    };
    wheel(-120);
    EXPECT_FALSE(firstShown());
    wheel(120);
    EXPECT_TRUE(firstShown());
    QTest::mouseMove(big, QPoint(big->width() / 2, big->height() - 3));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !firstShown(); }, 3000)) << "hovering the lower strip scrolls";
    QTest::mouseMove(big, QPoint(big->width() / 2, big->height() / 2));
}

TEST_F(TBcBarPopupMenuTest, RowsShowTheirStripCellOrTheDesktopIconForTheirPath)
{
    QImage strip(32, 16, QImage::Format_RGB32);
    strip.fill(QColor::fromRgb(Fuchsia));
    for (int y = 0; y < 16; ++y)
        for (int x = 16; x < 32; ++x)
            strip.setPixel(x, y, qRgb(255, 0, 0));
    menu.setImages(ImageStrip(strip, 16), ImageStrip());
    const auto pictured = [](const char* caption, ItemPicture picture, const char* hint = "") {
        MenuItem item = Item(caption);
        item.Picture = picture;
        item.Hint = hint;
        return item;
    };
    open({pictured("clear", ItemPicture::Popup(0)), pictured("red", ItemPicture::Popup(1)),
          pictured("missing", ItemPicture::Popup(5)),
          pictured("folder", ItemPicture::SystemIcon(), "/nowhere/folder/"), Item("bare")});

    const QImage shot = level(0)->grab().toImage();
    const auto pictureColumn = [&](int index) {
        QRect box = level(0)->rowRect(index);
        box.setWidth(24);
        QSet<QRgb> colours;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                colours.insert(shot.pixel(x, y));
        return colours;
    };
    const QSet<QRgb> background{level(0)->palette().color(QPalette::Window).rgb()};
    EXPECT_EQ(pictureColumn(0), background) << "fuchsia is transparent";
    EXPECT_TRUE(pictureColumn(1).contains(qRgb(255, 0, 0)));
    EXPECT_EQ(pictureColumn(2), background) << "a cell the strip lacks draws nothing";
    EXPECT_GT(pictureColumn(3).size(), 1) << "a folder path gets a folder icon";
    EXPECT_EQ(pictureColumn(4), background);
}

TEST_F(TBcBarPopupMenuTest, OnlyTheRootHasTheSideBarAndItIsSetUpBeforeEachPainting)
{
    int setups = 0;
    menu.GradientStart = Qt::black;
    menu.GradientEnd = Qt::red;
    menu.OnBeforeDrawBar = [&] {
        ++setups;
        menu.GradientEnd = QColor(0, 0, 255);
    };
    MenuItem parent = Item("parent", ItemClick::None);
    parent.children = {Item("child")};
    open({parent, Item("b"), Item("c"), Item("d"), Item("e"), Item("f")});

    const QImage root = level(0)->grab().toImage();
    EXPECT_GT(setups, 0);
    const QColor top = root.pixelColor(9, 3);
    const QColor bottom = root.pixelColor(9, root.height() - 4);
    EXPECT_GT(top.blue(), 200) << "the end colour set by the handler is at the top";
    EXPECT_LT(top.red(), 40);
    EXPECT_LT(bottom.blue() + bottom.red() + bottom.green(), 60) << "the start colour is at the bottom";

    QTest::mouseClick(level(0), Qt::LeftButton, {}, rowCentre(0, 0));
    ASSERT_EQ(depth(), 2);
    const int before = setups;
    const QImage sub = level(1)->grab().toImage();
    EXPECT_EQ(sub.pixelColor(9, sub.height() / 2), level(1)->palette().color(QPalette::Window));
    EXPECT_EQ(setups, before) << "a sub-menu has no side bar to set up";
}

TEST_F(TBcBarPopupMenuTest, TitledSeparatorLinesFadeOutAtTheirEndsWhenTheBarSetUpSaysSo)
{
    bool fade = false;
    menu.OnBeforeDrawBar = [&] {
        menu.SeparatorFade = fade;
        menu.FadeWidth = 40;
    };
    open({Item("a"), Separator("section"), Item("b")});
    // How far the line's outer end stands out from the background.
    const auto outerEndContrast = [&] {
        const QImage shot = level(0)->grab().toImage();
        const QRect box = level(0)->rowRect(1);
        const QColor background = level(0)->palette().color(QPalette::Window);
        int contrast = 0;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x < box.left() + 5; ++x)
                contrast = std::max(contrast, std::abs(QColor(shot.pixel(x, y)).value() - background.value()));
        return contrast;
    };
    EXPECT_GT(outerEndContrast(), 30);
    fade = true;
    EXPECT_LT(outerEndContrast(), 12);
}

TEST_F(TBcBarPopupMenuTest, OpenLevelsAreMeasuredAgainOnlyWhenTheOutermostUpdateEnds)
{
    MenuItem parent = Item("parent", ItemClick::None);
    parent.children = {Item("one"), Item("two")};
    open({parent, Item("other")});
    key(Qt::Key_Down);
    key(Qt::Key_Right);
    ASSERT_EQ(depth(), 2);
    const int height = level(1)->height();

    menu.BeginUpdate();
    menu.BeginUpdate();
    for (int i = 0; i < 5; ++i)
        menu.Items().children[0].children.push_back(Item(QStringLiteral("more %1").arg(i)));
    menu.EndUpdate();
    EXPECT_EQ(level(1)->height(), height);
    EXPECT_EQ(level(1)->rows().size(), 2u);
    menu.EndUpdate();
    EXPECT_GT(level(1)->height(), height);
    EXPECT_EQ(level(1)->rows().size(), 7u);

    // Widths follow the captions, up to a cap that keeps a level on screen.
    QFont font = QGuiApplication::font();
    font.setPixelSize(11);
    const QString longName = "Licenza di Parvo privata-con marchio per siti web aziendali";
    menu.BeginUpdate();
    menu.Items().children[0].children.push_back(Item(longName));
    menu.EndUpdate();
    EXPECT_GT(level(1)->width(), QFontMetrics(font).horizontalAdvance(longName) + 16);
    menu.BeginUpdate();
    menu.Items().children[0].children.push_back(Item(QString(3000, u'w')));
    menu.EndUpdate();
    EXPECT_LT(level(1)->width(), level(1)->screen()->availableGeometry().width());

    menu.BeginUpdate();
    menu.Items().children[0].children.clear();
    menu.EndUpdate();
    EXPECT_EQ(depth(), 1) << "a level whose items are gone closes";
}

TEST_F(TBcBarPopupMenuTest, TheMouseOpensChoosesAndClosesAcrossLevels)
{
    MenuItem parent = Item("parent", ItemClick::None);
    parent.children = {Item("child")};
    QSignalSpy closed(&menu, &TBcBarPopupMenu::closed);
    open({parent, Item("plain"), Disabled(Item("greyed"))});

    QTest::mouseClick(level(0), Qt::LeftButton, {}, rowCentre(0, 2));
    QTest::mouseClick(level(0), Qt::LeftButton, {}, rowCentre(0, 0));
    ASSERT_EQ(depth(), 2) << "a click opens a sub-menu at once";
    EXPECT_TRUE(chosen.empty());

    // Moves reach the topmost popup; they still light the parent's rows.
    const QPoint plain = level(0)->mapToGlobal(rowCentre(0, 1));
    QTest::mouseMove(level(1), level(1)->mapFromGlobal(plain));
    EXPECT_EQ(current(0), "plain");
    EXPECT_TRUE(QTest::qWaitFor([&] { return depth() == 1; }, 3000)) << "the sub-menu closes after the delay";
    QTest::mouseMove(level(0), rowCentre(0, 0));
    EXPECT_TRUE(QTest::qWaitFor([&] { return depth() == 2; }, 3000)) << "and opens again on hovering";

    const QPoint child = level(1)->mapToGlobal(rowCentre(1, 0));
    QTest::mouseClick(level(1), Qt::LeftButton, {}, level(1)->mapFromGlobal(child));
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_EQ(chosen[0].Caption, "child");
    EXPECT_EQ(closed.count(), 1);

    open({Item("plain")});
    QTest::mouseClick(level(0), Qt::LeftButton, {}, QPoint(-40, -40));
    EXPECT_FALSE(menu.isOpen()) << "a press outside closes the menu";
    EXPECT_EQ(chosen.size(), 1u);
}

TEST_F(TBcBarPopupMenuTest, LevelsStayOnScreenOpeningUpwardsAndLeftwardsWhenThereIsNoRoom)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    MenuItem parent = Item("parent", ItemClick::None);
    parent.children = {Item("child")};
    menu.OnPopup = [&] { menu.Items().children = {Item("x"), parent}; };

    const QPoint corner = area.bottomRight() - QPoint(5, 5);
    menu.popup(corner);
    ASSERT_TRUE(menu.isOpen());
    const QRect root = level(0)->geometry();
    EXPECT_EQ(root.bottomRight() + QPoint(1, 1), corner) << "above and left of the point";
    key(Qt::Key_End);
    key(Qt::Key_Right);
    ASSERT_EQ(depth(), 2);
    EXPECT_LE(level(1)->geometry().right(), root.left() + 2) << "the sub-menu opens to the left";
    EXPECT_TRUE(area.contains(level(1)->geometry()));

    const QPoint nearOrigin = area.topLeft() + QPoint(10, 10);
    menu.popup(nearOrigin);
    ASSERT_EQ(level(0)->pos(), nearOrigin);
    key(Qt::Key_End);
    key(Qt::Key_Right);
    ASSERT_EQ(depth(), 2);
    EXPECT_GE(level(1)->x(), level(0)->geometry().right() - 2) << "and to the right where there is room";
}

TEST_F(TBcBarPopupMenuTest, TheReleaseOfThePressThatOpenedTheMenuChoosesNothing)
{
    QWidget button;
    button.setGeometry(300, 300, 40, 20);
    button.show();
    const QPoint pressAt = button.mapToGlobal(QPoint(10, 10));
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
    menu.OnPopup = [this] { menu.Items().children = {Item("under the pointer")}; };
    menu.popup(pressAt - QPoint(40, 6));
    ASSERT_TRUE(menu.isOpen());
    QTest::mouseRelease(level(0), Qt::LeftButton, {}, level(0)->mapFromGlobal(pressAt));
    ASSERT_TRUE(menu.isOpen());
    EXPECT_TRUE(chosen.empty());

    QTest::mouseClick(level(0), Qt::LeftButton, {}, level(0)->mapFromGlobal(pressAt));
    EXPECT_EQ(chosen.size(), 1u) << "a later click does choose";
}

TEST_F(TBcBarPopupMenuTest, FineWheelStepsScrollALongMenuAsFarAsWholeNotches)
{
    std::vector<MenuItem> many;
    for (int i = 0; i < 2000; ++i)
        many.push_back(Item(QString::number(i)));
    open(many);
    PopupLevel* l = level(0);
    ASSERT_TRUE(l->scrolls());
    const int top = l->rowRect(0).top();
    const int rowHeight = l->rowRect(0).height();
    const QPoint inside = l->rect().center();
    auto wheel = [&](int delta) {
        QWheelEvent event(inside, l->mapToGlobal(inside), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(l, &event);
    };
    wheel(-15); // a touchpad's small step
    EXPECT_LT(l->rowRect(0).top(), top) << "even an eighth of a notch scrolls";
    for (int i = 1; i < 8; ++i)
        wheel(-15);
    EXPECT_EQ(l->rowRect(0).top(), top - 3 * rowHeight) << "eight of them scroll as far as a notch";
    wheel(120);
    EXPECT_EQ(l->rowRect(0).top(), top);
}

TEST_F(TBcBarPopupMenuTest, APointerGlidingAlongAFolderRowOpensItsSubMenu)
{
    MenuItem parent = Item("parent", ItemClick::None);
    parent.children = {Item("child")};
    open({parent, Item("plain")});
    const QRect row = level(0)->rowRect(level(0)->rowOfIndex(0));
    QElapsedTimer clock;
    clock.start();
    // Small moves, faster than the sub-menu delay, for a second.
    for (int i = 0; depth() == 1 && clock.elapsed() < 1000; ++i) {
        QTest::mouseMove(level(0), QPoint(row.left() + 10 + (i % 40), row.center().y()));
        QTest::qWait(20);
    }
    EXPECT_EQ(depth(), 2);
}

TEST_F(TBcBarPopupMenuTest, KeysActOnTheLevelThePointerWentBackTo)
{
    MenuItem parent = Item("parent", ItemClick::None);
    parent.children = {Item("child one"), Item("child two")};
    open({parent, Item("plain"), Item("third")});
    QTest::mouseMove(level(0), rowCentre(0, 0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return depth() == 2; }, 3000));

    // Back on the parent level, before the sub-menu's delay has passed.
    QTest::mouseMove(level(1), level(1)->mapFromGlobal(level(0)->mapToGlobal(rowCentre(0, 1))));
    ASSERT_EQ(current(0), "plain");
    key(Qt::Key_Down);
    EXPECT_EQ(current(0), "third") << "the key moves where the pointer is";
    EXPECT_EQ(depth(), 1) << "and the sub-menu of the row left behind closes";

    // Back into the sub-menu's row, Right goes into the open sub-menu.
    QTest::mouseMove(level(0), rowCentre(0, 0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return depth() == 2; }, 3000));
    key(Qt::Key_Right);
    key(Qt::Key_Down);
    EXPECT_EQ(current(1), "child two");
    EXPECT_EQ(depth(), 2);
}

TEST_F(TBcBarPopupMenuTest, ItemsUseTheDesktopMenuFontAndShortMenusShowTheWholeCaption)
{
    const QFont before = QApplication::font("QMenu");
    QFont large = before;
    large.setPixelSize(30);
    QApplication::setFont(large, "QMenu");
    open({Item("one")});
    EXPECT_GE(level(0)->rowRect(0).height(), 30);
    menu.closeAll();
    QApplication::setFont(before, "QMenu");

    menu.OnBeforeDrawBar = [this] { menu.SideBarCaption = QStringLiteral("Preferiti e cartelle"); };
    open({Item("one")});
    QFont captionFont(QStringLiteral("Monospace"));
    captionFont.setPixelSize(17);
    captionFont.setBold(true);
    captionFont.setItalic(true);
    EXPECT_GT(level(0)->height(), QFontMetrics(captionFont).horizontalAdvance(menu.SideBarCaption))
        << "one item, yet the side bar's caption is not cut";
}

TEST_F(TBcBarPopupMenuTest, ANameCutShortShowsWholeInATip)
{
    const QString longName = QString(400, u'w') + QStringLiteral(".txt");
    open({Item("short"), Item(longName)});
    QTest::mouseMove(level(0), rowCentre(0, 1));
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), longName);
    QTest::mouseMove(level(0), rowCentre(0, 0));
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000)) << "a name shown whole needs no tip";
}
