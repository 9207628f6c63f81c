#pragma once

#include <QImage>
#include <QStringList>

namespace parvo::pictures {

// The icons of the branding web links ("data2.mke"): cell k belongs to link k, cell 0
// to the home site. The strip has at least SponsorMinimumCells cells, so that a
// branding with a few more links still finds a picture for each; spare cells show a
// globe.
inline constexpr int SponsorMinimumCells = 16;

// links: one text per link (address and caption), as readBrandingLinks gives them.
QImage makeSponsorStrip(const QStringList& links);

}  // namespace parvo::pictures
