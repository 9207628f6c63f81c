#pragma once
// The desktop's plain-text editor: the program the first run puts on the bar as its
// first button.

#include "platform/linux/XdgDirs.h"
#include "settings/FirstRunSetup.h"

namespace parvo {

// The default application for plain text as its desktop entry, which is started whole
// (its Exec line with its arguments, in a terminal when it asks for one) and named by
// its Name; else a common editor found on the program path, named after its program.
// An empty target when there is none.
TextEditorChoice FindTextEditor(const XdgDirs& dirs);

} // namespace parvo
