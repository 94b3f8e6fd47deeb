// synth: renders a score (notes and instruments in a readable text form,
// see Score.h) into a WAV file: interface sounds and music.
//
//   synth SCORE.txt OUT.wav
//
// Errors are printed as "score:line: message" and nothing is written. The
// same score always gives the same bytes.

#include "ImageSetWriter.h"
#include "Score.h"
#include "Synth.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 3 || argv[1][0] == '-' || argv[2][0] == '-')
    {
        std::fprintf(stderr, "usage: synth SCORE OUT.wav\n");
        return 2;
    }
    Score score;
    std::vector<std::string> errors;
    if (!ReadScore(argv[1], score, errors))
    {
        for (const std::string& error : errors)
            std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const std::vector<std::int16_t> samples = RenderScore(score);
    std::string error;
    if (!WriteFileReplacing(argv[2], EncodeWav(samples, score.rate), error))
    {
        std::fprintf(stderr, "synth: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s: %.2f s at %u Hz\n", argv[2], static_cast<double>(samples.size()) / score.rate, score.rate);
    return 0;
}
