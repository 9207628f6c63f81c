#pragma once
// Starting things the way the desktop would: programs, documents, folders, web and mail
// addresses. Everything is started detached; nothing here waits for what it started.

#include <QString>

namespace parvo {

class Shell {
public:
    virtual ~Shell() = default;

    // Starts `path` with `parameters` (one command line; double quotes group words) in
    // `workingDir` (empty: the bar's own). `path` may be a program, a shortcut, a desktop
    // entry, a document, a folder or an address such as "http://…" or "mailto:…". The
    // target may lie on a disk that does not answer, so an implementation may look at it
    // later, off the calling thread: 0 when the start was taken on, -1 when it was
    // refused; a start that fails later shows nothing.
    virtual int execute(const QString& path, const QString& parameters, const QString& workingDir) = 0;

    // Shows `folder` in the desktop's file manager, with its folder tree where the file
    // manager has one. False when nothing could be asked to show it.
    virtual bool showFolderTree(const QString& folder) = 0;

    // Hands a file, folder or address to the desktop's default application for it.
    virtual bool openWithDesktop(const QString& pathOrUrl) = 0;

    // Opens a terminal window working in `folder`.
    virtual bool openTerminal(const QString& folder) = 0;
};

} // namespace parvo
