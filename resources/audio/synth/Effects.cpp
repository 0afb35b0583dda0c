#include "Effects.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tessarion::audio {

namespace {

std::size_t toFrame(const Signal& s, double t) {
    return static_cast<std::size_t>(std::max(0.0, t) * s.rate);
}

// Equal-power panning: 0 is hard left, 1 hard right. Mono signals ignore it.
void mixSample(Signal& s, std::size_t i, double v, double pan) {
    if (i >= s.frames()) {
        return;
    }
    if (s.channels.size() == 1) {
        s.channels[0][i] += v;
        return;
    }
    s.channels[0][i] += v * std::cos(pan * kPi / 2);
    s.channels[1][i] += v * std::sin(pan * kPi / 2);
}

double midiToHz(double note) {
    return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}

// A decaying sine, the building block of anything struck: blades, drum heads.
void addPartial(Signal& s, double start, double freq, double amp, double decay, double phase,
                double pan = 0.5) {
    const std::size_t first = toFrame(s, start);
    const std::size_t len = static_cast<std::size_t>(decay * 7 * s.rate);
    for (std::size_t k = 0; k < len && first + k < s.frames(); ++k) {
        const double t = static_cast<double>(k) / s.rate;
        const double env = attackDecay(t, 0.0008, decay);
        mixSample(s, first + k, amp * env * std::sin(2 * kPi * freq * t + phase), pan);
    }
}

// Filtered noise burst with an attack-decay envelope.
void addNoiseBurst(Signal& s, Noise& noise, Biquad filter, double start, double amp, double attack,
                   double decay, double pan = 0.5) {
    const std::size_t first = toFrame(s, start);
    const std::size_t len = static_cast<std::size_t>((attack + decay * 7) * s.rate);
    for (std::size_t k = 0; k < len && first + k < s.frames(); ++k) {
        const double t = static_cast<double>(k) / s.rate;
        mixSample(s, first + k, amp * attackDecay(t, attack, decay) * filter.process(noise.next()),
                  pan);
    }
}

// A brass note by additive synthesis. The upper harmonics grow with loudness, which is
// what makes a brass attack sound brassy rather than like an organ; harmonics above the
// Nyquist margin are left out so low sample rates do not alias.
void addBrassNote(Signal& s, double start, double duration, double freq, double amp, double pan,
                  double attack = 0.035) {
    const double release = 0.09;
    const int harmonics = std::max(1, std::min(14, static_cast<int>(0.45 * s.rate / freq)));
    const std::size_t first = toFrame(s, start);
    const std::size_t len = static_cast<std::size_t>((duration + release) * s.rate);
    double phase = 0;
    for (std::size_t k = 0; k < len && first + k < s.frames(); ++k) {
        const double t = static_cast<double>(k) / s.rate;
        double env;
        if (t < attack) {
            env = 0.5 - 0.5 * std::cos(kPi * t / attack);
        } else {
            env = 0.78 + 0.22 * std::exp(-(t - attack) / 0.12);
        }
        if (t > duration) {
            env *= std::max(0.0, 1.0 - (t - duration) / release);
        }
        // Players scoop up into a note and add vibrato only once it is held.
        const double scoop = -0.015 * std::exp(-t / 0.03);
        const double vibrato =
            t > 0.3 ? 0.004 * std::sin(2 * kPi * 5.2 * t) * std::min(1.0, (t - 0.3) / 0.3) : 0.0;
        phase += 2 * kPi * freq * (1 + scoop + vibrato) / s.rate;
        double v = 0;
        for (int n = 1; n <= harmonics; ++n) {
            const double brightness = std::pow(env, 0.45 * (n - 1));
            v += brightness / std::pow(n, 0.9) * std::sin(n * phase);
        }
        mixSample(s, first + k, amp * env * v * 0.45, pan);
    }
}

// Kettle drum: the inharmonic modes of a struck membrane plus the felt of the mallet.
void addTimpani(Signal& s, Noise& noise, double start, double freq, double amp, double pan = 0.5) {
    static const std::array<double, 5> kRatios = {1.0, 1.504, 1.742, 2.0, 2.245};
    static const std::array<double, 5> kAmps = {1.0, 0.5, 0.3, 0.22, 0.12};
    static const std::array<double, 5> kDecays = {0.75, 0.5, 0.4, 0.35, 0.25};
    for (std::size_t i = 0; i < kRatios.size(); ++i) {
        addPartial(s, start, freq * kRatios[i], amp * kAmps[i], kDecays[i], noise.uniform(0, 6),
                   pan);
    }
    addNoiseBurst(s, noise, Biquad::lowPass(s.rate, 700), start, amp * 0.6, 0.001, 0.012, pan);
}

// Field drum: a snare-like crack of band-passed noise over a short body tone.
void addFieldDrum(Signal& s, Noise& noise, double start, double amp, double pan = 0.5) {
    addNoiseBurst(s, noise, Biquad::bandPass(s.rate, std::min(2400.0, s.rate * 0.35), 0.9), start,
                  amp, 0.001, 0.05, pan);
    addPartial(s, start, 190, amp * 0.5, 0.035, 0, pan);
}

}  // namespace

