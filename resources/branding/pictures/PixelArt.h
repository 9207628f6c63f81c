#pragma once

#include <QImage>
#include <QPoint>

#include <span>
#include <string_view>
#include <utility>

namespace parvo::pictures {

// Small pictures written as rows of letters, one letter a pixel, so that every glyph
// can be read (and corrected) in its source. The letters name the colours of one
// shared legend; '.' leaves the pixel as it is.
//
//   K outline        D dark grey      g grey           l light grey     s silver
//   w white          y yellow         Y light yellow   o ochre          n brown
//   p purple         P light purple   v dark purple    b blue           B dark blue
//   c light blue     G green          h light green    r red            R light red
//   O orange
using Sprite = std::span<const std::string_view>;

// A letter of the legend replaced by another one, to draw a sprite in other colours.
using Recolour = std::pair<char, char>;

// The colour of a legend letter; throws std::invalid_argument for an unknown letter.
QRgb legendColour(char letter);

// Paints the sprite with its top-left corner at origin. Every row must be as long as
// the first one (std::invalid_argument otherwise); pixels outside the image are
// dropped.
void paintSprite(QImage& image, QPoint origin, Sprite sprite,
                 std::span<const Recolour> recolour = {});

// One sprite placed in a 16-pixel cell, optionally recoloured: glyphs are stacks of
// layers, such as a folder with a badge over its corner.
struct Layer
{
    Sprite sprite;
    QPoint at{0, 0};
    std::span<const Recolour> recolour{};
};

// Paints the layers, in order, into 16-pixel cell number `cell` of a strip; nothing is
// drawn outside that cell.
void paintCell(QImage& strip, int cell, std::span<const Layer> layers);

}  // namespace parvo::pictures
