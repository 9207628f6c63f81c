#include "HelpViewer.h"

#include "HelpTopic.h"
#include "SiteMap.h"

#include <QAction>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QSplitter>
#include <QStringDecoder>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace parvo::chm {

namespace {

const QString kScheme = QStringLiteral("chm");
constexpr int kPageRole = Qt::UserRole;

QString Escaped(const QString& s)
{
    return s.toHtmlEscaped();
}

QString MessagePage(const QString& title, const QString& text)
{
    return QStringLiteral("<html><body><h2>%1</h2><p>%2</p></body></html>").arg(Escaped(title), Escaped(text));
}

// A page of the file named relative to its root ("html_source/go.html").
QString RootPage(const QString& local)
{
    return local.isEmpty() ? QString() : NormalisePagePath(local);
}

} // namespace

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent)
{
    // Every link is looked at first: pages stay here, the rest goes to the desktop.
    setOpenLinks(false);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& url)
{
    if (url.scheme() != kScheme || !file_)
        return {};
    const auto data = file_->read(url.path());
    if (!data) {
        if (type == QTextDocument::HtmlResource)
            return MessagePage(QStringLiteral("Pagina non trovata"),
                               QStringLiteral("La guida non contiene la pagina %1.").arg(url.path()));
        return {};
    }
    switch (type) {
    case QTextDocument::ImageResource:
        return QImage::fromData(*data);
    case QTextDocument::HtmlResource: {
        // The page's own declaration of its encoding counts; without one, UTF-8.
        QStringDecoder decoder = QStringDecoder::decoderForHtml(*data);
        if (!decoder.isValid())
            decoder = QStringDecoder(QStringDecoder::Utf8);
        return QString(decoder.decode(*data));
    }
    default:
        return QString::fromUtf8(*data);
    }
}

HelpViewer::HelpViewer()
{
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Guida"));

    // A row of flat buttons above the page. Words with arrows rather than the icon theme's
    // pictures, and no tool bar: looking those up, or laying out a tool bar, costs more
    // than the rest of the window.
    auto* row = new QWidget;
    auto* rowLayout = new QHBoxLayout(row);
    rowLayout->setContentsMargins(4, 2, 4, 2);
    rowLayout->setSpacing(2);
    const auto button = [&](const QString& text) {
        auto* action = new QAction(text, this);
        auto* b = new QToolButton;
        b->setDefaultAction(action);
        b->setAutoRaise(true);
        rowLayout->addWidget(b);
        return action;
    };
    back_ = button(QStringLiteral("\u25C0 Indietro"));
    forward_ = button(QStringLiteral("Avanti \u25B6"));
    home_ = button(QStringLiteral("Inizio"));
    rowLayout->addStretch();
    setMenuWidget(row);
    back_->setShortcut(QKeySequence::Back);
    forward_->setShortcut(QKeySequence::Forward);
    back_->setEnabled(false);
    forward_->setEnabled(false);

    split_ = new QSplitter(this);
    // The lists' place is kept by an empty pane until they are built, right after the
    // first page is on screen: the page is what the user asked for.
    new QWidget(split_);
    browser_ = new HelpBrowser(split_);
    split_->setStretchFactor(1, 1);
    split_->setSizes({230, 650});
    setCentralWidget(split_);
    resize(900, 620);

    connect(back_, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward_, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(home_, &QAction::triggered, this, [this] {
        if (file_)
            browser_->setSource(PageUrl(file_->defaultTopic()));
    });
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpViewer::follow);
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpViewer::sourceChanged);
    browser_->viewport()->installEventFilter(this);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

HelpViewer::~HelpViewer() = default;

void HelpViewer::buildLists()
{
    if (tabs_)
        return;
    tabs_ = new QTabWidget;
    contents_ = new QTreeWidget;
    contents_->setHeaderHidden(true);
    tabs_->addTab(contents_, QStringLiteral("Sommario"));
    auto* indexPage = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->setContentsMargins(4, 4, 4, 4);
    indexFilter_ = new QLineEdit;
    indexFilter_->setPlaceholderText(QStringLiteral("Parola da cercare"));
    index_ = new QListWidget;
    indexLayout->addWidget(indexFilter_);
    indexLayout->addWidget(index_);
    tabs_->addTab(indexPage, QStringLiteral("Indice"));
    const QList<int> sizes = split_->sizes();
    delete split_->replaceWidget(0, tabs_);
    split_->setSizes(sizes);

    connect(contents_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        const QString page = item->data(0, kPageRole).toString();
        if (!page.isEmpty())
            browser_->setSource(PageUrl(page));
    });
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) {
        if (tab == 1)
            fillIndex();
    });
    connect(indexFilter_, &QLineEdit::textChanged, this, &HelpViewer::filterIndex);
    const auto openIndexItem = [this](QListWidgetItem* item) {
        if (item && !item->data(kPageRole).toString().isEmpty())
            browser_->setSource(PageUrl(item->data(kPageRole).toString()));
    };
    connect(index_, &QListWidget::itemActivated, this, openIndexItem);
    connect(index_, &QListWidget::itemClicked, this, openIndexItem);
    connect(indexFilter_, &QLineEdit::returnPressed, this, [this, openIndexItem] { openIndexItem(index_->currentItem()); });
}