// Two blades meet: a hard click, a ring of inharmonic steel modes that beat against
// each other, a glancing second contact and a short scrape as they slide apart.
Signal makeSwordClash() {
    Signal s(16000, 1, 0.5);
    Noise noise(0x5A0Du);
    struct Mode {
        double freq, amp, decay;
    };
    static const Mode kBladeA[] = {{1470, 0.50, 0.30}, {1477, 0.40, 0.26}, {2915, 0.35, 0.20},
                                   {3782, 0.42, 0.15}, {4523, 0.30, 0.12}, {5310, 0.25, 0.09},
                                   {6241, 0.18, 0.07}, {7120, 0.10, 0.05}};
    static const Mode kBladeB[] = {{1733, 0.40, 0.22},
                                   {2620, 0.30, 0.18},
                                   {3391, 0.30, 0.14},
                                   {4870, 0.25, 0.10},
                                   {5902, 0.15, 0.07}};
    const double strike = 0.015;
    addNoiseBurst(s, noise, Biquad::highPass(s.rate, 1800), strike, 1.2, 0.0005, 0.005);
    for (const Mode& m : kBladeA) {
        addPartial(s, strike, m.freq, m.amp, m.decay, noise.uniform(0, 6));
    }
    const double glance = strike + 0.085;
    addNoiseBurst(s, noise, Biquad::highPass(s.rate, 2500), glance, 0.45, 0.0005, 0.004);
    for (const Mode& m : kBladeB) {
        addPartial(s, glance, m.freq, m.amp * 0.45, m.decay, noise.uniform(0, 6));
    }
    // The scrape: narrow noise whose pitch falls as the edges slide apart.
    Biquad scrape = Biquad::bandPass(s.rate, 5000, 6);
    const std::size_t from = toFrame(s, glance), to = toFrame(s, glance + 0.22);
    for (std::size_t i = from; i < to && i < s.frames(); ++i) {
        const double u = static_cast<double>(i - from) / (to - from);
        if ((i - from) % 32 == 0) {
            scrape = Biquad::bandPass(s.rate, 5200 - 2200 * u, 6);
        }
        s.channels[0][i] += 0.35 * std::sin(kPi * u) * (1 - u) * scrape.process(noise.next());
    }
    fadeEdges(s, 0.0, 0.06);
    normalizePeak(s, 0.85);
    return s;
}

