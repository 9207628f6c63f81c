#pragma once
// Copying and moving with the desktop's manners: the work runs off the interface thread
// while a small window shows the file, the bytes and the time left, asks before a file
// is overwritten (Yes / Yes to all / No / Cancel) and, at the end, tells what could not
// be done.

#include "platform/FileOps.h"
#include "platform/linux/FileTransfer.h"

#include <functional>

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace parvo {

class Prompts;
struct TransferProgress;

class FileOpsWindow : public FileOps {
public:
    FileOpsWindow(Prompts& prompts, QWidget* owner);

    FileOpOutcome copyFiles(const QStringList& sources, const QString& destFolder) override;
    FileOpOutcome moveFiles(const QStringList& sources, const QString& destFolder) override;

    // Asks whether the existing file `target` is to be replaced: a box with Yes, Yes to
    // all, No and Cancel, over the progress window.
    std::function<OverwriteAnswer(QWidget* over, const QString& target)> AskOverwrite;

private:
    FileOpOutcome transfer(bool move, const QStringList& sources, const QString& destFolder);
    void tell(const FileOpOutcome& outcome, int total);

    Prompts& prompts_;
    QWidget* owner_;
};

// The progress window of one transfer.
class TransferWindow : public QDialog {
    Q_OBJECT
public:
    TransferWindow(bool move, const QString& destFolder, QWidget* owner);
    void Show(const TransferProgress& progress);
    bool cancelRequested() const { return cancel_; }

protected:
    void reject() override;

private:
    QLabel* from_;
    QLabel* to_;
    QLabel* bytes_;
    QLabel* timeLeft_;
    QProgressBar* bar_;
    QPushButton* cancelButton_;
    qint64 started_ = 0;
    bool cancel_ = false;
};

} // namespace parvo
