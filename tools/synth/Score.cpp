#include "Score.h"

#include "tools/common/ToolFiles.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace
{
constexpr double kLongest = 600.0; // seconds

class Parser
{
public:
    Parser(std::string scorePath, Score& target, std::vector<std::string>& errorList)
        : path(std::move(scorePath)), score(target), errors(errorList)
    {
    }

    void Line(const std::string& text, int number);
    void Finish();

private:
    void Error(const std::string& message) { errors.push_back(path + ":" + std::to_string(line) + ": " + message); }

    bool Number(const std::string& text, double low, double high, double& out);
    bool Directive(const std::string& word, std::istringstream& words);
    void InstrumentLine(std::istringstream& words);
    bool InstrumentKey(Instrument& instrument, const std::string& key, const std::string& value);
    void Notes(std::istringstream& words);
    bool Pitch(const std::string& text, double& midi);
    void CloseBar();

    std::string path;
    Score& score;
    std::vector<std::string>& errors;
    int line = 0;

    // The voice being written.
    bool inVoice = false;
    std::string voiceInstrument;
    double voiceGain = 1.0;
    double beat = 0.0;
    double barStart = 0.0;
    double lastLength = 1.0;
};

bool Parser::Number(const std::string& text, double low, double high, double& out)
{
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    if (!text.empty() && *end == '/')
    {
        char* denominatorEnd = nullptr;
        const double denominator = std::strtod(end + 1, &denominatorEnd);
        if (denominatorEnd == end + 1 || denominator == 0.0)
            end = const_cast<char*>(text.c_str()); // not a number
        else
        {
            value /= denominator;
            end = denominatorEnd;
        }
    }
    if (text.empty() || *end != '\0' || !std::isfinite(value) || value < low || value > high)
    {
        std::ostringstream range;
        range << low << " to " << high;
        Error("'" + text + "' is not a number from " + range.str());
        return false;
    }
    out = value;
    return true;
}

bool Parser::Directive(const std::string& word, std::istringstream& words)
{
    struct Setting
    {
        const char* name;
        double low;
        double high;
        double* field;
    };
    double rate = score.rate;
    const Setting settings[] = {
        {"rate", 8000, 96000, &rate},       {"tempo", 10, 400, &score.tempo},
        {"bar", 0, 64, &score.bar},         {"tail", 0, 30, &score.tail},
        {"fade", 0, 30, &score.fade},       {"peak", 0, 1, &score.peak},
    };
    for (const Setting& setting : settings)
    {
        if (word != setting.name)
            continue;
        std::string value;
        std::string extra;
        if (!(words >> value) || (words >> extra))
            Error(word + " takes one value");
        else if (Number(value, setting.low, setting.high, *setting.field))
            score.rate = static_cast<std::uint32_t>(rate);
        return true;
    }
    if (word == "echo")
    {
        std::string delay, feedback, extra;
        if (!(words >> delay >> feedback) || (words >> extra))
            Error("echo takes a delay in seconds and a feedback");
        else
        {
            Number(delay, 0.001, 5, score.echoDelay);
            Number(feedback, 0, 0.95, score.echoFeedback);
        }
        return true;
    }
    if (word == "instrument")
    {
        InstrumentLine(words);
        return true;
    }
    if (word == "voice")
    {
        CloseBar();
        std::string name, gain, extra;
        inVoice = false;
        if (!(words >> name))
        {
            Error("voice needs an instrument");
            return true;
        }
        if (!score.instruments.count(name))
        {
            Error("unknown instrument '" + name + "'");
            return true;
        }
        voiceGain = 1.0;
        if ((words >> gain) && !Number(gain, 0, 4, voiceGain))
            return true;
        if (words >> extra)
        {
            Error("voice takes an instrument and a gain");
            return true;
        }
        inVoice = true;
        voiceInstrument = name;
        beat = barStart = 0.0;
        lastLength = 1.0;
        return true;
    }
    return false;
}

bool Parser::InstrumentKey(Instrument& instrument, const std::string& key, const std::string& value)
{
    struct Field
    {
        const char* name;
        double low;
        double high;
        double Instrument::*field;
    };
    static const Field fields[] = {
        {"attack", 0, 10, &Instrument::attack},         {"decay", 0.001, 60, &Instrument::decay},
        {"sustain", 0, 1, &Instrument::sustain},        {"release", 0, 30, &Instrument::release},
        {"gain", 0, 4, &Instrument::gain},              {"glide", -48, 48, &Instrument::glide},
        {"tone", 0.001, 1, &Instrument::tone},          {"brightness", 0, 1, &Instrument::brightness},
        {"damp", 0, 4, &Instrument::damp},              {"hold", 0, 30, &Instrument::hold},
    };
    for (const Field& field : fields)
    {
        if (key == field.name)
            return Number(value, field.low, field.high, instrument.*field.field);
    }
    if (key == "wave")
    {
        if (value == "sine")
            instrument.wave = Instrument::Wave::Sine;
        else if (value == "pluck")
            instrument.wave = Instrument::Wave::Pluck;
        else if (value == "noise")
            instrument.wave = Instrument::Wave::Noise;
        else
        {
            Error("wave is sine, pluck or noise, not '" + value + "'");
            return false;
        }
        return true;
    }
    if (key != "partials" && key != "vibrato")
    {
        Error("unknown instrument setting '" + key + "'");
        return false;
    }
    // "ratio:level,ratio:level..." for partials, "rate:depth" for vibrato.
    std::vector<std::pair<double, double>> pairs;
    std::istringstream items(value);
    std::string item;
    while (std::getline(items, item, ','))
    {
        const std::size_t colon = item.find(':');
        std::pair<double, double> pair;
        if (colon == std::string::npos)
        {
            Error(key + " needs pairs a:b");
            return false;
        }
        if (!Number(item.substr(0, colon), 0, 64, pair.first) || !Number(item.substr(colon + 1), 0, 16, pair.second))
            return false;
        pairs.push_back(pair);
    }
    if (key == "partials" && !pairs.empty() && pairs.size() <= 16)
    {
        instrument.partials.clear();
        for (const auto& [ratio, level] : pairs)
            instrument.partials.push_back({ratio, level});
        return true;
    }
    if (key == "vibrato" && pairs.size() == 1)
    {
        instrument.vibratoRate = pairs[0].first;
        instrument.vibratoDepth = pairs[0].second;
        return true;
    }
    Error(key + " has the wrong number of pairs");
    return false;
}

void Parser::InstrumentLine(std::istringstream& words)
{
    CloseBar();
    inVoice = false;
    std::string name;
    if (!(words >> name) || name.find('=') != std::string::npos)
    {
        Error("instrument needs a name");
        return;
    }
    if (score.instruments.count(name))
    {
        Error("instrument '" + name + "' is defined twice");
        return;
    }
    Instrument instrument;
    std::string setting;
    while (words >> setting)
    {
        const std::size_t equals = setting.find('=');
        if (equals == std::string::npos)
        {
            Error("expected key=value, not '" + setting + "'");
            return;
        }
        if (!InstrumentKey(instrument, setting.substr(0, equals), setting.substr(equals + 1)))
            return;
    }
    score.instruments.emplace(name, std::move(instrument));
}

bool Parser::Pitch(const std::string& text, double& midi)
{
    static const int kSemitones[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    std::size_t at = 0;
    if (text.empty() || text[0] < 'A' || text[0] > 'G')
    {
        Error("'" + text + "' is not a note (C4, F#3, Bb2 or r)");
        return false;
    }
    int semitone = kSemitones[text[0] - 'A'];
    ++at;
    if (at < text.size() && (text[at] == '#' || text[at] == 'b'))
        semitone += text[at++] == '#' ? 1 : -1;
    const std::string octave = text.substr(at);
    if (octave.size() != 1 || octave[0] < '0' || octave[0] > '8')
    {
        Error("'" + text + "' needs an octave from 0 to 8");
        return false;
    }
    midi = 12.0 * (octave[0] - '0' + 1) + semitone;
    return true;
}

void Parser::Notes(std::istringstream& words)
{
    if (!inVoice)
    {
        Error("notes outside a voice");
        return;
    }
    std::string token;
    while (words >> token)
    {
        if (token == "|")
        {
            CloseBar();
            continue;
        }
        const std::size_t colon = token.find(':');
        if (colon != std::string::npos && !Number(token.substr(colon + 1), 0.001, 256, lastLength))
            return;
        const std::string tones = token.substr(0, colon);
        if (tones != "r")
        {
            std::istringstream parts(tones);
            std::string part;
            while (std::getline(parts, part, '+'))
            {
                ScoreNote note;
                if (!Pitch(part, note.midi))
                    return;
                note.instrument = voiceInstrument;
                note.gain = voiceGain;
                note.start = beat;
                note.length = lastLength;
                score.notes.push_back(note);
            }
        }
        beat += lastLength;
    }
}

void Parser::CloseBar()
{
    if (!inVoice || beat == barStart)
        return;
    const double length = beat - barStart;
    if (score.bar > 0 && std::fabs(length - score.bar) > 1e-6)
    {
        std::ostringstream message;
        message << "the bar ending here has " << length << " beats, not " << score.bar;
        Error(message.str());
    }
    barStart = beat;
}

// A comment starts with a '#' that begins a word; C#4 is a note.
std::string WithoutComment(const std::string& raw)
{
    for (std::size_t at = raw.find('#'); at != std::string::npos; at = raw.find('#', at + 1))
    {
        if (at == 0 || raw[at - 1] == ' ' || raw[at - 1] == '\t')
            return raw.substr(0, at);
    }
    return raw;
}

void Parser::Line(const std::string& raw, int number)
{
    line = number;
    const std::string text = WithoutComment(raw);
    std::istringstream words(text);
    std::string first;
    if (!(words >> first))
        return;
    if (!Directive(first, words))
    {
        std::istringstream notes(text);
        Notes(notes);
    }
}

void Parser::Finish()
{
    // A voice's last bar needs no closing bar line, but its length counts too.
    CloseBar();
    line = std::max(line, 1);
    if (score.notes.empty())
        Error("the score has no notes");
    // Ten minutes is far beyond any sound we make, and keeps a slip of the
    // pen from filling the memory.
    double lastBeat = 0.0;
    for (const ScoreNote& note : score.notes)
        lastBeat = std::max(lastBeat, note.start + note.length);
    if (lastBeat * 60.0 / score.tempo > kLongest)
        Error("the score lasts longer than ten minutes");
}
} // namespace

bool ParseScore(const std::string& text, const std::string& path, Score& score, std::vector<std::string>& errors)
{
    const std::size_t before = errors.size();
    Parser parser(path, score, errors);
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number)
        parser.Line(line, number);
    parser.Finish();
    return errors.size() == before;
}

bool ReadScore(const std::string& path, Score& score, std::vector<std::string>& errors)
{
    std::string text;
    return ToolFiles::ReadWholeFile(path, text, errors) && ParseScore(text, path, score, errors);
}