// A column of men in step at the military pace, every pace a smear of hobnailed boots
// on gravel; a drum keeps the time and a horn sounds the call.
Signal makeMarch() {
    Signal s(16000, 1, 2.7);
    Noise noise(0x3A7Cu);
    std::vector<double> thud(s.frames()), crunch(s.frames()), clink(s.frames());
    const double pace = 0.5;
    for (int step = 0; step < 6; ++step) {
        const double at = 0.06 + step * pace;
        for (int man = 0; man < 18; ++man) {
            const double t0 = at + noise.uniform(-0.025, 0.025);
            const double loud = noise.uniform(0.5, 1.0);
            const std::size_t first = toFrame(s, t0);
            for (std::size_t k = 0; k < static_cast<std::size_t>(0.25 * s.rate); ++k) {
                const std::size_t i = first + k;
                if (i >= s.frames()) {
                    break;
                }
                const double t = static_cast<double>(k) / s.rate;
                thud[i] += loud * attackDecay(t, 0.003, 0.03) * noise.next();
                crunch[i] += loud * attackDecay(t - 0.004, 0.004, 0.045) * noise.next();
                clink[i] += loud * attackDecay(t, 0.0005, 0.008) * noise.next();
            }
        }
    }
    Biquad thudFilter = Biquad::lowPass(s.rate, 170, 1.2);
    Biquad crunchFilter = Biquad::bandPass(s.rate, 1700, 0.8);
    Biquad clinkFilter = Biquad::bandPass(s.rate, 4800, 3);
    for (std::size_t i = 0; i < s.frames(); ++i) {
        s.channels[0][i] = 1.6 * thudFilter.process(thud[i]) +
                           0.35 * crunchFilter.process(crunch[i]) +
                           0.25 * clinkFilter.process(clink[i]);
    }
    // Column drum on every pace, with a lighter stroke between the second and third pairs.
    for (int step = 0; step < 6; ++step) {
        const double at = 0.06 + step * pace;
        const double accent = step % 2 == 0 ? 1.0 : 0.7;
        std::size_t first = toFrame(s, at);
        for (std::size_t k = 0; k < static_cast<std::size_t>(0.6 * s.rate); ++k) {
            const double t = static_cast<double>(k) / s.rate;
            // The head's pitch drops from 102 Hz to 62 Hz just after the stroke.
            const double phase = 2 * kPi * (62 * t + 40 * 0.04 * (1 - std::exp(-t / 0.04)));
            mixSample(s, first + k, 0.9 * accent * attackDecay(t, 0.002, 0.16) * std::sin(phase),
                      0.5);
        }
        if (step % 2 == 1) {
            addFieldDrum(s, noise, at + 0.25, 0.25);
        }
    }
    // The horn call: a rising arpeggio, as a signal horn can only play its natural notes.
    const double hornAt = 0.95;
    addBrassNote(s, hornAt, 0.3, midiToHz(55), 0.30, 0.5, 0.05);
    addBrassNote(s, hornAt + 0.32, 0.3, midiToHz(60), 0.30, 0.5, 0.05);
    addBrassNote(s, hornAt + 0.64, 0.25, midiToHz(64), 0.32, 0.5, 0.05);
    addBrassNote(s, hornAt + 0.92, 0.75, midiToHz(67), 0.36, 0.5, 0.05);
    addReverb(s, 0.3, 0.5, 0.25);
    fadeEdges(s, 0.02, 0.3);
    normalizePeak(s, 0.85);
    return s;
}

// A chesty cough, three times: each a glottal burst of breath shaped by the throat's
// resonances, voiced at its start, weaker each time.
Signal makeCough() {
    Signal s(11025, 1, 1.1);
    Noise noise(0xC0F4u);
    struct Bout {
        double at, amp, length;
    };
    static const Bout kBouts[] = {{0.03, 1.0, 0.20}, {0.38, 0.8, 0.17}, {0.70, 0.6, 0.15}};
    std::vector<double> breath(s.frames()), voice(s.frames());
    for (const Bout& b : kBouts) {
        const std::size_t first = toFrame(s, b.at);
        double phase = 0;
        for (std::size_t k = 0; k < static_cast<std::size_t>(0.35 * s.rate); ++k) {
            const std::size_t i = first + k;
            if (i >= s.frames()) {
                break;
            }
            const double t = static_cast<double>(k) / s.rate;
            // Burst, short hold, then a tail that dies away.
            double env =
                t < 0.006 ? t / 0.006 : (t < 0.05 ? 1.0 : std::exp(-(t - 0.05) / (b.length * 0.4)));
            breath[i] += b.amp * env * noise.next();
            // Vocal folds flutter at the start of the burst, falling in pitch.
            const double f0 = 150 - 50 * std::min(1.0, t / 0.12);
            phase += f0 / s.rate;
            phase -= std::floor(phase);
            const double voicing = t < 0.12 ? 1.0 - t / 0.12 : 0.0;
            voice[i] += b.amp * env * voicing * (phase < 0.15 ? 1.0 : -0.15 / 0.85);
        }
    }
    Biquad f1a = Biquad::bandPass(s.rate, 620, 3), f1b = Biquad::bandPass(s.rate, 620, 3);
    Biquad f2a = Biquad::bandPass(s.rate, 1150, 4), f2b = Biquad::bandPass(s.rate, 1150, 4);
    Biquad f3 = Biquad::bandPass(s.rate, 2500, 5);
    Biquad rasp = Biquad::lowPass(s.rate, 3200);
    Biquad rumble = Biquad::highPass(s.rate, 120);
    for (std::size_t i = 0; i < s.frames(); ++i) {
        const double b = breath[i];
        const double v = voice[i];
        double y = 1.2 * f1a.process(b) + 0.8 * f2a.process(b) + 0.4 * f3.process(b) +
                   0.25 * rasp.process(b) + 0.8 * f1b.process(v) + 0.4 * f2b.process(v);
        s.channels[0][i] = rumble.process(y);
    }
    fadeEdges(s, 0.0, 0.08);
    normalizePeak(s, 0.85);
    return s;
}

