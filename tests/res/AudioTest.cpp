// Checks the generated sound files as the sound player will meet them: plain PCM in the
// format the game names, long enough, audible and clean, and the lesson scripts that are
// spoken and shown as captions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "SoundList.h"
#include "res/ResourceStore.h"

namespace tessarion {
namespace {

// The sound folder hands the test its paths when it is part of the build.
#if defined(TESSARION_AUDIO_DIR) && defined(TESSARION_LESSON_DIR)

// What the game has always promised of its sounds: their names, channels and lengths, and
// rates and depths that may rise but never fall below these (0 s: a narration, as long as
// it is spoken).
struct Promised {
    const char* name;
    int channels;
    int rate;
    int bits;
    double seconds;
};

const Promised kPromised[] = {
    {"IDR_SWORD_SND", 1, 16000, 16, 0.5},  {"IDR_MARCH_SND", 1, 16000, 16, 2.7},
    {"IDR_COUGH_SND", 1, 11025, 8, 1.1},   {"IDR_PFJ_SND", 2, 44100, 16, 3.5},
    {"IDR_INTRO_SND", 2, 11025, 16, 13.2}, {"IDR_MAXIMINUS_THRAX", 2, 16000, 16, 0},
    {"IDR_VALERIAN", 2, 11025, 16, 0},     {"IDR_AURELIAN", 2, 16000, 16, 0},
    {"IDR_DIOCLETIAN", 2, 16000, 16, 0},   {"IDR_CONSTANTINE", 2, 11025, 16, 0},
    {"IDR_ADRIANOPLE", 2, 44100, 16, 0},   {"IDR_THEODOSIUS", 2, 16000, 16, 0},
    {"IDR_VISIGOTHS", 2, 16000, 16, 0},    {"IDR_VANDAL_SACK", 2, 16000, 16, 0},
    {"IDR_ODOACER", 2, 16000, 16, 0},
};

using ListedWave = ListedSound;

bool isNarration(const ListedWave& listed) {
    return listed.kind == SoundKind::Narration;
}

TEST(Audio, TheSoundListKeepsEveryPromisedSound) {
    ASSERT_EQ(std::size(kSoundList), std::size(kPromised));
    for (const Promised& promised : kPromised) {
        SCOPED_TRACE(promised.name);
        const ListedSound* listed = nullptr;
        for (const ListedSound& s : kSoundList) {
            listed = std::string(s.name) == promised.name ? &s : listed;
        }
        ASSERT_NE(listed, nullptr);
        EXPECT_EQ(listed->channels, promised.channels);
        EXPECT_EQ(listed->seconds, promised.seconds);
        EXPECT_GE(listed->rate, promised.rate);
        EXPECT_GE(listed->bits, promised.bits);
        // Speech loses its consonants below 16 kHz, and music its brightness below 22 kHz.
        EXPECT_GE(listed->rate, listed->kind == SoundKind::Theme ? 22050 : 11025);
        if (isNarration(*listed)) {
            EXPECT_GE(listed->rate, 16000);
        }
    }
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::string bytes(in ? static_cast<std::size_t>(in.tellg()) : 0, '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

std::uint32_t le(const std::string& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    }
    return v;
}

// A decoded wave; `error` is empty when the file is well formed.
struct Wave {
    std::string error;
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<double> samples;  // interleaved, scaled to [-1, 1)

    double seconds() const {
        return channels && rate ? static_cast<double>(samples.size()) / channels / rate : 0;
    }
};

// Walks the RIFF chunks the way a strict player does: the sizes must agree with the file,
// the format must be plain PCM and the block alignment must match the channels and depth.
Wave parseWave(const std::string& b) {
    Wave w;
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0) {
        w.error = "not a RIFF/WAVE file";
        return w;
    }
    if (le(b, 4, 4) + 8 != b.size()) {
        w.error = "RIFF size does not match the file size";
        return w;
    }
    bool haveFormat = false;
    std::size_t at = 12;
    while (at + 8 <= b.size()) {
        const std::string id = b.substr(at, 4);
        const std::size_t size = le(b, at + 4, 4);
        const std::size_t body = at + 8;
        if (body + size > b.size()) {
            w.error = "chunk " + id + " runs past the end of the file";
            return w;
        }
        if (id == "fmt ") {
            w.format = static_cast<int>(le(b, body, 2));
            w.channels = static_cast<int>(le(b, body + 2, 2));
            w.rate = static_cast<int>(le(b, body + 4, 4));
            const std::uint32_t byteRate = le(b, body + 8, 4);
            const std::uint32_t blockAlign = le(b, body + 12, 2);
            w.bits = static_cast<int>(le(b, body + 14, 2));
            if (blockAlign != static_cast<std::uint32_t>(w.channels * w.bits / 8) ||
                byteRate != blockAlign * static_cast<std::uint32_t>(w.rate)) {
                w.error = "inconsistent block alignment or byte rate";
                return w;
            }
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat || w.format != 1 || (w.bits != 8 && w.bits != 16)) {
                w.error = "data before fmt, or not 8/16-bit PCM";
                return w;
            }
            const auto* data = reinterpret_cast<const unsigned char*>(b.data() + body);
            if (w.bits == 8) {
                w.samples.resize(size);
                for (std::size_t i = 0; i < size; ++i) {
                    w.samples[i] = (data[i] - 128) / 128.0;
                }
            } else {
                w.samples.resize(size / 2);
                for (std::size_t i = 0; i < size / 2; ++i) {
                    const auto v = static_cast<std::int16_t>(data[2 * i] | (data[2 * i + 1] << 8));
                    w.samples[i] = v / 32768.0;
                }
            }
        }
        at = body + size + (size & 1);
    }
    if (w.samples.empty()) {
        w.error = "no samples";
    }
    return w;
}

// Decoded once per run: the narrations are long and several tests look at them.
const Wave& loadWave(const char* name) {
    static std::map<std::string, Wave> cache;
    auto it = cache.find(name);
    if (it == cache.end()) {
        const std::string path = std::string(TESSARION_AUDIO_DIR) + "/" + name + ".wav";
        it = cache.emplace(name, parseWave(readFile(path))).first;
    }
    return it->second;
}

std::string scriptPath(const char* name) {
    return std::string(TESSARION_LESSON_DIR) + "/" + name + ".txt";
}

struct Levels {
    double rms = 0, peak = 0, mean = 0;
    double firstSound = -1;  // seconds until the first sample above a whisper
};

Levels measure(const Wave& w) {
    Levels l;
    double sum = 0, squares = 0;
    for (std::size_t i = 0; i < w.samples.size(); ++i) {
        const double v = w.samples[i];
        sum += v;
        squares += v * v;
        l.peak = std::max(l.peak, std::abs(v));
        if (l.firstSound < 0 && std::abs(v) > 0.05) {
            l.firstSound = static_cast<double>(i / w.channels) / w.rate;
        }
    }
    l.rms = std::sqrt(squares / w.samples.size());
    l.mean = sum / w.samples.size();
    return l;
}

int countWords(const std::string& text) {
    std::istringstream in(text);
    return static_cast<int>(std::distance(std::istream_iterator<std::string>(in),
                                          std::istream_iterator<std::string>()));
}

TEST(Audio, EveryWaveIsPlainPcmInItsListedFormatAndLevel) {
    for (const ListedWave& listed : kSoundList) {
        SCOPED_TRACE(listed.name);
        const Wave& w = loadWave(listed.name);
        ASSERT_EQ(w.error, "");
        EXPECT_EQ(w.channels, listed.channels);
        EXPECT_EQ(w.rate, listed.rate);
        EXPECT_EQ(w.bits, listed.bits);
        EXPECT_EQ(w.samples.size() % w.channels, 0u) << "a frame is cut in half";
        const Levels l = measure(w);
        // A signed/unsigned mix-up in 8-bit data shows up as a huge offset.
        EXPECT_LT(std::abs(l.mean), 0.02) << "DC offset";
        if (isNarration(listed)) {
            EXPECT_GE(w.seconds(), 25.0);
            EXPECT_LE(w.seconds(), 60.0);
            EXPECT_GT(l.rms, 0.05);
            EXPECT_LE(l.peak, 0.9) << "speech is levelled below full scale";
            continue;
        }
        // The march plays synchronously and holds up the game, and the intro loops: the
        // effects keep their lengths to the frame.
        EXPECT_EQ(w.samples.size() / w.channels,
                  static_cast<std::size_t>(std::lround(listed.seconds * listed.rate)));
        EXPECT_GT(l.rms, 0.04) << "too quiet to hear over the music of the game";
        EXPECT_LT(l.peak, 0.98) << "touches full scale";
        // The sword plays as a legion steps; a late start would trail the animation.
        EXPECT_GE(l.firstSound, 0.0);
        EXPECT_LT(l.firstSound, 0.1);
    }
}

// Each lesson's narration, decoded, with its caption script.
void forEachNarration(
    const std::function<void(const ListedWave&, const Wave&, const std::string&)>& check) {
    for (const ListedWave& listed : kSoundList) {
        if (!isNarration(listed)) {
            continue;
        }
        SCOPED_TRACE(listed.name);
        const Wave& w = loadWave(listed.name);
        ASSERT_EQ(w.error, "");
        check(listed, w, readFile(scriptPath(listed.name)));
    }
}

TEST(Audio, NarrationsSpeakTheirWholeCaptionScriptInBothChannels) {
    forEachNarration([](const ListedWave&, const Wave& w, const std::string& text) {
        EXPECT_EQ(text.rfind("Princeps, ", 0), 0u) << "a lesson speaks to the emperor";
        // A speech engine that stops early or stalls shows up as a wrong pace.
        const int words = countWords(text);
        EXPECT_GE(words, 75);
        EXPECT_LE(words, 145);
        EXPECT_GT(w.seconds() / words, 0.25);
        EXPECT_LT(w.seconds() / words, 0.6);
        // The caption box draws single-byte text line by line: typographic quotes or
        // dashes would come out as garbage and long lines would run off the box.
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);) {
            EXPECT_LE(line.size(), 60u) << line;
            EXPECT_TRUE(
                std::all_of(line.begin(), line.end(), [](char c) { return c >= 0x20 && c < 0x7F; }))
                << "in: " << line;
        }
        // Both channels carry the voice, so it is centred whatever the speakers.
        double left = 0, right = 0;
        for (std::size_t i = 0; i + 1 < w.samples.size(); i += 2) {
            left += w.samples[i] * w.samples[i];
            right += w.samples[i + 1] * w.samples[i + 1];
        }
        EXPECT_NEAR(left / right, 1.0, 0.05);
    });
}

