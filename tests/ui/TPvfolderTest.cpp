// The favourite-folder window on the real bar, driven as a user would.

#include "BarFixture.h"
#include "app/StringTable.h"
#include "dialogs/TAddDlg.h"
#include "dialogs/TCopMovDlg.h"
#include "dialogs/TPvfolder.h"
#include "widgets/PathLabel.h"
#include "widgets/TLinkLabel.h"
#include "widgets/TListView.h"
#include "widgets/TPlumBut.h"
#include "widgets/TBcBarPopupMenu.h"
#include "menus/MenuItem.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

using namespace parvo;
using namespace parvo::test;

namespace {

struct PvfolderWindow : BarFixture {
    TPvfolder* w = nullptr;
    QString efolder = program + "data/efolder.mke";

    void Start()
    {
        StartBar();
        w = &bar->PvfolderWindow();
        ASSERT_TRUE(w);
    }
    QStringList Captions() const
    {
        QStringList captions;
        for (int i = 0; i < w->List1->count(); ++i)
            captions.append(w->List1->caption(i));
        return captions;
    }
    QByteArray ListFile() const
    {
        QFile f(efolder);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    // Answers the next add/edit dialog: checks nothing, fills what is given, then OK or cancel.
    void AnswerAddDlg(std::function<void(TAddDlg*)> check, const QString& name, const QString& path, bool ok,
                      bool* seen)
    {
        OnNextModal<TAddDlg>(
            [=](TAddDlg* d) {
                if (check)
                    check(d);
                if (!ok) {
                    QTest::keyClick(d, Qt::Key_Escape);
                    return;
                }
                d->Edit1->setText(name);
                d->Edit2->setText(path);
                d->Button3->click();
            },
            seen);
    }
    // Clicks OK on the next message box and keeps its text.
    void AnswerMessage(QString* text)
    {
        OnNextModal<QMessageBox>([text](QMessageBox* box) {
            *text = box->text();
            box->accept();
        });
    }
    quint32 Dword(const char* name) const
    {
        return reg.value(RegRoot::CurrentUser, keys::Pvfolder, name).value_or(RegValue{}).dword;
    }
    void SetDword(const char* name, quint32 v) { reg.setValue(RegRoot::CurrentUser, keys::Pvfolder, name, RegValue::fromDword(v)); }
};

} // namespace

TEST_F(PvfolderWindow, CreatedHiddenThenShowsEitherViewAsItsButtonWould)
{
    SetShellFolder("Recent", MakeFolder("Recenti"));
    SetShellFolder("Fonts", MakeFolder("Font"));
    Start();
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(w->isWindow());
    EXPECT_EQ(w->windowTitle(), Str(60) + " - [ " + bar->DisplayTitle + " ]");
    EXPECT_EQ(w->url1->text(), bar->WebAddress);
    EXPECT_EQ(w->btne->toolTip(), Str(80));

    bar->Commands().ShowPvfolderWindow(PvfolderView::Pvfolders);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->btne->isChecked());
    EXPECT_FALSE(w->btnwin->isChecked());
    // The first run put the desktop in the list.
    EXPECT_EQ(Captions(), QStringList{Str(122)});
    EXPECT_TRUE(w->btnadd->isVisible() && w->btndel->isVisible() && w->btned->isVisible());

    bar->Commands().ShowPvfolderWindow(PvfolderView::WindowsFolders);
    EXPECT_TRUE(w->btnwin->isChecked());
    EXPECT_FALSE(w->btne->isChecked());
    EXPECT_EQ(Captions(), (QStringList{Str(122), Str(125), Str(130)})); // table order
    EXPECT_FALSE(w->btnadd->isVisible() || w->btndel->isVisible() || w->btned->isVisible());
    EXPECT_EQ(w->List1->subItem(2), Folder("Recenti"));

    // Closing only hides; the bar brings it back with the view asked for.
    w->close();
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(bar->isVisible());
    bar->Commands().ShowPvfolderWindow(PvfolderView::Pvfolders);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(Captions(), QStringList{Str(122)});
}

