#include "widgets/DialogFont.h"

#include <QWidget>

namespace parvo {

void UseDialogFont(QWidget* dialog)
{
    constexpr qreal DialogPointSize = 8;
    QFont f = dialog->font();
    if (f.pointSizeF() > DialogPointSize) {
        f.setPointSizeF(DialogPointSize);
        dialog->setFont(f);
    }
}

} // namespace parvo
