// Writes the game's icon.
#include "tools/pictures/pictures.h"

int main(int argc, char** argv) { return writeAssetFiles(argc, argv, {gameIcon()}); }
