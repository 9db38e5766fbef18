// tarvo_artgen: makes the editor's built-in terrain art and river pieces.
//
//   tarvo_artgen --out DIR               writes DIR/builtin_art.bin (the pixels of every bitmap,
//                                        as the core embeds them) and DIR/overview_colors.bin
//   tarvo_artgen --contact-sheet FILE    writes all art as one PNG for looking at it

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "art_generator.h"
#include "contact_sheet.h"
#include "png_file.h"

namespace {

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

int WriteEmbeddedArt(const std::string& folder) {
    CArtSet art = CArtGenerator().Generate();
    if (!WriteFile(folder + "/builtin_art.bin", art.PixelData()) ||
        !WriteFile(folder + "/overview_colors.bin", art.OverviewColours())) {
        std::fprintf(stderr, "tarvo_artgen: cannot write into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}

int WriteContactSheet(const std::string& path) {
    CArtSet art = CArtGenerator().Generate();
    if (!WritePng(path, CContactSheet(art).Compose())) {
        std::fprintf(stderr, "tarvo_artgen: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "--out") {
        return WriteEmbeddedArt(args[1]);
    }
    if (args.size() == 2 && args[0] == "--contact-sheet") {
        return WriteContactSheet(args[1]);
    }
    std::fprintf(stderr, "usage: tarvo_artgen --out DIR | --contact-sheet FILE.png\n");
    return 2;
}
