#pragma once
// The call interface of the help viewer library "HHCtrl.ocx", shared by the program that
// loads it and the library itself. Plain C, so that the program finds it by name.

#include <stdint.h>

extern "C" {

// An X11 window, or 0 for "the desktop" (no owner).
typedef uintptr_t HelpWindow;

// Shows the topic `file` addresses: the help file's path, optionally followed by
// "::/" and the path of a page inside it ("…/parvo.chm::/html_source/page.html"); the
// file's default page when there is none.
#define HH_DISPLAY_TOPIC 0x0000
// Closes every viewer window; `file` may be null.
#define HH_CLOSE_ALL 0x0012

// The viewer's window for HH_DISPLAY_TOPIC (it shows an error page itself when the file
// or the page cannot be read), 0 when the command is unknown or nothing could be shown.
// Runs on the program's interface thread.
typedef HelpWindow (*HtmlHelpAProc)(HelpWindow owner, const char* file, unsigned int command, uintptr_t data);

#define HTML_HELP_ENTRY "HtmlHelpA"
#define HTML_HELP_LIBRARY "HHCtrl.ocx"
}
