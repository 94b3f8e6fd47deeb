#include "Fc/Devices/FCMoviePlayer.h"

namespace
{
FCMoviePlayer* moviePlayerInstance = nullptr;
} // namespace

FCMoviePlayer::FCMoviePlayer()
{
    moviePlayerInstance = this;
}

FCMoviePlayer::~FCMoviePlayer()
{
    if (moviePlayerInstance == this)
    {
        moviePlayerInstance = nullptr;
    }
}

FCMoviePlayer* FCMoviePlayer::GetInstance()
{
    return moviePlayerInstance;
}
