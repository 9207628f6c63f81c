#pragma once
// Help through the viewer library "HHCtrl.ocx", loaded when help is first asked for: the
// program starts, and runs, without it. While the viewer is missing every request beeps,
// and a box says where the viewer belongs and offers the download page; after the offer
// has been taken once it is not made again in this run.

#include "help/HtmlHelpApi.h"

#include <QString>
#include <QtGlobal>

#include <functional>

namespace parvo {

class Prompts;
class Shell;

class HtmlHelpLoader {
public:
    // Loads the viewer library and looks up its entry point; null when either fails.
    using FindEntry = std::function<HtmlHelpAProc()>;

    HtmlHelpLoader(FindEntry find, Prompts& prompts, Shell& shell);
    // Closes the viewer's windows. The library itself stays mapped until the process
    // ends: Qt keeps pointers into a library that has made widgets, and unmapping it
    // earlier would leave them dangling.
    ~HtmlHelpLoader();
    HtmlHelpLoader(const HtmlHelpLoader&) = delete;
    HtmlHelpLoader& operator=(const HtmlHelpLoader&) = delete;

    // The viewer's answer for the request (its window), or -1 when there is no viewer.
    qint32 operator()(HelpWindow owner, const QString& topic, quint32 command = HH_DISPLAY_TOPIC, quint32 data = 0);

    bool viewerFound() const { return entry_ != nullptr; }

private:
    FindEntry find_;
    Prompts& prompts_;
    Shell& shell_;
    HtmlHelpAProc entry_ = nullptr;
    bool downloadOffered_ = false;
};

// What the box says when the viewer cannot be loaded.
QString MissingViewerText();

// The address the help file's pages are reached by: the file, then "::" and the topic
// ("::/html_source/page.html"); the file alone for its start page.
QString HelpAddress(const QString& helpFile, const QString& topic);

} // namespace parvo
