#include "dialogs/GoButtonClick.h"

#include "FakeShell.h"
#include "UiApp.h"
#include "app/BrandingFile.h"
#include "app/BrandingPictures.h"
#include "dialogs/TGodlg.h"
#include "platform/linux/LinuxRegistry.h"
#include "settings/SortedTextList.h"
#include "widgets/TLinkLabel.h"
#include "widgets/TPlumBut.h"

#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace parvo;

namespace {

const QString kBrowser = QStringLiteral("/usr/bin/navigatore");
const QString kHistoryLinks = QStringLiteral("SOFTWARE\\Tessaline\\Parvo\\HistoryLinks");
const QString kSearchKeywords = QStringLiteral("SOFTWARE\\Tessaline\\Parvo\\SearchKeywords");

// A program folder with the shipped branding files, a registry file of its own, and a
// shell that records what it was asked to start.
struct Bar {
    QApplication& app = test::App();
    QTemporaryDir dir;
    QString program = dir.filePath("program/");
    QString registryFile = dir.filePath("config/parvo/registry.reg");
    XdgDirs xdg = [this] {
        XdgDirs x;
        x.home = dir.path();
        x.configHome = dir.filePath("config");
        return x;
    }();
    std::unique_ptr<LinuxRegistry> registry;
    FakeShell shell;
    SortedTextList GoCompletionList;
    QStringList SearchWordList;
    std::optional<BrandingPictures> pictures;
    QString MenuKey = QStringLiteral("Normal");
    int endings = 0;
    bool dialogShown = false;

    Bar()
    {
        QDir().mkpath(program);
        for (int i = 1; i <= 7; ++i) {
            const QString name = QStringLiteral("data%1.mke").arg(i);
            QFile::copy(QStringLiteral(PARVO_PROGRAM_DIR "/") + name, program + name);
        }
        pictures = LoadBrandingPictures(program);
        registry = std::make_unique<LinuxRegistry>(registryFile, xdg);
    }

    // One click of the button with `helpContext`; `act` works the dialog once it shows.
    void click(int helpContext, std::function<void(TGodlg&)> act)
    {
        dialogShown = false;
        // Looks for the dialog until it is up; stops with the click.
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dlg = qobject_cast<TGodlg*>(QApplication::activeModalWidget());
            if (!dlg || !dlg->isActiveWindow() || dialogShown)
                return;
            dialogShown = true;
            act(*dlg);
        });
        poll.start();
        GoButtonContext ctx{*registry,       shell,    program,
                            kBrowser,        GoCompletionList, SearchWordList,
                            pictures->PopupImg, MenuKey, {{{QChar('C'), "/", DriveFixed, {}}}, dir.path()},
                            [this] { ++endings; }};
        bCompClick(ctx, helpContext);
        QApplication::processEvents();
    }

    // A value as the registry file holds it, read back by a new reader of the file.
    QString stored(const QString& key, const QString& name) const
    {
        const LinuxRegistry fresh(registryFile, xdg);
        const auto v = fresh.value(RegRoot::CurrentUser, key, name);
        return !v ? QStringLiteral("<none>") : v->type == RegType::Dword ? QString::number(v->dword) : v->text;
    }

    // What the browser was started with: its one argument, or nothing.
    QString browserArgument(qsizetype call) const
    {
        const FakeShell::Record& r = shell.calls.at(call);
        EXPECT_EQ(r.path, kBrowser);
        return QProcess::splitCommand(r.parameters).value(QProcess::splitCommand(r.parameters).size() - 1);
    }
};

// Types text as key presses carrying their characters, letters beyond ASCII included.
void Type(QWidget* input, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(input, &press);
    }
}

void TypeAndEnter(QWidget* input, const QString& text)
{
    Type(input, text);
    QTest::keyClick(input, Qt::Key_Return);
}

} // namespace

