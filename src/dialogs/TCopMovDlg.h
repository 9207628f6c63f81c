#pragma once
// The copy / move / compress / extract dialog: asks what to do with files dropped onto a
// folder, and where. It only gathers the answer; ExecuteDropOperation carries it out.
//
// A drop handler creates it for one drop, calls Prepare, shows it modally and, after OK,
// runs ExecuteDropOperation with the dialog:
//
//     TCopMovDlg dlg(services, drop, this);
//     dlg.Prepare(drop.Files.size(), effect == Qt::MoveAction, proposed);
//     if (dlg.exec() == QDialog::Accepted)
//         ExecuteDropOperation(dlg, drop, destinationVariable, statusSetter);

#include "dialogs/DropOperation.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTreeView;

namespace parvo {

class DriveFolderModel;
class FolderNameCompleter;
class TPlumBut;

class TCopMovDlg : public QDialog {
    Q_OBJECT
public:
    // `drop` holds the files of the drop target that the bar's DropFromBar flag names:
    // the bar's own when it is set, the Pvfolder window's when it is clear. Exactly one
    // file whose name ends in ".zip" (any case) makes the third choice "extract".
    TCopMovDlg(const DropServices& services, const DroppedFiles& drop, QWidget* parent = nullptr);
    ~TCopMovDlg() override;

    // What the drop handlers set before showing the dialog: the number of dropped files,
    // Move checked when the drop's effect was exactly move, and the proposed destination
    // folder (empty for none).
    void Prepare(int fileCount, bool moveEffect, const QString& destination);

    bool ExtractMode() const { return ExtractMode_; }
    // The destination the dialog hands back: kept apart from the edit's visible text,
    // which may still carry a completion the user has not accepted.
    const QString& ConfirmedDestination() const { return ConfirmedDestination_; }
    // The answers after OK.
    DropAnswers Answers() const;
    const DropServices& Services() const { return services_; }

    QLabel* Label2 = nullptr;             // number of dropped files
    QRadioButton* RadioButton1 = nullptr; // copy
    QRadioButton* RadioButton2 = nullptr; // move
    QRadioButton* RadioButton3 = nullptr; // extract or compress
    QLineEdit* Edit1 = nullptr;           // destination
    QLineEdit* Edit2 = nullptr;           // zip file to create
    QGroupBox* GroupBox1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QPushButton* Button1 = nullptr;       // OK
    QPushButton* Button2 = nullptr;       // Cancel
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    TPlumBut* PlumBut1 = nullptr;         // "Dischi": the folder tree
    TPlumBut* PlumBut2 = nullptr;         // "Cronologia": the history
    TPlumBut* PlumBut3 = nullptr;         // "PvCartelle": the favourite folders
    TPlumBut* PlumBut4 = nullptr;         // "Nuova cartella"
    QStackedWidget* Notebook1 = nullptr;  // "histpv" (cuList) and "tree" (Dirtree1)
    QListWidget* cuList = nullptr;
    QTreeView* Dirtree1 = nullptr;

    // The buttons' handlers, as the user reaches them.
    void RadioButtonClick();
    void ShowTree();
    void ShowHistory();
    void ShowPvfolders();
    void NewFolderClick();
    // Selects `path` in the folder tree once its rows have been read.
    void SelectInTree(const QString& path);

    // The last character typed in the destination edit (8 for a deletion).
    static int LastEditKey;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void SetCaptions();
    void cuListSelect(QListWidgetItem* item);
    void Dirtree1Change();
    void Edit1Change(const QString& text);
    void Completed(const QString& text, const QString& suffix);
    void SetDestination(const QString& text);

    DropServices services_;
    bool ExtractMode_ = false;
    QString ConfirmedDestination_;
    DriveFolderModel* folders_ = nullptr;
    FolderNameCompleter* completer_ = nullptr;
    bool showingChosen_ = false; // the tree shows a folder chosen elsewhere
};

// Carries out the dialog's confirmed answer for the dropped files; what both drop
// handlers call after OK. `destination` receives the confirmed destination; `status`,
// given by the Pvfolder window only, receives the outcome text.
void ExecuteDropOperation(TCopMovDlg& dlg, const DroppedFiles& drop, QString& destination,
                          const DropStatus& status = {});

} // namespace parvo
