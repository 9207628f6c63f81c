// The copy / move / compress / extract dialog, and a drop carried out for each choice
// against real folders.

#include "../unit/TempFiles.h"
#include "FakeDrives.h"
#include "FakePrompts.h"
#include "FakeRegistry.h"
#include "UiApp.h"
#include "app/StringTable.h"
#include "dialogs/DestinationHistory.h"
#include "dialogs/TCopMovDlg.h"
#include "widgets/DriveFolderModel.h"
#include "widgets/FileOpsWindow.h"
#include "widgets/TPlumBut.h"
#include "zip/TZip.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

using namespace parvo;

namespace {

class CopMovDlg : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::App();
        zip.DllDir = QStringLiteral(PARVO_PROGRAM_DIR);
        zip.ShowProgressDialog = false;
        drives.drives = {{QChar('C'), QStringLiteral("/"), DriveFixed, {}},
                         {QChar('D'), dir.path() + QLatin1Char('/'), DriveRemovable, {}}};
        test::WriteBytes(dir.filePath(QStringLiteral("src/report.txt")), "report");
        test::WriteBytes(dir.filePath(QStringLiteral("src/folder/inner.txt")), "inner");
        QDir().mkpath(dir.filePath(QStringLiteral("dest")));
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    DropServices services() { return {reg, prompts, drives, fileOps, zip, dir.path(), QStringLiteral("Parvo")}; }

    QTemporaryDir dir;
    FakeRegistry reg;
    FakePrompts prompts;
    FakeDrives drives;
    FileOpsWindow fileOps{prompts, nullptr};
    TZip zip{{prompts, &drives, QString(), {}}};
};

TEST_F(CopMovDlg, TheThirdChoiceExtractsExactlyOneArchive)
{
    struct Case {
        QStringList files;
        bool extract;
    };
    for (const Case& c : {Case{{QStringLiteral("/x/A.ZIP")}, true}, Case{{QStringLiteral("/x/a.zip"), QStringLiteral("/x/b.zip")}, false},
                          Case{{QStringLiteral("/x/a.zip"), QStringLiteral("/x/b.txt")}, false},
                          Case{{QStringLiteral("/x/zip")}, false}}) {
        TCopMovDlg dlg(services(), {c.files, {}});
        EXPECT_EQ(dlg.ExtractMode(), c.extract) << c.files.join(' ').toStdString();
        EXPECT_EQ(dlg.RadioButton3->text(), Str(c.extract ? 165 : 166));
    }
}

TEST_F(CopMovDlg, EveryControlHasItsTextAndThePanelsFollowTheChoice)
{
    TCopMovDlg dlg(services(), {{path(QStringLiteral("src/report.txt"))}, {}});
    dlg.Prepare(1, true, QString());
    dlg.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(dlg.size(), QSize(552, 423));
    EXPECT_EQ(dlg.windowTitle(), Str(160) + QStringLiteral(" [ Parvo ]"));
    EXPECT_EQ(dlg.Label1->text(), Str(161));
    EXPECT_EQ(dlg.Label2->text(), QStringLiteral("1"));
    EXPECT_TRUE(dlg.RadioButton2->isChecked());
    EXPECT_EQ(dlg.Edit2->text(), QStringLiteral("zip_parvo.zip"));
    EXPECT_EQ(dlg.PlumBut1->text(), Str(179));
    EXPECT_EQ(dlg.PlumBut2->text(), Str(180));
    EXPECT_EQ(dlg.PlumBut3->text(), Str(60));
    EXPECT_EQ(dlg.PlumBut4->text(), Str(181));
    EXPECT_EQ(dlg.Button2->text(), Str(140));
    EXPECT_EQ(dlg.Label7->text(), Str(500) + QStringLiteral("\n-\n") + Str(504));
    EXPECT_FALSE(dlg.GroupBox1->isVisible());
    EXPECT_FALSE(dlg.Edit2->isVisible());
    EXPECT_TRUE(dlg.PlumBut1->isChecked());
    EXPECT_EQ(dlg.Notebook1->currentWidget(), static_cast<QWidget*>(dlg.Dirtree1));

    dlg.RadioButton3->click();
    EXPECT_TRUE(dlg.GroupBox1->isVisible());
    EXPECT_TRUE(dlg.Edit2->isVisible());
    EXPECT_EQ(dlg.GroupBox1->title(), Str(170));
    EXPECT_EQ(dlg.CheckBox1->text(), Str(176));
    EXPECT_FALSE(dlg.CheckBox2->isVisible());
    EXPECT_TRUE(dlg.Edit2->hasFocus() || QApplication::focusWidget() == dlg.Edit2);
    if (const char* shot = getenv("PARVO_SHOTS"))
        dlg.grab().save(QString::fromLocal8Bit(shot) + QStringLiteral("/copmov-compress.png"));
    dlg.RadioButton1->click();
    EXPECT_FALSE(dlg.GroupBox1->isVisible());
    EXPECT_FALSE(dlg.Edit2->isVisible());

    TCopMovDlg extract(services(), {{path(QStringLiteral("a.zip"))}, {}});
    extract.show();
    extract.RadioButton3->click();
    EXPECT_EQ(extract.GroupBox1->title(), Str(167));
    EXPECT_EQ(extract.CheckBox1->text(), Str(168));
    EXPECT_EQ(extract.CheckBox2->text(), Str(169));
    EXPECT_TRUE(extract.CheckBox2->isVisible());
    EXPECT_FALSE(extract.Edit2->isVisible());
}

