#include "common/TIniFile.h"

// GBK bytes go in and out unchanged: no character conversion at all. CSimpleIniA
// compares sections and keys without ASCII case, like the profile functions.
#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include <cstdint>
#include <filesystem>
#include <optional>

namespace {

// The file as it is on disk now, and whether it may be saved over: a file that exists
// but could not be read must not be replaced by the little that a write adds.
struct LoadedFile {
    CSimpleIniA Ini{false, false, false};
    bool Writable = true;
};

void Load(const std::string &path, LoadedFile &file) {
    file.Ini.SetSpaces(false);
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return;
    file.Writable = false;
    if (std::filesystem::is_regular_file(status) && file.Ini.LoadFile(path.c_str()) >= 0)
        file.Writable = true;
    else
        file.Ini.Reset();
}

void Save(const std::string &path, LoadedFile &file) {
    if (file.Writable)
        file.Ini.SaveFile(path.c_str());
}

// Names and values are single lines of zero-terminated text: each is cut at its first
// line break or zero byte.
std::string OneLine(std::string_view value) {
    return std::string(value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3))));
}

std::optional<uint64_t> Digits(std::string_view text, unsigned base, uint64_t limit) {
    if (text.empty())
        return std::nullopt;
    uint64_t value = 0;
    for (const char c : text) {
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            return std::nullopt;
        value = value * base + digit;
        if (value > limit)
            return std::nullopt;
    }
    return value;
}

// The host's string-to-integer rules: leading blanks, one optional sign, then decimal
// digits that fit the signed 32-bit range, or "$"/"0x" and up to 32 bits of hexadecimal
// taken as a two's-complement pattern.
std::optional<int> ParseInteger(std::string_view text) {
    text.remove_prefix(std::min(text.find_first_not_of(" \t"), text.size()));
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::optional<uint64_t> magnitude;
    if (text.starts_with('$'))
        magnitude = Digits(text.substr(1), 16, UINT32_MAX);
    else if (text.starts_with("0x") || text.starts_with("0X"))
        magnitude = Digits(text.substr(2), 16, UINT32_MAX);
    else
        magnitude = Digits(text, 10, negative ? uint64_t{1} << 31 : INT32_MAX);
    if (!magnitude)
        return std::nullopt;
    const auto bits = static_cast<uint32_t>(negative ? 0 - *magnitude : *magnitude);
    return static_cast<int32_t>(bits);
}

} // namespace

TIniFile::TIniFile(std::string path)
    : m_path(std::move(path)) {}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view def) const {
    LoadedFile file;
    Load(m_path, file);
    const char *value = file.Ini.GetValue(OneLine(section).c_str(), OneLine(key).c_str(), nullptr);
    return value ? std::string(value) : std::string(def);
}

int TIniFile::ReadInteger(std::string_view section, std::string_view key, int def) const {
    return ParseInteger(ReadString(section, key, "")).value_or(def);
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

std::vector<std::string> TIniFile::ReadSection(std::string_view section) const {
    LoadedFile file;
    Load(m_path, file);
    CSimpleIniA::TNamesDepend keys;
    file.Ini.GetAllKeys(OneLine(section).c_str(), keys);
    keys.sort(CSimpleIniA::Entry::LoadOrder());
    std::vector<std::string> names;
    names.reserve(keys.size());
    for (const auto &entry : keys)
        names.emplace_back(entry.pItem);
    return names;
}

bool TIniFile::SectionExists(std::string_view section) const {
    LoadedFile file;
    Load(m_path, file);
    return file.Ini.GetSectionSize(OneLine(section).c_str()) > 0;
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    LoadedFile file;
    Load(m_path, file);
    if (file.Ini.SetValue(OneLine(section).c_str(), OneLine(key).c_str(), OneLine(value).c_str()) >=
        0)
        Save(m_path, file);
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void TIniFile::DeleteKey(std::string_view section, std::string_view key) {
    LoadedFile file;
    Load(m_path, file);
    if (file.Ini.Delete(OneLine(section).c_str(), OneLine(key).c_str()))
        Save(m_path, file);
}

void TIniFile::EraseSection(std::string_view section) {
    LoadedFile file;
    Load(m_path, file);
    if (file.Ini.Delete(OneLine(section).c_str(), nullptr))
        Save(m_path, file);
}
