#include "FakeRegistry.h"
#include "TempFiles.h"
#include "app/StringTable.h"
#include "dialogs/AddDlgModes.h"
#include "dialogs/FolderEntryName.h"
#include "dialogs/PvfolderLayout.h"
#include "dialogs/PvfolderList.h"
#include "settings/RegistryKeys.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace parvo;
using test::ReadBytes;
using test::WriteBytes;

namespace {

struct Pvfolders : ::testing::Test {
    QTemporaryDir dir;
    QString program = dir.path() + "/prog/";
    QString folders = dir.path() + "/cartelle/";
    QString efolder = program + "data/efolder.mke";

    void SetUp() override
    {
        for (const char* name : {"Tools", "Foto", "Musica"})
            QDir().mkpath(folders + name);
    }
    QString Folder(const char* name) const { return folders + name; }
};

DriveInfo Drive(char letter, const QString& root, int type = DriveFixed)
{
    return {QChar(letter), root, type, {}};
}

} // namespace

TEST_F(Pvfolders, ReadsTheListAndRewritesItWholeAfterEachChange)
{
    WriteBytes(efolder, "// efolder - Parvo - Do not change this file!\r\nDesktop|" + Folder("Foto").toUtf8()
                            + ">11\r\nMusica|" + Folder("Musica").toUtf8() + "\r\n\r\nHidden|/nowhere\r\n");
    PvfolderList list(program);
    list.ShowPvfolders();
    ASSERT_EQ(list.rows(), (QList<PvfolderRow>{{"Desktop", Folder("Foto"), 10}, {"Musica", Folder("Musica"), 10}}));

    EXPECT_EQ(list.Add("Tools [C]", Folder("Tools")), (PvfolderReply{0, 77}));
    const QByteArray header = "// pvfolder - Parvo - Do not change this file!\r\n";
    // The flags of the first-run entry go, and the lines after the empty one with them.
    EXPECT_EQ(ReadBytes(efolder), header + "Desktop|" + Folder("Foto").toUtf8() + "\r\nMusica|"
                                      + Folder("Musica").toUtf8() + "\r\nTools [C]|" + Folder("Tools").toUtf8()
                                      + "\r\n");

    EXPECT_EQ(list.Edit(0, "Foto", Folder("Tools")), (PvfolderReply{0, 78})); // a duplicate is fine on edit
    EXPECT_EQ(list.Remove(1), (PvfolderReply{0, 79}));
    EXPECT_EQ(ReadBytes(efolder), header + "Foto|" + Folder("Tools").toUtf8() + "\r\nTools [C]|"
                                      + Folder("Tools").toUtf8() + "\r\n");
    // The file is replaced, never written in place.
    EXPECT_FALSE(QFileInfo::exists(efolder + ".tmp"));
}

TEST_F(Pvfolders, AddRefusesWhatCannotBeListed)
{
    PvfolderList list(program);
    list.ShowPvfolders(); // the missing list is created
    EXPECT_TRUE(QFileInfo::exists(efolder));
    ASSERT_EQ(list.Add("Tools", Folder("Tools")), (PvfolderReply{0, 77}));

    // Listed already, in another letter case or with a final "/".
    EXPECT_EQ(list.Add("Altro", Folder("TOOLS")), (PvfolderReply{74, 0}));
    EXPECT_EQ(list.Add("Altro", Folder("Tools") + "/"), (PvfolderReply{74, 0}));
    EXPECT_TRUE(list.IsListed(Folder("tools")));
    // Not a folder: missing, a file, empty.
    WriteBytes(folders + "file.txt", "x");
    for (const QString& path : {Folder("Nowhere"), folders + "file.txt", QString()})
        EXPECT_EQ(list.Add("X", path), (PvfolderReply{26, 0})) << path.toStdString();
    // A name or folder that would break the list line.
    QDir().mkpath(folders + "a>b");
    QDir().mkpath(folders + "two\nlines");
    EXPECT_EQ(list.Add("X", folders + "a>b"), (PvfolderReply{UnstorableEntryText, 0}));
    EXPECT_EQ(list.Add("X", folders + "two\nlines"), (PvfolderReply{UnstorableEntryText, 0}));
    EXPECT_EQ(list.Add("a|b", Folder("Foto")), (PvfolderReply{UnstorableEntryText, 0}));
    EXPECT_EQ(list.Edit(0, "a\nb", Folder("Foto")), (PvfolderReply{UnstorableEntryText, 0}));
    EXPECT_EQ(list.Edit(0, "X", Folder("Nowhere")), (PvfolderReply{26, 0}));
    EXPECT_EQ(list.rows().size(), 1);
    EXPECT_EQ(list.rows().at(0).caption, "Tools");
    // Rows that are not there change nothing.
    EXPECT_EQ(list.Edit(5, "X", Folder("Foto")), PvfolderReply{});
    EXPECT_EQ(list.Remove(-1), PvfolderReply{});
    EXPECT_EQ(list.Remove(1), PvfolderReply{});
}

