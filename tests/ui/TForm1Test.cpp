// The bar window itself, as the program starts and closes it.
#include "BarFixture.h"

#include "app/BrandingFile.h"
#include "app/StringTable.h"
#include "menus/BarCommands.h"
#include "settings/ListFiles.h"
#include "settings/SettingsStore.h"
#include "settings/ShortcutList.h"
#include "widgets/TCoolTrayIcon.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>

namespace parvo::test {

namespace {

struct Form1 : BarFixture {
    // A branding file of its own: a title unlike the program's name, so that a caption
    // that falls back to the name is caught.
    void WriteBranding(const QString& webAddress)
    {
        const QByteArray bytes = EncodeBrandingRecords({{"Casa Bianca", "http://www.casa.example/"},
                                                        {"Uno", "http://uno.example/"},
                                                        {"Casa Bianca Bar", webAddress},
                                                        {"255|65280", "16711680"},
                                                        {"http://www.casa.example/b", "https://cerca.example/?q=|"}});
        ASSERT_FALSE(bytes.isEmpty());
        QFile f(DataFilePath(0, program));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    // Creates the bar; when `shown` is given, the message box it shows is read and
    // dismissed.
    bool Create(QString* shown = nullptr, QString* caption = nullptr)
    {
        if (shown) {
            OnNextModal<QMessageBox>([=](QMessageBox* box) {
                *shown = box->text();
                if (caption)
                    *caption = box->windowTitle();
                box->accept();
            });
        }
        bar = std::make_unique<TForm1>(
            BarServices{reg, links, prompts, program, [] { return TextEditorChoice(); }, desktop, drives, shell});
        return bar->FormCreate();
    }

    QString DataErrorText() const { return Str(100) + QLatin1Char(' ') + Str(101); }
};

} // namespace

TEST_F(Form1, AMissingBrandingFileIsReportedAndTheProgramDoesNotStart)
{
    QFile::remove(DataFilePath(0, program));
    QString shown;
    EXPECT_FALSE(Create(&shown));
    EXPECT_EQ(shown, DataErrorText());
    ASSERT_FALSE(Str(101).isEmpty());

    // A picture file missing: the same message, from the pictures step.
    WriteBranding(QStringLiteral("www.casa.example"));
    QFile::remove(DataFilePath(4, program));
    shown.clear();
    QString caption;
    EXPECT_FALSE(Create(&shown, &caption));
    EXPECT_EQ(shown, DataErrorText());
    EXPECT_EQ(caption, QStringLiteral("Casa Bianca Bar")) << "the title was read before the pictures";
}

TEST_F(Form1, TheTitleComesFromTheBrandingFileAndTheWebLabelFromItsAddress)
{
    WriteBranding(QStringLiteral("www.casa.example"));
    ASSERT_TRUE(Create());
    EXPECT_EQ(bar->DisplayTitle, QStringLiteral("Casa Bianca Bar"));
    EXPECT_EQ(bar->windowTitle(), QStringLiteral("Casa Bianca Bar"));
    EXPECT_TRUE(bar->HasWebAddress);
    bar->show();
    bar->resize(760, bar->height()); // room for the label beside the program strip
    QCoreApplication::processEvents();
    QStringList shownLabels;
    for (const QLabel* label : bar->findChildren<QLabel*>())
        if (label->isVisible())
            shownLabels << label->text();
    EXPECT_TRUE(shownLabels.contains(QStringLiteral("www.casa.example"))) << shownLabels.join(u'|').toStdString();
}

TEST_F(Form1, AWebAddressOfADashHidesTheWebLabel)
{
    WriteBranding(QStringLiteral("-"));
    ASSERT_TRUE(Create());
    EXPECT_FALSE(bar->HasWebAddress);
    bar->show();
    bar->resize(760, bar->height());
    QCoreApplication::processEvents();
    for (const QLabel* label : bar->findChildren<QLabel*>())
        EXPECT_FALSE(label->isVisible() && label->text() == QStringLiteral("-"));
}

TEST_F(Form1, WhatStartUpLeavesUntilTheBarIsPaintedStillHappens)
{
    // A new user: the first run is still to do.
    const int before = reg.stores;
    ASSERT_TRUE(Create());
    EXPECT_FALSE(QFileInfo::exists(ShortcutListPath(program))) << "the first run waits for the bar to be up";
    EXPECT_EQ(reg.stores, before) << "nothing is stored before the bar is up";
    auto* tray = bar->findChild<TCoolTrayIcon*>();
    ASSERT_TRUE(tray);
    EXPECT_FALSE(tray->isVisible());

    bar->show();
    ASSERT_TRUE(QTest::qWaitFor([this] { return bar->StartupCompleted(); }, 5000));
    EXPECT_TRUE(tray->isVisible()) << "the tray icon is shown by default";
    EXPECT_FALSE(bar->windowIcon().isNull());
    EXPECT_TRUE(QFileInfo::exists(ShortcutListPath(program)));
    EXPECT_TRUE(QFileInfo::exists(ListFilePath(program, "efolder")));
    EXPECT_EQ(reg.value(RegRoot::CurrentUser, keys::Program, "FirstLoad"), RegValue::fromDword(0));
    EXPECT_TRUE(reg.value(RegRoot::CurrentUser, keys::Pvfolder, "Szer").has_value())
        << "the favourite-folder window's place is stored, though the window is not made yet";
    // The favourites refresh, last of all and a few seconds later, fills the completion list.
    EXPECT_TRUE(QTest::qWaitFor([this] { return !bar->Completion.CompletionList.isEmpty(); }, 5000));

    // A second start has nothing of the first run to do, and the tray icon stays as set.
    bar.reset();
    reg.setValue(RegRoot::CurrentUser, keys::Options, OptionName(Option::Tray), RegValue::fromDword(0));
    const int stores = reg.stores;
    ASSERT_TRUE(Create());
    EXPECT_EQ(reg.stores, stores) << "a second start stores nothing before the bar is up";
    bar->show();
    ASSERT_TRUE(QTest::qWaitFor([this] { return bar->StartupCompleted(); }, 5000));
    EXPECT_FALSE(bar->findChild<TCoolTrayIcon*>()->isVisible());
}

TEST_F(Form1, ClosingAsksFirstAndNoKeepsTheBarAsItWas)
{
    WriteBranding(QStringLiteral("www.casa.example"));
    ASSERT_TRUE(Create());
    bar->show();
    QCoreApplication::processEvents();
    const QString question = Str(40) + QStringLiteral("\n\r\n\r") + Str(41);

    QString shown, caption;
    OnNextModal<QMessageBox>([&](QMessageBox* box) {
        shown = box->text();
        caption = box->windowTitle();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_FALSE(bar->close());
    EXPECT_EQ(shown, question);
    EXPECT_EQ(caption, QStringLiteral("Casa Bianca Bar"));
    EXPECT_TRUE(bar->isVisible());

    OnNextModal<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
    EXPECT_TRUE(bar->close());
    EXPECT_FALSE(bar->isVisible());
}

} // namespace parvo::test
