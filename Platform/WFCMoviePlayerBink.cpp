#include "Platform/WFCMoviePlayerBink.h"

#include "Fc/Core/FCDebugLog.h"

void WFCMoviePlayerBink::Open(const std::string& name, FCMovie*, bool)
{
    FC_LOG("Movies are not played yet; %s ends at once\n", name.c_str());
    frameDue = 1;
}

void WFCMoviePlayerBink::Close()
{
    frameDue = 0;
}

bool WFCMoviePlayerBink::DoFrameIfDue()
{
    const bool due = frameDue != 0;
    frameDue = 0;
    return due;
}