QUrl HelpViewer::PageUrl(const QString& page, const QString& fragment)
{
    QUrl url;
    url.setScheme(kScheme);
    url.setPath(page);
    if (!fragment.isEmpty())
        url.setFragment(fragment);
    return url;
}

void HelpViewer::showTopic(const QString& address)
{
    const HelpTopic topic = SplitHelpTopic(address);
    if (!file_ || openedPath_ != topic.file || !file_->isCurrent())
        openFile(topic.file);
    if (!file_)
        return;
    const QString page = topic.page.isEmpty() ? file_->defaultTopic() : topic.page;
    if (page.isEmpty() || !file_->contains(page)) {
        showError(QStringLiteral("Pagina non trovata"),
                  QStringLiteral("La guida %1 non contiene la pagina %2.").arg(topic.file, page));
        return;
    }
    browser_->setSource(PageUrl(page, topic.fragment));
}

void HelpViewer::openFile(const QString& path)
{
    QString why;
    std::unique_ptr<ChmFile> opened = ChmFile::open(path, &why);
    file_ = std::move(opened);
    openedPath_ = path;
    browser_->setFile(file_);
    browser_->clearHistory();
    if (contents_) {
        contents_->clear();
        index_->clear();
    }
    itemOfPage_.clear();
    indexFilled_ = false;
    if (!file_) {
        setWindowTitle(QStringLiteral("Guida"));
        showError(QStringLiteral("La guida non si può aprire"), path + QStringLiteral(": ") + why);
        return;
    }
    setWindowTitle(file_->title().isEmpty() ? QStringLiteral("Guida") : file_->title());
    // The page comes first; the lists beside it follow once it has been painted.
    listsPending_ = true;
    browser_->viewport()->update();
}

bool HelpViewer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == browser_->viewport() && event->type() == QEvent::Paint && listsPending_) {
        listsPending_ = false;
        QTimer::singleShot(0, this, [this] {
            if (file_)
                fillLists();
        });
    }
    return QMainWindow::eventFilter(watched, event);
}

void HelpViewer::fillLists()
{
    buildLists();
    if (const auto toc = file_->read(file_->contentsFile()))
        fillContents(ParseSiteMap(*toc), nullptr);
    contents_->expandToDepth(0);
    sourceChanged(browser_->source());
    if (tabs_->currentIndex() == 1)
        fillIndex();
}

void HelpViewer::showError(const QString& what, const QString& why)
{
    browser_->setHtml(MessagePage(what, why));
}

void HelpViewer::fillContents(const QList<SiteMapItem>& items, QTreeWidgetItem* parent)
{
    for (const SiteMapItem& i : items) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(contents_);
        item->setText(0, i.name);
        const QString page = RootPage(i.local);
        item->setData(0, kPageRole, page);
        // A heading that opens the same page as an entry under it marks the entry, the
        // more particular of the two.
        if (!page.isEmpty() && (!itemOfPage_.contains(page) || itemOfPage_.value(page) == parent))
            itemOfPage_.insert(page, item);
        fillContents(i.children, item);
    }
}

void HelpViewer::fillIndex()
{
    if (indexFilled_ || !file_ || !index_)
        return;
    indexFilled_ = true;
    const auto words = file_->read(file_->indexFile());
    if (!words)
        return;
    // Keywords and their sub-keywords, in one list sorted as a reader looks them up.
    QList<QPair<QString, QString>> entries;
    const std::function<void(const QList<SiteMapItem>&, const QString&)> collect =
        [&](const QList<SiteMapItem>& items, const QString& prefix) {
            for (const SiteMapItem& i : items) {
                const QString name = prefix.isEmpty() ? i.name : prefix + QStringLiteral(", ") + i.name;
                entries.append({name, RootPage(i.local)});
                collect(i.children, name);
            }
        };
    collect(ParseSiteMap(*words), {});
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return a.first.compare(b.first, Qt::CaseInsensitive) < 0;
    });
    for (const auto& [name, page] : entries) {
        auto* item = new QListWidgetItem(name, index_);
        item->setData(kPageRole, page);
    }
}

void HelpViewer::filterIndex(const QString& text)
{
    // As in a printed index: the first keyword starting with what is typed is marked.
    for (int i = 0; i < index_->count(); ++i) {
        if (index_->item(i)->text().startsWith(text, Qt::CaseInsensitive)) {
            index_->setCurrentRow(i);
            index_->scrollToItem(index_->item(i), QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

void HelpViewer::follow(const QUrl& link)
{
    const QUrl url = browser_->source().resolved(link);
    if (url.scheme() == kScheme) {
        browser_->setSource(url);
        return;
    }
    // Web pages and mail addresses: handed to the desktop as they are, never to a shell.
    if (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")
        || url.scheme() == QLatin1String("mailto"))
        QDesktopServices::openUrl(url);
}

void HelpViewer::sourceChanged(const QUrl& url)
{
    QTreeWidgetItem* item = itemOfPage_.value(url.path());
    if (!item || !contents_)
        return;
    const QSignalBlocker quiet(contents_);
    contents_->setCurrentItem(item);
    contents_->scrollToItem(item);
}

} // namespace parvo::chm
