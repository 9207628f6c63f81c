// Any bytes as a bitmap file: a plain bitmap found in them lies wholly inside them, and
// every one of its pixels can be read.

#include "widgets/PlainBitmap.h"

#include <cstdint>

using namespace parvo;

namespace {

void Require(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView file(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto bitmap = ParsePlainBitmap(file);
    if (!bitmap)
        return 0;
    Require(bitmap->width > 0 && bitmap->height > 0);
    Require(bitmap->rows.data() >= file.data() && bitmap->rows.data() + bitmap->rows.size() <= file.data() + file.size());
    Require(bitmap->rows.size() == bitmap->stride * bitmap->height);
    Require(bitmap->stride % 4 == 0 && bitmap->stride * 8 >= qsizetype(bitmap->width) * bitmap->bitsPerPixel);
    const bool indexed = bitmap->bitsPerPixel <= 8;
    Require(indexed ? bitmap->palette.size() <= (1 << bitmap->bitsPerPixel) : bitmap->palette.isEmpty());
    quint32 seen = 0;
    for (int y = 0; y < bitmap->height; ++y) {
        const QByteArrayView row = bitmap->row(y);
        for (int x = 0; x < bitmap->width; ++x) {
            const quint32 p = bitmap->pixel(row, x);
            Require(indexed ? p < (1u << bitmap->bitsPerPixel) : (p >> 24) == 0xff);
            seen ^= p;
        }
    }
    return static_cast<int>(seen & 0);
}