TEST_F(Pvfolders, AnUnreadableListIsNeverRewritten)
{
    // Something in the list's place that cannot be read as a file, whoever runs the test.
    QDir().mkpath(efolder);
    PvfolderList list(program);
    list.ShowPvfolders();
    EXPECT_TRUE(list.rows().isEmpty());
    EXPECT_EQ(list.Add("Tools", Folder("Tools")), (PvfolderReply{UnreadableListText, 0}));
    EXPECT_TRUE(list.rows().isEmpty());
    EXPECT_TRUE(QFileInfo(efolder).isDir());
}

TEST_F(Pvfolders, ADamagedListReadsAsWhatItHolds)
{
    // No header line of its own, a byte that is not UTF-8, no line end at the close.
    WriteBytes(efolder, QByteArray("Tools|") + Folder("Tools").toUtf8() + "\r\nsenza barra\r\nxy|/p\xE9>1");
    PvfolderList list(program);
    list.ShowPvfolders();
    ASSERT_EQ(list.rows().size(), 2); // the first line is always taken as the header
    EXPECT_EQ(list.rows().at(0), (PvfolderRow{"", "senza barra", 10}));
    EXPECT_EQ(list.rows().at(1).caption, "xy");
    EXPECT_EQ(list.rows().at(1).path, QString::fromLatin1("/p\xE9"));
    EXPECT_EQ(list.Add("Tools", Folder("Tools")), (PvfolderReply{0, 77}));
    EXPECT_EQ(list.rows().size(), 3);
}

TEST_F(Pvfolders, RowsChangedWhileAFolderIsLookedForAreNeverOverwritten)
{
    FakeRegistry reg;
    reg.setValue(RegRoot::CurrentUser, keys::ShellFolders, "Favorites", RegValue::fromText(Folder("Musica")));
    PvfolderList list(program);
    list.ShowPvfolders();
    ASSERT_EQ(list.Add("Tools", Folder("Tools")), (PvfolderReply{0, 77}));
    const QByteArray before = ReadBytes(efolder);

    // The bar shows the system folders while the disk is asked: those rows must not be
    // written into the favourite-folder list.
    QStringList winFolderList;
    list.SetFolderTest([&](const QString&) {
        list.ShowWindowsFolders(reg, winFolderList);
        return true;
    });
    EXPECT_EQ(list.Add("Foto", Folder("Foto")), PvfolderReply{});
    EXPECT_EQ(ReadBytes(efolder), before);

    // A row removed meanwhile: the edit of the row that was there is dropped.
    list.ShowPvfolders();
    list.SetFolderTest([&](const QString&) {
        list.Remove(0);
        return true;
    });
    EXPECT_EQ(list.Edit(0, "Foto", Folder("Foto")), PvfolderReply{});
    EXPECT_TRUE(list.rows().isEmpty());

    // Nothing changed meanwhile: the answer counts.
    list.SetFolderTest([](const QString&) { return false; });
    EXPECT_EQ(list.Add("Foto", Folder("Foto")), (PvfolderReply{26, 0}));
}

