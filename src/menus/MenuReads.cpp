#include "menus/MenuReads.h"

#include "app/StringTable.h"
#include "menus/OffThread.h"

#include <QTimer>

namespace parvo {

namespace {

// Tags of the waiting item, which no other item carries.
constexpr int kReadingTag = -3;
constexpr int kReadingStr = 300;     // "being read"
constexpr int kNotAnsweringStr = 301; // "not answering"

bool IsReadingItem(const MenuItem& item)
{
    return item.Tag == kReadingTag && !item.Enabled;
}

bool Within(const MenuItem& parent, const MenuItem* item, int& index)
{
    const auto& c = parent.children;
    if (c.empty() || item < c.data() || item >= c.data() + c.size())
        return false;
    index = int(item - c.data());
    return true;
}

bool FindPath(const MenuItem& from, const MenuItem* item, std::vector<int>& path)
{
    int index = -1;
    if (Within(from, item, index)) {
        path.push_back(index);
        return true;
    }
    for (size_t i = 0; i < from.children.size(); ++i) {
        if (from.children[i].children.empty())
            continue;
        path.push_back(int(i));
        if (FindPath(from.children[i], item, path))
            return true;
        path.pop_back();
    }
    return false;
}

} // namespace

MenuItem ReadingItem()
{
    MenuItem item;
    item.Caption = Str(kReadingStr);
    item.Tag = kReadingTag;
    item.HelpContext = -1;
    item.Enabled = false;
    return item;
}

bool AwaitsRead(const MenuItem& menu)
{
    return !menu.children.empty() && IsReadingItem(menu.children.back());
}

std::optional<std::vector<int>> PathTo(const MenuItem& root, const MenuItem* item)
{
    std::vector<int> path;
    if (item == &root)
        return path;
    if (FindPath(root, item, path))
        return path;
    return std::nullopt;
}

MenuReads::MenuReads(Popup popup, QObject* parent, int holdMs, int slowMs)
    : QObject(parent), popup_(std::move(popup)), holdMs_(holdMs), slowMs_(slowMs)
{
}

MenuItem* MenuReads::find(const Waiter& w)
{
    if (w.generation != generation_)
        return nullptr;
    MenuItem* item = &popup_.root();
    for (const int index : w.path) {
        if (index < 0 || size_t(index) >= item->children.size())
            return nullptr;
        item = &item->children[size_t(index)];
    }
    return item;
}

void MenuReads::changeItems(const std::function<void()>& change)
{
    if (popup_.beginUpdate)
        popup_.beginUpdate();
    change();
    if (popup_.endUpdate)
        popup_.endUpdate();
}

void MenuReads::read(MenuItem& menu, const QString& key, Work work)
{
    const auto path = PathTo(popup_.root(), &menu);
    if (!path)
        return;
    Running& running = waiting_[key];
    const bool underWay = !running.waiters.empty();
    if (!underWay)
        running.since.start();
    if (!AwaitsRead(menu)) {
        changeItems([&] {
            menu.children.push_back(ReadingItem());
            // Joining a read that has been slow already.
            if (running.since.elapsed() >= slowMs_)
                menu.children.back().Caption = Str(kNotAnsweringStr);
        });
    }
    if (popup_.holdOpening)
        popup_.holdOpening(holdMs_);
    running.waiters.push_back({*path, generation_});
    if (underWay)
        return; // the read under way serves this menu too

    QTimer::singleShot(slowMs_, this, [this, key] { slow(key); });
    RunOffThread<Fill>(this, std::move(work), [this, key](Fill fill) { finished(key, fill); });
}

void MenuReads::slow(const QString& key)
{
    const auto it = waiting_.constFind(key);
    if (it == waiting_.cend())
        return;
    changeItems([&] {
        for (const Waiter& w : it->waiters) {
            MenuItem* menu = find(w);
            if (menu && AwaitsRead(*menu))
                menu->children.back().Caption = Str(kNotAnsweringStr);
        }
    });
}

void MenuReads::finished(const QString& key, const Fill& fill)
{
    const std::vector<Waiter> waiters = waiting_.take(key).waiters;
    changeItems([&] {
        for (const Waiter& w : waiters) {
            MenuItem* menu = find(w);
            // A menu already filled by another read, or rebuilt meanwhile, is left alone.
            if (!menu || !AwaitsRead(*menu))
                continue;
            menu->children.pop_back();
            if (fill)
                fill(*menu);
        }
    });
    if (popup_.releaseOpening)
        popup_.releaseOpening();
}

} // namespace parvo