TEST_F(CopMovDlg, TypedDriveLettersAndFoldersAreCompleted)
{
    TCopMovDlg dlg(services(), {{path(QStringLiteral("src/report.txt"))}, {}});
    dlg.show();
    QTest::keyClicks(dlg.Edit1, QStringLiteral("c"));
    EXPECT_EQ(dlg.Edit1->text(), QStringLiteral("c:/"));
    EXPECT_EQ(dlg.Edit1->selectedText(), QStringLiteral(":/"));
    EXPECT_EQ(dlg.ConfirmedDestination(), QStringLiteral("c:/"));
    QTest::keyClick(dlg.Edit1, Qt::Key_Backspace); // the offer goes, nothing new is offered
    EXPECT_EQ(dlg.Edit1->text(), QStringLiteral("c"));
    EXPECT_EQ(TCopMovDlg::LastEditKey, 8);
    dlg.Edit1->clear();
    QTest::keyClicks(dlg.Edit1, QStringLiteral("d:"));
    EXPECT_EQ(dlg.Edit1->text(), QStringLiteral("d:/"));
    EXPECT_EQ(dlg.Edit1->selectedText(), QStringLiteral("/"));
    EXPECT_EQ(dlg.Answers().destination, dir.path() + QLatin1Char('/'));

    // A longer text completes the first folder whose name it begins.
    dlg.Edit1->clear();
    QTest::keyClicks(dlg.Edit1, path(QStringLiteral("de")));
    QTRY_COMPARE(dlg.Edit1->text(), path(QStringLiteral("dest")));
    EXPECT_EQ(dlg.Edit1->selectedText(), QStringLiteral("st"));
    EXPECT_EQ(dlg.ConfirmedDestination(), path(QStringLiteral("dest")));
}

