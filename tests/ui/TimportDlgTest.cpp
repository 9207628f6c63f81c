#include "../unit/TempFiles.h"
#include "FakePrompts.h"
#include "FakeShell.h"
#include "UiApp.h"
#include "app/StringTable.h"
#include "dialogs/TimportDlg.h"
#include "widgets/GradientTitle.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTreeView>
#include <gtest/gtest.h>

using namespace parvo;

namespace {

struct Import : ::testing::Test {
    QApplication& app = test::App();
    QTemporaryDir tmp;
    FakePrompts prompts;
    FakeShell shell;
    QString picked;
    std::unique_ptr<TimportDlg> wizard;

    void SetUp() override
    {
        ImportDialogServices services(prompts, shell, "Parvo", "www.example.com");
        services.chooseFile = [this] { return picked; };
        wizard = std::make_unique<TimportDlg>(std::move(services));
        wizard->setAttribute(Qt::WA_DontShowOnScreen);
        wizard->show();
    }
    // Next, and the wait for the file to be read.
    bool next()
    {
        QSignalSpy read(wizard.get(), &TimportDlg::fileRead);
        wizard->OKBtn->click();
        return read.wait(5000);
    }
    QString cell(int row, int column) const
    {
        return wizard->ImportList->model()->index(row, column).data().toString();
    }
};

} // namespace

TEST_F(Import, StepOneNeedsAFileThatIsThere)
{
    EXPECT_EQ(wizard->windowTitle(), Str(200) + " [ Parvo ]");
    EXPECT_EQ(wizard->size(), QSize(392, 273));
    EXPECT_EQ(wizard->Title->text(), Str(43));
    EXPECT_EQ(wizard->OKBtn->text(), Str(46));
    EXPECT_FALSE(wizard->BackBtn->isEnabled());

    for (const QString& bad : {QString(), tmp.path() + "/missing.csv", tmp.path()}) {
        wizard->Edit1->setText(bad);
        wizard->OKBtn->click();
        EXPECT_EQ(wizard->Pages->currentIndex(), 0) << qPrintable(bad);
    }
    EXPECT_EQ(prompts.shown, QStringList({Str(48), Str(48), Str(48)}));
    EXPECT_TRUE(wizard->isVisible());

    picked = tmp.path() + "/chosen.csv";
    wizard->BrowseBtn->click();
    EXPECT_EQ(wizard->Edit1->text(), picked);
    picked.clear();
    wizard->BrowseBtn->click();
    EXPECT_EQ(wizard->Edit1->text(), tmp.path() + "/chosen.csv") << "a cancelled browse changes nothing";
}

TEST_F(Import, StepTwoShowsTheRowsAndBackAndNextReadTheFileAgain)
{
    const QString path = tmp.path() + "/rubrica.csv";
    test::WriteBytes(path, "Nome,E-mail\r\nMario Rossi, mario@example.com\r\nRossi;Mario;m2@example.com\r\n");
    wizard->Edit1->setText(path);
    ASSERT_TRUE(next());
    EXPECT_EQ(wizard->Pages->currentIndex(), 1);
    EXPECT_EQ(wizard->Title->text(), Str(44));
    EXPECT_EQ(wizard->OKBtn->text(), Str(47));
    EXPECT_TRUE(wizard->BackBtn->isEnabled());
    ASSERT_EQ(wizard->ImportList->model()->rowCount(), 2);
    EXPECT_EQ(wizard->ImportList->model()->headerData(0, Qt::Horizontal).toString(), Str(205));
    EXPECT_EQ(cell(0, 1), " mario@example.com");
    EXPECT_EQ(cell(1, 0), "Rossi Mario");
    EXPECT_TRUE(wizard->Skipped->text().isEmpty());

    wizard->BackBtn->click();
    EXPECT_EQ(wizard->Pages->currentIndex(), 0);
    EXPECT_EQ(wizard->OKBtn->text(), Str(46));
    test::WriteBytes(path, QByteArray("h\r\nA,a@example.org\r\n") + QByteArray("x\0y@z\r\n", 7));
    ASSERT_TRUE(next());
    EXPECT_EQ(wizard->Rows(), (QList<EditorRow>{{"A", "a@example.org"}}));
    EXPECT_EQ(wizard->Skipped->text(), Str(283).replace("%d", "1"));

    wizard->OKBtn->click();
    EXPECT_EQ(wizard->result(), QDialog::Accepted);
}

TEST_F(Import, AHugeFileKeepsTheWizardResponsiveAndCancelStopsTheRead)
{
    const QString path = tmp.path() + "/film.mkv";
    QFile big(path);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(64 * 1024 * 1024)); // sparse: 64 MiB of zeros
    big.close();
    wizard->Edit1->setText(path);
    QElapsedTimer clock;
    clock.start();
    wizard->OKBtn->click();
    EXPECT_LT(clock.elapsed(), 500) << "the click returns while the file is read";
    EXPECT_FALSE(wizard->OKBtn->isEnabled());
    EXPECT_EQ(wizard->Title->text(), Str(284));
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(wizard.get(), &escape);
    EXPECT_EQ(wizard->result(), QDialog::Rejected);
    wizard.reset(); // waits for the reader, which stops early
    EXPECT_LT(clock.elapsed(), 5000);

    // Read to its end, the file gives nothing, and the skipped part is told.
    SetUp();
    wizard->Edit1->setText(path);
    ASSERT_TRUE(next());
    EXPECT_TRUE(wizard->Rows().isEmpty());
    EXPECT_EQ(wizard->Skipped->text(), Str(282).replace("%d", "16"));
}
