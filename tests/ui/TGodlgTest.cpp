#include "dialogs/TGodlg.h"

#include "UiApp.h"
#include "widgets/ImageStrip.h"
#include "widgets/TLinkLabel.h"
#include "widgets/TPlumBut.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace parvo;

namespace {

LocalNames Names()
{
    return {{{QChar('C'), QStringLiteral("/"), DriveFixed, {}}}, QDir::homePath()};
}

struct Dialog {
    QApplication& app = test::App();
    ImageStrip strip{[] {
                         QImage glyphs(16 * 50, 16, QImage::Format_ARGB32);
                         glyphs.fill(Qt::darkGreen);
                         return glyphs;
                     }(),
                     16};
    QString menuKey = QStringLiteral("Normal");
    TGodlg dlg{strip, menuKey, Names()};

    Dialog()
    {
        dlg.show();
        dlg.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dlg));
    }
    // Types into an input that has the focus, as a user would.
    static void type(QWidget* input, const QString& text)
    {
        input->setFocus();
        QTest::keyClicks(input, text);
    }
    // Keys go to the combo boxes, which hand them to their edit lines.
    QComboBox* web() const { return dlg.webcombo; }
    QComboBox* search() const { return dlg.searchedit; }
    // Waits for LocalEdit's completion to come back from the disk.
    void waitForCompletion()
    {
        QSignalSpy spy(dlg.localCompleter(), &FolderNameCompleter::completed);
        ASSERT_TRUE(spy.wait(5000));
    }
};

bool IsBold(const QLabel* l) { return l->font().bold(); }

} // namespace

TEST(TGodlg, CreationSetsTextsKeyAndGlyphs)
{
    Dialog d;
    EXPECT_EQ(d.menuKey, "Slinks");
    EXPECT_EQ(d.dlg.windowTitle(), "- GO! --> pagina Web / programma...");
    EXPECT_EQ(d.dlg.size(), QSize(496, 403));
    EXPECT_EQ(d.dlg.Label4->text(), "Search the Internet:");
    EXPECT_EQ(d.dlg.Label8->text(),
              QString::fromUtf8("Nota: Il completamento automatico (come Internet Explorer) ti aiuterá mentre digiti"));
    EXPECT_EQ(d.dlg.Label9->text(), d.dlg.Label8->text());
    EXPECT_EQ(d.dlg.Label10->text(), d.dlg.Label8->text());
    EXPECT_EQ(d.dlg.Button1->text(), "&Annulla");
    EXPECT_EQ(d.dlg.webcombo->width(), 377);
    EXPECT_EQ(d.dlg.LocalEdit->width(), 377);
    for (const TPlumBut* go : {d.dlg.go1, d.dlg.go2, d.dlg.go4})
        EXPECT_FALSE(go->glyph().isNull());
}

TEST(TGodlg, EnterInEachInputChoosesItsWayEvenWhenEmpty)
{
    const std::pair<int, QWidget* (*)(Dialog&)> inputs[] = {
        {GoWebAddress, [](Dialog& d) -> QWidget* { return d.web(); }},
        {GoSearch, [](Dialog& d) -> QWidget* { return d.search(); }},
        {GoLocalFile, [](Dialog& d) -> QWidget* { return d.dlg.LocalEdit; }},
    };
    for (const auto& [way, input] : inputs) {
        for (const Qt::Key enter : {Qt::Key_Return, Qt::Key_Enter}) {
            Dialog d;
            QTest::keyClick(input(d), enter);
            EXPECT_EQ(d.dlg.result(), QDialog::Accepted) << way;
            EXPECT_EQ(d.dlg.tag(), way);
        }
    }
}

TEST(TGodlg, EscapeCancelsEvenWithACompletionSelected)
{
    {
        Dialog d;
        QTest::keyClick(d.dlg.LocalEdit, Qt::Key_C);
        ASSERT_EQ(d.dlg.LocalEdit->selectedText(), ":/");
        QTest::keyClick(d.dlg.LocalEdit, Qt::Key_Escape);
        EXPECT_EQ(d.dlg.result(), QDialog::Rejected);
        EXPECT_EQ(d.dlg.tag(), GoNothing);
    }
    {
        Dialog d;
        d.dlg.setWebItems({"example.org"});
        d.type(d.web(), "exa");
        ASSERT_EQ(d.web()->lineEdit()->selectedText(), "mple.org");
        QTest::keyClick(d.web(), Qt::Key_Escape);
        EXPECT_EQ(d.dlg.result(), QDialog::Rejected);
        EXPECT_EQ(d.dlg.tag(), GoNothing);
    }
    Dialog d;
    QTest::keyClick(d.search(), Qt::Key_Escape);
    EXPECT_FALSE(d.dlg.isVisible());
    EXPECT_EQ(d.dlg.result(), QDialog::Rejected);
}