TEST_F(PvfolderWindow, AddEditRemoveWithEveryMessage)
{
    Start();
    bar->Commands().ShowPvfolderWindow(PvfolderView::Pvfolders);
    const QString tools = MakeFolder("Tools");

    bool seen = false;
    AnswerAddDlg(
        [](TAddDlg* d) {
            EXPECT_EQ(d->windowTitle(), Str(156) + " [ Parvo ]");
            EXPECT_EQ(d->Label1->text(), Str(158));
            EXPECT_TRUE(d->Edit1->text().isEmpty() && d->Edit2->text().isEmpty());
            EXPECT_FALSE(d->Button3->isEnabled());
            EXPECT_TRUE(d->Button1->isVisible());
            EXPECT_EQ(d->focusWidget(), d->Edit1); // has the focus once the dialog is active
        },
        "Attrezzi", tools, true, &seen);
    w->btnadd->click();
    ASSERT_TRUE(seen);
    EXPECT_EQ(Captions(), (QStringList{Str(122), "Attrezzi"}));
    EXPECT_EQ(w->StatusText(), Str(77));
    EXPECT_TRUE(ListFile().endsWith("Attrezzi|" + tools.toUtf8() + "\r\n"));
    EXPECT_TRUE(ListFile().startsWith("// pvfolder - Parvo - Do not change this file!\r\n"));

    // The same folder in capitals: 74, nothing added.
    QString text;
    AnswerAddDlg({}, "Ancora", tools.toUpper().replace(dir.path().toUpper(), dir.path()), true, nullptr);
    AnswerMessage(&text);
    w->btnadd->click();
    EXPECT_EQ(text, Str(74));
    // A folder that is not there: 26.
    AnswerAddDlg({}, "Niente", Folder("Nessuna"), true, nullptr);
    AnswerMessage(&text);
    w->btnadd->click();
    EXPECT_EQ(text, Str(26));
    // Cancelled: nothing at all.
    const QByteArray before = ListFile();
    AnswerAddDlg({}, {}, {}, false, nullptr);
    w->btnadd->click();
    EXPECT_EQ(ListFile(), before);
    EXPECT_EQ(w->List1->count(), 2);

    // Edit the selected row: the dialog comes filled, OK enabled.
    w->List1->setSelectedRow(1);
    seen = false;
    AnswerAddDlg(
        [&](TAddDlg* d) {
            EXPECT_EQ(d->windowTitle(), Str(157) + " [ Parvo ]");
            EXPECT_EQ(d->Edit1->text(), "Attrezzi");
            EXPECT_EQ(d->Edit2->text(), tools);
            EXPECT_TRUE(d->Button3->isEnabled());
        },
        "Strumenti", Folder("Scrivania"), true, &seen);
    w->btned->click();
    ASSERT_TRUE(seen);
    EXPECT_EQ(w->StatusText(), Str(78));
    EXPECT_EQ(w->List1->caption(1), "Strumenti");
    EXPECT_TRUE(ListFile().endsWith("Strumenti|" + Folder("Scrivania").toUtf8() + "\r\n"));

    // Delete removes the selected row without asking.
    w->List1->setSelectedRow(0);
    QTest::keyClick(w->List1->currentView(), Qt::Key_Delete);
    EXPECT_EQ(Captions(), QStringList{"Strumenti"});
    EXPECT_EQ(w->StatusText(), Str(79));
    EXPECT_EQ(ListFile(), "// pvfolder - Parvo - Do not change this file!\r\nStrumenti|" + Folder("Scrivania").toUtf8()
                              + "\r\n");

    // In the system folders view, Delete does nothing and the list is never written.
    bar->Commands().ShowPvfolderWindow(PvfolderView::WindowsFolders);
    w->List1->setSelectedRow(0);
    QTest::keyClick(w->List1->currentView(), Qt::Key_Delete);
    EXPECT_EQ(w->List1->count(), 1);
    EXPECT_TRUE(ListFile().contains("Strumenti"));
}

TEST_F(PvfolderWindow, EnterOpensTheRowAndThePointerShowsItsPath)
{
    Start();
    bar->Commands().ShowPvfolderWindow(PvfolderView::Pvfolders);
    w->List1->setSelectedRow(0);
    EXPECT_EQ(w->StatusText(), Folder("Scrivania"));
    QTest::keyClick(w->List1->currentView(), Qt::Key_Return);
    // The folder is looked for off the interface thread before it opens.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !shell.calls.isEmpty(); }, 5000));
    QTest::qWait(50);
    ASSERT_EQ(shell.calls.size(), 1); // once, not once for the key and once for activation
    EXPECT_EQ(shell.calls[0].call, FakeShell::Call::ShowFolderTree);
    EXPECT_EQ(shell.calls[0].path, Folder("Scrivania"));

    // A double click opens it too.
    const QRect row = w->List1->rowRect(0);
    QWidget* viewport = w->List1->currentView()->viewport();
    const QPoint at = viewport->mapFrom(w->List1, row.center());
    QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
    EXPECT_TRUE(QTest::qWaitFor([&] { return shell.calls.size() >= 2; }, 5000));
    QTest::qWait(50);
    EXPECT_EQ(shell.calls.size(), 2);

    w->List1->setSelectedRow(-1);
    QMouseEvent empty(QEvent::MouseMove, QPointF(viewport->width() - 5, viewport->height() - 5), QPointF(),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &empty);
    EXPECT_EQ(w->StatusText(), Str(513));
    QMouseEvent over(QEvent::MouseMove, QPointF(viewport->mapFrom(w->List1, row.center())), QPointF(), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &over);
    EXPECT_EQ(w->StatusText(), Folder("Scrivania"));
}

