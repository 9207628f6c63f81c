// Qt's own buttons beside the program's Italian texts.
#include "UiApp.h"
#include "app/QtTranslations.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <gtest/gtest.h>

using namespace parvo;

TEST(QtTranslations, MessageBoxButtonsSpeakItalian)
{
    ASSERT_TRUE(InstallQtTranslations(test::App())) << "Qt's Italian translations are not installed";
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Parvo"), QStringLiteral("x"),
                    QMessageBox::Retry | QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Retry)->text(), QStringLiteral("Riprova"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Annulla"));
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QString::fromUtf8("&Sì"));
}
