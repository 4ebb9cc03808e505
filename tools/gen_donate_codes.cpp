// Writes the Donate box's two QR codes.
#include "tools/pictures/pictures.h"

int main(int argc, char** argv) {
    return writeAssetFiles(argc, argv, donateCodes());
}
