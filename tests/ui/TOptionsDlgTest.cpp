#include "../unit/TempFiles.h"
#include "FakeLiveBar.h"
#include "FakePrompts.h"
#include "FakeShell.h"
#include "UiApp.h"
#include "app/StringTable.h"
#include "dialogs/ListEditorView.h"
#include "dialogs/TAddDlg.h"
#include "dialogs/TOptionsDlg.h"
#include "menus/ProgramShortcuts.h"
#include "platform/linux/LinuxRegistry.h"
#include "platform/linux/ShellLinkFile.h"
#include "settings/RegistryKeys.h"
#include "widgets/GradientTitle.h"
#include "widgets/TPlumBut.h"

#include <QCheckBox>
#include <QDropEvent>
#include <QLineEdit>
#include <QTimer>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>
#include <deque>
#include <gtest/gtest.h>

using namespace parvo;
using test::ReadBytes;
using test::WriteBytes;

namespace {

const QString Opts = QString::fromLatin1(keys::Options);

// What lnkinfo, an independent reader, finds as a shortcut's target.
QString LnkTarget(const QString& path)
{
    QProcess lnkinfo;
    lnkinfo.start(QStringLiteral("lnkinfo"), {path});
    if (!lnkinfo.waitForFinished(10000) || lnkinfo.exitCode() != 0)
        return QStringLiteral("<lnkinfo failed>");
    for (const QString& line : QString::fromUtf8(lnkinfo.readAllStandardOutput()).split(u'\n'))
        if (line.trimmed().startsWith(QLatin1String("Local path")))
            return line.section(u':', 1, -1).trimmed();
    return QStringLiteral("<missing>");
}

// A drag that enters the list and is dropped at `at`, as the desktop delivers it: the
// action the drop was answered with, IgnoreAction when it was refused.
Qt::DropAction Drop(QAbstractItemView* view, QPoint at, Qt::DropActions offered, const QMimeData* data)
{
    QDragEnterEvent enter(at, offered, data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(view->viewport(), &enter);
    if (!enter.isAccepted())
        return Qt::IgnoreAction;
    QDropEvent drop(at, offered, data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(view->viewport(), &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

struct Options : ::testing::Test {
    QApplication& app = test::App();
    QTemporaryDir tmp;
    XdgDirs dirs;
    std::unique_ptr<LinuxRegistry> reg;
    FakeLiveBar bar;
    FakePrompts prompts;
    ShellLinkFile links;
    FakeShell shell;
    QString program;
    QStringList keys; // what the sample buttons set
    QList<QPoint> drops;

    // The user's answers to the dialogs a page opens.
    QList<int> modes;
    std::deque<std::optional<EditorRow>> entries;
    QStringList chosen;
    std::optional<QList<EditorRow>> imported;

    void SetUp() override
    {
        dirs.home = tmp.path() + "/home";
        dirs.configHome = tmp.path() + "/config";
        program = tmp.path() + "/program/";
        reg = std::make_unique<LinuxRegistry>(LinuxRegistry::defaultFilePath(dirs), dirs);
        EnsureOptionDefaults(*reg);
        LoadOptions(*reg, bar.settings);
    }
    QString registryFile() const { return LinuxRegistry::defaultFilePath(dirs); }
    QString autostartFile() const { return LinuxRegistry::autostartFilePath(dirs); }
    QString list(const char* name) const { return program + "data/" + name + ".mke"; }
    // The option as the file on disk holds it, read by a registry of its own.
    quint32 stored(const char* name) const
    {
        LinuxRegistry fresh(registryFile(), dirs);
        const auto v = fresh.value(RegRoot::CurrentUser, Opts, QString::fromLatin1(name));
        return v ? v->dword : 0xDEAD;
    }

    // With `ownDialogs` the pages ask through the program's own dialogs.
    std::unique_ptr<TOptionsDlg> open(const QString& key, bool addLinkRequest = false, bool ownDialogs = false)
    {
        ImageStrip pictures(QImage(54 * 16, 16, QImage::Format_ARGB32), 16);
        OptionsDialogServices s(*reg, bar, prompts, links, shell);
        s.programFolder = program;
        s.executablePath = "/opt/parvo/parvo";
        s.DisplayTitle = "Parvo";
        s.WebAddress = "www.example.com";
        s.MenuKey = key;
        s.AddLinkRequest = addLinkRequest;
        s.PopupImg = pictures;
        s.BarColor = Qt::darkBlue;
        s.FontColor = Qt::white;
        s.setMenuKey = [this](const QString& k) { keys << k; };
        s.dropMenu = [this](const QPoint& at) { drops << at; };
        s.questions.prompts = &prompts;
        s.questions.editEntry = [this](int mode, const EditorRow& start) -> std::optional<EditorRow> {
            modes << mode;
            if (entries.empty())
                return std::nullopt;
            auto answer = entries.front();
            entries.pop_front();
            if (answer && answer->caption.isEmpty())
                answer->caption = start.caption; // "unchanged"
            return answer;
        };
        s.questions.chooseProgram = [this] { return chosen.isEmpty() ? QString() : chosen.takeFirst(); };
        s.questions.importAddresses = [this] { return imported; };
        if (ownDialogs)
            s.questions = {};
        auto dialog = std::make_unique<TOptionsDlg>(std::move(s));
        dialog->setAttribute(Qt::WA_DontShowOnScreen);
        dialog->show();
        QCoreApplication::processEvents(); // the queued start of an add
        return dialog;
    }
};

} // namespace

TEST_F(Options, OpeningAndClosingWritesNothingButMissingListHeaders)
{
    WriteBytes(list("www"), "// h\r\nA|http://a.example/\r\n");
    WriteBytes(list("shortcut"), "// h\r\ngedit\r\n");
    const QByteArray before = ReadBytes(registryFile());
    const QDateTime touched = QFileInfo(registryFile()).lastModified();
    {
        auto dialog = open("Normal");
        EXPECT_EQ(dialog->windowTitle(), Str(52) + " [ Parvo ]");
        EXPECT_EQ(dialog->size(), QSize(592, 358));
        EXPECT_EQ(dialog->CurrentPage(), OptionsPage::s0);
        EXPECT_EQ(dialog->Title()->text(), Str(211));
        EXPECT_EQ(dialog->Tree()->topLevelItemCount(), 7);
        EXPECT_EQ(dialog->Tree()->topLevelItem(6)->text(0), Str(262));
        EXPECT_TRUE(dialog->Check(Option::FontDisksBold)->isChecked());
        EXPECT_TRUE(dialog->Radio(Option::ClickLayout, 5)->isChecked());
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        EXPECT_FALSE(dialog->isVisible());
    }
    EXPECT_EQ(ReadBytes(registryFile()), before);
    EXPECT_EQ(QFileInfo(registryFile()).lastModified(), touched);
    EXPECT_EQ(ReadBytes(list("www")), "// h\r\nA|http://a.example/\r\n");
    EXPECT_EQ(ReadBytes(list("shortcut")), "// h\r\ngedit\r\n");
    EXPECT_EQ(ReadBytes(list("email")), "// email - Parvo - Do not change this file!\r\n");
    EXPECT_FALSE(QFile::exists(autostartFile()));
    EXPECT_TRUE(bar.calls.isEmpty()) << bar.calls.join(", ").toStdString();
    EXPECT_TRUE(prompts.shown.isEmpty());
}

TEST_F(Options, EachMenuOpensItsPageAndStartsItsAdd)
{
    {
        entries.push_back(EditorRow{"Esempio", "http://www.example.com/"});
        auto dialog = open("Slinks");
        EXPECT_EQ(dialog->CurrentPage(), OptionsPage::s3);
        EXPECT_EQ(dialog->Title()->text(), Str(214));
        EXPECT_EQ(modes, QList<int>{0});
        EXPECT_EQ(ReadBytes(list("www")),
                  "// www - Parvo - Do not change this file!\r\nEsempio|http://www.example.com/\r\n");
    }
    {
        auto dialog = open("email");
        EXPECT_EQ(dialog->CurrentPage(), OptionsPage::s4);
        EXPECT_EQ(modes, (QList<int>{0, 2})) << "a cancelled add";
        EXPECT_EQ(ReadBytes(list("email")), "// email - Parvo - Do not change this file!\r\n");
    }
    {
        auto dialog = open("scrDrive", true);
        EXPECT_EQ(dialog->CurrentPage(), OptionsPage::s1);
        EXPECT_EQ(dialog->Title()->text(), Str(212));
    }
    const QString gedit = tmp.path() + "/bin/gedit";
    WriteBytes(gedit, "#!/bin/sh\n", true);
    chosen << gedit;
    {
        auto dialog = open("app_" + program + "links/calc.lnk", false);
        EXPECT_EQ(dialog->CurrentPage(), OptionsPage::s2);
        EXPECT_EQ(chosen.size(), 1) << "no add without the request";
    }
    {
        auto dialog = open("app_panel", true);
        EXPECT_EQ(dialog->CurrentPage(), OptionsPage::s2);
        EXPECT_TRUE(chosen.isEmpty());
        EXPECT_EQ(LnkTarget(ShortcutFilePath(program, "gedit")), gedit);
        EXPECT_EQ(ReadBytes(list("shortcut")), "// shortcut - Parvo - Do not change this file!\r\ngedit\r\n");
        EXPECT_EQ(bar.calls, QStringList({"buttons", "relayout"}));
    }
    EXPECT_EQ(modes.size(), 2) << "no page opens the add dialog twice";
}

TEST_F(Options, EveryMainAndDriveControlActsOnTheBarAndTheFileAtTheClick)
{
    auto dialog = open("Normal");
    dialog->Check(Option::Stay)->click();
    EXPECT_TRUE(bar.settings.AlwaysOnTop);
    EXPECT_EQ(stored("Stay"), 1u);
    dialog->Check(Option::Hide)->click();
    EXPECT_TRUE(bar.settings.AutoHide);
    EXPECT_EQ(stored("Hide"), 1u);
    dialog->Check(Option::Tray)->click();
    EXPECT_FALSE(bar.settings.TrayIconVisible);
    EXPECT_EQ(stored("Tray"), 0u);

    dialog->AutostartBox()->click();
    EXPECT_TRUE(ReadBytes(autostartFile()).contains("Exec=/opt/parvo/parvo\n"));
    dialog->AutostartBox()->click();
    EXPECT_FALSE(QFile::exists(autostartFile()));

    // A refused auto-hide unticks its box.
    dialog->Check(Option::Hide)->click();
    bar.edgeTaken = true;
    dialog->Check(Option::Hide)->click();
    EXPECT_FALSE(dialog->Check(Option::Hide)->isChecked());
    EXPECT_EQ(stored("Hide"), 0u);

    dialog->ShowPage(OptionsPage::s1);
    dialog->Radio(Option::Layout, 3)->click();
    EXPECT_EQ(bar.settings.Layout, 3);
    EXPECT_EQ(stored("Layout"), 3u);
    dialog->Radio(Option::ClickLayout, 4)->click();
    EXPECT_EQ(bar.settings.ClickLayout, 4);
    EXPECT_EQ(stored("ClickLayout"), 4u);

    dialog->Check(Option::FontDisksBold)->click();
    EXPECT_FALSE(bar.settings.DriveFontBold);
    EXPECT_EQ(stored("FontDisksBold"), 0u);
    dialog->Radio(Option::FontSizeInc, 4)->click();
    EXPECT_EQ(bar.settings.DriveFontSize, 12);
    EXPECT_EQ(stored("FontSizeInc"), 4u);
    dialog->Check(Option::FontSized)->click();
    EXPECT_EQ(bar.settings.DriveFontSize, 8);
    EXPECT_EQ(stored("FontSized"), 0u);
    EXPECT_FALSE(dialog->Radio(Option::FontSizeInc, 2)->isEnabled());
    EXPECT_TRUE(dialog->Radio(Option::FontSizeInc, 4)->isChecked()) << "a disabled choice keeps its selection";

    dialog->Check(Option::Drives_hidden)->click();
    dialog->Check(Option::Drives_subfolders)->click();
    EXPECT_FALSE(dialog->Check(Option::Drives_files)->isEnabled());
    EXPECT_TRUE(dialog->Check(Option::Drives_files)->isChecked());
    EXPECT_TRUE(dialog->Check(Option::Drives_hidden)->isChecked());
    EXPECT_EQ(stored("Drives_hidden"), 0u);
    EXPECT_FALSE(bar.settings.Drives_files);
    dialog->Check(Option::Drives_subfolders)->click();
    EXPECT_TRUE(dialog->Check(Option::Drives_hidden)->isEnabled());
    EXPECT_EQ(stored("Drives_hidden"), 1u);
    EXPECT_EQ(stored("Drives_files"), 1u);
    dialog->Check(Option::Drives_files)->click();
    EXPECT_EQ(stored("Drives_files"), 0u);
    dialog->Check(Option::Drives_fullimages)->click();
    EXPECT_TRUE(bar.settings.Drives_fullimages);
    EXPECT_EQ(stored("Drives_fullimages"), 1u);

    dialog->ShowPage(OptionsPage::s6);
    dialog->Radio(Option::Explorer, 2)->click();
    EXPECT_EQ(bar.settings.Explorer, 2);
    EXPECT_EQ(stored("Explorer"), 2u);
    EXPECT_TRUE(prompts.shown.isEmpty());
}

TEST_F(Options, BarButtonBoxesAndTheirSampleButtons)
{
    auto dialog = open("Normal");
    dialog->Tree()->setCurrentItem(dialog->Tree()->topLevelItem(5));
    EXPECT_EQ(dialog->CurrentPage(), OptionsPage::s5);
    EXPECT_EQ(dialog->Title()->text(), Str(216));
    const char* settings[] = {"Button_favs", "Button_slinks", "Button_email",
                              "Button_winfolders", "Button_efolders", "Button_search"};
    for (int i = 0; i < OptionalButtonCount; ++i) {
        const OptionalBarButton& b = OptionalBarButtons()[size_t(i)];
        QCheckBox* box = dialog->Check(b.setting);
        EXPECT_EQ(box->text(), Str(HintStringId(b.button)));
        bar.calls.clear();
        box->click();
        EXPECT_FALSE(bar.settings.*b.shown) << settings[i];
        EXPECT_EQ(stored(settings[i]), 0u) << settings[i];
        EXPECT_EQ(bar.calls.value(0), QStringLiteral("button %1 0").arg(int(b.button)));
    }

    // The first five samples drop the bar's sample menu; the search sample only clicks.
    QTest::mousePress(dialog->SampleButton(1), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(dialog->SampleButton(1), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(keys, QStringList{"configuration_demo"});
    ASSERT_EQ(drops.size(), 1);
    QTest::mouseClick(dialog->SampleButton(5), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(drops.size(), 1);
}

TEST_F(Options, ListPagesEditReorderAndDropAndRewriteTheirFilesAtOnce)
{
    WriteBytes(list("www"), "// h\r\nA|http://a/\r\nB|http://b/\r\nC|http://c/\r\n");
    auto dialog = open("Normal");
    dialog->ShowPage(OptionsPage::s3);
    ListPageView* web = dialog->List(ListKind::WebLinks);
    ListEditorView* view = web->view();
    ASSERT_EQ(view->model()->rowCount(), 3);
    EXPECT_EQ(view->model()->headerData(1, Qt::Horizontal), Str(252));
    EXPECT_EQ(view->columnWidth(0), 175);

    web->EditClick(); // nothing selected: nothing asked
    EXPECT_TRUE(modes.isEmpty());
    view->selectRow(1);
    entries.push_back(EditorRow{"", "http://b.example/"});
    web->EditClick();
    EXPECT_EQ(modes, QList<int>{3});
    web->UpClick();
    EXPECT_EQ(view->currentRow(), 0);
    web->UpClick(); // first row: nothing
    EXPECT_EQ(ReadBytes(list("www")), "// www - Parvo - Do not change this file!\r\n"
                                      "B|http://b.example/\r\nA|http://a/\r\nC|http://c/\r\n");

    // A row dropped onto another, as the view's own drag delivers it.
    std::unique_ptr<QMimeData> data(view->rowDragData(0));
    const QPoint onto = view->visualRect(view->model()->index(2, 0)).center();
    EXPECT_EQ(Drop(view, onto, Qt::MoveAction, data.get()), Qt::MoveAction);
    EXPECT_EQ(view->currentRow(), 2);
    emit view->dragEnded();
    EXPECT_EQ(ReadBytes(list("www")), "// www - Parvo - Do not change this file!\r\n"
                                      "A|http://a/\r\nC|http://c/\r\nB|http://b.example/\r\n");
    web->DeleteClick();
    EXPECT_EQ(view->model()->rowCount(), 2);

    // The e-mail page imports after its rows.
    ListPageView* mail = dialog->List(ListKind::Email);
    imported = QList<EditorRow>{{"Anna", "anna@example.org"}, {"Bob", "bob@example.org"}};
    mail->ImportClick();
    entries.push_back(EditorRow{"Carla", "carla@example.org"});
    mail->AddClick();
    EXPECT_EQ(modes, (QList<int>{3, 2}));
    EXPECT_EQ(ReadBytes(list("email")), "// email - Parvo - Do not change this file!\r\n"
                                        "Anna|anna@example.org\r\nBob|bob@example.org\r\nCarla|carla@example.org\r\n");
    EXPECT_TRUE(bar.calls.isEmpty()) << "web links and addresses need nothing of the bar";
}

TEST_F(Options, ProgramsDroppedAsLinksRenamedAndDeleted)
{
    const QString calc = tmp.path() + "/bin/calc.exe";
    WriteBytes(calc, "x", true);
    const QString desktop = tmp.path() + "/apps/org.example.Editor.desktop";
    WriteBytes(desktop, "[Desktop Entry]\nType=Application\nName=Editor\nExec=true\n");
    auto dialog = open("Normal");
    dialog->ShowPage(OptionsPage::s2);
    ListPageView* page = dialog->List(ListKind::Programs);
    ListEditorView* view = page->view();

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(calc), QUrl::fromLocalFile(desktop), QUrl("http://www.example.com/")});
    EXPECT_EQ(Drop(view, {20, 20}, Qt::CopyAction, &files), Qt::IgnoreAction) << "only drags that offer a link";
    EXPECT_EQ(ReadBytes(list("shortcut")), "// shortcut - Parvo - Do not change this file!\r\n");
    EXPECT_EQ(Drop(view, {20, 20}, Qt::CopyAction | Qt::LinkAction, &files), Qt::LinkAction);
    EXPECT_EQ(LnkTarget(ShortcutFilePath(program, "calc")), calc);
    EXPECT_EQ(LnkTarget(ShortcutFilePath(program, "org.example.Editor")), desktop);
    EXPECT_EQ(ReadBytes(list("shortcut")),
              "// shortcut - Parvo - Do not change this file!\r\ncalc\r\norg.example.Editor\r\n");
    EXPECT_EQ(bar.calls, QStringList({"buttons", "relayout"}));
    EXPECT_EQ(view->currentRow(), 1);

    // Rename: refused names change nothing and say nothing.
    prompts.texts = {QString("a/b"), QString("Editor")};
    page->RenameClick();
    EXPECT_TRUE(QFile::exists(ShortcutFilePath(program, "org.example.Editor")));
    page->RenameClick();
    EXPECT_EQ(LnkTarget(ShortcutFilePath(program, "Editor")), desktop);
    EXPECT_EQ(prompts.shown, QStringList({Str(259), Str(259)}));
    EXPECT_EQ(ReadBytes(list("shortcut")), "// shortcut - Parvo - Do not change this file!\r\ncalc\r\nEditor\r\n");

    // A dropped shortcut is copied as it is.
    const QByteArray bytes = ReadBytes(ShortcutFilePath(program, "calc"));
    const QString elsewhere = tmp.path() + "/Calcolatrice.lnk";
    WriteBytes(elsewhere, bytes);
    QMimeData one;
    one.setUrls({QUrl::fromLocalFile(elsewhere)});
    Drop(view, {20, 20}, Qt::LinkAction, &one);
    EXPECT_EQ(ReadBytes(ShortcutFilePath(program, "Calcolatrice")), bytes);

    view->selectRow(0);
    page->DeleteClick();
    EXPECT_EQ(ReadBytes(list("shortcut")),
              "// shortcut - Parvo - Do not change this file!\r\nEditor\r\nCalcolatrice\r\n");
}

TEST_F(Options, AStoreThatCannotBeWrittenIsReportedOnce)
{
    // Nothing can be written where a file stands in for the folder.
    QFile::remove(registryFile());
    QDir(dirs.configHome + "/parvo").removeRecursively();
    WriteBytes(dirs.configHome + "/parvo", "not a folder");
    WriteBytes(dirs.configHome + "/autostart", "not a folder");
    reg = std::make_unique<LinuxRegistry>(registryFile(), dirs);
    auto dialog = open("Normal");
    dialog->Check(Option::Stay)->click();
    dialog->Check(Option::Tray)->click();
    EXPECT_TRUE(bar.settings.AlwaysOnTop);
    EXPECT_FALSE(bar.settings.TrayIconVisible);
    EXPECT_EQ(prompts.shown, QStringList{Str(100) + ' ' + Str(280)});
    dialog->AutostartBox()->click();
    EXPECT_FALSE(dialog->AutostartBox()->isChecked());
    EXPECT_EQ(prompts.shown.value(1), Str(100) + ' ' + Str(281));
}

TEST_F(Options, WebLinksAreAddedAndEditedInTheAddDialogWithoutItsBrowseButton)
{
    // The add dialog comes up over the options as soon as they open from the web-links menu.
    QStringList seen;
    const auto answer = [&seen](const QString& name, const QString& address) {
        auto* poll = new QTimer;
        poll->start(10);
        QObject::connect(poll, &QTimer::timeout, [poll, &seen, name, address] {
            auto* add = qobject_cast<TAddDlg*>(QApplication::activeModalWidget());
            if (!add)
                return;
            poll->deleteLater();
            poll->stop();
            seen << add->windowTitle() << add->Edit1->text() << QString::number(add->Button3->isEnabled())
                 << QString::number(add->Button1->isVisibleTo(add));
            add->Edit1->setText(name);
            add->Edit2->setText(address);
            add->Button3->click();
        });
    };
    answer("Esempio", "http://www.example.com/");
    auto dialog = open("Slinks", false, true);
    EXPECT_EQ(seen, QStringList({Str(144) + " [ Parvo ]", "", "0", "0"}));
    ListPageView* web = dialog->List(ListKind::WebLinks);
    web->view()->selectRow(0);
    seen.clear();
    answer("Esempio", "http://example.org/");
    web->EditClick();
    EXPECT_EQ(seen, QStringList({Str(145) + " [ Parvo ]", "Esempio", "1", "0"}));
    EXPECT_EQ(ReadBytes(list("www")), "// www - Parvo - Do not change this file!\r\nEsempio|http://example.org/\r\n");
}