TEST(TGodlg, CombosCompleteFromTheirListsAndKeepTheConfirmedText)
{
    Dialog d;
    d.dlg.setWebItems({"example.org", "Example.org/news", "www.parvo.example"});
    d.dlg.setSearchItems({"gatti", "meteo Roma"});
    d.type(d.web(), "www.p");
    EXPECT_EQ(d.web()->currentText(), "www.parvo.example");
    EXPECT_EQ(d.web()->lineEdit()->selectedText(), "arvo.example");
    EXPECT_EQ(d.dlg.webConfirmed(), "www.parvo.example");
    // Typing on over a completion replaces it.
    QTest::keyClicks(d.web(), "x");
    EXPECT_EQ(d.dlg.webConfirmed(), "www.px");

    d.type(d.search(), "met");
    EXPECT_EQ(d.dlg.searchConfirmed(), "meteo Roma");
    d.web()->setFocus();
    QTest::keyClick(d.web(), Qt::Key_Return);
    const GoChoice c = d.dlg.choice();
    EXPECT_EQ(c.tag, GoWebAddress);
    EXPECT_EQ(c.webText, "www.px");
    EXPECT_EQ(c.searchText, "meteo Roma");
}

TEST(TGodlg, FocusedInputMakesItsLabelBold)
{
    Dialog d;
    d.dlg.focusInput(true);
    EXPECT_TRUE(IsBold(d.dlg.Label4));
    EXPECT_FALSE(IsBold(d.dlg.Label1));
    d.dlg.LocalEdit->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(IsBold(d.dlg.Label2));
    EXPECT_FALSE(IsBold(d.dlg.Label4));
    d.dlg.focusInput(false);
    EXPECT_TRUE(IsBold(d.dlg.Label1));
    EXPECT_FALSE(IsBold(d.dlg.Label2));
}

TEST(TGodlg, LocalEditCompletesDrivesAndFolders)
{
    QTemporaryDir tmp;
    QDir(tmp.path()).mkdir("Alpha");
    QDir(tmp.path()).mkdir("Musica");
    Dialog d;
    QLineEdit* e = d.dlg.LocalEdit;

    QTest::keyClick(e, Qt::Key_C);
    EXPECT_EQ(e->text(), "c:/");
    EXPECT_EQ(e->selectedText(), ":/");
    // The next key replaces the offer; "c:" offers the "/" alone.
    QTest::keyClick(e, Qt::Key_Colon);
    EXPECT_EQ(e->text(), "c:/");
    EXPECT_EQ(e->selectedText(), "/");

    e->clear();
    QTest::keyClicks(e, tmp.path() + "/Mu");
    d.waitForCompletion();
    EXPECT_EQ(e->text(), tmp.path() + "/Musica");
    EXPECT_EQ(e->selectedText(), "sica");

    // Backspace takes the offer away and offers nothing.
    QTest::keyClick(e, Qt::Key_Backspace);
    EXPECT_EQ(e->text(), tmp.path() + "/Mu");
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::qWait(100);
    EXPECT_EQ(e->text(), tmp.path() + "/M");
    EXPECT_FALSE(e->hasSelectedText());

    // Enter takes the text as shown, the offer included.
    QTest::keyClick(e, Qt::Key_U);
    d.waitForCompletion();
    QTest::keyClick(e, Qt::Key_Return);
    EXPECT_EQ(d.dlg.choice().localText, tmp.path() + "/Musica");
    EXPECT_EQ(d.dlg.tag(), GoLocalFile);
}

TEST(TGodlg, ButtonsLinkAndBannerChooseTheirWays)
{
    const auto clickTag = [](auto pick) {
        Dialog d;
        d.dlg.go3->setText("www.parvo.example");
        d.dlg.go3->adjustSize();
        QTest::mouseClick(pick(d.dlg), Qt::LeftButton);
        return d.dlg.result() == QDialog::Accepted ? d.dlg.tag() : -1;
    };
    EXPECT_EQ(clickTag([](TGodlg& g) -> QWidget* { return g.go1; }), GoWebAddress);
    EXPECT_EQ(clickTag([](TGodlg& g) -> QWidget* { return g.go2; }), GoLocalFile);
    EXPECT_EQ(clickTag([](TGodlg& g) -> QWidget* { return g.go3; }), GoHomePage);
    EXPECT_EQ(clickTag([](TGodlg& g) -> QWidget* { return g.go4; }), GoSearch);
    EXPECT_EQ(clickTag([](TGodlg& g) -> QWidget* { return g.Image3; }), GoBanner);
    EXPECT_EQ(clickTag([](TGodlg& g) -> QWidget* { return g.Button1; }), -1);
}

TEST(TGodlg, SearchRowHidesAndBannerMustDecode)
{
    Dialog d;
    d.dlg.setSearchRowVisible(false);
    for (const QWidget* w : {static_cast<QWidget*>(d.dlg.Label4), static_cast<QWidget*>(d.dlg.searchedit),
                             static_cast<QWidget*>(d.dlg.go4)})
        EXPECT_FALSE(w->isVisible());
    d.dlg.focusInput(true);
    EXPECT_TRUE(d.web()->hasFocus()) << "a hidden search box cannot take the focus";

    EXPECT_FALSE(d.dlg.setBanner("GIF89a\x10\x00\x10\x00 not a picture", 40));
    EXPECT_FALSE(d.dlg.setBanner(QByteArray(), 40));
}