namespace {

struct Vowel {
    double f1, f2, f3;
};

constexpr Vowel kOo{320, 870, 2240};
constexpr Vowel kAy{500, 1850, 2500};
constexpr Vowel kAh{730, 1100, 2450};
constexpr Vowel kEh{560, 1700, 2450};
constexpr Vowel kOh{560, 880, 2400};

// One syllable sung or shouted by one member of the crowd.
struct Syllable {
    double start, length;
    Vowel from, to;             // the vowel glides from one to the other
    double pitchFrom, pitchTo;  // multiples of the voice's own pitch
    double amp;
    bool consonant;  // a "j" or "d" burst before the vowel
};

// Renders one voice: a band-limited sawtooth as the vocal folds, three formant
// resonators as the mouth, a little breath noise; the result is panned into the mix.
void addVoice(Signal& s, Noise& noise, const std::vector<Syllable>& syllables, double f0,
              double pan, double amp) {
    std::vector<double> out(s.frames());
    double wobble = 0;
    for (const Syllable& syl : syllables) {
        const std::size_t first = toFrame(s, syl.start);
        const std::size_t len = static_cast<std::size_t>(syl.length * s.rate);
        Biquad f1, f2, f3;
        Biquad hiss = Biquad::bandPass(s.rate, 3000, 2);
        double phase = noise.uniform(0, 1);
        for (std::size_t k = 0; k < len && first + k < s.frames(); ++k) {
            const double u = static_cast<double>(k) / len;
            const double t = static_cast<double>(k) / s.rate;
            if (k % 64 == 0) {
                const double g = std::min(1.0, u * 2.5);
                const Vowel v{syl.from.f1 + (syl.to.f1 - syl.from.f1) * g,
                              syl.from.f2 + (syl.to.f2 - syl.from.f2) * g,
                              syl.from.f3 + (syl.to.f3 - syl.from.f3) * g};
                f1.setBandPass(s.rate, v.f1, 5);
                f2.setBandPass(s.rate, v.f2, 7);
                f3.setBandPass(s.rate, v.f3, 9);
                wobble = 0.97 * wobble + 0.03 * noise.next();
            }
            const double pitch =
                f0 * (syl.pitchFrom + (syl.pitchTo - syl.pitchFrom) * u) * (1 + 0.02 * wobble);
            const double dt = pitch / s.rate;
            phase += dt;
            if (phase >= 1) {
                phase -= 1;
            }
            // PolyBLEP keeps the sawtooth's step from aliasing at the top of the band.
            double saw = 2 * phase - 1;
            if (phase < dt) {
                const double x = phase / dt;
                saw -= x + x - x * x - 1;
            } else if (phase > 1 - dt) {
                const double x = (phase - 1) / dt;
                saw -= x * x + x + x + 1;
            }
            const double env = std::min(1.0, t / 0.03) * std::min(1.0, (1 - u) * syl.length / 0.08);
            double src = saw + 0.15 * noise.next();
            double v = 1.0 * f1.process(src) + 0.7 * f2.process(src) + 0.35 * f3.process(src);
            if (syl.consonant && t < 0.05) {
                v += 1.2 * (1 - t / 0.05) * hiss.process(noise.next());
            }
            out[first + k] += syl.amp * env * v;
        }
    }
    for (std::size_t i = 0; i < out.size(); ++i) {
        mixSample(s, i, amp * out[i], pan);
    }
}

}  // namespace

