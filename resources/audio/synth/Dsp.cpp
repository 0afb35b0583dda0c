#include "Dsp.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace tessarion::audio {

Signal::Signal(int sampleRate, int channelCount, double seconds)
    : rate(sampleRate),
      channels(channelCount,
               std::vector<double>(static_cast<std::size_t>(std::lround(seconds * sampleRate)))) {}

double Noise::next() {
    // xorshift32: tiny, fast and identical on every platform.
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<double>(state_) / 2147483648.0 - 1.0;
}

double Noise::uniform(double lo, double hi) {
    return lo + (hi - lo) * (next() + 1.0) * 0.5;
}

Biquad Biquad::lowPass(double rate, double freq, double q) {
    double w = 2 * kPi * freq / rate;
    double alpha = std::sin(w) / (2 * q);
    double c = std::cos(w);
    Biquad f;
    double a0 = 1 + alpha;
    f.b0_ = (1 - c) / 2 / a0;
    f.b1_ = (1 - c) / a0;
    f.b2_ = (1 - c) / 2 / a0;
    f.a1_ = -2 * c / a0;
    f.a2_ = (1 - alpha) / a0;
    return f;
}

Biquad Biquad::highPass(double rate, double freq, double q) {
    double w = 2 * kPi * freq / rate;
    double alpha = std::sin(w) / (2 * q);
    double c = std::cos(w);
    Biquad f;
    double a0 = 1 + alpha;
    f.b0_ = (1 + c) / 2 / a0;
    f.b1_ = -(1 + c) / a0;
    f.b2_ = (1 + c) / 2 / a0;
    f.a1_ = -2 * c / a0;
    f.a2_ = (1 - alpha) / a0;
    return f;
}

Biquad Biquad::bandPass(double rate, double freq, double q) {
    double w = 2 * kPi * freq / rate;
    double alpha = std::sin(w) / (2 * q);
    double c = std::cos(w);
    Biquad f;
    double a0 = 1 + alpha;
    f.b0_ = alpha / a0;
    f.b1_ = 0;
    f.b2_ = -alpha / a0;
    f.a1_ = -2 * c / a0;
    f.a2_ = (1 - alpha) / a0;
    return f;
}

void Biquad::setBandPass(double rate, double freq, double q) {
    const Biquad f = bandPass(rate, freq, q);
    b0_ = f.b0_;
    b1_ = f.b1_;
    b2_ = f.b2_;
    a1_ = f.a1_;
    a2_ = f.a2_;
}

double Biquad::process(double x) {
    double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
}

Reverb::Reverb(int rate, double roomSize, double damping, int channel)
    : feedback_(0.7 + 0.28 * roomSize), damping_(damping) {
    // Delay lengths tuned at 44.1 kHz; mutually prime-ish so the echoes do not pile up.
    static const int kCombs[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    static const int kAllPasses[] = {556, 441, 341, 225};
    const int spread = channel * 23;
    const double scale = rate / 44100.0;
    for (int len : kCombs) {
        Comb c;
        c.buffer.assign(std::max<std::size_t>(1, std::lround((len + spread) * scale)), 0.0);
        combs_.push_back(std::move(c));
    }
    for (int len : kAllPasses) {
        AllPass a;
        a.buffer.assign(std::max<std::size_t>(1, std::lround((len + spread) * scale)), 0.0);
        allPasses_.push_back(std::move(a));
    }
}

double Reverb::process(double x) {
    double in = x * 0.015;
    double out = 0;
    for (Comb& c : combs_) {
        double y = c.buffer[c.pos];
        c.store = y * (1 - damping_) + c.store * damping_;
        c.buffer[c.pos] = in + c.store * feedback_;
        c.pos = (c.pos + 1) % c.buffer.size();
        out += y;
    }
    for (AllPass& a : allPasses_) {
        double b = a.buffer[a.pos];
        a.buffer[a.pos] = out + b * 0.5;
        a.pos = (a.pos + 1) % a.buffer.size();
        out = b - out;
    }
    return out;
}

void addReverb(Signal& s, double roomSize, double damping, double wet) {
    for (std::size_t c = 0; c < s.channels.size(); ++c) {
        Reverb r(s.rate, roomSize, damping, static_cast<int>(c));
        for (double& v : s.channels[c]) {
            v += wet * r.process(v);
        }
    }
}

void normalizePeak(Signal& s, double peak) {
    double highest = 0;
    for (const auto& ch : s.channels) {
        for (double v : ch) {
            highest = std::max(highest, std::abs(v));
        }
    }
    if (highest <= 0) {
        return;
    }
    const double k = peak / highest;
    for (auto& ch : s.channels) {
        for (double& v : ch) {
            v *= k;
        }
    }
}

void fadeEdges(Signal& s, double fadeIn, double fadeOut) {
    const std::size_t n = s.frames();
    const std::size_t in = std::min(n, static_cast<std::size_t>(fadeIn * s.rate));
    const std::size_t out = std::min(n, static_cast<std::size_t>(fadeOut * s.rate));
    for (auto& ch : s.channels) {
        for (std::size_t i = 0; i < in; ++i) {
            ch[i] *= static_cast<double>(i) / in;
        }
        for (std::size_t i = 0; i < out; ++i) {
            ch[n - 1 - i] *= static_cast<double>(i) / out;
        }
    }
}

double attackDecay(double t, double attack, double decay) {
    if (t < 0) {
        return 0;
    }
    if (t < attack) {
        return 0.5 - 0.5 * std::cos(kPi * t / attack);
    }
    return std::exp(-(t - attack) / decay);
}

namespace {

void put16(std::ofstream& out, std::uint32_t v) {
    out.put(static_cast<char>(v & 0xFF));
    out.put(static_cast<char>((v >> 8) & 0xFF));
}

void put32(std::ofstream& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

}  // namespace

void writeWave(const Signal& s, int bitsPerSample, const std::string& path) {
    if (bitsPerSample != 8 && bitsPerSample != 16) {
        throw std::invalid_argument("only 8- and 16-bit PCM are written");
    }
    std::ofstream out(path, std::ios::binary);
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
    const std::uint32_t channels = static_cast<std::uint32_t>(s.channels.size());
    const std::uint32_t bytesPerFrame = channels * bitsPerSample / 8;
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(s.frames()) * bytesPerFrame;
    out.write("RIFF", 4);
    put32(out, 36 + dataBytes + (dataBytes & 1));
    out.write("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, channels);
    put32(out, static_cast<std::uint32_t>(s.rate));
    put32(out, static_cast<std::uint32_t>(s.rate) * bytesPerFrame);
    put16(out, bytesPerFrame);
    put16(out, static_cast<std::uint32_t>(bitsPerSample));
    out.write("data", 4);
    put32(out, dataBytes);
    for (std::size_t i = 0; i < s.frames(); ++i) {
        for (const auto& ch : s.channels) {
            const double v = std::clamp(ch[i], -1.0, 1.0);
            if (bitsPerSample == 8) {
                out.put(static_cast<char>(std::lround(128 + v * 127)));
            } else {
                put16(out, static_cast<std::uint32_t>(static_cast<std::uint16_t>(
                               static_cast<std::int16_t>(std::lround(v * 32767)))));
            }
        }
    }
    if (dataBytes & 1) {
        out.put(0);  // chunks are word-aligned
    }
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

}  // namespace tessarion::audio