TEST(bCompClick, AddressesOpenAsTypedAndEnterTheirHistory)
{
    Bar bar;
    // Blanks, quotes, a command substitution, non-ASCII: one argument, exactly as typed.
    const QString address = QString::fromUtf8("www.example.org/a b\"c';$(rm -rf ~)/città");
    for (int round = 0; round < 2; ++round) {
        bar.click(0, [&](TGodlg& dlg) {
            EXPECT_TRUE(dlg.webcombo->hasFocus()) << "the GO! button focuses the address box";
            TypeAndEnter(dlg.webcombo, address);
        });
        ASSERT_TRUE(bar.dialogShown);
        ASSERT_EQ(bar.shell.calls.size(), round + 1);
        EXPECT_EQ(bar.browserArgument(round), address);
    }
    EXPECT_EQ(bar.MenuKey, "Slinks");
    // Stored twice in the ring, once in the completion list.
    EXPECT_EQ(bar.stored(kHistoryLinks, "L0"), address);
    EXPECT_EQ(bar.stored(kHistoryLinks, "L1"), address);
    EXPECT_EQ(bar.stored(kHistoryLinks, "Numer"), "2");
    EXPECT_EQ(bar.GoCompletionList.items(), QStringList{address});

    // Offered back for completion the next time.
    bar.click(0, [&](TGodlg& dlg) {
        EXPECT_EQ(dlg.webcombo->count(), 1);
        dlg.reject();
    });
    EXPECT_EQ(bar.shell.calls.size(), 2);

    // A very long address goes whole; one that reads as an option never reaches the browser.
    const QString longAddress = QStringLiteral("www.example.org/") + QString(10000, QLatin1Char('x'));
    for (const QString& typed : {longAddress, QStringLiteral("--remote-debugging-port=9222")})
        bar.click(0, [&](TGodlg& dlg) {
            dlg.webcombo->setEditText(typed);
            QTest::keyClick(dlg.webcombo, Qt::Key_Return);
        });
    ASSERT_EQ(bar.shell.calls.size(), 3);
    EXPECT_EQ(bar.browserArgument(2), longAddress);
}

TEST(bCompClick, SearchWordsEnterTheirHistoryOnceAndOpenTheTemplate)
{
    Bar bar;
    for (int round = 0; round < 2; ++round) {
        bar.click(SearchButtonHelpContext, [&](TGodlg& dlg) {
            EXPECT_TRUE(dlg.searchedit->hasFocus()) << "the search button focuses the search box";
            EXPECT_EQ(dlg.searchedit->count(), round);
            TypeAndEnter(dlg.searchedit, "gatti neri");
        });
        EXPECT_EQ(bar.browserArgument(round), "https://duckduckgo.com/?q=gatti+neri");
        EXPECT_TRUE(bar.SearchWordList.isEmpty());
    }
    EXPECT_EQ(bar.stored(kSearchKeywords, "L0"), "gatti neri");
    EXPECT_EQ(bar.stored(kSearchKeywords, "L1"), "<none>");
    EXPECT_EQ(bar.stored(kSearchKeywords, "Numer"), "1");
}

TEST(bCompClick, LocalPathsSiteAndBannerOpen)
{
    Bar bar;
    const QString folder = bar.dir.filePath("Documenti");
    QDir().mkpath(folder);
    bar.click(0, [&](TGodlg& dlg) { TypeAndEnter(dlg.LocalEdit, "c:" + folder); });
    bar.click(0, [&](TGodlg& dlg) {
        EXPECT_EQ(dlg.go3->text(), "http://www.parvo.example/");
        QTest::mouseClick(dlg.go3, Qt::LeftButton, {}, QPoint(4, 4));
    });
    bar.click(0, [&](TGodlg& dlg) {
        EXPECT_EQ(dlg.Image3->x(), 14) << "the shipped banner is 468 pixels wide";
        EXPECT_EQ(dlg.Image3->toolTip(), "Click qui!");
        QTest::mouseClick(dlg.Image3, Qt::LeftButton);
    });
    ASSERT_EQ(bar.shell.calls.size(), 3);
    EXPECT_EQ(bar.shell.calls[0], (FakeShell::Record{FakeShell::Call::Execute, folder, {}, {}}));
    EXPECT_EQ(bar.browserArgument(1), "http://www.parvo.example/");
    EXPECT_EQ(bar.browserArgument(2), "http://www.parvo.example/novita/");
    EXPECT_EQ(bar.stored(kHistoryLinks, "Numer"), "<none>") << "only typed addresses enter the history";
}