// The People's Front rallies: a crowd chants its name twice in three beats, then breaks
// into cheering over the roar of the square.
Signal makeCrowdRally() {
    Signal s(44100, 2, 3.5);
    Noise noise(0x0FAAu);
    // "Ju-dae-a!": low, high, falling, with the stress on the middle beat.
    struct Beat {
        double at, length;
        Vowel from, to;
        double pitch, fall, amp;
        bool consonant;
    };
    static const Beat kChant[] = {
        {0.20, 0.24, kOo, kOo, 1.00, 1.00, 0.8, true},
        {0.50, 0.30, kAy, kEh, 1.25, 1.20, 1.0, true},
        {0.84, 0.40, kAh, kAh, 1.05, 0.85, 0.9, false},
        {1.40, 0.24, kOo, kOo, 1.00, 1.00, 0.85, true},
        {1.70, 0.30, kAy, kEh, 1.28, 1.22, 1.0, true},
        {2.04, 0.42, kAh, kAh, 1.08, 0.86, 1.0, false},
    };
    static const Vowel kCheers[] = {kAh, kEh, kOh, kAy};
    for (int person = 0; person < 36; ++person) {
        const bool high = person % 5 == 0;
        const double f0 = high ? noise.uniform(190, 250) : noise.uniform(95, 150);
        const double pan = noise.uniform(0.08, 0.92);
        const double amp = noise.uniform(0.5, 1.0);
        std::vector<Syllable> part;
        for (const Beat& b : kChant) {
            const double lag = noise.uniform(-0.03, 0.04);
            part.push_back({b.at + lag, b.length * noise.uniform(0.85, 1.1), b.from, b.to, b.pitch,
                            b.pitch * b.fall, b.amp, b.consonant});
        }
        // Then everyone cheers in their own time: a rising shout or a long "ahh".
        double at = 2.45 + noise.uniform(0.0, 0.25);
        while (at < 3.3) {
            const double length = noise.uniform(0.35, 0.8);
            const Vowel v = kCheers[static_cast<int>(noise.uniform(0, 3.999))];
            const double rise = noise.uniform(1.2, 1.6);
            part.push_back({at, length, kAh, v, 1.3, rise, noise.uniform(0.7, 1.1), false});
            at += length + noise.uniform(0.05, 0.2);
        }
        addVoice(s, noise, part, f0, pan, amp);
    }
    // The square itself: a murmur that swells with the cheering; decorrelated per
    // channel so it surrounds the listener.
    for (std::size_t c = 0; c < 2; ++c) {
        Biquad low = Biquad::bandPass(s.rate, 550, 0.8);
        Biquad mid = Biquad::bandPass(s.rate, 1400, 1.2);
        for (std::size_t i = 0; i < s.frames(); ++i) {
            const double t = static_cast<double>(i) / s.rate;
            const double swell = 0.35 + 0.65 * std::clamp((t - 2.2) / 0.5, 0.0, 1.0);
            const double flutter =
                1 + 0.25 * std::sin(2 * kPi * 1.7 * t + c) * std::sin(2 * kPi * 0.6 * t);
            const double n = noise.next();
            s.channels[c][i] += 0.9 * swell * flutter * (low.process(n) + 0.6 * mid.process(n));
        }
    }
    // Voices across a square lose their top; this also tames the consonant hiss.
    for (auto& ch : s.channels) {
        Biquad air = Biquad::lowPass(s.rate, 7000);
        for (double& v : ch) {
            v = air.process(v);
        }
    }
    addReverb(s, 0.55, 0.4, 0.3);
    fadeEdges(s, 0.1, 0.5);
    normalizePeak(s, 0.85);
    return s;
}