TEST_F(Pvfolders, SystemFoldersViewIsReadOnlyAndKeepsTheTableOrder)
{
    FakeRegistry reg;
    const QString key = keys::ShellFolders;
    // Set in another order than the table's; Desktop and Personal missing; Cache points nowhere.
    reg.setValue(RegRoot::CurrentUser, key, "Cache", RegValue::fromText("/nowhere/cache"));
    reg.setValue(RegRoot::CurrentUser, key, "Recent", RegValue::fromText(Folder("Foto")));
    reg.setValue(RegRoot::CurrentUser, key, "Favorites", RegValue::fromText(Folder("Tools")));
    PvfolderList list(program);
    QStringList winFolderList;
    list.ShowWindowsFolders(reg, winFolderList);
    EXPECT_EQ(list.view(), PvfolderView::WindowsFolders);
    EXPECT_EQ(list.rows(), (QList<PvfolderRow>{{Str(124), Folder("Tools"), 2},
                                               {Str(130), Folder("Foto"), 1},
                                               {Str(132), "/nowhere/cache", 9}}));
    EXPECT_EQ(winFolderList.size(), 3);
    EXPECT_EQ(list.Add("X", Folder("Musica")), PvfolderReply{});
    EXPECT_EQ(list.Remove(0), PvfolderReply{});
    EXPECT_FALSE(QFileInfo::exists(efolder));
}

TEST_F(Pvfolders, DragOverAnswersAndDroppedFolders)
{
    const PvfolderRow row{"Tools", "/data/Tools", 10};
    const PvfolderDragOver move = PvfolderDragOverAt(PvfolderView::Pvfolders, &row, true);
    EXPECT_EQ(move.DropDestination, "/data/Tools");
    EXPECT_EQ(move.status, Str(183) + "/data/Tools"); // no blank between
    EXPECT_FALSE(move.refused);
    EXPECT_EQ(PvfolderDragOverAt(PvfolderView::WindowsFolders, &row, false).status, Str(182) + "/data/Tools");

    const PvfolderDragOver nowhere = PvfolderDragOverAt(PvfolderView::WindowsFolders, nullptr, true);
    EXPECT_EQ(nowhere.DropDestination, NoTargetMarker);
    EXPECT_TRUE(nowhere.refused);
    EXPECT_EQ(nowhere.status, Str(513));
    const PvfolderDragOver add = PvfolderDragOverAt(PvfolderView::Pvfolders, nullptr, false);
    EXPECT_FALSE(add.refused);
    EXPECT_EQ(add.status, Str(156));

    WriteBytes(folders + "file.txt", "x");
    EXPECT_EQ(DroppedFolders({Folder("Foto"), folders + "file.txt", "/gone", Folder("Tools")}),
              (QStringList{Folder("Foto"), Folder("Tools")}));
}

TEST(FolderEntryName, LetterOfTheMountHoldingThePath)
{
    const QList<DriveInfo> drives = {Drive('C', "/"), Drive('D', "/data/"), Drive('E', "/data/more/"),
                                     Drive('F', "/media/gone/", DriveNoRootDir)};
    EXPECT_EQ(DerivedFolderName("/data/Tools", drives), "Tools [D]");
    EXPECT_EQ(DerivedFolderName("/data/more/x/Tools/", drives), "Tools [E]");
    EXPECT_EQ(DerivedFolderName("/home/me/Tools", drives), "Tools [C]");
    // Not the first character of the path, and not a drive that is not there now.
    EXPECT_EQ(DerivedFolderName("/media/gone/Tools", drives), "Tools [C]");
    EXPECT_EQ(DerivedFolderName("/datax/Tools", drives), "Tools [C]");
    // A mount point gets the drive-root form.
    EXPECT_EQ(DerivedFolderName("/", drives), "[ / ]");
    EXPECT_EQ(DerivedFolderName("/data", drives), "[ /data ]");
    EXPECT_EQ(DerivedFolderName("/data/", drives), "[ /data/ ]");
    // Without drives the component stands alone.
    EXPECT_EQ(DerivedFolderName("/x/Tools", {}), "Tools");
    EXPECT_EQ(DerivedFolderName("/", {}), "[ / ]");
}

