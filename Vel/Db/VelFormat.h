#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// Fills a text from the database with integer values. Database texts are
// data, never printf formats: only the integer conversions d, i, u, x, X and
// o (with flags, width, precision and a length modifier, all bounded) and
// "%%" are substituted, the values taken in order; anything else, and a
// conversion with no value left, stays as written. The result is cut to
// limit characters.
constexpr std::size_t kVelFormatLimit = 1024;

std::string VelFormat(std::string_view format, std::initializer_list<std::int32_t> values,
                      std::size_t limit = kVelFormatLimit);

// The number of integer conversions that VelFormat would fill in a text,
// or -1 when a '%' starts anything other than one of them or "%%": such a
// text would show the '%' as it stands.
int VelCountConversions(std::string_view format);
