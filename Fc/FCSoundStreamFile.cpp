#include "Fc/FCSoundStreamFile.h"

FCSoundStreamFile::~FCSoundStreamFile() = default;
