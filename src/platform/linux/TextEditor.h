#pragma once
// The desktop's plain-text editor: the program the first run puts on the bar as its
// first button.

#include "platform/linux/XdgDirs.h"

#include <QString>

namespace parvo {

// The full path of the default application for plain text, else of a common editor
// found on the program path; empty when there is none.
QString FindTextEditor(const XdgDirs& dirs);

} // namespace parvo
