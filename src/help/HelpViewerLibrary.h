#pragma once
// The help viewer library on disk: "HHCtrl.ocx" in the program folder, or on the
// system's library path.

#include "help/HtmlHelpApi.h"

#include <QString>

#include <memory>

class QLibrary;

namespace parvo {

class HelpViewerLibrary {
public:
    explicit HelpViewerLibrary(QString programFolder);
    // Leaves the library loaded (see HtmlHelpLoader).
    ~HelpViewerLibrary();

    // Loads the library (when not loaded yet) and looks up its entry point; null when the
    // library is missing, cannot be loaded, or lacks the entry point.
    HtmlHelpAProc findEntry();

private:
    QString programFolder_;
    std::unique_ptr<QLibrary> library_;
};

} // namespace parvo
