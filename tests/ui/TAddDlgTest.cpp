// The add/edit dialog as each of its callers uses it.

#include "UiApp.h"
#include "app/StringTable.h"
#include "dialogs/TAddDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace parvo;

namespace {

struct AddDlg : ::testing::Test {
    QApplication& app = test::App();
    TAddDlg dlg{"Parvo"};
    QString browsed; // what the folder dialog answers
    int browses = 0;
    void SetUp() override
    {
        dlg.BrowseForFolder = [this](QWidget*) {
            ++browses;
            return browsed;
        };
        dlg.DriveList = {{'C', "/", DriveFixed, {}}, {'D', "/data/", DriveFixed, {}}};
    }
    void Open(int mode)
    {
        dlg.AddDlgMode = mode;
        dlg.show();
    }
};

} // namespace

TEST_F(AddDlg, EachModeSetsItsTextsAndAnUnknownModeOnlyTheButtons)
{
    Open(2);
    EXPECT_EQ(dlg.windowTitle(), Str(152) + " [ Parvo ]");
    EXPECT_EQ(dlg.Label2->text(), Str(155));
    EXPECT_EQ(dlg.Label3->text(), Str(500) + "\n" + Str(503));
    EXPECT_EQ(dlg.Button1->text(), Str(141));
    EXPECT_EQ(dlg.Button2->text(), Str(140));
    EXPECT_EQ(dlg.Button3->text(), "OK");
    EXPECT_EQ(dlg.size(), QSize(312, 243));
    dlg.hide();
    // Mode 4 is nobody's: the texts of the last showing stay.
    Open(4);
    EXPECT_EQ(dlg.windowTitle(), Str(152) + " [ Parvo ]");
    dlg.hide();
    Open(0);
    EXPECT_EQ(dlg.Label1->text(), Str(146));
}

TEST_F(AddDlg, OkOnlyWhileBothFieldsHoldText)
{
    Open(0);
    dlg.Button3->setEnabled(false); // as the caller of an empty add sets it
    QTest::keyClicks(dlg.Edit1, "Giornale");
    EXPECT_FALSE(dlg.Button3->isEnabled());
    QTest::keyClicks(dlg.Edit2, "www.example.org");
    EXPECT_TRUE(dlg.Button3->isEnabled());
    dlg.Edit1->clear();
    EXPECT_FALSE(dlg.Button3->isEnabled());
    dlg.Edit1->setText(" ");
    EXPECT_TRUE(dlg.Button3->isEnabled()) << "the dialog checks nothing more";
}

TEST_F(AddDlg, BrowsingNamesAnUnnamedFolderAfterItsDrive)
{
    Open(6);
    browsed = "/data/Tools";
    dlg.Button1->click();
    EXPECT_EQ(dlg.Edit1->text(), "Tools [D]");
    EXPECT_EQ(dlg.Edit2->text(), "/data/Tools");
    EXPECT_TRUE(dlg.Button3->isEnabled());
    // A typed name stays; only the target changes.
    dlg.Edit1->setText("Mio");
    browsed = "/";
    dlg.Button1->click();
    EXPECT_EQ(dlg.Edit1->text(), "Mio");
    EXPECT_EQ(dlg.Edit2->text(), "/");
    dlg.Edit1->clear();
    dlg.Button1->click();
    EXPECT_EQ(dlg.Edit1->text(), "[ / ]");
    // A browse given up changes nothing.
    browsed.clear();
    dlg.Edit1->setText("x");
    dlg.Button1->click();
    EXPECT_EQ(dlg.Edit1->text(), "x");
    EXPECT_EQ(dlg.Edit2->text(), "/");
    EXPECT_EQ(browses, 4);
}

TEST_F(AddDlg, EscapeCancelsAndEnterConfirms)
{
    dlg.AddDlgMode = 7;
    dlg.Edit1->setText("a");
    dlg.Edit2->setText("/b");
    QTimer::singleShot(0, [this] { QTest::keyClick(&dlg, Qt::Key_Escape); });
    EXPECT_EQ(dlg.exec(), QDialog::Rejected);
    QTimer::singleShot(0, [this] { QTest::keyClick(dlg.Edit1, Qt::Key_Return); });
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    EXPECT_EQ(dlg.Edit1->text(), "a") << "nothing trimmed or changed";
}