TEST(bCompClick, EmptyInputsAndCancelOpenNothing)
{
    Bar bar;
    bar.click(0, [](TGodlg& dlg) { QTest::keyClick(dlg.webcombo, Qt::Key_Return); });
    bar.click(SearchButtonHelpContext, [](TGodlg& dlg) { QTest::keyClick(dlg.searchedit, Qt::Key_Return); });
    bar.click(0, [](TGodlg& dlg) { QTest::keyClick(dlg.LocalEdit, Qt::Key_Return); });
    bar.click(0, [](TGodlg& dlg) {
        Type(dlg.webcombo, "www.example.org");
        QTest::mouseClick(dlg.Button1, Qt::LeftButton);
    });
    EXPECT_TRUE(bar.shell.calls.isEmpty());
    EXPECT_EQ(bar.stored(kHistoryLinks, "L0"), "<none>");
    EXPECT_EQ(bar.stored(kSearchKeywords, "L0"), "<none>");
    EXPECT_TRUE(bar.GoCompletionList.isEmpty());
}

TEST(bCompClick, DashTemplateHidesTheSearchRow)
{
    Bar bar;
    QFile::remove(bar.program + "data1.mke");
    QFile f(bar.program + "data1.mke");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(EncodeBrandingRecords({{"Casa", "http://casa.example/"},
                                   {"Link", "http://link.example/"},
                                   {"Parvo", "-"},
                                   {"1|2", "3"},
                                   {"http://banner.example/", "-"}}));
    f.close();
    bar.click(SearchButtonHelpContext, [](TGodlg& dlg) {
        EXPECT_FALSE(dlg.searchedit->isVisible());
        EXPECT_FALSE(dlg.go4->isVisible());
        EXPECT_EQ(dlg.Label3->text(), "Casa");
        EXPECT_EQ(dlg.go3->text(), "http://casa.example/");
        EXPECT_TRUE(dlg.webcombo->hasFocus());
        dlg.reject();
    });
    EXPECT_TRUE(bar.dialogShown);
}

TEST(bCompClick, BannerThatIsNoGifEndsTheProgramAndOpensNothing)
{
    Bar bar;
    for (const QByteArray& bad : {QByteArray("<html>not a picture</html>"), QByteArray("GIF89a\xd4\x01\x3c\x00")}) {
        QFile f(bar.program + "data4.mke");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bad);
        f.close();
        bar.click(0, [](TGodlg& dlg) { dlg.reject(); });
        EXPECT_FALSE(bar.dialogShown);
    }
    QFile::remove(bar.program + "data4.mke");
    bar.click(0, [](TGodlg& dlg) { dlg.reject(); });
    EXPECT_FALSE(bar.dialogShown);
    EXPECT_EQ(bar.endings, 3);
    EXPECT_TRUE(bar.shell.calls.isEmpty());
}

TEST(bCompClick, BannerIsPlacedByItsWidth)
{
    Bar bar;
    QFile f(bar.program + "data4.mke");
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    QByteArray gif = f.readAll();
    for (const auto& [width, left] : {std::pair(400, 48), std::pair(300, 40)}) {
        gif[6] = char(width & 0xFF);
        gif[7] = char(width >> 8);
        f.seek(0);
        f.write(gif);
        f.flush();
        bar.click(0, [left = left](TGodlg& dlg) {
            EXPECT_EQ(dlg.Image3->x(), left);
            dlg.reject();
        });
    }
    EXPECT_EQ(bar.endings, 0);
}
