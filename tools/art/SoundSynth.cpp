#include "SoundSynth.h"

#include "ArtWriter.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

constexpr int kRate = 22050;
constexpr double kPeak = 0.6;
constexpr double kTwoPi = 6.283185307179586;

// Equal-tempered pitches used below.
constexpr double C5 = 523.25, D5 = 587.33, E5 = 659.25, F5 = 698.46, G5 = 783.99, A5 = 880.00,
                 C6 = 1046.50, E6 = 1318.51, G4 = 392.00, E4 = 329.63, C4 = 261.63, A4 = 440.00;

} // namespace

SoundSynth::SoundSynth(ArtWriter &writer)
    : m_writer(writer) {}

std::vector<int16_t> SoundSynth::Render(const std::vector<Note> &notes, double peak) const {
    double end = 0;
    for (const Note &note : notes)
        end = std::max(end, note.start + note.length);
    std::vector<double> mix(size_t(end * kRate) + 1, 0.0);
    std::mt19937 random(7);
    for (const Note &note : notes) {
        const size_t first = size_t(note.start * kRate);
        const size_t count = size_t(note.length * kRate);
        double low = 0;
        for (size_t i = 0; i < count && first + i < mix.size(); ++i) {
            const double t = double(i) / kRate;
            const double attack = std::min(1.0, t / 0.006);
            const double envelope = attack * std::exp(-4.0 * t / note.length);
            double value;
            if (note.frequency > 0) {
                // A bell-like tone: the fundamental with a quiet octave.
                value = std::sin(kTwoPi * note.frequency * t) +
                        0.25 * std::sin(kTwoPi * 2 * note.frequency * t);
            } else {
                const double white = double(random() % 20001) / 10000.0 - 1.0;
                low += 0.12 * (white - low);
                value = low * 3.0;
            }
            mix[first + i] += note.volume * envelope * value;
        }
    }
    double loudest = 1e-9;
    for (double v : mix)
        loudest = std::max(loudest, std::abs(v));
    std::vector<int16_t> samples;
    samples.reserve(mix.size());
    for (double v : mix)
        samples.push_back(int16_t(std::lround(v / loudest * peak * 32767)));
    return samples;
}

void SoundSynth::WriteAll() {
    const auto write = [this](const char *name, const std::vector<Note> &notes) {
        m_writer.Wav(QString::fromLatin1(name), Render(notes, kPeak), kRate);
    };
    write("Ready", {{G5, 0, 0.18, 1}, {C6, 0.09, 0.3, 1}});
    write("Start", {{C5, 0, 0.2, 1}, {E5, 0.1, 0.2, 1}, {G5, 0.2, 0.2, 1}, {C6, 0.3, 0.45, 1}});
    write("GameOver", {{G5, 0, 0.25, 1}, {E5, 0.15, 0.25, 1}, {C5, 0.3, 0.5, 1}});
    write("Public_BeOn", {{E5, 0, 0.15, 1}, {A5, 0.08, 0.25, 1}});
    write("Public_BeOff", {{A5, 0, 0.15, 1}, {E5, 0.08, 0.25, 1}});
    write("Public_Exit", {{G4, 0, 0.2, 1}, {C4, 0.12, 0.35, 1}});
    write("Public_Error", {{E4, 0, 0.16, 1}, {E4, 0.18, 0.22, 1}});
    write("Public_Information", {{E6, 0, 0.25, 0.8}});
    write("Put", {{0, 0, 0.09, 1}, {C5, 0, 0.06, 0.3}});
    write("Pass", {{A4, 0, 0.2, 0.8}});
    write("Explode", {{0, 0, 0.7, 1}, {C4 / 4, 0, 0.5, 0.8}, {0, 0.08, 0.5, 0.6}});
    write("clock", {{C6, 0, 0.05, 1}});
    write("win111", {{C5, 0, 0.15, 1},
                     {E5, 0.12, 0.15, 1},
                     {G5, 0.24, 0.15, 1},
                     {C6, 0.36, 0.2, 1},
                     {G5, 0.5, 0.12, 0.8},
                     {C6, 0.6, 0.5, 1}});
    write("Run111", {{G5, 0, 0.2, 1}, {F5, 0.18, 0.2, 1}, {D5, 0.36, 0.2, 1}, {C5, 0.54, 0.55, 1}});
    // Sounds of the special actions.
    write("Action_Hello", {{C6, 0, 0.12, 1}, {E6, 0.1, 0.25, 1}});
    write("Action_Clap", {{0, 0, 0.06, 1}, {0, 0.12, 0.06, 1}, {0, 0.24, 0.08, 1}});
    write("Action_Hurry", {{A5, 0, 0.08, 1}, {A5, 0.12, 0.08, 1}, {A5, 0.24, 0.08, 1}});
    write("Action_Laugh",
          {{E6, 0, 0.08, 1}, {C6, 0.1, 0.08, 1}, {E6, 0.2, 0.08, 1}, {C6, 0.3, 0.12, 1}});
}
