#include "common/TIniFile.h"

// GBK bytes go in and out unchanged: no character conversion at all. CSimpleIniA
// compares sections and keys without case, like the profile functions it stands for.
#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include <charconv>
#include <cstdint>
#include <list>
#include <memory>

namespace {

// A fresh view of the file; SimpleIni keeps the bytes of values as they are.
std::unique_ptr<CSimpleIniA> Load(const std::string &path) {
    auto ini = std::make_unique<CSimpleIniA>(false, false, false);
    ini->LoadFile(path.c_str());
    return ini;
}

std::string Text(std::string_view view) {
    return std::string(view);
}

} // namespace

TIniFile::TIniFile(std::string path)
    : m_path(std::move(path)) {}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view def) const {
    const auto ini = Load(m_path);
    const char *value = ini->GetValue(Text(section).c_str(), Text(key).c_str(), nullptr);
    return value ? std::string(value) : std::string(def);
}

int TIniFile::ReadInteger(std::string_view section, std::string_view key, int def) const {
    std::string text = ReadString(section, key, "");
    int base = 10;
    size_t start = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        start = 1;
    }
    if (text.compare(start, 2, "0x") == 0 || text.compare(start, 2, "0X") == 0) {
        base = 16;
        start += 2;
    } else if (text.compare(start, 1, "$") == 0) {
        base = 16;
        start += 1;
    }
    long long value = 0;
    const char *first = text.data() + start;
    const char *last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, value, base);
    if (first == last || error != std::errc() || end != last)
        return def;
    value = negative ? -value : value;
    if (value < INT32_MIN || value > UINT32_MAX)
        return def;
    return static_cast<int>(static_cast<int64_t>(value));
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

std::vector<std::string> TIniFile::ReadSection(std::string_view section) const {
    const auto ini = Load(m_path);
    CSimpleIniA::TNamesDepend keys;
    ini->GetAllKeys(Text(section).c_str(), keys);
    keys.sort(CSimpleIniA::Entry::LoadOrder());
    std::vector<std::string> names;
    for (const auto &entry : keys)
        names.emplace_back(entry.pItem);
    return names;
}

bool TIniFile::SectionExists(std::string_view section) const {
    const auto ini = Load(m_path);
    return ini->GetSection(Text(section).c_str()) != nullptr;
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    const auto ini = Load(m_path);
    ini->SetValue(Text(section).c_str(), Text(key).c_str(), Text(value).c_str());
    ini->SaveFile(m_path.c_str());
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void TIniFile::DeleteKey(std::string_view section, std::string_view key) {
    const auto ini = Load(m_path);
    if (ini->Delete(Text(section).c_str(), Text(key).c_str()))
        ini->SaveFile(m_path.c_str());
}

void TIniFile::EraseSection(std::string_view section) {
    const auto ini = Load(m_path);
    if (ini->Delete(Text(section).c_str(), nullptr))
        ini->SaveFile(m_path.c_str());
}