// The energy of each frequency of a mono signal (a plain DFT: the effects are short).
std::vector<double> powerSpectrum(const Wave& w) {
    const std::size_t n = w.samples.size() / w.channels;
    std::vector<double> power(n / 2);
    for (std::size_t k = 1; k < power.size(); ++k) {
        double re = 0, im = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const double phase = 2 * M_PI * static_cast<double>(k * i % n) / n;
            re += w.samples[i * w.channels] * std::cos(phase);
            im -= w.samples[i * w.channels] * std::sin(phase);
        }
        power[k] = re * re + im * im;
    }
    return power;
}

TEST(Audio, TheBattleClashesAcrossTheSpectrumRatherThanRinging) {
    const Wave& w = loadWave("IDR_SWORD_SND");
    ASSERT_EQ(w.error, "");
    std::vector<double> power = powerSpectrum(w);
    double total = 0, high = 0;
    for (std::size_t k = 0; k < power.size(); ++k) {
        total += power[k];
        if (k * w.rate / (2 * power.size()) >= 2000) {
            high += power[k];
        }
    }
    ASSERT_GT(total, 0);
    // A handful of sine partials puts nearly all the energy in a few bins; steel striking
    // steel, recorded, spreads it over thousands.
    std::sort(power.begin(), power.end(), std::greater<>());
    double strongest = 0;
    for (std::size_t k = 0; k < 13; ++k) {
        strongest += power[k];
    }
    EXPECT_LT(strongest / total, 0.25);
    EXPECT_GT(high / total, 0.2) << "blades ring high";
}

