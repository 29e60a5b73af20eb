#include "common/Gbk.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace Gbk {

namespace {

// How many input bytes an unconvertible sequence at `p` spans.
using StepFunction = size_t (*)(const char *p, size_t left);

size_t OneByte(const char *, size_t) {
    return 1;
}
size_t OneUnit(const char *, size_t left) {
    return left < 2 ? left : 2;
}

// Length of the UTF-8 sequence that starts at `p` (1 for a stray byte).
size_t Utf8Step(const char *p, size_t left) {
    const auto c = static_cast<unsigned char>(*p);
    size_t step = 1;
    if (c >= 0xF0 && c <= 0xF4)
        step = 4;
    else if (c >= 0xE0 && c <= 0xEF)
        step = 3;
    else if (c >= 0xC2 && c <= 0xDF)
        step = 2;
    return step < left ? step : left;
}

// One iconv descriptor per direction and thread, opened on first use.
class Converter {
public:
    Converter(const char *to, const char *from)
        : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (m_cd != iconv_t(-1))
            iconv_close(m_cd);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    // Converts `in`; each sequence that cannot be converted is skipped (by `step`)
    // and `replacement` is written in its place.
    std::string Run(std::string_view in, StepFunction step, std::string_view replacement) {
        std::string out;
        if (m_cd == iconv_t(-1))
            return out;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char *inPtr = const_cast<char *>(in.data());
        size_t inLeft = in.size();
        char buffer[1024];
        while (inLeft > 0) {
            char *outPtr = buffer;
            size_t outLeft = sizeof buffer;
            const size_t rc = iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, size_t(outPtr - buffer));
            if (rc != size_t(-1) || errno == E2BIG)
                continue;
            // EILSEQ, or EINVAL for a sequence cut off at the end.
            const size_t skip = step(inPtr, inLeft);
            inPtr += skip;
            inLeft -= skip;
            out.append(replacement);
        }
        return out;
    }

private:
    iconv_t m_cd;
};

Converter &Utf8ToGbk() {
    thread_local Converter c("CP936", "UTF-8");
    return c;
}

Converter &GbkToUtf8() {
    thread_local Converter c("UTF-8", "CP936");
    return c;
}

Converter &Utf16ToGbk() {
    thread_local Converter c("CP936", "UTF-16LE");
    return c;
}

Converter &GbkToUtf16() {
    thread_local Converter c("UTF-16LE", "CP936");
    return c;
}

} // namespace

std::string FromUtf8(std::string_view utf8) {
    return Utf8ToGbk().Run(utf8, Utf8Step, "?");
}

std::string ToUtf8(std::string_view gbk) {
    return GbkToUtf8().Run(gbk, OneByte, "\xEF\xBF\xBD");
}

std::string FromUtf16(std::u16string_view utf16) {
    const std::string_view bytes(reinterpret_cast<const char *>(utf16.data()), utf16.size() * 2);
    return Utf16ToGbk().Run(bytes, OneUnit, "?");
}

std::u16string ToUtf16(std::string_view gbk) {
    const std::string bytes = GbkToUtf16().Run(gbk, OneByte, std::string_view("\xFD\xFF", 2));
    std::u16string out(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = char16_t(uint8_t(bytes[2 * i]) | (uint8_t(bytes[2 * i + 1]) << 8));
    return out;
}

size_t SafePrefixLength(std::string_view text, size_t maxBytes) {
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t step = IsLeadByte(static_cast<unsigned char>(text[pos])) ? 2 : 1;
        if (pos + step > maxBytes || pos + step > text.size())
            break;
        pos += step;
    }
    return pos;
}

std::string Left(std::string_view text, size_t maxBytes) {
    return std::string(text.substr(0, SafePrefixLength(text, maxBytes)));
}

std::string PadRight(std::string_view text, size_t width) {
    std::string out(text);
    if (out.size() < width)
        out.append(width - out.size(), ' ');
    return out;
}

size_t CharacterCount(std::string_view text) {
    size_t count = 0;
    for (size_t pos = 0; pos < text.size(); ++count)
        pos += IsLeadByte(static_cast<unsigned char>(text[pos])) ? 2 : 1;
    return count;
}

std::string LeftCharacters(std::string_view text, size_t count) {
    size_t pos = 0;
    for (size_t n = 0; n < count && pos < text.size(); ++n)
        pos += IsLeadByte(static_cast<unsigned char>(text[pos])) ? 2 : 1;
    return std::string(text.substr(0, std::min(pos, text.size())));
}

} // namespace Gbk

std::string operator""_gbk(const char *utf8, size_t size) {
    return Gbk::FromUtf8(std::string_view(utf8, size));
}
