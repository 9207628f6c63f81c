#include "GifLzw.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace parvo::pictures {

namespace {

constexpr int MaxCodeBits = 12;
constexpr int CodeLimit = 1 << MaxCodeBits;

class BitPacker
{
public:
    void put(int code, int width)
    {
        m_buffer |= std::uint32_t(code) << m_bits;
        m_bits += width;
        while (m_bits >= 8) {
            m_out.append(char(m_buffer & 0xFF));
            m_buffer >>= 8;
            m_bits -= 8;
        }
    }

    QByteArray finish()
    {
        if (m_bits > 0)
            m_out.append(char(m_buffer & 0xFF));
        m_buffer = 0;
        m_bits = 0;
        return m_out;
    }

private:
    QByteArray m_out;
    std::uint32_t m_buffer = 0;
    int m_bits = 0;
};

}  // namespace

QByteArray gifLzwCompress(std::span<const uchar> indices, int minCodeSize)
{
    const int alphabet = 1 << minCodeSize;
    const int clearCode = alphabet;
    const int endCode = alphabet + 1;

    // child[prefix * alphabet + symbol] is the code of prefix followed by symbol, 0 when
    // that string has no code yet (0 is never a string code in this table).
    std::vector<std::uint16_t> child(std::size_t(CodeLimit) * alphabet, 0);

    BitPacker out;
    int width = minCodeSize + 1;
    int nextCode = endCode + 1;
    out.put(clearCode, width);

    if (indices.empty()) {
        out.put(endCode, width);
        return out.finish();
    }

    // The decoder adds its table entry for a code only when it reads the code after
    // it, and never for the first code after a clear; its code width grows as soon as
    // its next free code reaches 2^width. The encoder, one entry ahead, grows the width
    // at the same code, and once more before the end code when the decoder's entry for
    // the last code fills the current width.
    bool firstAfterClear = true;
    int prefix = indices[0];
    for (std::size_t i = 1; i < indices.size(); ++i) {
        const int symbol = indices[i];
        const std::uint16_t known = child[std::size_t(prefix) * alphabet + symbol];
        if (known != 0) {
            prefix = known;
            continue;
        }
        out.put(prefix, width);
        child[std::size_t(prefix) * alphabet + symbol] = std::uint16_t(nextCode);
        ++nextCode;
        if (nextCode - 1 == (1 << width) && width < MaxCodeBits)
            ++width;
        firstAfterClear = false;
        if (nextCode == CodeLimit) {
            out.put(clearCode, width);
            std::fill(child.begin(), child.end(), 0);
            width = minCodeSize + 1;
            nextCode = endCode + 1;
            firstAfterClear = true;
        }
        prefix = symbol;
    }
    out.put(prefix, width);
    if (!firstAfterClear && nextCode == (1 << width) && width < MaxCodeBits)
        ++width;
    out.put(endCode, width);
    return out.finish();
}

}  // namespace parvo::pictures
