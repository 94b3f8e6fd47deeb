#include "Synth.h"

#include "Fc/Core/FCBytes.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr double kTwoPi = 6.283185307179586;
constexpr double kShortestRamp = 0.002; // seconds; a note never stops with a click

// The same numbers on every machine: a plain linear congruential generator.
class Noise
{
public:
    explicit Noise(std::uint32_t seed) : state(seed * 2654435761u + 1u) {}
    double Next()
    {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) / 8388608.0 - 1.0;
    }

private:
    std::uint32_t state;
};

// Level 60 dB below 1 after `time` seconds.
double Fall(double elapsed, double time) { return std::pow(10.0, -3.0 * elapsed / time); }

// The level of a note at t seconds: attack, decay towards sustain while the
// note is held (gate seconds), then the release.
class Envelope
{
public:
    Envelope(const Instrument& instrument, double decayTime, double gateTime, bool decays)
        : attack(instrument.attack), decay(decayTime), sustain(decays ? instrument.sustain : 1.0),
          release(instrument.release), gate(gateTime)
    {
        atGate = Held(gate);
    }
    double Length() const { return gate + std::max(release, kShortestRamp); }
    double At(double t) const
    {
        if (t < gate)
            return Held(t);
        if (release < kShortestRamp)
            return atGate * std::max(0.0, 1.0 - (t - gate) / kShortestRamp);
        return atGate * Fall(t - gate, release);
    }

private:
    double Held(double t) const
    {
        if (t < attack)
            return t / attack;
        return sustain + (1.0 - sustain) * Fall(t - attack, decay);
    }

    double attack, decay, sustain, release, gate;
    double atGate = 0.0;
};

void RenderNote(const Instrument& instrument, const ScoreNote& note, double secondsPerBeat, double rate,
                std::uint32_t seed, std::vector<double>& mix)
{
    const double gate = std::max(note.length * secondsPerBeat, instrument.hold);
    const double frequency = 440.0 * std::pow(2.0, (note.midi - 69.0) / 12.0);
    const double level = instrument.gain * note.gain;
    const auto first = static_cast<std::size_t>(std::lround(note.start * secondsPerBeat * rate));
    const Envelope main(instrument, instrument.decay, gate, instrument.wave != Instrument::Wave::Pluck);
    const auto count = static_cast<std::size_t>(std::lround(main.Length() * rate));
    if (mix.size() < first + count)
        mix.resize(first + count, 0.0);

    auto pitchAt = [&](double t) {
        double pitch = frequency;
        if (instrument.glide != 0.0)
            pitch *= std::pow(2.0, instrument.glide * std::min(1.0, t / gate) / 12.0);
        if (instrument.vibratoDepth != 0.0)
            pitch *= 1.0 + instrument.vibratoDepth * std::sin(kTwoPi * instrument.vibratoRate * t);
        return pitch;
    };

    Noise noise(seed);
    switch (instrument.wave)
    {
    case Instrument::Wave::Sine:
    {
        static const std::vector<Instrument::Partial> fundamental{{1.0, 1.0}};
        for (const Instrument::Partial& partial : instrument.partials.empty() ? fundamental : instrument.partials)
        {
            if (partial.ratio * frequency >= rate / 2)
                continue; // above what the rate can hold
            const Envelope envelope(instrument, instrument.decay / std::pow(partial.ratio, instrument.damp), gate,
                                    true);
            double phase = 0.0;
            for (std::size_t i = 0; i < count; ++i)
            {
                const double t = static_cast<double>(i) / rate;
                mix[first + i] += level * partial.level * envelope.At(t) * std::sin(phase);
                phase = std::fmod(phase + kTwoPi * partial.ratio * pitchAt(t) / rate, kTwoPi);
            }
        }
        break;
    }
    case Instrument::Wave::Noise:
    {
        double filtered = 0.0;
        for (std::size_t i = 0; i < count; ++i)
        {
            filtered += instrument.tone * (noise.Next() - filtered);
            mix[first + i] += level * main.At(static_cast<double>(i) / rate) * filtered;
        }
        break;
    }
    case Instrument::Wave::Pluck:
    {
        // A delay line one period long, filled with softened noise; each pass
        // averages neighbours (losing overtones) and loses level by decay.
        const auto period = static_cast<std::size_t>(std::max(2L, std::lround(rate / frequency)));
        std::vector<double> line(period);
        double soft = 0.0;
        double mean = 0.0;
        for (double& value : line)
        {
            soft += (0.2 + 0.8 * instrument.brightness) * (noise.Next() - soft);
            value = soft;
            mean += soft;
        }
        mean /= static_cast<double>(period);
        for (double& value : line)
            value -= mean;
        const double loss = Fall(1.0, instrument.decay * rate);
        for (std::size_t i = 0; i < count; ++i)
        {
            const std::size_t at = i % period;
            const double current = line[at];
            const double next = line[(at + 1) % period];
            line[at] = loss * (instrument.brightness * current + (1.0 - instrument.brightness) * 0.5 * (current + next));
            mix[first + i] += level * main.At(static_cast<double>(i) / rate) * current;
        }
        break;
    }
    }
}
} // namespace