TEST_F(PvfolderWindow, ViewStyleMenuMarksTheStyleAndSetsIt)
{
    Start();
    bar->Commands().ShowPvfolderWindow(PvfolderView::Pvfolders);
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(w->btnview, &enter);
    EXPECT_EQ(bar->MenuKey, "viewstyle");
    w->SetViewStyle(TListView::vsList);

    bar->popup_myfolders->OnPopup();
    const auto& items = bar->popup_myfolders->Items().children;
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].Caption, Str(70));
    EXPECT_TRUE(items[2].Default);
    EXPECT_FALSE(items[0].Default);
    // Choosing "Dettagli" shows the columns.
    bar->popup_myfolders->OnChoose(items[3]);
    EXPECT_EQ(w->ViewStyle(), TListView::vsReport);
    EXPECT_TRUE(w->List1->currentView()->inherits("QTreeView"));
    EXPECT_EQ(w->List1->rowAt(w->List1->rowRect(0).center()), 0);

    QApplication::sendEvent(w->btninternet, &enter);
    EXPECT_EQ(bar->MenuKey, "Slinks");
}

TEST_F(PvfolderWindow, PlacementViewAndColumnsRoundTripThroughTheRegistry)
{
    Start();
    bar->Commands().ShowPvfolderWindow(PvfolderView::Pvfolders);
    w->move(140, 120);
    w->resize(500, 350);
    w->SetViewStyle(TListView::vsReport);
    w->List1->setColumnWidth(0, 111);
    w->List1->setColumnWidth(1, 222);
    w->close();
    EXPECT_EQ(Dword("Max"), 0u);
    EXPECT_EQ(Dword("Lewa"), quint32(w->x()));
    EXPECT_EQ(Dword("Szer"), 500u);
    EXPECT_EQ(Dword("Wys"), 350u);
    EXPECT_EQ(Dword("View"), 3u);
    EXPECT_EQ(Dword("Kol1"), 111u);
    EXPECT_EQ(Dword("Kol2"), 222u);

    // Closed while maximised: only "Max" changes.
    bar->Commands().ShowPvfolderWindow(PvfolderView::Pvfolders);
    w->showMaximized();
    QCoreApplication::processEvents();
    w->close();
    EXPECT_EQ(Dword("Max"), 1u);
    EXPECT_EQ(Dword("Szer"), 500u);
    EXPECT_EQ(Dword("Wys"), 350u);

    // The next start reads it all back, and comes up maximised.
    bar.reset();
    SetDword("Max", 0);
    Start();
    EXPECT_EQ(w->size(), QSize(500, 350));
    EXPECT_EQ(w->ViewStyle(), TListView::vsReport);
    EXPECT_EQ(w->List1->columnWidth(1), 222);
    bar.reset();
    SetDword("Max", 1);
    SetDword("View", 9); // not a style: the default stays
    Start();
    bar->Commands().ShowPvfolderWindow(PvfolderView::Pvfolders);
    EXPECT_TRUE(w->isMaximized());
    EXPECT_EQ(w->ViewStyle(), TListView::vsIcon);
}

TEST_F(PvfolderWindow, APlaceOffEveryScreenComesUpOnScreen)
{
    SetDword("Lewa", quint32(-40000));
    SetDword("Gora", 90000);
    SetDword("Szer", 0);
    Start();
    bar->Commands().ShowPvfolderWindow(PvfolderView::Pvfolders);
    const QRect screen = w->screen()->availableGeometry();
    EXPECT_TRUE(screen.intersects(w->geometry())) << w->geometry().x() << "," << w->geometry().y();
    EXPECT_GE(w->width(), 200);
}

