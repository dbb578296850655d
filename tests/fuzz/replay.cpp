#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t laenge);

// Feeds every file of the given folders (or the given files) to the fuzz target once.
int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    int anzahl = 0;
    for (int i = 1; i < argc; ++i) {
        std::vector<fs::path> dateien;
        if (fs::is_directory(argv[i])) {
            for (const auto& e : fs::directory_iterator(argv[i]))
                dateien.push_back(e.path());
        } else {
            dateien.emplace_back(argv[i]);
        }
        for (const fs::path& d : dateien) {
            std::ifstream in(d, std::ios::binary);
            const std::vector<uint8_t> b{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            LLVMFuzzerTestOneInput(b.data(), b.size());
            ++anzahl;
        }
    }
    std::printf("%d Eingaben abgespielt\n", anzahl);
    return anzahl > 0 ? 0 : 1;
}
