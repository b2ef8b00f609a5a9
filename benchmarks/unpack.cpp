// Times what Setup.exe does at its start before its runtime begins (stub/Start.cpp): reading
// its own file and checking its checksum, then decoding the packed sections and undoing the x86
// branch conversion, with the same decoder, on the given Setup.exe. Prints the mean and the
// smallest of many rounds.
//     unpack_benchmark.exe Setup.exe
#include "codec/ImageChecksum.h"
#include "codec/Lzma.h"
#include "codec/X86Branches.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

uint32_t Read32(const uint8_t* at) {
    uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

Bytes ReadFile(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// The file offset of the packed section's contents; 0 when there is none.
size_t PackedAt(const Bytes& image) {
    const size_t header = Read32(&image[0x3C]);
    const size_t table = header + 24 + (Read32(&image[header + 20]) & 0xFFFF);
    for (size_t i = 0; i < (Read32(&image[header + 4]) >> 16); ++i)
        if (std::memcmp(&image[table + i * 40], ".packed", 8) == 0)
            return Read32(&image[table + i * 40 + 20]);
    return 0;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

} // namespace

int main(int argc, char** argv) {
    constexpr int Rounds = 50;
    if (argc != 2) {
        std::fprintf(stderr, "usage: unpack_benchmark.exe Setup.exe\n");
        return 2;
    }
    const Bytes probe = ReadFile(argv[1]);
    const size_t packed = probe.size() > 0x40 ? PackedAt(probe) : 0;
    if (packed == 0) {
        std::fprintf(stderr, "%s: no packed section\n", argv[1]);
        return 2;
    }
    const uint8_t* header = &probe[packed];
    Bytes out(Read32(header + 4));
    std::vector<uint16_t> probabilities(setup::LzmaProbabilityCount(header[12]));
    std::vector<double> checks, unpacks;
    for (int round = 0; round < Rounds; ++round) {
        LARGE_INTEGER start, checked, unpacked;
        QueryPerformanceCounter(&start);
        const Bytes image = ReadFile(argv[1]);
        const bool intact = setup::ImageIntact(image.data(), image.size());
        QueryPerformanceCounter(&checked);
        const uint8_t* stream = &image[packed];
        const bool decoded = setup::LzmaDecode(stream + 13, Read32(stream + 8), stream[12],
                                               out.data(), out.size(), probabilities.data());
        setup::X86BranchesDecode(out.data(), out.size());
        QueryPerformanceCounter(&unpacked);
        if (!intact || !decoded) {
            std::fprintf(stderr, "%s: %s\n", argv[1], intact ? "does not decode" : "damaged");
            return 1;
        }
        checks.push_back(Milliseconds(start, checked));
        unpacks.push_back(Milliseconds(checked, unpacked));
    }
    const auto report = [](const char* what, const std::vector<double>& times) {
        double sum = 0;
        for (const double time : times)
            sum += time;
        std::printf("%s: %.2f ms mean, %.2f ms least of %zu\n", what, sum / times.size(),
                    *std::min_element(times.begin(), times.end()), times.size());
    };
    std::printf("%zu bytes unpacked from %u\n", out.size(), Read32(header + 8));
    report("reading and checking the file", checks);
    report("decoding and converting back", unpacks);
    return 0;
}
