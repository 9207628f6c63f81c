#include "dialogs/TCopMovDlg.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace parvo {

TCopMovDlg::TCopMovDlg(const DropServices& services, const DroppedFiles& drop, QWidget* parent)
    : QDialog(parent)
    , services_(services)
{
    ExtractMode_ = drop.Files.size() == 1 && drop.Files.front().toLower().endsWith(QLatin1String(".zip"));
    Label2 = new QLabel(this);
    RadioButton1 = new QRadioButton(this);
    RadioButton2 = new QRadioButton(this);
    RadioButton3 = new QRadioButton(this);
    Edit1 = new QLineEdit(this);
    Edit2 = new QLineEdit(this);
    GroupBox1 = new QGroupBox(this);
    CheckBox1 = new QCheckBox(GroupBox1);
    CheckBox2 = new QCheckBox(GroupBox1);
    Button1 = new QPushButton(this);
    Button2 = new QPushButton(this);
    RadioButton1->setChecked(true);
}

TCopMovDlg::~TCopMovDlg() = default;

void TCopMovDlg::Prepare(int fileCount, bool moveEffect, const QString& destination)
{
    Label2->setText(QString::number(fileCount));
    if (moveEffect)
        RadioButton2->setChecked(true);
    Edit1->setText(destination);
    ConfirmedDestination_ = destination;
}

DropAnswers TCopMovDlg::Answers() const
{
    DropAnswers a;
    a.choice = RadioButton3->isChecked() ? DropChoice::Zip
             : RadioButton2->isChecked() ? DropChoice::Move
                                         : DropChoice::Copy;
    a.extractMode = ExtractMode_;
    a.destination = ConfirmedDestination_;
    a.checkBox1 = CheckBox1->isChecked();
    a.checkBox2 = CheckBox2->isChecked();
    a.zipName = Edit2->text();
    return a;
}

void ExecuteDropOperation(TCopMovDlg& dlg, const DroppedFiles& drop, QString& destination, const DropStatus& status)
{
    ExecuteDropOperation(dlg.Answers(), drop, destination, dlg.Services(), status);
}

} // namespace parvo
