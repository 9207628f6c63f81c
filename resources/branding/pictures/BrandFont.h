#pragma once

#include <QFont>

namespace parvo::pictures {

// The bold sans face of the logos and the banner. DejaVu Sans comes with every Debian
// desktop (fonts-dejavu-core); without it the font system's default sans face stands
// in, and the pictures keep their sizes.
QFont brandFont(int pixelSize, QFont::Weight weight = QFont::Bold);

}  // namespace parvo::pictures
