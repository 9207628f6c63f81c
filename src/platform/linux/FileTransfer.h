#pragma once
// The work of a copy or a move, without a window: it runs on a thread of its own and
// talks to whoever shows it through the functions it is given.
//
// Nothing is ever half-done under a real name: a file is written under a temporary name
// in its folder and renamed into place once complete. A move within one file system is
// a rename; across file systems each file is copied, flushed to the disk, and only then
// is its source deleted. A folder copied or moved into itself (or onto itself) is
// refused before anything is written.

#include "platform/FileOps.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace parvo {

enum class OverwriteAnswer { Yes, YesToAll, No, Cancel };

struct TransferProgress {
    QString file;          // the source being worked on
    qint64 bytesDone = 0;
    qint64 bytesTotal = 0;
    int filesDone = 0;
    int filesTotal = 0;
};

struct TransferCallbacks {
    // Whether the existing `target` is to be replaced by `source`. Called on the
    // transfer's thread; it waits for the answer.
    std::function<OverwriteAnswer(const QString& source, const QString& target)> overwrite;
    // Called often, on the transfer's thread; must not wait.
    std::function<void(const TransferProgress&)> progress;
    // Polled between pieces of work; true stops the transfer.
    std::function<bool()> cancelled;
};

// Seconds still to go at the rate so far; -1 while too little is done to tell.
qint64 SecondsLeft(const TransferProgress& progress, qint64 elapsedMs);
// "1:05" or "2:03:07".
QString FormatDuration(qint64 seconds);

class FileTransfer {
public:
    enum class Kind { Copy, Move };

    FileTransfer(Kind kind, QStringList sources, QString destFolder, TransferCallbacks callbacks);
    FileOpOutcome run();

private:
    struct Impl;
    Kind kind_;
    QStringList sources_;
    QString dest_;
    TransferCallbacks callbacks_;
};

} // namespace parvo