TEST_F(CopMovDlg, TheListsFillTheDestination)
{
    RecordDestination(reg, path(QStringLiteral("dest")));
    test::WriteBytes(path(QStringLiteral("data/efolder.mke")), "// efolder - Parvo - Do not change this file!\nSource|" + QFile::encodeName(path(QStringLiteral("src"))) + "\n");
    TCopMovDlg dlg(services(), {{path(QStringLiteral("src/report.txt"))}, {}});
    dlg.show();
    dlg.PlumBut2->click();
    ASSERT_EQ(dlg.cuList->count(), 1);
    EXPECT_EQ(dlg.Notebook1->currentWidget(), static_cast<QWidget*>(dlg.cuList));
    emit dlg.cuList->itemClicked(dlg.cuList->item(0));
    EXPECT_EQ(dlg.Edit1->text(), path(QStringLiteral("dest")));
    EXPECT_EQ(dlg.ConfirmedDestination(), path(QStringLiteral("dest")));
    dlg.PlumBut3->click();
    ASSERT_EQ(dlg.cuList->count(), 1);
    EXPECT_EQ(dlg.cuList->item(0)->text(), path(QStringLiteral("src")));
    dlg.PlumBut1->click();
    EXPECT_EQ(dlg.Notebook1->currentWidget(), static_cast<QWidget*>(dlg.Dirtree1));

    // A new folder under the one in the edit.
    dlg.Edit1->setText(path(QStringLiteral("dest")));
    prompts.texts = {QStringLiteral("nuova")};
    dlg.PlumBut4->click();
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("dest/nuova"))).isDir());
    EXPECT_EQ(dlg.Edit1->text(), path(QStringLiteral("dest/nuova/")));
    EXPECT_EQ(dlg.ConfirmedDestination(), path(QStringLiteral("dest/nuova/")));
    prompts.texts = {QStringLiteral("nuova")}; // it is there now
    dlg.Edit1->setText(path(QStringLiteral("dest")));
    dlg.PlumBut4->click();
    EXPECT_EQ(prompts.shown.last(), Str(100) + QLatin1Char(' ') + Str(106));
}

TEST_F(CopMovDlg, TheFolderTreeHoldsTheDrivesAndTheirFolders)
{
    TCopMovDlg dlg(services(), {{path(QStringLiteral("src/report.txt"))}, {}});
    QAbstractItemModel* tree = dlg.Dirtree1->model();
    ASSERT_EQ(tree->rowCount(), 2);
    EXPECT_EQ(tree->index(0, 0).data().toString(), QStringLiteral("C:  /"));
    EXPECT_EQ(tree->index(1, 0).data().toString(), QStringLiteral("D:  ") + dir.path());

    // The proposed destination is shown chosen once read; the edit keeps its text.
    dlg.Prepare(1, false, path(QStringLiteral("src/folder")));
    dlg.show();
    auto current = [&] { return dlg.Dirtree1->currentIndex().data(DriveFolderModel::PathRole).toString(); };
    QTRY_COMPARE(current(), path(QStringLiteral("src/folder")));
    EXPECT_EQ(dlg.Edit1->text(), path(QStringLiteral("src/folder")));

    // Choosing rows: a folder lower-cased where that still names it, a drive as its root.
    const QModelIndex d = tree->index(1, 0);
    ASSERT_EQ(tree->rowCount(d), 2);
    EXPECT_EQ(tree->index(0, 0, d).data().toString(), QStringLiteral("dest"));
    dlg.Dirtree1->setCurrentIndex(tree->index(0, 0, d));
    EXPECT_EQ(dlg.Edit1->text(), FoldedPath(path(QStringLiteral("dest"))));
    EXPECT_EQ(dlg.ConfirmedDestination(), dlg.Edit1->text());
    dlg.Dirtree1->setCurrentIndex(d);
    EXPECT_EQ(dlg.Edit1->text(), dir.path() + QLatin1Char('/'));

    // A new folder is in the tree at once, and chosen.
    dlg.Edit1->setText(path(QStringLiteral("dest")));
    prompts.texts = {QStringLiteral("Nuova")};
    dlg.PlumBut4->click();
    QTRY_COMPARE(current(), path(QStringLiteral("dest/Nuova")));
    EXPECT_EQ(dlg.Edit1->text(), path(QStringLiteral("dest/Nuova/")));
}

class DropChoices : public CopMovDlg {
protected:
    // The drop as both handlers carry it out, the dialog answered as given.
    QString drop(const QStringList& files, const std::function<void(TCopMovDlg&)>& answer, const QString& to)
    {
        TCopMovDlg dlg(services(), {files, {}});
        dlg.Prepare(int(files.size()), false, to);
        dlg.show();
        answer(dlg);
        QString destination = QStringLiteral("unchanged");
        QString status;
        ExecuteDropOperation(dlg, {files, {}}, destination, [&](const QString& s) { status = s; });
        lastDestination = destination;
        return status;
    }
    QString lastDestination;
};

