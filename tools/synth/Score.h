#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// How one instrument sounds. Times are in seconds, levels from 0 to 1.
struct Instrument
{
    enum class Wave
    {
        Sine,  // additive: the partials below
        Pluck, // a plucked string (a noise burst in a damped delay line)
        Noise, // white noise through a one-pole low-pass
    };
    struct Partial
    {
        double ratio = 1.0; // of the note's frequency
        double level = 1.0;
    };

    Wave wave = Wave::Sine;
    double attack = 0.005;
    double decay = 0.5; // time to fall 60 dB towards the sustain level
    double sustain = 1.0;
    double release = 0.05; // time to fall 60 dB after the note ends
    double hold = 0.0;     // the shortest time a note sounds before its release
    double gain = 0.5;
    double glide = 0.0;        // semitones the pitch moves over the note
    double vibratoRate = 0.0;  // Hz
    double vibratoDepth = 0.0; // fraction of the frequency
    double tone = 1.0;         // noise low-pass: 1 passes everything
    double brightness = 0.5;   // pluck: 1 keeps the overtones longest
    double damp = 0.0;         // sine: higher partials decay ratio^damp times faster
    std::vector<Partial> partials; // none: the fundamental alone
};

// One note (or one tone of a chord) as written, times in beats.
struct ScoreNote
{
    std::string instrument;
    double gain = 1.0;  // the voice's level
    double midi = 60.0; // 69 is A4, 440 Hz
    double start = 0.0;
    double length = 1.0;
};

// A piece or a sound effect in its readable form:
//
//   rate 44100              samples per second (8000 to 96000)
//   tempo 76                beats per minute
//   bar 4                   beats per bar; every bar closed by '|' is checked
//   echo 0.3 0.35           delay in seconds, feedback
//   tail 2                  seconds kept after the last note has ended
//   fade 1.5                seconds of fade-out at the very end
//   peak 0.8                the loudest sample is scaled to this level
//   instrument NAME key=value...
//   voice INSTRUMENT [GAIN]
//     D4:1 A3:0.5 r:1/3 | D3+F3+A3:2 ...
//
// A note is a letter, an optional '#' or 'b', an octave and ':' with its
// length in beats (a number or a fraction); a note without a length keeps
// the previous one. 'r' is a rest; '+' joins the tones of a chord. Each
// voice starts at beat 0. '#' starts a comment.
struct Score
{
    std::uint32_t rate = 44100;
    double tempo = 120.0;
    double bar = 0.0;
    double echoDelay = 0.0;
    double echoFeedback = 0.0;
    double tail = 0.0;
    double fade = 0.0;
    double peak = 0.0; // 0: levels as written, clipped at full scale
    std::map<std::string, Instrument> instruments;
    std::vector<ScoreNote> notes;
};

// Reads a score; every problem is appended to errors as "<path>:<line>: <message>".
bool ReadScore(const std::string& path, Score& score, std::vector<std::string>& errors);
bool ParseScore(const std::string& text, const std::string& path, Score& score, std::vector<std::string>& errors);
