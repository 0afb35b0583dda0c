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

// Field drum: a snare-like crack of band-passed noise over a short body tone.
void addFieldDrum(Signal& s, Noise& noise, double start, double amp, double pan = 0.5) {
    addNoiseBurst(s, noise, Biquad::bandPass(s.rate, std::min(2400.0, s.rate * 0.35), 0.9), start,
                  amp, 0.001, 0.05, pan);
    addPartial(s, start, 190, amp * 0.5, 0.035, 0, pan);
}

}  // namespace

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
// resonances, voiced at its start, weaker each time. No two bouts are alike: the first is a
// deep bark, the second tighter and higher, the last a short, hoarse hack.
Signal makeCough() {
    Signal s(11025, 1, 1.1);
    Noise noise(0xC0F4u);
    struct Bout {
        double at, amp, length;
        double pitch;    // where the vocal folds start, Hz
        double voiced;   // how long they flutter, s
        double formant;  // the throat's shape, as a scale on its resonances
    };
    static const Bout kBouts[] = {{0.03, 1.0, 0.22, 130, 0.14, 0.9},
                                  {0.40, 0.8, 0.15, 175, 0.08, 1.12},
                                  {0.74, 0.65, 0.11, 150, 0.04, 1.0}};
    // Each bout goes through its own throat, so the resonances are filtered per bout.
    std::vector<double> mixed(s.frames());
    for (const Bout& b : kBouts) {
        std::vector<double> breath(s.frames()), voice(s.frames());
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
            const double f0 = b.pitch - b.pitch / 3 * std::min(1.0, t / b.voiced);
            phase += f0 / s.rate;
            phase -= std::floor(phase);
            const double voicing = t < b.voiced ? 1.0 - t / b.voiced : 0.0;
            voice[i] += b.amp * env * voicing * (phase < 0.15 ? 1.0 : -0.15 / 0.85);
        }
        const double k = b.formant;
        Biquad f1a = Biquad::bandPass(s.rate, 620 * k, 3),
               f1b = Biquad::bandPass(s.rate, 620 * k, 3);
        Biquad f2a = Biquad::bandPass(s.rate, 1150 * k, 4);
        Biquad f2b = Biquad::bandPass(s.rate, 1150 * k, 4);
        Biquad f3 = Biquad::bandPass(s.rate, 2500 * k, 5);
        Biquad rasp = Biquad::lowPass(s.rate, 3200);
        for (std::size_t i = 0; i < s.frames(); ++i) {
            const double br = breath[i];
            const double v = voice[i];
            mixed[i] += 1.2 * f1a.process(br) + 0.8 * f2a.process(br) + 0.4 * f3.process(br) +
                        0.25 * rasp.process(br) + 0.8 * f1b.process(v) + 0.4 * f2b.process(v);
        }
    }
    Biquad rumble = Biquad::highPass(s.rate, 120);
    for (std::size_t i = 0; i < s.frames(); ++i) {
        s.channels[0][i] = rumble.process(mixed[i]);
    }
    fadeEdges(s, 0.0, 0.08);
    normalizePeak(s, 0.85);
    return s;
}

const std::vector<EffectRecipe>& effectRecipes() {
    static const std::vector<EffectRecipe> kRecipes = {
        {"IDR_MARCH_SND", 16, makeMarch},
        {"IDR_COUGH_SND", 16, makeCough},
    };
    return kRecipes;
}

}  // namespace tessarion::audio