TEST(AddDlgModes, SixUsesAndTheirTexts)
{
    const struct {
        int mode, caption, label1, label2, note;
    } uses[] = {{0, 144, 146, 147, 501}, {3, 145, 146, 147, 501}, {2, 152, 154, 155, 503},
                {5, 153, 154, 155, 503}, {6, 156, 158, 159, 512}, {7, 157, 158, 159, 512}};
    for (const auto& use : uses) {
        const auto texts = AddDlgTextsFor(use.mode, "Parvo");
        ASSERT_TRUE(texts) << use.mode;
        EXPECT_EQ(texts->caption, Str(use.caption) + " [ Parvo ]");
        EXPECT_EQ(texts->label1, Str(use.label1));
        EXPECT_EQ(texts->label2, Str(use.label2));
        EXPECT_EQ(texts->note, Str(500) + "\n" + Str(use.note));
    }
    for (int other : {-1, 1, 4, 8})
        EXPECT_FALSE(AddDlgTextsFor(other, "Parvo")) << other;
}

TEST(PvfolderLayout, RowListAndStatusFillTheWindow)
{
    const PvfolderLayout l = LayOutPvfolder(400, 300, {120, 60, 95, 50});
    EXPECT_EQ(l.Panel1, QRect(0, 0, 400, 28));
    EXPECT_EQ(l.btnwin, QRect(2, 3, 80, 22));
    EXPECT_EQ(l.btne, QRect(82, 3, 95, 22)); // widened for its caption
    EXPECT_EQ(l.Bevel1.left(), 180);
    EXPECT_EQ(l.btnview, QRect(185, 3, 32, 22));
    EXPECT_EQ(l.btned.width(), 70);
    EXPECT_EQ(l.btnhelp, QRect(377, 3, 22, 22));
    EXPECT_EQ(l.List1, QRect(0, 28, 400, 252));
    EXPECT_EQ(l.status, QRect(0, 280, 400, 20));
    EXPECT_EQ(l.panel1, QRect(100, 0, 128, 20));
    EXPECT_EQ(l.panel2.left(), 228);
    // A window shorter than its rows keeps them; nothing gets a negative size.
    const PvfolderLayout tiny = LayOutPvfolder(10, 10, {});
    EXPECT_GE(tiny.List1.height(), 0);
    EXPECT_GE(tiny.status.height(), 0);
}

TEST(PvfolderLayout, StoredPlaceOffEveryScreenComesBack)
{
    const QList<QRect> screens = {QRect(0, 0, 1280, 800), QRect(1280, 0, 1024, 768)};
    EXPECT_EQ(VisiblePvfolderRect(QRect(100, 100, 400, 300), screens), QRect(100, 100, 400, 300));
    EXPECT_EQ(VisiblePvfolderRect(QRect(1500, 50, 400, 300), screens), QRect(1500, 50, 400, 300));
    // Off to the right, above the top, far below: back onto the first screen.
    EXPECT_EQ(VisiblePvfolderRect(QRect(5000, 100, 400, 300), screens), QRect(880, 100, 400, 300));
    EXPECT_EQ(VisiblePvfolderRect(QRect(100, -200, 400, 300), screens), QRect(100, 0, 400, 300));
    EXPECT_EQ(VisiblePvfolderRect(QRect(100, 790, 400, 300), screens), QRect(100, 500, 400, 300));
    // Sizes from a damaged setting: too small, or larger than any screen.
    EXPECT_EQ(VisiblePvfolderRect(QRect(10, 10, 0, -5), screens).size(), QSize(MinPvfolderWidth, MinPvfolderHeight));
    EXPECT_EQ(VisiblePvfolderRect(QRect(-70000, 10, 90000, 90000), screens), QRect(0, 0, 1280, 800));
}
