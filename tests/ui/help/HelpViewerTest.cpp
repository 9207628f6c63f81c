#include "ChmSamples.h"
#include "FakePrompts.h"
#include "FakeShell.h"
#include "HelpViewer.h"
#include "UiApp.h"
#include "help/HelpViewerLibrary.h"
#include "help/HtmlHelpLoader.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace parvo;
using namespace parvo::chm;

namespace {

const QString kShipped = QStringLiteral(PARVO_PROGRAM_DIR "/parvo.chm");

// The viewer windows the library made, found by class name: the library has its own copy
// of the class.
QList<QWidget*> LibraryViewers()
{
    QList<QWidget*> found;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (QLatin1String(w->metaObject()->className()) == "parvo::chm::HelpViewer")
            found.append(w);
    }
    return found;
}

QString Shown(const QTextBrowser* b)
{
    return b->document()->toPlainText();
}

// A small help file with two linked pages, a picture, contents and index.
QString WriteSample(const QTemporaryDir& dir)
{
    SystemInfo info;
    info.contentsFile = "toc.hhc";
    info.indexFile = "idx.hhk";
    info.defaultTopic = "html_source/uno.html";
    info.title = "Prova";
    const QByteArray item = R"(<LI><OBJECT type="text/sitemap"><param name="Name" value="%1"><param name="Local" value="html_source/%2"></OBJECT>)";
    const QList<StoredFile> files = {
        {"/html_source/uno.html", "<html><body><p>Pagina uno</p><a href=\"due.html#fine\">alla due</a></body></html>"},
        {"/html_source/due.html", "<html><body><p>Pagina due</p><a name=\"fine\">fine</a></body></html>"},
        {"/toc.hhc", "<UL>" + QByteArray(item).replace("%1", "Uno").replace("%2", "uno.html") + "<UL>"
                         + QByteArray(item).replace("%1", "Due").replace("%2", "due.html")
                         + QByteArray(item).replace("%1", "Ancora uno").replace("%2", "uno.html") + "</UL></UL>"},
        {"/idx.hhk", "<UL>" + QByteArray(item).replace("%1", "zebra").replace("%2", "due.html")
                         + QByteArray(item).replace("%1", "albero").replace("%2", "uno.html") + "</UL>"},
        {"/#SYSTEM", SystemFile(info)},
    };
    const QString path = dir.filePath("prova.chm");
    test::Save(path, WriteChm(files));
    return path;
}

} // namespace

TEST(HelpViewerLibrary, ShowsTopicsInOneReusedWindow)
{
    test::App();
    HelpViewerLibrary library{QStringLiteral(PARVO_PROGRAM_DIR)};
    const HtmlHelpAProc HtmlHelpA = library.findEntry();
    ASSERT_NE(HtmlHelpA, nullptr);

    const QByteArray first = (kShipped + "::/html_source/private_label.html").toUtf8();
    const HelpWindow window = HtmlHelpA(0, first.constData(), HH_DISPLAY_TOPIC, 0);
    EXPECT_NE(window, 0u);
    ASSERT_EQ(LibraryViewers().size(), 1);
    QWidget* viewer = LibraryViewers().first();
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->windowTitle(), "Guida di Parvo");
    auto* browser = viewer->findChild<QTextBrowser*>();
    ASSERT_TRUE(browser);
    EXPECT_EQ(browser->source().path(), "/html_source/private_label.html");
    EXPECT_TRUE(Shown(browser).contains("privata-con marchio"));
    // The contents follow once the page is on screen.
    EXPECT_TRUE(QTest::qWaitFor([&] {
        const auto* tree = viewer->findChild<QTreeWidget*>();
        return tree && tree->topLevelItemCount() > 5;
    }));

    // The next request reuses the window; back returns to the first page.
    const QByteArray second = (kShipped + "::/html_source/buttons_default.html").toUtf8();
    EXPECT_EQ(HtmlHelpA(0, second.constData(), HH_DISPLAY_TOPIC, 0), window);
    EXPECT_EQ(LibraryViewers().size(), 1);
    EXPECT_EQ(browser->source().path(), "/html_source/buttons_default.html");
    browser->backward();
    EXPECT_EQ(browser->source().path(), "/html_source/private_label.html");
    // The file's start page when no page is named.
    EXPECT_EQ(HtmlHelpA(0, kShipped.toUtf8().constData(), HH_DISPLAY_TOPIC, 0), window);
    EXPECT_EQ(browser->source().path(), "/html_source/index.html");

    EXPECT_EQ(HtmlHelpA(0, nullptr, 0x7777, 0), 0u) << "unknown commands do nothing";
    HtmlHelpA(0, nullptr, HH_CLOSE_ALL, 0);
    EXPECT_TRUE(LibraryViewers().isEmpty());
}

