#pragma once
// A tree of mixed text and binary files, written fresh for each benchmark run, so that
// no run is helped by what an earlier one left on disk.

#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace parvo::bench {

// Writes about `megabytes` MB below `root`: text of a few thousand words, binary data
// that compresses a little, random data that does not, in nested folders. Returns the
// number of files.
inline int WriteBenchTree(const std::string& root, int megabytes, unsigned seed = 1)
{
    std::mt19937 random(seed);
    static const char* const words[] = {"alpha", "bravo", "charlie", "delta", "echo", "foxtrot", "golf", "hotel",
                                        "india", "juliet", "kilo", "lima", "mike", "november", "oscar", "papa",
                                        "quebec", "romeo", "sierra", "tango", "uniform", "victor", "whiskey",
                                        "x-ray", "yankee", "zulu", "the", "of", "and", "to", "in", "is", "it"};
    const int wordCount = int(sizeof words / sizeof *words);
    const uint64_t target = uint64_t(megabytes) << 20;
    uint64_t written = 0;
    int files = 0;
    ::mkdir(root.c_str(), 0755);
    std::vector<std::string> folders{root};
    std::string data;
    while (written < target) {
        if (files % 40 == 0) {
            const std::string folder = folders[random() % folders.size()] + "/d" + std::to_string(folders.size());
            ::mkdir(folder.c_str(), 0755);
            folders.push_back(folder);
        }
        const int kind = int(random() % 10);
        // Mostly small and middle-sized files, now and then a large one.
        size_t size = random() % 9 == 0 ? 1 + random() % (6 << 20) : 1 + random() % (160 << 10);
        data.clear();
        data.reserve(size);
        if (kind < 6) { // text
            while (data.size() < size) {
                data += words[random() % wordCount];
                data += random() % 12 == 0 ? '\n' : ' ';
            }
        } else if (kind < 8) { // binary records with some repetition
            while (data.size() < size) {
                const uint32_t v = random() % 1024;
                data.append(reinterpret_cast<const char*>(&v), 4);
                data.append(4, char(random() % 4));
            }
        } else { // noise
            while (data.size() < size) {
                const uint32_t v = random();
                data.append(reinterpret_cast<const char*>(&v), 4);
            }
        }
        data.resize(size);
        const std::string path = folders[random() % folders.size()] + "/f" + std::to_string(files) + (kind < 6 ? ".txt" : ".bin");
        if (FILE* f = std::fopen(path.c_str(), "wb")) {
            std::fwrite(data.data(), 1, data.size(), f);
            std::fclose(f);
        }
        written += size;
        ++files;
    }
    return files;
}

} // namespace parvo::bench
