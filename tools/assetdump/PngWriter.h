#pragma once

#include <string>

class FCImageBuffer;

// Writes a 16-bit (5-6-5) image buffer as an 8-bit RGB PNG. The file holds
// no time stamp or other varying chunk, so equal pictures give equal bytes.
bool WriteRgbPng(const std::string& path, FCImageBuffer& image, std::string& error);