// A short processional: trumpet melody over two horns, low brass, kettle drums and a
// field drum, in C major, ending on a held chord with a drum roll leading into it.
Signal makeIntroMusic() {
    Signal s(11025, 2, 13.2);
    Noise noise(0x1A70u);
    const double beat = 0.6;
    const double origin = 0.04;
    auto at = [&](double b) { return origin + b * beat; };
    struct Note {
        double pitch, beats;  // midi note, length in beats
    };
    auto play = [&](const std::vector<Note>& line, double amp, double pan, double legato,
                    double attack) {
        double b = 0;
        for (const Note& n : line) {
            if (n.pitch > 0) {
                addBrassNote(s, at(b), n.beats * beat * legato, midiToHz(n.pitch), amp, pan,
                             attack);
            }
            b += n.beats;
        }
    };
    // Trumpet.
    play({{72, 1.5},  {67, 0.5},  {72, 1},   {76, 1},  // C5 G4 C5 E5
          {74, 0.75}, {72, 0.25}, {71, 1},   {67, 2},  // D5 C5 B4 G4
          {69, 1},    {71, 0.5},  {72, 0.5}, {74, 1},   {76, 1},   {77, 1.5}, {76, 0.5},
          {74, 1},    {67, 1},    {77, 1},   {74, 0.5}, {71, 0.5}, {72, 2.9}},
         0.34, 0.38, 0.92, 0.03);
    // Horns, in two parts.
    play({{64, 2},
          {67, 2},
          {62, 2},
          {62, 2},
          {60, 2},
          {62, 2},
          {60, 2},
          {59, 2},
          {59, 2},
          {64, 2.9}},
         0.20, 0.68, 0.96, 0.06);
    play({{60, 2},
          {64, 2},
          {59, 2},
          {59, 2},
          {57, 2},
          {59, 2},
          {57, 2},
          {55, 2},
          {53, 2},
          {60, 2.9}},
         0.18, 0.75, 0.96, 0.06);
    // Low brass: detached half notes, the tread of the procession.
    play({{48, 2},
          {48, 2},
          {43, 2},
          {43, 2},
          {41, 2},
          {43, 2},
          {41, 2},
          {43, 2},
          {43, 2},
          {36, 2.9}},
         0.30, 0.5, 0.8, 0.05);
    // Kettle drums on the first beat of each bar, tuned to the bass.
    static const double kTimpani[] = {48, 43, 41, 41, 43};
    for (int bar = 0; bar < 5; ++bar) {
        addTimpani(s, noise, at(bar * 4), midiToHz(kTimpani[bar] - 12), 0.45, 0.5);
        addTimpani(s, noise, at(bar * 4 + 2), midiToHz(kTimpani[bar] - 12), 0.25, 0.5);
    }
    // Roll on G into the final C.
    for (double b = 16.5; b < 18; b += 0.125) {
        const double grow = (b - 16.5) / 1.5;
        addTimpani(s, noise, at(b), midiToHz(31), 0.08 + 0.2 * grow, 0.5);
    }
    addTimpani(s, noise, at(18), midiToHz(36), 0.6, 0.5);
    // Field drum: a plain march figure, silent under the final chord.
    for (int bar = 0; bar < 5; ++bar) {
        static const double kFigure[] = {0, 1, 2, 2.5, 3};
        for (double b : kFigure) {
            if (bar == 4 && b >= 2) {
                continue;
            }
            addFieldDrum(s, noise, at(bar * 4 + b), b == 0 ? 0.16 : 0.1, 0.3);
        }
    }
    addReverb(s, 0.65, 0.45, 0.35);
    fadeEdges(s, 0.01, 0.6);
    normalizePeak(s, 0.85);
    return s;
}

const std::vector<EffectRecipe>& effectRecipes() {
    static const std::vector<EffectRecipe> kRecipes = {
        {"IDR_SWORD_SND", 16, makeSwordClash}, {"IDR_MARCH_SND", 16, makeMarch},
        {"IDR_COUGH_SND", 8, makeCough},       {"IDR_PFJ_SND", 16, makeCrowdRally},
        {"IDR_INTRO_SND", 16, makeIntroMusic},
    };
    return kRecipes;
}

}  // namespace tessarion::audio