// "line MS" per caption line and "pause FROM TO KIND" per pause, as the narrator wrote them.
struct Cues {
    std::vector<double> lines;
    struct Pause {
        double from, to;
        std::string kind;
    };
    std::vector<Pause> pauses;
};

Cues readCues(const char* name) {
    Cues c;
    std::istringstream in(readFile(std::string(TESSARION_AUDIO_DIR) + "/" + name + ".cues"));
    std::string kind;
    while (in >> kind) {
        double from = 0, to = 0;
        if (kind == "line" && in >> from) {
            c.lines.push_back(from / 1000);
        } else if (kind == "pause" && in >> from >> to >> kind) {
            c.pauses.push_back({from / 1000, to / 1000, kind});
        }
    }
    return c;
}

double rmsBetween(const Wave& w, double from, double to) {
    const std::size_t first = static_cast<std::size_t>(std::max(0.0, from) * w.rate) * w.channels;
    const std::size_t last =
        std::min(w.samples.size(), static_cast<std::size_t>(to * w.rate) * w.channels);
    double squares = 0;
    for (std::size_t i = first; i < last; ++i) {
        squares += w.samples[i] * w.samples[i];
    }
    return last > first ? std::sqrt(squares / static_cast<double>(last - first)) : 0;
}

TEST(Audio, NarrationsRestAtEverySentenceEndAndTheCaptionsFollowTheVoice) {
    forEachNarration([](const ListedWave& listed, const Wave& w, const std::string& text) {
        const Cues cues = readCues(listed.name);

        // One rest between every two sentences, each a real silence, not a dip.
        const int sentences = static_cast<int>(std::count(text.begin(), text.end(), '.'));
        int rests = 0;
        for (const Cues::Pause& p : cues.pauses) {
            EXPECT_LE(p.to, w.seconds());
            if (p.kind != "sentence") {
                continue;
            }
            ++rests;
            EXPECT_GE(p.to - p.from, 0.4);
            EXPECT_LT(rmsBetween(w, p.from + 0.02, p.to - 0.02), 0.005)
                << "no silence at " << p.from << " s";
            EXPECT_GT(rmsBetween(w, p.from - 0.3, p.from), 0.02)
                << "the rest at " << p.from << " s follows no speech";
        }
        EXPECT_EQ(rests, sentences - 1);

        // A caption line comes up as its words are spoken, and in order.
        int lines = 0;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            lines += line.find_first_not_of(' ') != std::string::npos;
        }
        ASSERT_EQ(cues.lines.size(), static_cast<std::size_t>(lines));
        for (std::size_t i = 0; i < cues.lines.size(); ++i) {
            if (i > 0) {
                EXPECT_GT(cues.lines[i], cues.lines[i - 1]);
            }
            EXPECT_GT(rmsBetween(w, cues.lines[i], cues.lines[i] + 0.3), 0.01)
                << "line " << i << " comes up in a silence";
        }
    });
}

