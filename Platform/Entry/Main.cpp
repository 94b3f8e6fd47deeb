#include "Platform/WFCEntry.h"

// Kept out of the platform layer: every test program links all layers and
// brings a main of its own.
int main(int argc, char** argv)
{
    return WFCMain(argc, argv);
}
