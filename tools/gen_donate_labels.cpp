// Writes the captions above the Donate box's codes.
#include "tools/pictures/pictures.h"

int main(int argc, char** argv) { return writeAssetFiles(argc, argv, donateLabels()); }