TEST_F(PvfolderWindow, DragOverRowsAndEmptySpace)
{
    const QString dropped = MakeFolder("Lettere");
    Start();
    bar->Commands().ShowPvfolderWindow(PvfolderView::Pvfolders);
    const QPoint onRow = w->List1->rowRect(0).center();
    const QPoint empty(w->List1->width() - 5, w->List1->height() - 5);

    EXPECT_TRUE(DragTo(w->List1, onRow, Urls({dropped}), true, false));
    EXPECT_EQ(w->DropDestination, Folder("Scrivania"));
    EXPECT_EQ(w->StatusText(), Str(183) + Folder("Scrivania"));
    EXPECT_EQ(w->List1->dropHighlight(), -1) << "left again";
    EXPECT_TRUE(DragTo(w->List1, onRow, Urls({dropped}), false, false));
    EXPECT_EQ(w->StatusText(), Str(182) + Folder("Scrivania"));
    EXPECT_TRUE(DragTo(w->List1, empty, Urls({dropped}), false, false));
    EXPECT_EQ(w->DropDestination, NoTargetMarker);
    EXPECT_EQ(w->StatusText(), Str(156));

    // Only local files are taken: web addresses are refused.
    EXPECT_FALSE(DragTo(w->List1, onRow, {QUrl("http://example.org/page")}, false, false));

    bar->Commands().ShowPvfolderWindow(PvfolderView::WindowsFolders);
    EXPECT_FALSE(DragTo(w->List1, empty, Urls({dropped}), false, false));
    EXPECT_EQ(w->StatusText(), Str(513));
    EXPECT_TRUE(DragTo(w->List1, w->List1->rowRect(0).center(), Urls({dropped}), false, false));
}

TEST_F(PvfolderWindow, FoldersDroppedOnEmptySpaceAreOfferedOneByOne)
{
    const QString a = MakeFolder("Lettere");
    const QString b = MakeFolder("Conti");
    QFile file(Folder("nota.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    Start();
    bar->Commands().ShowPvfolderWindow(PvfolderView::Pvfolders);
    const QPoint empty(w->List1->width() - 5, w->List1->height() - 5);

    QStringList offered;
    const auto record = [&](TAddDlg* d) {
        offered.append(d->Edit1->text() + "=" + d->Edit2->text());
        EXPECT_TRUE(d->Button3->isEnabled());
        EXPECT_EQ(d->windowTitle(), Str(156) + " [ Parvo ]");
    };
    bool first = false;
    OnNextModal<TAddDlg>([&](TAddDlg* d) {
        record(d);
        d->Button3->click();
        // The second folder's dialog follows the first.
        OnNextModal<TAddDlg>([&](TAddDlg* d2) {
            record(d2);
            QTest::keyClick(d2, Qt::Key_Escape);
        });
    }, &first);
    ASSERT_TRUE(DragTo(w->List1, empty, Urls({a, Folder("nota.txt"), b}), false, true));
    ASSERT_TRUE(QTest::qWaitFor([&] { return offered.size() == 2; }, 5000));
    EXPECT_EQ(offered, (QStringList{"Lettere [D]=" + a, "Conti [D]=" + b}));
    EXPECT_EQ(Captions(), (QStringList{Str(122), "Lettere [D]"}));
    EXPECT_EQ(w->StatusText(), Str(77));

    // The same folder again: 74.
    QString text;
    OnNextModal<TAddDlg>([](TAddDlg* d) { d->Button3->click(); });
    AnswerMessage(&text);
    ASSERT_TRUE(DragTo(w->List1, empty, Urls({a}), false, true));
    EXPECT_TRUE(QTest::qWaitFor([&] { return text == Str(74); }, 5000));

    // A drive's root gets the drive-root name.
    OnNextModal<TAddDlg>([&](TAddDlg* d) {
        offered.append(d->Edit1->text());
        QTest::keyClick(d, Qt::Key_Escape);
    });
    ASSERT_TRUE(DragTo(w->List1, empty, Urls({dir.path() + "/"}), false, true));
    ASSERT_TRUE(QTest::qWaitFor([&] { return offered.size() == 3; }, 5000));
    EXPECT_EQ(offered.last(), "[ " + dir.path() + "/ ]");
}

TEST_F(PvfolderWindow, AFileDroppedOnARowOpensTheCopyDialogForIt)
{
    QFile file(Folder("nota.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    Start();
    bar->Commands().ShowPvfolderWindow(PvfolderView::Pvfolders);
    bar->DropFromBar = true;
    bool seen = false;
    OnNextModal<TCopMovDlg>([&](TCopMovDlg* d) {
        EXPECT_EQ(d->Label2->text(), "1");
        EXPECT_TRUE(d->RadioButton2->isChecked()) << "a move drop checks Move";
        EXPECT_EQ(d->Edit1->text(), Folder("Scrivania"));
        d->reject();
    }, &seen);
    ASSERT_TRUE(DragTo(w->List1, w->List1->rowRect(0).center(), Urls({Folder("nota.txt")}), true, true));
    ASSERT_TRUE(QTest::qWaitFor([&] { return seen; }, 5000));
    EXPECT_FALSE(bar->DropFromBar);
    EXPECT_EQ(w->List1->dropHighlight(), -1);
    EXPECT_TRUE(QFile::exists(Folder("nota.txt")));
}
