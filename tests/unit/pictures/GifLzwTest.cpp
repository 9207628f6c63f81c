#include "GifLzw.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace parvo::pictures;

namespace {

// A decoder that, unlike the forgiving ones of image viewers, insists on the exact
// code stream: every code read at the width the table calls for, the end code
// present, and nothing but padding bits after it.
struct StrictDecoder
{
    const QByteArray& data;
    int minCodeSize;
    std::size_t bitPosition = 0;
    std::string error;

    bool readCode(int width, int& code)
    {
        if (bitPosition + std::size_t(width) > std::size_t(data.size()) * 8)
            return false;
        code = 0;
        for (int bit = 0; bit < width; ++bit, ++bitPosition) {
            if (uchar(data[qsizetype(bitPosition / 8)]) & (1 << (bitPosition % 8)))
                code |= 1 << bit;
        }
        return true;
    }

    std::vector<uchar> decode()
    {
        const int clearCode = 1 << minCodeSize;
        const int endCode = clearCode + 1;
        std::vector<std::vector<uchar>> table;
        int width = 0;
        int previous = -1;
        auto reset = [&] {
            table.assign(std::size_t(endCode + 1), {});
            for (int i = 0; i < clearCode; ++i)
                table[std::size_t(i)] = {uchar(i)};
            width = minCodeSize + 1;
            previous = -1;
        };
        reset();

        std::vector<uchar> out;
        bool started = false;
        for (;;) {
            int code = 0;
            if (!readCode(width, code)) {
                error = "the stream ends without an end code";
                return out;
            }
            if (!started && code != clearCode) {
                error = "the stream does not start with a clear code";
                return out;
            }
            started = true;
            if (code == clearCode) {
                reset();
                continue;
            }
            if (code == endCode) {
                if ((bitPosition + 7) / 8 != std::size_t(data.size()))
                    error = "bytes follow the end code";
                return out;
            }
            std::vector<uchar> entry;
            if (previous < 0) {
                if (code >= clearCode) {
                    error = "the first code after a clear is not a pixel";
                    return out;
                }
                entry = table[std::size_t(code)];
            } else {
                if (code < int(table.size()) && code != clearCode && code != endCode) {
                    entry = table[std::size_t(code)];
                } else if (code == int(table.size())) {
                    entry = table[std::size_t(previous)];
                    entry.push_back(table[std::size_t(previous)][0]);
                } else {
                    error = "code " + std::to_string(code) + " is not in the table";
                    return out;
                }
                if (table.size() < 4096) {
                    std::vector<uchar> added = table[std::size_t(previous)];
                    added.push_back(entry[0]);
                    table.push_back(std::move(added));
                    if (table.size() == (std::size_t(1) << width) && width < 12)
                        ++width;
                }
            }
            out.insert(out.end(), entry.begin(), entry.end());
            previous = code;
        }
    }
};

void expectExactStream(const std::vector<uchar>& indices, int minCodeSize)
{
    const QByteArray stream = gifLzwCompress(indices, minCodeSize);
    StrictDecoder decoder{stream, minCodeSize, 0, {}};
    const std::vector<uchar> decoded = decoder.decode();
    EXPECT_EQ(decoder.error, "") << indices.size() << " indices";
    EXPECT_EQ(decoded, indices) << indices.size() << " indices";
}

std::vector<uchar> randomIndices(std::size_t count, int alphabet, unsigned seed, int runLength = 1)
{
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> pick(0, alphabet - 1);
    std::vector<uchar> indices;
    while (indices.size() < count)
        indices.insert(indices.end(), std::size_t(runLength), uchar(pick(generator)));
    indices.resize(count);
    return indices;
}

}  // namespace

// Lengths that stop right where the decoder's last entry fills a code width: the end
// code must then be written one bit wider.
TEST(GifLzw, EndCodeHasTheWidthTheDecoderExpects)
{
    for (int minCodeSize : {2, 3, 8}) {
        for (std::size_t length = 0; length <= 600; ++length)
            expectExactStream(randomIndices(length, 1 << minCodeSize, unsigned(length)), minCodeSize);
    }
}

TEST(GifLzw, WidthsGrowToTwelveBitsAndTheTableStartsAgain)
{
    // Noise over 256 symbols takes about one code per pixel: 4096 codes are used up
    // many times over, each time followed by a clear code.
    expectExactStream(randomIndices(100000, 256, 1), 8);
    expectExactStream(randomIndices(50000, 4, 2, 3), 2);
    expectExactStream(std::vector<uchar>(300000, 1), 2);
}
