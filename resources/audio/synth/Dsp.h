// Small signal-processing kit for the build-time sound generator. Everything is
// deterministic: the same build always writes the same bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessarion::audio {

constexpr double kPi = 3.14159265358979323846;

// A sound in floating point, one sample vector per channel.
struct Signal {
    int rate = 0;
    std::vector<std::vector<double>> channels;

    Signal(int sampleRate, int channelCount, double seconds);
    std::size_t frames() const { return channels.empty() ? 0 : channels[0].size(); }
    double seconds() const { return static_cast<double>(frames()) / rate; }
};

// Deterministic white noise; its own generator so results never depend on the library.
class Noise {
  public:
    explicit Noise(std::uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
    double next();                         // uniform in [-1, 1)
    double uniform(double lo, double hi);  // uniform in [lo, hi)

  private:
    std::uint32_t state_;
};

// Second-order section after the well-known audio-EQ cookbook formulas.
class Biquad {
  public:
    static Biquad lowPass(double rate, double freq, double q = 0.7071);
    static Biquad highPass(double rate, double freq, double q = 0.7071);
    static Biquad bandPass(double rate, double freq, double q);  // 0 dB peak gain
    // Retunes a band-pass while keeping its state, for resonances that glide.
    void setBandPass(double rate, double freq, double q);
    double process(double x);
    void reset() { x1_ = x2_ = y1_ = y2_ = 0.0; }

  private:
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Small hall: parallel feedback combs into series all-passes, one set per channel with
// slightly different delays so that stereo sources spread.
class Reverb {
  public:
    Reverb(int rate, double roomSize, double damping, int channel);
    double process(double x);

  private:
    struct Comb {
        std::vector<double> buffer;
        std::size_t pos = 0;
        double store = 0;
    };
    struct AllPass {
        std::vector<double> buffer;
        std::size_t pos = 0;
    };
    std::vector<Comb> combs_;
    std::vector<AllPass> allPasses_;
    double feedback_;
    double damping_;
};

// Adds wet reverb to every channel of the signal.
void addReverb(Signal& s, double roomSize, double damping, double wet);

// Scales the whole signal so that its highest absolute sample equals peak.
void normalizePeak(Signal& s, double peak);

// Linear fades at both ends, so nothing starts or stops with a click.
void fadeEdges(Signal& s, double fadeIn, double fadeOut);

// Smooth attack-decay envelope: raised-cosine rise over attack seconds, then exponential
// decay with the given time constant.
double attackDecay(double t, double attack, double decay);

// Writes RIFF/WAVE PCM, 8-bit unsigned or 16-bit signed. Throws on I/O failure.
void writeWave(const Signal& s, int bitsPerSample, const std::string& path);

}  // namespace tessarion::audio