TEST_F(DropChoices, EachChoiceDoesItsWorkInTheDestination)
{
    const QString dest = path(QStringLiteral("dest"));
    const QStringList files{path(QStringLiteral("src/report.txt")), path(QStringLiteral("src/folder"))};

    EXPECT_EQ(drop(files, [](TCopMovDlg&) {}, dest), Str(75));
    EXPECT_EQ(lastDestination, dest);
    EXPECT_EQ(test::ReadBytes(dest + QStringLiteral("/folder/inner.txt")), "inner");
    EXPECT_EQ(LoadHistory(reg), QStringList{dest});

    // Compress: an archive of the dropped things, named from where they were.
    EXPECT_EQ(drop(files, [](TCopMovDlg& d) {
        d.RadioButton3->click();
        d.Edit2->setText(QStringLiteral("Pacco"));
    }, dest), Str(75));
    const QString archive = dest + QStringLiteral("/pacco.zip");
    QProcess list;
    list.start(QStringLiteral("zipinfo"), {QStringLiteral("-1"), archive});
    list.waitForFinished();
    QStringList names = QString::fromUtf8(list.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral("folder/inner.txt"), QStringLiteral("report.txt")}));

    // Extract it elsewhere, with its folders.
    QDir().mkpath(path(QStringLiteral("out")));
    EXPECT_EQ(drop({archive}, [](TCopMovDlg& d) { d.RadioButton3->click(); }, path(QStringLiteral("out"))), Str(75));
    EXPECT_EQ(test::ReadBytes(path(QStringLiteral("out/folder/inner.txt"))), "inner");

    // Move: the sources go; a file already there is replaced only when the user says so.
    QStringList asked;
    fileOps.AskOverwrite = [&](QWidget*, const QString& target) {
        asked << target;
        return OverwriteAnswer::No;
    };
    test::WriteBytes(path(QStringLiteral("moved/report.txt")), "mine");
    EXPECT_EQ(drop(files, [](TCopMovDlg& d) { d.RadioButton2->click(); }, path(QStringLiteral("moved"))), Str(75));
    EXPECT_EQ(asked, QStringList{path(QStringLiteral("moved/report.txt"))});
    EXPECT_EQ(test::ReadBytes(path(QStringLiteral("moved/report.txt"))), "mine");
    EXPECT_EQ(test::ReadBytes(path(QStringLiteral("moved/folder/inner.txt"))), "inner");
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("src/folder"))));
    EXPECT_EQ(test::ReadBytes(path(QStringLiteral("src/report.txt"))), "report");
    // The skipped file is told about.
    EXPECT_TRUE(prompts.shown.last().contains(Str(576))) << prompts.shown.join('|').toStdString();
}

TEST_F(DropChoices, TheExtractOptionsChooseFoldersAndReplacing)
{
    const QString dest = path(QStringLiteral("dest"));
    ASSERT_EQ(drop({path(QStringLiteral("src/report.txt")), path(QStringLiteral("src/folder"))}, [](TCopMovDlg& d) {
        d.RadioButton3->click();
        d.Edit2->setText(QStringLiteral("pacco"));
    }, dest), Str(75));
    const QStringList archive{dest + QStringLiteral("/pacco.zip")};

    // Without sub-folders: every file straight into the destination.
    const QString flat = path(QStringLiteral("flat"));
    QDir().mkpath(flat);
    EXPECT_EQ(drop(archive, [](TCopMovDlg& d) {
        d.RadioButton3->click();
        d.CheckBox1->setChecked(false);
    }, flat), Str(75));
    EXPECT_EQ(QDir(flat).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{QStringLiteral("inner.txt"), QStringLiteral("report.txt")}));

    // Overwriting: an older file is replaced unasked, a newer one kept and named.
    test::WriteBytes(flat + QStringLiteral("/inner.txt"), "older");
    test::WriteBytes(flat + QStringLiteral("/report.txt"), "newer");
    struct timespec old[2] = {{0, UTIME_OMIT}, {946684800, 0}};
    utimensat(AT_FDCWD, QFile::encodeName(flat + QStringLiteral("/inner.txt")).constData(), old, 0);
    prompts.shown.clear();
    drop(archive, [](TCopMovDlg& d) {
        d.RadioButton3->click();
        d.CheckBox1->setChecked(false);
        d.CheckBox2->setChecked(true);
    }, flat);
    EXPECT_EQ(test::ReadBytes(flat + QStringLiteral("/inner.txt")), "inner");
    EXPECT_EQ(test::ReadBytes(flat + QStringLiteral("/report.txt")), "newer");
    ASSERT_EQ(prompts.shown.size(), 1);
    EXPECT_TRUE(prompts.shown.first().contains(QStringLiteral("report.txt (") + Str(65319)));
}

