#pragma once
// What plays the sounds behind the multimedia command strings: a device per alias,
// opened on a file, played, and closed (which stops it).

#include <string>

class MciBackend {
public:
    virtual ~MciBackend() = default;
    virtual void Open(const std::string &path, const std::string &alias) = 0;
    virtual void Play(const std::string &alias) = 0;
    virtual void Close(const std::string &alias) = 0;
};
