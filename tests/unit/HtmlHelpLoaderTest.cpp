#include "help/HtmlHelpLoader.h"

#include "FakePrompts.h"
#include "FakeShell.h"
#include "menus/MakerAddresses.h"

#include <gtest/gtest.h>

using namespace parvo;

namespace {

// What the stand-in viewer was asked, in order.
struct ViewerCall {
    HelpWindow owner;
    std::string file;
    unsigned command;
    uintptr_t data;
};
std::vector<ViewerCall> viewerCalls;

HelpWindow StandInViewer(HelpWindow owner, const char* file, unsigned command, uintptr_t data)
{
    viewerCalls.push_back({owner, file ? file : "<null>", command, data});
    return 0x4200017;
}

struct Help {
    FakePrompts prompts;
    FakeShell shell;
    int looks = 0;
    bool present = false;
    HtmlHelpLoader loader{[this]() -> HtmlHelpAProc {
                              ++looks;
                              return present ? &StandInViewer : nullptr;
                          },
                          prompts, shell};
};

} // namespace

TEST(HtmlHelpLoader, WithoutViewerBeepsAndOffersTheDownloadOnceTaken)
{
    Help h;
    h.prompts.answers = {PromptAnswer::Cancel, PromptAnswer::Ok};
    // Cancel: the box comes back on the next request.
    EXPECT_EQ(h.loader(0, "/p/parvo.chm"), -1);
    EXPECT_EQ(h.loader(0, "/p/parvo.chm"), -1);
    EXPECT_EQ(h.prompts.beeps, 2);
    ASSERT_EQ(h.prompts.shown.size(), 2);
    EXPECT_EQ(h.prompts.shown[0], MissingViewerText());
    ASSERT_EQ(h.shell.calls.size(), 1);
    EXPECT_EQ(h.shell.calls[0], (FakeShell::Record{FakeShell::Call::OpenWithDesktop, HelpViewerDownloadPage(), {}, {}}));

    // Taken once, the offer is not made again in this run; the beep stays.
    EXPECT_EQ(h.loader(0, "/p/parvo.chm"), -1);
    EXPECT_EQ(h.prompts.beeps, 3);
    EXPECT_EQ(h.prompts.shown.size(), 2);
    EXPECT_EQ(h.looks, 3) << "the viewer is looked for at every request until found";

    // The box tells where the viewer belongs, in this system's terms.
    EXPECT_TRUE(MissingViewerText().startsWith("Unable to load \"HHCtrl.ocx\" library !!!\n"));
    EXPECT_TRUE(MissingViewerText().contains("program folder"));
    EXPECT_FALSE(MissingViewerText().contains("Workshop"));
}

TEST(HtmlHelpLoader, ViewerFoundLaterIsCalledWithTheRequestAsGiven)
{
    viewerCalls.clear();
    {
        Help h;
        EXPECT_EQ(h.loader(0, "x"), -1);
        h.present = true;
        const QString topic = QString::fromUtf8("/opt/pàrvo/parvo.chm::/html_source/private_label.html");
        EXPECT_EQ(h.loader(7, topic, HH_DISPLAY_TOPIC, 3), 0x4200017);
        EXPECT_EQ(h.loader(0, "/p/parvo.chm"), 0x4200017);
        EXPECT_EQ(h.looks, 2) << "found once, kept";
        EXPECT_EQ(h.prompts.beeps, 1);
        ASSERT_EQ(viewerCalls.size(), 2u);
        EXPECT_EQ(viewerCalls[0].owner, 7u);
        EXPECT_EQ(viewerCalls[0].file, topic.toStdString());
        EXPECT_EQ(viewerCalls[0].command, unsigned(HH_DISPLAY_TOPIC));
        EXPECT_EQ(viewerCalls[0].data, 3u);
    }
    // Going away, the loader closes the viewer's windows.
    ASSERT_EQ(viewerCalls.size(), 3u);
    EXPECT_EQ(viewerCalls[2].command, unsigned(HH_CLOSE_ALL));
}

TEST(HtmlHelpLoader, AddressesJoinFileAndTopic)
{
    EXPECT_EQ(HelpAddress("/p/parvo.chm", ""), "/p/parvo.chm");
    EXPECT_EQ(HelpAddress("/p/parvo.chm", "::/html_source/buttons_default.html"),
              "/p/parvo.chm::/html_source/buttons_default.html");
    EXPECT_EQ(HelpAddress("/p/parvo.chm", "/html_source/go.html"), "/p/parvo.chm::/html_source/go.html");
}