TEST_F(DropChoices, ADropOntoItselfOrNowhereDoesNothing)
{
    const QStringList files{path(QStringLiteral("src/report.txt")), path(QStringLiteral("src/folder"))};
    // Into the folder they are in, and a folder into itself.
    for (const QString& to : {path(QStringLiteral("src")), path(QStringLiteral("src/folder"))}) {
        prompts.shown.clear();
        EXPECT_EQ(drop(files, [](TCopMovDlg& d) { d.RadioButton2->click(); }, to), QString());
        EXPECT_EQ(prompts.shown, QStringList{Str(100) + QLatin1Char(' ') + Str(105)});
        EXPECT_EQ(test::ReadBytes(path(QStringLiteral("src/folder/inner.txt"))), "inner");
        EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("src/folder/folder"))));
    }
    prompts.shown.clear();
    EXPECT_EQ(drop(files, [](TCopMovDlg&) {}, path(QStringLiteral("missing"))), QString());
    EXPECT_EQ(lastDestination, QStringLiteral("unchanged"));
    EXPECT_EQ(prompts.shown, QStringList{Str(100) + QLatin1Char(' ') + Str(102)});
    EXPECT_FALSE(LoadHistory(reg).join('|').contains(QStringLiteral("missing")));

    // An archive gone between the drop and OK is named, and nothing takes its place.
    prompts.shown.clear();
    const QString gone = path(QStringLiteral("src/gone.zip"));
    EXPECT_EQ(drop({gone}, [](TCopMovDlg& d) { d.RadioButton3->click(); }, path(QStringLiteral("dest"))), Str(76));
    ASSERT_EQ(prompts.shown.size(), 1);
    EXPECT_TRUE(prompts.shown.first().contains(gone));
    EXPECT_FALSE(QFileInfo::exists(gone));
}

TEST_F(DropChoices, AnArchiveWithoutANameIsAskedAbout)
{
    const QString dest = path(QStringLiteral("dest"));
    prompts.answers = {PromptAnswer::No, PromptAnswer::Yes};
    auto unnamed = [](TCopMovDlg& d) {
        d.RadioButton3->click();
        d.Edit2->clear();
    };
    EXPECT_EQ(drop({path(QStringLiteral("src/report.txt"))}, unnamed, dest), QString());
    EXPECT_FALSE(QFileInfo::exists(dest + QStringLiteral("/zip_parvo.zip")));
    EXPECT_EQ(prompts.shown.last(), Str(35) + QLatin1Char('\r') + Str(36) + QStringLiteral(" zip_parvo.zip"));
    EXPECT_EQ(prompts.boxes.last(), (FakePrompts::Box{PromptButtons::YesNo, PromptIcon::Question, 1}));
    EXPECT_EQ(drop({path(QStringLiteral("src/report.txt"))}, unnamed, dest), Str(75));
    EXPECT_TRUE(QFileInfo::exists(dest + QStringLiteral("/zip_parvo.zip")));
    EXPECT_EQ(drop({path(QStringLiteral("src/report.txt"))}, [](TCopMovDlg& d) {
        d.RadioButton3->click();
        d.Edit2->setText(QStringLiteral("note.txt"));
    }, dest), Str(75));
    EXPECT_TRUE(QFileInfo::exists(dest + QStringLiteral("/note.txt.zip")));
}

} // namespace
