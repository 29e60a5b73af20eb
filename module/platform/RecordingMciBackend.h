#pragma once
// A backend for tests: remembers every command it was given, in order, as the command
// text the module sent.

#include "platform/MciBackend.h"

#include <string>
#include <vector>

class RecordingMciBackend final : public MciBackend {
public:
    void Open(const std::string &path, const std::string &alias) override {
        Commands.push_back("open \"" + path + "\" alias " + alias);
    }
    void Play(const std::string &alias) override { Commands.push_back("play " + alias); }
    void Close(const std::string &alias) override { Commands.push_back("close " + alias); }

    std::vector<std::string> Commands;
};
