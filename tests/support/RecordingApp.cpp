#include "support/RecordingApp.h"

#include <cstdio>

bool RecordingApp::HandleMouse(std::uint32_t message, const FCPoint* point, std::uint32_t keyFlags)
{
    char text[64];
    std::snprintf(text, sizeof text, "mouse 0x%x %d,%d flags %u", message, point->x, point->y,
                  keyFlags);
    calls.emplace_back(text);
    return true;
}

bool RecordingApp::HandleKey(std::uint32_t message, std::uintptr_t wParam, std::intptr_t)
{
    char text[64];
    std::snprintf(text, sizeof text, "key 0x%x %u", message, static_cast<unsigned>(wParam));
    calls.emplace_back(text);
    return true;
}

bool RecordingApp::OnActivate(bool isActive)
{
    calls.push_back(isActive ? "activate 1" : "activate 0");
    return true;
}
