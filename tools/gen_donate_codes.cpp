// Writes the Donate box's two QR codes.
#include <cstdio>

#include "tools/pictures/pictures.h"

int main(int argc, char** argv) {
    std::vector<AssetFile> codes = donateCodes();
    if (codes.empty()) {
        std::fprintf(stderr, "%s: the web address does not fit a code the Donate box can show\n",
                     argv[0]);
        return 1;
    }
    return writeAssetFiles(argc, argv, codes);
}
