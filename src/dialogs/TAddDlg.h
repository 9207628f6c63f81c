#pragma once
// The add/edit dialog: one entry of a list, a name and a target, for the web links, the
// e-mail addresses and the favourite folders. It only collects the two texts; the caller
// fills the fields, chooses the texts with `AddDlgMode`, shows it modally and on OK
// reads the fields and does the checking and storing.

#include "platform/Drives.h"

#include <QDialog>
#include <QList>

#include <functional>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace parvo {

class TAddDlg : public QDialog {
    Q_OBJECT
public:
    explicit TAddDlg(const QString& displayTitle, QWidget* parent = nullptr);

    // Chooses the texts when the dialog is shown (see AddDlgTextsFor).
    int AddDlgMode = -1;
    // The drives, for the name a browsed folder gets.
    QList<DriveInfo> DriveList;
    // Asks for a folder; an empty text when the user gave up. A folder dialog unless
    // replaced.
    std::function<QString(QWidget* owner)> BrowseForFolder;

    QFrame* Panel1;
    QLabel* Label1;
    QLineEdit* Edit1; // the name
    QLabel* Label2;
    QLineEdit* Edit2; // the target
    QPushButton* Button1; // browse
    QLabel* Label3;       // the note
    QPushButton* Button3; // OK
    QPushButton* Button2; // cancel

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormActivate();
    void EditChange();
    void Button1Click();

    QString displayTitle_;
};

} // namespace parvo
