#include "widgets/TLinkLabel.h"

#include "FakeShell.h"
#include "UiApp.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>
#include <gtest/gtest.h>

using namespace parvo;

TEST(TLinkLabel, ClickOpensTheCaptionOrOnlyReports)
{
    test::App();
    FakeShell shell;
    TLinkLabel label;
    label.setText("www.parvo.example");
    label.resize(150, 20);
    int clicks = 0;
    QObject::connect(&label, &TLinkLabel::clicked, [&] { ++clicks; });

    // Without a shell the label stands for a choice: the click is reported only.
    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(shell.calls.isEmpty());

    label.setShell(&shell);
    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_EQ(clicks, 2);
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls[0], (FakeShell::Record{FakeShell::Call::OpenWithDesktop, "http://www.parvo.example", {}, {}}));

    // Purple while pressed; a press let go off the label is no click.
    QTest::mousePress(&label, Qt::LeftButton);
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(0x80, 0x00, 0x80));
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(400, 5));
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(shell.calls.size(), 1);
}

TEST(TLinkLabel, CopyPutsTheCaptionOnTheClipboard)
{
    test::App();
    TLinkLabel label;
    label.setText("http://www.parvo.example/world/");
    label.copyCaption();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "http://www.parvo.example/world/");
}
