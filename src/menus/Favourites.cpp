#include "menus/Favourites.h"

#include "app/StringTable.h"
#include "menus/UrlShortcutFile.h"
#include "settings/SystemLocations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <utility>
#include <variant>

#include <sys/stat.h>

namespace parvo {

namespace {

const QChar kSep = QLatin1Char('\\');

// A folder's identity on disk, so that a folder met again through a symbolic link (or a
// bind mount) is recognised whatever path leads to it.
using FolderId = std::pair<quint64, quint64>;

bool IdOf(const QString& path, FolderId& id)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    id = {quint64(st.st_dev), quint64(st.st_ino)};
    return true;
}

struct Scan {
    FavouritesData& data;
    std::set<FolderId> visited;
};

// `relative` is `folder` relative to the favourites root, in record form; `depth` its level.
void ScanFolder(Scan& scan, const QString& folder, const QString& relative, int depth)
{
    const QDir dir(folder);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo& entry : entries) {
        const QString name = entry.fileName();
        if (entry.isDir()) {
            FolderId id;
            if (depth >= kMaxFavouritesDepth || !IdOf(entry.filePath(), id) || !scan.visited.insert(id).second)
                continue;
            const QString sub = relative.isEmpty() ? name : relative + kSep + name;
            scan.data.FavouritesList.push_back({sub, {}, {}});
            ScanFolder(scan, entry.filePath(), sub, depth + 1);
        } else if (entry.isFile() && name.size() >= 4 && name.right(4).toUpper() == QLatin1String(".URL")) {
            const QString url = ReadUrlShortcut(entry.filePath());
            scan.data.FavouritesList.push_back({relative, name.chopped(4), url});
            scan.data.UrlScratch.append(url);
        }
    }
}

int Sign(int n) { return (n > 0) - (n < 0); }

int CompareText(const QString& a, const QString& b)
{
    if (const int c = Sign(QString::compare(a.toLower(), b.toLower(), Qt::CaseSensitive)))
        return c;
    return Sign(QString::compare(a, b, Qt::CaseSensitive));
}

MenuItem LinkItem(const TURLrec& rec)
{
    MenuItem item;
    item.Caption = rec.Name;
    item.Hint = rec.URL;
    item.Picture = ItemPicture::Popup(6);
    item.OnClick = ItemClick::Launch;
    return item;
}

MenuItem EmptyMarker()
{
    MenuItem item;
    item.Caption = Str(22);
    item.Enabled = false;
    return item;
}

// The menu is assembled as a tree of folder nodes first: sub-folders are inserted into
// items made earlier, which a tree of values would move around in memory.
struct FolderNode;
using Entry = std::variant<MenuItem, FolderNode*>;
struct FolderNode {
    MenuItem item;
    std::vector<Entry> entries;
};

class MenuTree {
public:
    // The node of the folder `path`, made (with any missing parents) when there is none.
    FolderNode& folder(const QString& path)
    {
        QStringList missing;
        for (QString p = path; !nodes_.contains(p);) {
            missing.prepend(p);
            const qsizetype cut = p.lastIndexOf(kSep);
            if (cut <= 0)
                break;
            p = p.left(cut);
        }
        for (const QString& p : std::as_const(missing))
            make(p);
        return *nodes_.at(path);
    }

    void appendToRoot(MenuItem item) { root_.push_back(std::move(item)); }

    void moveInto(MenuItem& root)
    {
        for (Entry& e : root_)
            root.children.push_back(take(e));
    }

private:
    void make(const QString& path)
    {
        auto node = std::make_unique<FolderNode>();
        node->item.Tag = 1;
        const qsizetype cut = path.lastIndexOf(kSep);
        if (cut <= 0) {
            node->item.Caption = path;
            node->item.Picture = ItemPicture::Popup(8);
            root_.push_back(node.get());
        } else {
            node->item.Caption = path.mid(cut + 1);
            FolderNode& parent = *nodes_.at(path.left(cut));
            parent.entries.insert(parent.entries.begin(), node.get());
        }
        nodes_.emplace(path, std::move(node));
    }

