#pragma once
// The program's dialogs place their controls in pixels, measured for an 8-point dialog
// font; a larger desktop font would cut their texts, so they use at most that size.

class QWidget;

namespace parvo {

void UseDialogFont(QWidget* dialog);

} // namespace parvo
