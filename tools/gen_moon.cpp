// Writes the moon's face, the texture of the night sky's moon.
#include "tools/pictures/pictures.h"

int main(int argc, char** argv) { return writeAssetFiles(argc, argv, {moonBitmap()}); }