    static MenuItem take(Entry& e)
    {
        if (auto* item = std::get_if<MenuItem>(&e))
            return std::move(*item);
        FolderNode& node = *std::get<FolderNode*>(e);
        MenuItem item = std::move(node.item);
        for (Entry& child : node.entries)
            item.children.push_back(take(child));
        return item;
    }

    std::map<QString, std::unique_ptr<FolderNode>> nodes_;
    std::vector<Entry> root_;
};

} // namespace

void ScanFavourites(FavouritesData& data, const QString& folder)
{
    Scan scan{data, {}};
    FolderId id;
    if (!IdOf(folder, id))
        return;
    scan.visited.insert(id);
    const QString root = QDir::cleanPath(data.FavouritesRoot);
    const QString here = QDir::cleanPath(folder);
    QString relative;
    int depth = 0;
    if (here != root) {
        relative = QDir(root).relativeFilePath(here).replace(QLatin1Char('/'), kSep);
        depth = int(relative.count(kSep)) + 1;
    }
    ScanFolder(scan, folder, relative, depth);
}

int CompareFavourites(const TURLrec& a, const TURLrec& b)
{
    if (const int c = CompareText(a.Folder, b.Folder))
        return c;
    return CompareText(a.Name, b.Name);
}

void BuildFavouritesMenu(const std::vector<TURLrec>& list, MenuItem& root)
{
    MenuTree tree;
    const size_t n = list.size();
    for (size_t first = 0; first < n;) {
        const QString& path = list[first].Folder;
        size_t end = first + 1;
        while (end < n && list[end].Folder == path)
            ++end;
        // Folders deeper than any scan goes come only from damaged input; leaving them out
        // keeps the nesting (and the menu drawn from it) within bounds.
        if (!path.isEmpty() && path.count(kSep) < kMaxFavouritesDepth) {
            FolderNode& node = tree.folder(path);
            // Only a folder's own record can tell that nothing of the folder follows it: a
            // folder met first through a link of its own is not empty.
            if (list[first].Name.isEmpty() && end == first + 1)
                node.entries.push_back(EmptyMarker());
            for (size_t i = first; i < end; ++i)
                if (!list[i].Name.isEmpty())
                    node.entries.push_back(LinkItem(list[i]));
        }
        first = end;
    }
    for (const TURLrec& rec : list)
        if (rec.Folder.isEmpty() && !rec.Name.isEmpty())
            tree.appendToRoot(LinkItem(rec));
    tree.moveInto(root);
}

FavouritesData ReadFavourites(const QString& folder)
{
    FavouritesData data;
    data.FavouritesRoot = folder;
    // The menu must open whatever the folder holds: anything that goes wrong ends the
    // scan and leaves what was found until then.
    try {
        ScanFavourites(data, folder);
        std::stable_sort(data.FavouritesList.begin(), data.FavouritesList.end(),
                         [](const TURLrec& a, const TURLrec& b) { return CompareFavourites(a, b) < 0; });
    } catch (...) {
    }
    return data;
}

QStringList FavouriteAddresses(const QString& folder)
{
    FavouritesData data;
    data.FavouritesRoot = folder;
    ScanFavourites(data, folder);
    return data.UrlScratch;
}

MenuReads::Work FavouritesReadWork(const QString& folder, FavouritesData* keep)
{
    return [folder, keep]() -> MenuReads::Fill {
        const FavouritesData data = ReadFavourites(folder);
        return [data, keep](MenuItem& root) {
            if (keep)
                *keep = data;
            try {
                BuildFavouritesMenu(data.FavouritesList, root);
            } catch (...) {
            }
        };
    };
}

void ReadFavouritesLater(MenuReads& reads, const Registry& reg, FavouritesData& data, MenuItem& root)
{
    data = FavouritesData();
    data.FavouritesRoot = FavouritesFolder(reg);
    if (data.FavouritesRoot.isEmpty())
        return;
    reads.read(root, QStringLiteral("favourites ") + data.FavouritesRoot, FavouritesReadWork(data.FavouritesRoot, &data));
}

} // namespace parvo
