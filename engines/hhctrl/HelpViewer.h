#pragma once
// The help viewer's window: the pages of a compiled help file with back and forward, the
// file's table of contents as a tree and its index as a list to type into. Links between
// pages stay in the window; links to the web and to mail addresses go to the desktop.
// One window serves every request: a new topic replaces the page shown.

#include "ChmFile.h"

#include <QHash>
#include <QMainWindow>
#include <QTextBrowser>

#include <memory>

class QAction;
class QLineEdit;
class QListWidget;
class QSplitter;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace parvo::chm {

struct SiteMapItem;

// Pages and pictures come out of the open help file, addressed "chm:/path".
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget* parent = nullptr);
    void setFile(std::shared_ptr<ChmFile> file) { file_ = std::move(file); }
    QVariant loadResource(int type, const QUrl& url) override;

private:
    std::shared_ptr<ChmFile> file_;
};

class HelpViewer : public QMainWindow {
    Q_OBJECT
public:
    HelpViewer();
    ~HelpViewer() override;

    // Opens the file the address names (kept open while it stays the same on disk) and
    // shows the addressed page, or the file's default page. A file or page that cannot be
    // read shows a page saying so.
    void showTopic(const QString& address);

    HelpBrowser* browser() const { return browser_; }
    // The lists beside the page: built, and filled, right after the first page is shown.
    QTreeWidget* contents() const { return contents_; }
    QListWidget* index() const { return index_; }
    QLineEdit* indexFilter() const { return indexFilter_; }
    QAction* backAction() const { return back_; }
    QAction* forwardAction() const { return forward_; }

    // "chm:/html_source/go.html" for a page path.
    static QUrl PageUrl(const QString& page, const QString& fragment = {});

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void openFile(const QString& path);
    void showError(const QString& what, const QString& why);
    void buildLists();
    void fillLists();
    void fillContents(const QList<SiteMapItem>& items, QTreeWidgetItem* parent);
    void fillIndex();
    void follow(const QUrl& url);
    void sourceChanged(const QUrl& url);
    void filterIndex(const QString& text);

    std::shared_ptr<ChmFile> file_;
    QString openedPath_;
    QSplitter* split_;
    HelpBrowser* browser_;
    // Built with the lists, once the first page is on screen.
    QTabWidget* tabs_ = nullptr;
    QTreeWidget* contents_ = nullptr;
    QLineEdit* indexFilter_ = nullptr;
    QListWidget* index_ = nullptr;
    QAction *back_, *forward_, *home_;
    QHash<QString, QTreeWidgetItem*> itemOfPage_;
    bool indexFilled_ = false;
    bool listsPending_ = false; // filled after the next paint of the page
};

} // namespace parvo::chm
