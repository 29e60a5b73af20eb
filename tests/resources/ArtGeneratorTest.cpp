#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

QByteArray ReadAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool RunGenerator(const QString &root) {
    QProcess generator;
    generator.setProgram(QStringLiteral(VESTRANO_ART_PATH));
    generator.setArguments(
        {root + "/images", root + "/sounds", root + "/art.qrc", root + "/sheet.png"});
    generator.start();
    return generator.waitForFinished(120000) && generator.exitStatus() == QProcess::NormalExit &&
           generator.exitCode() == 0;
}

TEST(ArtGenerator, TwoRunsWriteIdenticalFiles) {
    QTemporaryDir first;
    QTemporaryDir second;
    ASSERT_TRUE(first.isValid() && second.isValid());
    ASSERT_TRUE(RunGenerator(first.path()));
    ASSERT_TRUE(RunGenerator(second.path()));
    for (const char *folder : {"images", "sounds"}) {
        const QDir a(first.path() + "/" + folder);
        const QStringList files = a.entryList(QDir::Files, QDir::Name);
        ASSERT_FALSE(files.isEmpty()) << folder;
        EXPECT_EQ(files, QDir(second.path() + "/" + folder).entryList(QDir::Files, QDir::Name));
        for (const QString &file : files) {
            const QByteArray bytes = ReadAll(a.filePath(file));
            EXPECT_FALSE(bytes.isEmpty()) << file.toStdString();
            EXPECT_EQ(bytes, ReadAll(second.path() + "/" + folder + "/" + file))
                << file.toStdString() << " differs between runs";
            // No modification-time chunk may make two builds differ.
            if (file.endsWith(".png")) {
                EXPECT_EQ(bytes.indexOf("tIME"), -1) << file.toStdString();
            }
        }
    }
    EXPECT_EQ(ReadAll(first.path() + "/art.qrc").count("<file "),
              QDir(first.path() + "/images").entryList(QDir::Files).size());
}

struct Wav {
    int channels = 0;
    int rate = 0;
    int bits = 0;
    std::vector<int16_t> samples;
};

uint32_t Le(const QByteArray &b, int at, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | uchar(b[at + i]);
    return value;
}

bool ParseWav(const QByteArray &b, Wav &wav) {
    if (b.size() < 44 || b.left(4) != "RIFF" || b.mid(8, 8) != "WAVEfmt " || Le(b, 20, 2) != 1 ||
        b.mid(36, 4) != "data" || Le(b, 40, 4) != uint32_t(b.size() - 44))
        return false;
    wav.channels = int(Le(b, 22, 2));
    wav.rate = int(Le(b, 24, 4));
    wav.bits = int(Le(b, 34, 2));
    for (int at = 44; at + 1 < b.size(); at += 2)
        wav.samples.push_back(int16_t(Le(b, at, 2)));
    return true;
}

TEST(ModuleSounds, EverySoundIsShortNormalisedPcmBesideTheModule) {
    const char *const names[] = {
        "Ready.wav",        "Start.wav",       "GameOver.wav",     "Public_BeOn.wav",
        "Public_BeOff.wav", "Public_Exit.wav", "Public_Error.wav", "Public_Information.wav",
        "Put.wav",          "Pass.wav",        "Explode.wav",      "clock.wav",
        "win111.wav",       "Run111.wav"};
    for (const char *name : names) {
        SCOPED_TRACE(name);
        Wav wav;
        ASSERT_TRUE(ParseWav(ReadAll(QStringLiteral(VESTRANO_SOUND_DIR "/") + name), wav));
        EXPECT_EQ(wav.channels, 1);
        EXPECT_EQ(wav.bits, 16);
        ASSERT_GT(wav.rate, 0);
        const double seconds = double(wav.samples.size()) / wav.rate;
        EXPECT_GT(seconds, 0.03);
        EXPECT_LT(seconds, 1.5);
        int peak = 0;
        for (int16_t s : wav.samples)
            peak = std::max(peak, std::abs(int(s)));
        // Every sound peaks at the same level, well clear of clipping.
        EXPECT_NEAR(peak, 19660, 2);
        // It starts and ends in silence: no click.
        EXPECT_LT(std::abs(int(wav.samples.front())), 400);
        EXPECT_LT(std::abs(int(wav.samples.back())), 400);
    }
}

} // namespace