// The intro's theme plays over and over: coming round, it must neither fall silent for a
// moment nor click.
TEST(Audio, TheThemeLoopsWithoutAGapOrAClick) {
    const std::vector<unsigned char> bytes = res::soundData("IDR_INTRO_SND");
    const Wave w = parseWave(std::string(bytes.begin(), bytes.end()));
    ASSERT_EQ(w.error, "");
    ASSERT_EQ(w.channels, 2);
    // Twice over, as the player hears it.
    Wave twice = w;
    twice.samples.insert(twice.samples.end(), w.samples.begin(), w.samples.end());
    const double seam = w.seconds();
    auto level = [&](double from) {
        return 20 * std::log10(rmsBetween(twice, from, from + 0.05) + 1e-9);
    };
    std::vector<double> levels;
    for (double t = 0; t + 0.05 <= seam; t += 0.05) {
        levels.push_back(level(t));
    }
    std::sort(levels.begin(), levels.end());
    const double quietest = levels[levels.size() / 10];  // the music's own quiet moments
    for (double t = seam - 0.3; t < seam + 0.3; t += 0.0125) {
        EXPECT_GT(level(t), quietest - 6) << "a dip at " << t - seam << " s from the loop point";
    }
    // The last frame leads into the first as any frame into the next.
    std::vector<double> steps;
    for (std::size_t i = 2; i < w.samples.size(); ++i) {
        steps.push_back(std::abs(w.samples[i] - w.samples[i - 2]));
    }
    std::sort(steps.begin(), steps.end());
    const double usual = steps[steps.size() * 9 / 10];
    const std::size_t last = w.samples.size() - 2;
    for (int c = 0; c < 2; ++c) {
        EXPECT_LE(std::abs(w.samples[c] - w.samples[last + c]), usual) << "channel " << c;
    }
}

