#include "PixelArt.h"

#include "Palette.h"

#include <stdexcept>
#include <string>

namespace parvo::pictures {

QRgb legendColour(char letter)
{
    switch (letter) {
    case 'K': return qRgb(0x2E, 0x2E, 0x33);
    case 'D': return qRgb(0x5C, 0x5C, 0x63);
    case 'g': return qRgb(0x90, 0x90, 0x98);
    case 'l': return qRgb(0xC4, 0xC4, 0xCA);
    case 's': return qRgb(0xE6, 0xE6, 0xEA);
    case 'w': return brand::White;
    case 'y': return qRgb(0xF2, 0xC2, 0x3A);
    case 'Y': return qRgb(0xFF, 0xE4, 0x8C);
    case 'o': return qRgb(0xC0, 0x8A, 0x14);
    case 'n': return qRgb(0x8A, 0x5A, 0x2C);
    case 'p': return brand::Accent;
    case 'P': return brand::AccentLight;
    case 'v': return brand::AccentDark;
    case 'b': return qRgb(0x24, 0x62, 0xC8);
    case 'B': return qRgb(0x16, 0x3C, 0x84);
    case 'c': return qRgb(0x8E, 0xC2, 0xF4);
    case 'G': return qRgb(0x2E, 0x9A, 0x3C);
    case 'h': return qRgb(0x8C, 0xD6, 0x8E);
    case 'r': return qRgb(0xD0, 0x2C, 0x2C);
    case 'R': return qRgb(0xF2, 0x8C, 0x8C);
    case 'O': return qRgb(0xF0, 0x8A, 0x1C);
    default:
        throw std::invalid_argument(std::string("unknown colour letter '") + letter + "'");
    }
}

void paintSprite(QImage& image, QPoint origin, Sprite sprite,
                 std::span<const Recolour> recolour)
{
    if (sprite.empty())
        return;
    const std::size_t width = sprite.front().size();
    for (std::size_t row = 0; row < sprite.size(); ++row) {
        const std::string_view line = sprite[row];
        if (line.size() != width)
            throw std::invalid_argument("sprite row " + std::to_string(row) + " is "
                                        + std::to_string(line.size()) + " letters wide, not "
                                        + std::to_string(width));
        for (std::size_t column = 0; column < width; ++column) {
            char letter = line[column];
            for (const auto& [from, to] : recolour) {
                if (letter == from) {
                    letter = to;
                    break;
                }
            }
            if (letter == '.')
                continue;
            const QRgb colour = legendColour(letter);
            const QPoint at = origin + QPoint(int(column), int(row));
            if (image.rect().contains(at))
                image.setPixel(at, colour);
        }
    }
}

void paintCell(QImage& strip, int cell, std::span<const Layer> layers)
{
    QImage glyph(16, 16, QImage::Format_RGB32);
    glyph.fill(strip.pixel(16 * cell, 0));
    for (const Layer& layer : layers)
        paintSprite(glyph, layer.at, layer.sprite, layer.recolour);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x)
            strip.setPixel(16 * cell + x, y, glyph.pixel(x, y));
    }
}

}  // namespace parvo::pictures
