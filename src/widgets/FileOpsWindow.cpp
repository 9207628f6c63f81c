#include "widgets/FileOpsWindow.h"

#include "app/RunOffThread.h"
#include "app/StringTable.h"
#include "platform/Prompts.h"
#include "platform/linux/FileTransfer.h"

#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <atomic>

namespace parvo {

namespace {

constexpr int Width = 420;

QString Size(qint64 bytes)
{
    return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

OverwriteAnswer OverwriteBox(QWidget* owner, const QString& target)
{
    QMessageBox box(QMessageBox::Question, owner ? owner->windowTitle() : QString(),
                    Str(566).replace(QLatin1String("%s"), target), QMessageBox::NoButton, owner);
    QPushButton* yes = box.addButton(Str(567), QMessageBox::YesRole);
    QPushButton* all = box.addButton(Str(568), QMessageBox::YesRole);
    QPushButton* no = box.addButton(Str(569), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(Str(140), QMessageBox::RejectRole);
    box.setDefaultButton(no);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes)
        return OverwriteAnswer::Yes;
    if (box.clickedButton() == all)
        return OverwriteAnswer::YesToAll;
    if (box.clickedButton() == no)
        return OverwriteAnswer::No;
    return OverwriteAnswer::Cancel;
}

} // namespace

TransferWindow::TransferWindow(bool move, const QString& destFolder, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
    , started_(QDateTime::currentMSecsSinceEpoch())
{
    setWindowTitle(Str(move ? 561 : 560));
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(Width, 150);
    from_ = new QLabel(this);
    from_->setGeometry(10, 10, Width - 20, 18);
    to_ = new QLabel(Str(563) + QLatin1Char(' ') + destFolder, this);
    to_->setGeometry(10, 30, Width - 20, 18);
    bar_ = new QProgressBar(this);
    bar_->setGeometry(10, 55, Width - 20, 18);
    bar_->setTextVisible(false);
    bytes_ = new QLabel(this);
    bytes_->setGeometry(10, 80, Width / 2, 18);
    timeLeft_ = new QLabel(this);
    timeLeft_->setGeometry(Width / 2, 80, Width / 2 - 10, 18);
    timeLeft_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cancelButton_ = new QPushButton(Str(140), this);
    cancelButton_->setGeometry((Width - 90) / 2, 112, 90, 26);
    connect(cancelButton_, &QPushButton::clicked, this, &TransferWindow::reject);
    if (owner)
        QWidget::move(owner->window()->frameGeometry().center() - rect().center());
}

void TransferWindow::Show(const TransferProgress& p)
{
    const QFontMetrics fm(from_->font());
    from_->setText(fm.elidedText(Str(562) + QLatin1Char(' ') + p.file, Qt::ElideMiddle, from_->width()));
    // The bar counts in kilobytes, so that any size fits its range.
    bar_->setRange(0, int(std::max<qint64>(p.bytesTotal >> 10, 1)));
    bar_->setValue(int(p.bytesDone >> 10));
    bytes_->setText(Fill(Str(564), {Size(p.bytesDone), Size(p.bytesTotal)}));
    const qint64 left = SecondsLeft(p, QDateTime::currentMSecsSinceEpoch() - started_);
    timeLeft_->setText(left < 0 ? QString() : Str(565).replace(QLatin1String("%s"), FormatDuration(left)));
}

void TransferWindow::reject()
{
    cancel_ = true;
    cancelButton_->setEnabled(false);
}

FileOpsWindow::FileOpsWindow(Prompts& prompts, QWidget* owner)
    : AskOverwrite(&OverwriteBox)
    , prompts_(prompts)
    , owner_(owner)
{
}

FileOpOutcome FileOpsWindow::copyFiles(const QStringList& sources, const QString& destFolder)
{
    return transfer(false, sources, destFolder);
}

FileOpOutcome FileOpsWindow::moveFiles(const QStringList& sources, const QString& destFolder)
{
    return transfer(true, sources, destFolder);
}

FileOpOutcome FileOpsWindow::transfer(bool move, const QStringList& sources, const QString& destFolder)
{
    TransferWindow window(move, destFolder, owner_);
    std::atomic<bool> cancelled = false;
    TransferCallbacks callbacks;
    callbacks.cancelled = [&] { return cancelled.load(); };
    callbacks.progress = [&](const TransferProgress& p) {
        QMetaObject::invokeMethod(&window, [&window, p] { window.Show(p); }, Qt::QueuedConnection);
    };
    callbacks.overwrite = [&](const QString&, const QString& target) {
        OverwriteAnswer answer = OverwriteAnswer::Cancel;
        QMetaObject::invokeMethod(&window, [&] { answer = AskOverwrite(&window, target); },
                                  Qt::BlockingQueuedConnection);
        return answer;
    };
    window.show();
    FileTransfer work(move ? FileTransfer::Kind::Move : FileTransfer::Kind::Copy, sources, destFolder, callbacks);
    // The worker reads the Cancel button through the flag.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &window, [&] { cancelled = window.cancelRequested(); });
    poll.start(100);
    const FileOpOutcome outcome = RunOffThread([&] { return work.run(); });
    // Progress still queued would reach a window that is gone.
    QCoreApplication::removePostedEvents(&window);
    window.hide();
    tell(outcome, int(sources.size()));
    return outcome;
}

void FileOpsWindow::tell(const FileOpOutcome& outcome, int total)
{
    if (outcome.ok() && outcome.skipped.isEmpty())
        return;
    QStringList lines{Str(570), Fill(Str(571), {QString::number(outcome.done.size()), QString::number(total)})};
    constexpr int Shown = 12;
    QStringList details = outcome.notDone;
    for (const QString& s : outcome.skipped)
        details.append(s + QStringLiteral(": ") + Str(576));
    lines += details.mid(0, Shown);
    if (details.size() > Shown)
        lines.append(Str(65318).replace(QLatin1String("%d"), QString::number(details.size() - Shown)));
    prompts_.error(lines.join(QLatin1Char('\n')));
}

} // namespace parvo
