#include "menus/MenuReads.h"

#include "EventLoop.h"
#include "app/StringTable.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <memory>

using namespace parvo;

namespace {

// A popup tree and what the reads asked of the popup widget.
struct Popup {
    MenuItem root;
    int begun = 0;
    int ended = 0;
    QList<int> holds;
    int releases = 0;
    MenuReads reads{{[this]() -> MenuItem& { return root; }, [this] { ++begun; }, [this] { ++ended; },
                     [this](int ms) { holds.append(ms); }, [this] { ++releases; }},
                    nullptr, 150, 200};
};

MenuItem Folder(const QString& caption)
{
    MenuItem item;
    item.Caption = caption;
    item.OnClick = ItemClick::ExpandFolder;
    item.children.push_back(Separator());
    return item;
}

// A read held until the test lets it end, counting how often it ran.
struct Gate {
    std::shared_ptr<std::promise<void>> open = std::make_shared<std::promise<void>>();
    std::shared_future<void> opened = open->get_future().share();
    std::shared_ptr<std::atomic<int>> runs = std::make_shared<std::atomic<int>>(0);

    MenuReads::Work work(const QString& caption) const
    {
        return [opened = opened, runs = runs, caption]() -> MenuReads::Fill {
            ++*runs;
            opened.wait();
            return [caption](MenuItem& menu) {
                MenuItem item;
                item.Caption = caption;
                menu.children.push_back(item);
            };
        };
    }
};

QStringList Captions(const MenuItem& menu)
{
    QStringList out;
    for (const MenuItem& c : menu.children)
        out << c.Caption + (c.Enabled ? "" : " (off)");
    return out;
}

} // namespace

TEST(MenuReads, AMenuWaitsWithOneDisabledItemAndFillsInPlace)
{
    test::App();
    Popup p;
    p.root.children.push_back(Folder("[ a ]"));
    Gate gate;
    p.reads.read(p.root.children[0], "a", gate.work("file.txt"));
    // The level about to open is held for a moment; meanwhile the menu says it is read.
    EXPECT_EQ(p.holds, QList<int>{150});
    EXPECT_EQ(Captions(p.root.children[0]), (QStringList{"-", Str(300) + " (off)"}));
    EXPECT_TRUE(AwaitsRead(p.root.children[0]));
    ASSERT_FALSE(Str(300).isEmpty());

    gate.open->set_value();
    ASSERT_TRUE(test::WaitUntil([&] { return p.reads.running() == 0; }));
    EXPECT_EQ(Captions(p.root.children[0]), (QStringList{"-", "file.txt"}));
    EXPECT_EQ(p.releases, 1) << "the held level may open";
    EXPECT_EQ(p.begun, p.ended);
    EXPECT_EQ(*gate.runs, 1);
}

TEST(MenuReads, AReadThatDoesNotEndSaysSoAndServesEveryMenuWaitingForIt)
{
    test::App();
    Popup p;
    p.root.children.push_back(Folder("[ net ]"));
    p.root.children.push_back(Folder("[ net again ]"));
    Gate gate;
    p.reads.read(p.root.children[0], "net", gate.work("x"));
    test::Spin(400);
    EXPECT_EQ(Captions(p.root.children[0]), (QStringList{"-", Str(301) + " (off)"}));
    ASSERT_FALSE(Str(301).isEmpty());

    // Asked again, for this menu or another one showing the same thing: no second read,
    // no second waiting item.
    p.reads.read(p.root.children[0], "net", gate.work("x"));
    p.reads.read(p.root.children[1], "net", gate.work("x"));
    EXPECT_EQ(p.root.children[0].children.size(), 2u);
    EXPECT_EQ(Captions(p.root.children[1]), (QStringList{"-", Str(301) + " (off)"})) << "it is known not to answer";
    EXPECT_EQ(p.reads.running(), 1);

    // Whenever it ends after all, both fill in place.
    gate.open->set_value();
    ASSERT_TRUE(test::WaitUntil([&] { return p.reads.running() == 0; }));
    EXPECT_EQ(*gate.runs, 1);
    EXPECT_EQ(Captions(p.root.children[0]), (QStringList{"-", "x"}));
    EXPECT_EQ(Captions(p.root.children[1]), (QStringList{"-", "x"}));
}

TEST(MenuReads, AReadEndingAfterTheMenuWasRebuiltFillsNothing)
{
    test::App();
    Popup p;
    p.root.children.push_back(Folder("[ old ]"));
    Gate gate;
    p.reads.read(p.root.children[0], "old", gate.work("stale"));
    // The popup opens again for another button before the read ends.
    p.root.children.clear();
    p.root.children.push_back(Folder("[ new ]"));
    p.reads.rootRebuilt();
    gate.open->set_value();
    ASSERT_TRUE(test::WaitUntil([&] { return p.reads.running() == 0; }));
    EXPECT_EQ(Captions(p.root.children[0]), QStringList{"-"});

    // A menu outside the tree waits for nothing.
    MenuItem elsewhere;
    p.reads.read(elsewhere, "x", gate.work("x"));
    EXPECT_EQ(p.reads.running(), 0);
    EXPECT_TRUE(elsewhere.children.empty());
}

TEST(MenuReads, PathsLeadThroughTheTree)
{
    MenuItem root;
    root.children.push_back(Folder("a"));
    root.children.push_back(Folder("b"));
    root.children[1].children.push_back(Folder("c"));
    EXPECT_EQ(PathTo(root, &root), std::vector<int>{});
    EXPECT_EQ(PathTo(root, &root.children[1].children[1]), (std::vector<int>{1, 1}));
    MenuItem other;
    EXPECT_FALSE(PathTo(root, &other));
}
