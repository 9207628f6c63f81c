#include "dialogs/TAddDlg.h"

#include "app/StringTable.h"
#include "dialogs/AddDlgModes.h"
#include "dialogs/FolderEntryName.h"

#include <QFileDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace parvo {

TAddDlg::TAddDlg(const QString& displayTitle, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , displayTitle_(displayTitle)
{
    setFixedSize(312, 243);
    Panel1 = new QFrame(this);
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setFrameShadow(QFrame::Sunken);
    Panel1->setGeometry(8, 8, 296, 192);
    Label1 = new QLabel(Panel1);
    Label1->setGeometry(12, 8, 272, 16);
    Edit1 = new QLineEdit(Panel1);
    Edit1->setGeometry(12, 26, 272, 22);
    Label2 = new QLabel(Panel1);
    Label2->setGeometry(12, 54, 272, 16);
    Edit2 = new QLineEdit(Panel1);
    Edit2->setGeometry(12, 72, 272, 22);
    Button1 = new QPushButton(Panel1);
    Button1->setGeometry(200, 100, 84, 25);
    Button1->setAutoDefault(false);
    Label3 = new QLabel(Panel1);
    Label3->setGeometry(12, 130, 272, 54);
    Label3->setWordWrap(true);
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setBuddy(Edit1);
    Label2->setBuddy(Edit2);

    Button3 = new QPushButton(QStringLiteral("OK"), this);
    Button3->setGeometry(140, 208, 80, 25);
    Button3->setDefault(true);
    Button2 = new QPushButton(this);
    Button2->setGeometry(224, 208, 80, 25);
    Button2->setAutoDefault(false);

    connect(Button3, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject); // Escape rejects too
    connect(Button1, &QPushButton::clicked, this, &TAddDlg::Button1Click);
    connect(Edit1, &QLineEdit::textChanged, this, &TAddDlg::EditChange);
    connect(Edit2, &QLineEdit::textChanged, this, &TAddDlg::EditChange);

    BrowseForFolder = [](QWidget* owner) {
        return QFileDialog::getExistingDirectory(owner, Str(141).remove(QLatin1Char('&')), QString(),
                                                 QFileDialog::ShowDirsOnly);
    };
}

void TAddDlg::showEvent(QShowEvent* event)
{
    FormActivate();
    // Centred on the screen, not on the window that opened it.
    if (const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    QDialog::showEvent(event);
}

void TAddDlg::FormActivate()
{
    Button1->setText(Str(141));
    Button2->setText(Str(140));
    if (const auto texts = AddDlgTextsFor(AddDlgMode, displayTitle_)) {
        setWindowTitle(texts->caption);
        Label1->setText(texts->label1);
        Label2->setText(texts->label2);
        Label3->setText(texts->note);
    }
}

void TAddDlg::EditChange()
{
    Button3->setEnabled(!Edit1->text().isEmpty() && !Edit2->text().isEmpty());
}

void TAddDlg::Button1Click()
{
    const QString folder = BrowseForFolder ? BrowseForFolder(this) : QString();
    if (folder.isEmpty())
        return;
    if (Edit1->text().isEmpty())
        Edit1->setText(DerivedFolderName(folder, DriveList));
    Edit2->setText(folder);
    Button3->setEnabled(true);
}

} // namespace parvo
