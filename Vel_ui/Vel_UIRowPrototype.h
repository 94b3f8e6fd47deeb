#pragma once

#include "Fc/Core/FCCountedRef.h"

#include <cstdint>
#include <string>

class Vel_UIItem;

// The row a page clones for every entry of its lists: read from its layout
// when the first row is wanted and kept for the page's life. A missing
// layout is looked for once, so a page without it stays quiet afterwards.
class Vel_UIRowPrototype
{
public:
    explicit Vel_UIRowPrototype(const char* layoutName) : layout(layoutName) {}

    // A new row showing text, with its kind and key set and mouse-over on
    // (the page hears 1004 and 1005); the caller holds its one reference.
    // Null without the layout.
    Vel_UIItem* Make(std::uint16_t kind, std::intptr_t key, const std::string& text);

private:
    const char* layout;
    bool tried = false;
    FCCountedRef<Vel_UIItem> prototype;
};
