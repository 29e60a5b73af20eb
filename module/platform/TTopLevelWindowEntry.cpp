#include "platform/TTopLevelWindowEntry.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace Platform {

namespace {

struct EntryText {
    long Pid = 0;
    std::string ClassName;
    std::string Title;
};

// Entry file: "pid\nclass\ntitle" (the title runs to the end of the file).
std::optional<EntryText> ReadEntry(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    EntryText entry;
    std::string pid;
    if (!std::getline(in, pid) || !std::getline(in, entry.ClassName))
        return std::nullopt;
    char *end = nullptr;
    entry.Pid = std::strtol(pid.c_str(), &end, 10);
    if (end == pid.c_str() || *end != '\0' || entry.Pid <= 0)
        return std::nullopt;
    std::stringstream rest;
    rest << in.rdbuf();
    entry.Title = rest.str();
    return entry;
}

bool ProcessAlive(long pid) {
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

} // namespace

std::string TTopLevelWindowEntry::Directory() {
    if (const char *dir = std::getenv("VESTRANO_WINDOW_DIR"); dir && *dir)
        return dir;
    if (const char *runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        return (fs::path(runtime) / "vestrano-windows").string();
    return (fs::temp_directory_path() / ("vestrano-windows-" + std::to_string(::getuid())))
        .string();
}

TTopLevelWindowEntry::TTopLevelWindowEntry(const std::string &className, const std::string &title)
    : m_className(className) {
    static std::atomic<unsigned> counter{0};
    std::error_code error;
    const fs::path dir = Directory();
    fs::create_directories(dir, error);
    m_path = (dir / (std::to_string(::getpid()) + "-" + std::to_string(counter++))).string();
    Write(title);
}

TTopLevelWindowEntry::~TTopLevelWindowEntry() {
    if (!m_path.empty()) {
        std::error_code error;
        fs::remove(m_path, error);
    }
}

void TTopLevelWindowEntry::Write(const std::string &title) {
    std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
    out << ::getpid() << '\n' << m_className << '\n' << title;
    if (!out)
        m_path.clear();
}

std::string TTopLevelWindowEntry::Title() const {
    if (m_path.empty())
        return {};
    const auto entry = ReadEntry(m_path);
    return entry ? entry->Title : std::string();
}

void TTopLevelWindowEntry::SetTitle(const std::string &title) {
    if (!m_path.empty())
        Write(title);
}

bool TTopLevelWindowEntry::Exists(const std::string &className, const std::string &title) {
    std::error_code error;
    for (const auto &file : fs::directory_iterator(Directory(), error)) {
        const auto entry = ReadEntry(file.path());
        if (!entry)
            continue;
        if (!ProcessAlive(entry->Pid)) {
            fs::remove(file.path(), error);
            continue;
        }
        if (entry->ClassName == className && entry->Title == title)
            return true;
    }
    return false;
}

} // namespace Platform
