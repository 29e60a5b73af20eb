#pragma once

#include <cstdint>
#include <vector>

class ArtWriter;

// Synthesises the module's short sounds: soft tones with smooth attack and release, a few
// notes each, normalised to the same peak so no sound startles next to another.
class SoundSynth final {
public:
    explicit SoundSynth(ArtWriter &writer);

    void WriteAll();

private:
    struct Note {
        double frequency; // 0 for filtered noise
        double start;     // seconds
        double length;    // seconds
        double volume;
    };

    std::vector<int16_t> Render(const std::vector<Note> &notes, double peak) const;

    ArtWriter &m_writer;
};
