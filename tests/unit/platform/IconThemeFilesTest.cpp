#include "platform/linux/IconThemeFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace parvo;

namespace {

// Icon themes in a temporary folder: "child" inherits "parent"; "hicolor" and a folder of
// plain pictures come last.
struct IconThemes : ::testing::Test {
    QTemporaryDir dir;
    QString base = dir.path() + "/icons";
    QString pixmaps = dir.path() + "/pixmaps";

    void Theme(const QString& name, const QString& inherits, const QString& directories)
    {
        QDir().mkpath(base + "/" + name);
        QFile index(base + "/" + name + "/index.theme");
        ASSERT_TRUE(index.open(QIODevice::WriteOnly));
        QString text = "[Icon Theme]\nName=" + name + "\nDirectories=" + directories + "\n";
        if (!inherits.isEmpty())
            text += "Inherits=" + inherits + "\n";
        index.write(text.toUtf8());
        index.write(sections.toUtf8());
        sections.clear();
    }
    void Folder(const QString& path, const QString& keys) { sections += "\n[" + path + "]\n" + keys + "\n"; }
    QString Icon(const QString& theme, const QString& folder, const QString& file)
    {
        const QString path = base + "/" + theme + "/" + folder + "/" + file;
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        return path;
    }
    IconThemeFiles Files(const QString& theme = "child")
    {
        return IconThemeFiles({theme, QString(), {dir.path() + "/nowhere", base}, {pixmaps}});
    }

    QString sections;
};

} // namespace

TEST_F(IconThemes, TheFolderOfTheSizeAskedForWinsThenTheClosest)
{
    Folder("16x16/apps", "Size=16\nType=Fixed");
    Folder("22x22/apps", "Size=22\nType=Fixed");
    Folder("48x48/apps", "Size=48\nType=Fixed");
    Folder("scalable/apps", "Size=64\nMinSize=8\nMaxSize=512\nType=Scalable");
    Folder("32x32@2/apps", "Size=32\nScale=2\nType=Fixed");
    Theme("child", "", "48x48/apps,22x22/apps,16x16/apps,scalable/apps,32x32@2/apps");

    Icon("child", "48x48/apps", "editor.png");
    const QString small = Icon("child", "16x16/apps", "editor.png");
    EXPECT_EQ(Files().find("editor", 16), small);

    // Only larger sizes: the nearest one, not the first listed.
    Icon("child", "48x48/apps", "viewer.png");
    const QString near = Icon("child", "22x22/apps", "viewer.png");
    EXPECT_EQ(Files().find("viewer", 16), near);

    // A drawing made for any size in its range fits exactly.
    Icon("child", "48x48/apps", "drawn.png");
    const QString drawing = Icon("child", "scalable/apps", "drawn.svg");
    EXPECT_EQ(Files().find("drawn", 16), drawing);

    // Pictures for doubled pixels are never taken for 1:1.
    Icon("child", "32x32@2/apps", "sharp.png");
    EXPECT_EQ(Files().find("sharp", 16), QString());
}

TEST_F(IconThemes, ParentsThenHicolorThenPlainPicturesThenShorterNames)
{
    Folder("16/apps", "Size=16");
    Theme("child", "parent", "16/apps");
    Folder("apps/16", "Size=16\nType=Threshold\nThreshold=2");
    Theme("parent", "child", "apps/16"); // a loop back does not hang the lookup
    Folder("16x16/apps", "Size=16\nType=Fixed");
    Theme("hicolor", "", "16x16/apps");

    const QString inherited = Icon("parent", "apps/16", "mail.svg");
    EXPECT_EQ(Files().find("mail", 18), inherited) << "within the threshold";
    const QString last = Icon("hicolor", "16x16/apps", "term.png");
    EXPECT_EQ(Files().find("term", 16), last);
    QDir().mkpath(pixmaps);
    QFile plain(pixmaps + "/oldapp.xpm");
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    EXPECT_EQ(Files().find("oldapp", 16), plain.fileName());

    const QString generic = Icon("child", "16/apps", "text-x.png");
    EXPECT_EQ(Files().find("text-x-python", 16), generic);
    EXPECT_EQ(Files().find("nothing-like-it", 16), QString());
    EXPECT_EQ(Files().find("../16/apps/text-x", 16), QString()) << "a name is not a path";
    EXPECT_EQ(Files("no such theme").find("term", 16), last) << "hicolor is always looked in";
}
