#include "menus/OffThread.h"

#include "EventLoop.h"

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>

using namespace parvo;

TEST(AskOffThread, AnswersInTimeOrGivesUpWhileEventsGoOn)
{
    test::App();
    EXPECT_EQ(AskOffThread<int>([] { return 7; }, -1, 5000), 7);

    // Work stuck as a read of a mount that does not answer: the wait ends at the deadline
    // with the fallback, and the caller's events are handled meanwhile.
    auto stuck = std::make_shared<std::atomic<bool>>(true);
    bool ticked = false;
    QTimer::singleShot(10, [&ticked] { ticked = true; });
    QElapsedTimer clock;
    clock.start();
    const int answer = AskOffThread<int>(
        [stuck] {
            while (*stuck)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            return 7;
        },
        -1, 200);
    EXPECT_EQ(answer, -1);
    EXPECT_GE(clock.elapsed(), 150);
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_TRUE(ticked);

    // Its late answer, once in, goes nowhere.
    *stuck = false;
    test::Spin(50);
}
