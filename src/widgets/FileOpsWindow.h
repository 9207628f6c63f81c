#pragma once
// Copying and moving with the desktop's manners: the work runs off the interface thread
// while a small window shows the file, the bytes and the time left, asks before a file
// is overwritten (Yes / Yes to all / No / Cancel) and reports what could not be done.

#include "platform/FileOps.h"

class QWidget;

namespace parvo {

class Prompts;

class FileOpsWindow : public FileOps {
public:
    FileOpsWindow(Prompts& prompts, QWidget* owner);

    FileOpOutcome copyFiles(const QStringList& sources, const QString& destFolder) override;
    FileOpOutcome moveFiles(const QStringList& sources, const QString& destFolder) override;

private:
    Prompts& prompts_;
    QWidget* owner_;
};

} // namespace parvo