std::vector<std::int16_t> RenderScore(const Score& score)
{
    const double rate = score.rate;
    const double secondsPerBeat = 60.0 / score.tempo;
    std::vector<double> mix;
    std::uint32_t seed = 1;
    for (const ScoreNote& note : score.notes)
        RenderNote(score.instruments.at(note.instrument), note, secondsPerBeat, rate, seed++, mix);
    mix.resize(mix.size() + static_cast<std::size_t>(std::lround(score.tail * rate)), 0.0);

    if (score.echoDelay > 0 && score.echoFeedback > 0)
    {
        const auto delay = static_cast<std::size_t>(std::max(1L, std::lround(score.echoDelay * rate)));
        for (std::size_t i = delay; i < mix.size(); ++i)
            mix[i] += score.echoFeedback * mix[i - delay];
    }
    const auto fade = std::min(mix.size(), static_cast<std::size_t>(std::lround(score.fade * rate)));
    for (std::size_t i = 0; i < fade; ++i)
        mix[mix.size() - 1 - i] *= static_cast<double>(i) / static_cast<double>(fade);
    if (score.peak > 0)
    {
        double loudest = 0.0;
        for (const double value : mix)
            loudest = std::max(loudest, std::fabs(value));
        if (loudest > 0)
        {
            for (double& value : mix)
                value *= score.peak / loudest;
        }
    }
    std::vector<std::int16_t> samples(mix.size());
    for (std::size_t i = 0; i < mix.size(); ++i)
        samples[i] = static_cast<std::int16_t>(std::lround(std::clamp(mix[i], -1.0, 1.0) * 32767.0));
    return samples;
}

std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& samples, std::uint32_t rate)
{
    const auto dataSize = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<std::uint8_t> out(44 + dataSize);
    std::uint8_t* p = out.data();
    auto text = [&](const char* four) {
        std::copy(four, four + 4, p);
        p += 4;
    };
    auto u32 = [&](std::uint32_t value) {
        FCBytes::WriteU32(p, value);
        p += 4;
    };
    auto u16 = [&](std::uint16_t value) {
        FCBytes::WriteU16(p, value);
        p += 2;
    };
    text("RIFF");
    u32(36 + dataSize);
    text("WAVE");
    text("fmt ");
    u32(16);
    u16(1); // PCM
    u16(1); // one channel
    u32(rate);
    u32(rate * 2); // bytes per second
    u16(2);        // bytes per sample frame
    u16(16);       // bits per sample
    text("data");
    u32(dataSize);
    for (const std::int16_t sample : samples)
        u16(static_cast<std::uint16_t>(sample));
    return out;
}
