#include "common/SoundPlayback.h"

#include "platform/MciCommands.h"

#include <sys/stat.h>

namespace {

constexpr int AliasCount = 21;
// When the counter stands here, the last alias of the previous cycle is closed, just
// before its neighbour two below is opened again.
constexpr int CloseLastAliasAt = 18;

int g_aliasCounter = 0;

// Every sound asks this once or twice, so it is one stat call and nothing more.
bool FileExists(const std::string &path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

void PlayExistingFile(const std::string &path) {
    if (g_aliasCounter == CloseLastAliasAt)
        MciSendString("close " + std::to_string(AliasCount));
    if (g_aliasCounter >= AliasCount) {
        for (int alias = 1; alias < AliasCount; ++alias)
            MciSendString("close " + std::to_string(alias));
        g_aliasCounter = 0;
    }
    const std::string alias = std::to_string(++g_aliasCounter);
    MciSendString("open \"" + path + "\" alias " + alias);
    MciSendString("play " + alias);
}

} // namespace

int SoundAliasCounter() {
    return g_aliasCounter;
}

bool PlaySoundFile(const std::string &path) {
    if (!FileExists(path))
        return false;
    PlayExistingFile(path);
    return true;
}

void PlayModuleSound(const std::string &soundFolder, const std::string &fileName) {
    std::string path = soundFolder + fileName;
    if (FileExists(path)) {
        PlayExistingFile(path);
        return;
    }
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        path.resize(dot);
    path += ".mp3";
    PlaySoundFile(path);
}