TEST(HelpViewerLibrary, MissingViewerBeepsAndAsksOnce)
{
    test::App();
    QTemporaryDir empty;
    HelpViewerLibrary nowhere(empty.path());
    FakePrompts prompts;
    FakeShell shell;
    prompts.answers = {PromptAnswer::Ok};
    HtmlHelpLoader loader([&] { return nowhere.findEntry(); }, prompts, shell);
    EXPECT_EQ(loader(0, kShipped), -1);
    EXPECT_EQ(loader(0, kShipped), -1);
    EXPECT_EQ(prompts.beeps, 2);
    EXPECT_EQ(prompts.shown.size(), 1);
    EXPECT_EQ(shell.calls.size(), 1);
}

TEST(HelpViewer, LinksContentsIndexAndHistory)
{
    test::App();
    QTemporaryDir dir;
    const QString file = WriteSample(dir);
    HelpViewer viewer;
    viewer.show();
    viewer.showTopic(file);
    HelpBrowser* b = viewer.browser();
    EXPECT_EQ(viewer.windowTitle(), "Prova");
    EXPECT_TRUE(Shown(b).contains("Pagina uno"));
    EXPECT_FALSE(viewer.backAction()->isEnabled());

    // A link inside the file stays in the window, fragment and all.
    emit b->anchorClicked(QUrl("due.html#fine"));
    EXPECT_TRUE(Shown(b).contains("Pagina due"));
    EXPECT_EQ(b->source().fragment(), "fine");
    EXPECT_TRUE(viewer.backAction()->isEnabled());
    viewer.backAction()->trigger();
    EXPECT_TRUE(Shown(b).contains("Pagina uno"));
    EXPECT_TRUE(viewer.forwardAction()->isEnabled());

    // The contents tree follows the file's list, once the page is on screen, and opens its
    // pages.
    ASSERT_TRUE(QTest::qWaitFor([&] { return viewer.contents() && viewer.contents()->topLevelItemCount() == 1; }));
    QTreeWidgetItem* due = viewer.contents()->topLevelItem(0)->child(0);
    ASSERT_TRUE(due);
    EXPECT_EQ(due->text(0), "Due");
    emit viewer.contents()->itemClicked(due, 0);
    EXPECT_TRUE(Shown(b).contains("Pagina due"));
    EXPECT_EQ(viewer.contents()->currentItem(), due);
    // A page both a heading and an entry under it open marks the entry.
    emit b->anchorClicked(QUrl("uno.html"));
    EXPECT_EQ(viewer.contents()->currentItem(), viewer.contents()->topLevelItem(0)->child(1));

    // The index, sorted, finds a keyword from its first letters.
    viewer.findChild<QTabWidget*>()->setCurrentIndex(1);
    ASSERT_EQ(viewer.index()->count(), 2);
    EXPECT_EQ(viewer.index()->item(0)->text(), "albero");
    QTest::keyClicks(viewer.indexFilter(), "ze");
    EXPECT_EQ(viewer.index()->currentRow(), 1);
    QTest::keyClick(viewer.indexFilter(), Qt::Key_Return);
    EXPECT_TRUE(Shown(b).contains("Pagina due"));
}

TEST(HelpViewer, UnreadableFilesAndPagesShowWhatWentWrong)
{
    test::App();
    QTemporaryDir dir;
    HelpViewer viewer;
    viewer.showTopic(dir.filePath("manca.chm"));
    EXPECT_TRUE(Shown(viewer.browser()).contains("La guida non si può aprire"));

    QByteArray damaged = WriteChm(test::ManyPages(40), {0x0410, 0, 0x200});
    test::PutLe32(damaged, test::ChunkAt(damaged, 0) + 0x10, 0);
    test::Save(dir.filePath("rotta.chm"), damaged);
    viewer.showTopic(dir.filePath("rotta.chm"));
    EXPECT_TRUE(Shown(viewer.browser()).contains("danneggiato"));

    const QString file = WriteSample(dir);
    viewer.showTopic(file + "::/html_source/tre.html");
    EXPECT_TRUE(Shown(viewer.browser()).contains("Pagina non trovata"));
    // A page whose link leads nowhere inside the file shows the same.
    viewer.showTopic(file);
    emit viewer.browser()->anchorClicked(QUrl("nessuna.html"));
    EXPECT_TRUE(Shown(viewer.browser()).contains("Pagina non trovata"));
}

TEST(HelpViewer, PicturesComeOutOfTheFile)
{
    test::App();
    HelpViewer viewer;
    viewer.showTopic(kShipped);
    const QVariant picture =
        viewer.browser()->loadResource(QTextDocument::ImageResource, HelpViewer::PageUrl("/html_source/images/barra.png"));
    ASSERT_TRUE(picture.canConvert<QImage>());
    EXPECT_FALSE(picture.value<QImage>().isNull());
}
