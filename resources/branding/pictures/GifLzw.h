#pragma once

#include <QByteArray>

#include <span>

namespace parvo::pictures {

// The variable-length LZW code stream of a GIF image: starts with a clear code, grows
// the code width from minCodeSize + 1 up to 12 bits, starts a new table with a clear
// code when all 4096 codes are taken, and ends with the end-of-information code. Codes
// are packed least significant bit first. Every index must be below 2^minCodeSize;
// minCodeSize is 2 to 8.
QByteArray gifLzwCompress(std::span<const uchar> indices, int minCodeSize);

}  // namespace parvo::pictures
