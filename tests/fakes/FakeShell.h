#pragma once
// A shell that starts nothing: every call is recorded in order, and the answers can be
// set per kind of call.

#include "platform/Shell.h"

#include <QList>
#include <QString>

namespace parvo {

class FakeShell : public Shell {
public:
    enum class Call { Execute, ShowFolderTree, OpenWithDesktop, OpenTerminal };
    struct Record {
        Call call;
        QString path;
        QString parameters; // Execute only
        QString workingDir; // Execute only
        bool operator==(const Record&) const = default;
    };

    int execute(const QString& path, const QString& parameters, const QString& workingDir) override
    {
        calls.append({Call::Execute, path, parameters, workingDir});
        return executeResult;
    }
    bool showFolderTree(const QString& folder) override
    {
        calls.append({Call::ShowFolderTree, folder, {}, {}});
        return succeed;
    }
    bool openWithDesktop(const QString& pathOrUrl) override
    {
        calls.append({Call::OpenWithDesktop, pathOrUrl, {}, {}});
        return succeed;
    }
    bool openTerminal(const QString& folder) override
    {
        calls.append({Call::OpenTerminal, folder, {}, {}});
        return succeed;
    }

    QList<Record> calls;
    int executeResult = 0; // what execute answers
    bool succeed = true;   // what the other calls answer
};

} // namespace parvo
