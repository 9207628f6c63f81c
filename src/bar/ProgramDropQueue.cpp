#include "bar/ProgramDropQueue.h"

#include <QThread>

#include <memory>

namespace parvo {

ProgramDropQueue::ProgramDropQueue(ShellLinks& links, QString programFolder, QObject* parent)
    : QObject(parent)
    , links_(links)
    , programFolder_(std::move(programFolder))
{
}

ProgramDropQueue::~ProgramDropQueue()
{
    // A drop under way is finished, so that the list and the shortcut files agree.
    pending_.clear();
    if (worker_) {
        worker_->wait();
        delete worker_;
    }
}

void ProgramDropQueue::add(const QStringList& files)
{
    pending_.push_back(files);
    if (!worker_)
        startNext();
}

void ProgramDropQueue::startNext()
{
    if (pending_.empty())
        return;
    const QStringList files = std::move(pending_.front());
    pending_.pop_front();
    auto result = std::make_shared<DroppedPrograms>();
    worker_ = QThread::create([this, files, result] { *result = WriteDroppedPrograms(links_, programFolder_, files); });
    connect(worker_, &QThread::finished, this, [this, result] {
        worker_->deleteLater();
        worker_ = nullptr;
        emit finished(*result);
        startNext();
    });
    worker_->start();
}

} // namespace parvo
