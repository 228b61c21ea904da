// Runs the files given, or every file of the folders given, through the fuzz target once each, so that
// the seed corpus and every input that ever failed stay a regression test with any compiler.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse);

namespace fs = std::filesystem;

int main(int argc, char* argv[])
{
    std::vector<fs::path> dateien;
    for (int i = 1; i < argc; ++i) {
        const fs::path pfad = argv[i];
        std::error_code fehler;
        if (fs::is_directory(pfad, fehler)) {
            for (const auto& eintrag : fs::directory_iterator(pfad))
                // .gitkeep and the like keep a folder in the repository; they are no inputs.
                if (eintrag.is_regular_file() && eintrag.path().filename().string().front() != '.')
                    dateien.push_back(eintrag.path());
        } else if (fs::is_regular_file(pfad, fehler)) {
            dateien.push_back(pfad);
        } else {
            std::fprintf(stderr, "not found: %s\n", argv[i]);
            return 1;
        }
    }
    std::sort(dateien.begin(), dateien.end());
    for (const fs::path& pfad : dateien) {
        std::ifstream datei(pfad, std::ios::binary);
        const std::vector<char> inhalt((std::istreambuf_iterator<char>(datei)), std::istreambuf_iterator<char>());
        std::printf("%s\n", pfad.c_str());
        std::fflush(stdout);
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(inhalt.data()), inhalt.size());
    }
    std::printf("%zu inputs replayed\n", dateien.size());
    return 0;
}