TEST(Audio, NoticeCreditsEveryRecordedClip) {
    const std::string notice = readFile(TESSARION_NOTICE);
    ASSERT_FALSE(notice.empty());
    int clips = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TESSARION_CLIP_DIR)) {
        const std::string name = entry.path().filename().string();
        ++clips;
        EXPECT_NE(notice.find(name), std::string::npos) << name << " is not in NOTICE";
    }
    EXPECT_GT(clips, 0);
}

// The game plays what is embedded: compressed, it must still come back in the very format and
// length that was built, and sound like it.
TEST(Audio, TheExecutableDecodesEverySoundAsBuilt) {
    for (const ListedWave& listed : kSoundList) {
        SCOPED_TRACE(listed.name);
        const Wave& built = loadWave(listed.name);
        ASSERT_EQ(built.error, "");
        const std::vector<unsigned char> embedded = res::soundData(listed.name);
        const Wave played = parseWave(std::string(embedded.begin(), embedded.end()));
        ASSERT_EQ(played.error, "");
        EXPECT_EQ(played.channels, built.channels);
        EXPECT_EQ(played.rate, built.rate);
        EXPECT_EQ(played.bits, built.bits);
        EXPECT_EQ(played.samples.size(), built.samples.size());
        // The loudness, 20 ms at a time, follows the built sound: nothing shifted, dropped,
        // swapped or garbled by the compression.
        const double step = 0.02;
        double sxy = 0, sxx = 0, syy = 0, sx = 0, sy = 0;
        int n = 0;
        for (double t = 0; t + step <= built.seconds(); t += step, ++n) {
            const double x = rmsBetween(built, t, t + step);
            const double y = rmsBetween(played, t, t + step);
            sx += x, sy += y, sxx += x * x, syy += y * y, sxy += x * y;
        }
        const double correlation =
            (n * sxy - sx * sy) / std::sqrt((n * sxx - sx * sx) * (n * syy - sy * sy));
        EXPECT_GT(correlation, 0.97);
        EXPECT_NEAR(static_cast<double>(res::soundLength(listed.name)), built.seconds() * 1000, 1);
        if (isNarration(listed)) {
            EXPECT_EQ(res::lessonScript(listed.name), readFile(scriptPath(listed.name)));
            const Cues cues = readCues(listed.name);
            std::vector<std::uint64_t> expected;
            for (double t : cues.lines) {
                expected.push_back(static_cast<std::uint64_t>(std::lround(t * 1000)));
            }
            EXPECT_EQ(res::lessonCaptionTimes(listed.name), expected);
        }
    }
}

#else

TEST(Audio, SoundsAreBuilt) {
    GTEST_SKIP() << "the sound folder is not part of this build";
}

#endif

}  // namespace
}  // namespace tessarion
