#pragma once
// Menu contents that come from the disk: a folder's entries, the favourites scan. They are
// read off the interface thread, so a folder on a mount that does not answer never holds
// up the bar, the popup or the rest of the desktop.
//
// While its read runs, a menu ends in one disabled item saying it is being read. The
// popup is asked to hold the level that is about to open: it opens as soon as the read
// ends, filled, or after kHoldMs with the "being read" item, and fills in place when the
// read ends. A read still running after kSlowMs turns the item into a "not answering"
// one; whenever it ends after all, the menu fills in place. Menus waiting for the same
// thing share one read.

#include "menus/MenuItem.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QString>

#include <functional>
#include <vector>

namespace parvo {

class MenuReads : public QObject {
public:
    // What a read yields: the change it makes to its menu, run on the interface thread.
    using Fill = std::function<void(MenuItem&)>;
    // The read itself, run off the interface thread.
    using Work = std::function<Fill()>;

    static constexpr int kHoldMs = 150;
    static constexpr int kSlowMs = 5000;

    // The popup whose items wait.
    struct Popup {
        std::function<MenuItem&()> root;
        std::function<void()> beginUpdate; // may be empty
        std::function<void()> endUpdate;
        std::function<void(int ms)> holdOpening; // the level about to open waits at most `ms`
        std::function<void()> releaseOpening;    // the level held may open now
    };

    explicit MenuReads(Popup popup, QObject* parent = nullptr, int holdMs = kHoldMs, int slowMs = kSlowMs);

    // `menu` (the popup's root or an item of its tree) waits for `work`. `key` names what
    // is read: a menu whose key is being read already waits for that read.
    void read(MenuItem& menu, const QString& key, Work work);

    // The popup's tree was built again: reads still running fill nothing of it.
    void rootRebuilt() { ++generation_; }

    // Reads that have not ended.
    int running() const { return int(waiting_.size()); }

private:
    struct Waiter {
        std::vector<int> path; // from the root to the menu, by child index
        quint64 generation;
    };
    struct Running {
        std::vector<Waiter> waiters;
        QElapsedTimer since;
    };

    MenuItem* find(const Waiter& w);
    void finished(const QString& key, const Fill& fill);
    void slow(const QString& key);
    void changeItems(const std::function<void()>& change);

    Popup popup_;
    int holdMs_;
    int slowMs_;
    quint64 generation_ = 0;
    QHash<QString, Running> waiting_;
};

// The disabled item a menu shows while its read runs, and whether a menu shows it.
MenuItem ReadingItem();
bool AwaitsRead(const MenuItem& menu);

// The child indices that lead from `root` to `item`, or nothing when `item` is not in
// the tree (an empty path is the root itself).
std::optional<std::vector<int>> PathTo(const MenuItem& root, const MenuItem* item);

} // namespace parvo
