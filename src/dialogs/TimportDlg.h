#pragma once
// The e-mail import wizard: step 1 names a comma- or semicolon-separated file, step 2
// shows the names and addresses read from it. It only reads; the caller adds the rows
// to its list when the wizard ends with OK.

#include "dialogs/EmailImport.h"

#include <QDialog>
#include <atomic>
#include <functional>
#include <thread>

class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTreeView;

namespace parvo {

class EditorRowsModel;
class GradientTitle;
class Prompts;
class Shell;

struct ImportDialogServices {
    ImportDialogServices(Prompts& p, Shell& s, QString title, QString webAddress)
        : prompts(p), shell(s), DisplayTitle(std::move(title)), WebAddress(std::move(webAddress))
    {
    }
    Prompts& prompts;
    Shell& shell;
    QString DisplayTitle;
    QString WebAddress;
    // The file dialog of the browse button; empty when cancelled. Unset: the program's
    // open-file dialog.
    std::function<QString()> chooseFile;
};

class TimportDlg : public QDialog {
    Q_OBJECT
public:
    explicit TimportDlg(ImportDialogServices services, QWidget* parent = nullptr);
    ~TimportDlg() override;

    // The rows of the result list, in file order.
    const QList<EditorRow>& Rows() const { return result_.rows; }

    QLineEdit* Edit1 = nullptr;
    QPushButton* BackBtn = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* BrowseBtn = nullptr;
    QTreeView* ImportList = nullptr;
    GradientTitle* Title = nullptr;
    QStackedWidget* Pages = nullptr;
    QLabel* Skipped = nullptr; // what the read left out

signals:
    // The file has been read (step 2 shows), for those who wait on it.
    void fileRead();

private:
    void ShowStep1();
    void ShowStep2();
    void BackBtnClick();
    void OKBtnClick();
    void BrowseClick();
    void StartReading(const QString& path);
    void ReadingDone(ImportResult result);
    void StopReading();

    ImportDialogServices services_;
    EditorRowsModel* model_ = nullptr;
    ImportResult result_;
    bool step2_ = false;
    std::thread reader_;
    std::atomic_bool cancel_{false};
};

// Runs the wizard with an empty file field: its rows, or nothing when it was cancelled.
std::optional<QList<EditorRow>> ImportAddresses(ImportDialogServices services, QWidget* parent);

} // namespace parvo
