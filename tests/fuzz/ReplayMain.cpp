// Feeds every file of the given folders to the harness once, so the corpus,
// every crash input included, runs as a plain test.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv)
{
    std::set<std::filesystem::path> files;
    for (int i = 1; i < argc; ++i)
        files.insert(std::filesystem::directory_iterator(argv[i]), {});
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        // A copy of exactly the input's length, so that ASan sees any read past it.
        const std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!in.good() && !in.eof())
            return std::fprintf(stderr, "cannot read %s\n", file.c_str()), 1;
        LLVMFuzzerTestOneInput(data.empty() ? nullptr : data.data(), data.size());
    }
    std::printf("%zu inputs replayed\n", files.size());
    return files.empty() ? 1 : 0;
}
