#include "Fc/Core/FCSoundStreamFile.h"

FCSoundStreamFile::~FCSoundStreamFile() = default;
