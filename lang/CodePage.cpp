#include "lang/CodePage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <optional>

namespace kestrion {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// The length of the UTF-8 sequence starting at bytes[at], or 0 when it is not a valid one
// (overlong forms, surrogates and code points past U+10FFFF included).
std::size_t utf8SequenceLength(std::string_view bytes, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
    const std::uint8_t lead = byte(at);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    std::uint8_t low = 0x80;
    std::uint8_t high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (bytes.size() - at < length) return 0;
    if (byte(at + 1) < low || byte(at + 1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
    return length;
}

class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    explicit Converter(const char* codePage) : Converter("UTF-8", codePage) {}
    ~Converter() {
        if (ok()) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    std::string convert(std::string_view bytes) {
        std::string out;
        char buffer[256];
        char* in = const_cast<char*>(bytes.data());
        std::size_t inLeft = bytes.size();
        while (inLeft > 0) {
            char* outPos = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t done = iconv(handle_, &in, &inLeft, &outPos, &outLeft);
            out.append(buffer, static_cast<std::size_t>(outPos - buffer));
            if (done != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
            // A byte the code page does not define, or a pair cut off at the end: one mark, go on.
            out += kReplacement;
            ++in;
            --inLeft;
            iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

    // One whole character in, its bytes out; nullopt when the code page has no such character.
    std::optional<std::string> convertWhole(std::string_view bytes) {
        char buffer[16];
        char* in = const_cast<char*>(bytes.data());
        std::size_t inLeft = bytes.size();
        char* outPos = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t done = iconv(handle_, &in, &inLeft, &outPos, &outLeft);
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        if (done == static_cast<std::size_t>(-1) || inLeft != 0) return std::nullopt;
        return std::string(buffer, static_cast<std::size_t>(outPos - buffer));
    }

private:
    iconv_t handle_;
};

}  // namespace

const char* codePageOf(Language language) {
    switch (language) {
        case Language::TraditionalChinese: return "BIG5";
        case Language::SimplifiedChinese: return "GBK";
        // Shift-JIS as the Japanese desktop writes it: a typed backslash or '~' stays itself (plain
        // SHIFT_JIS reads those bytes back as the yen sign and the overline), and the symbols that
        // desktop adds (circled numbers and the like) are read.
        case Language::Japanese: return "CP932";
        case Language::Turkish: return "WINDOWS-1254";
        case Language::English:
        case Language::Spanish: break;
    }
    return "WINDOWS-1252";
}

bool isValidUtf8(std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = utf8SequenceLength(bytes, at);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

std::string textForDisplay(std::string_view bytes, Language language) {
    if (isValidUtf8(bytes)) return std::string(bytes);
    return textFromCodePage(bytes, language);
}

std::string textFromCodePage(std::string_view bytes, Language language) {
    Converter converter(codePageOf(language));
    if (converter.ok()) return converter.convert(bytes);
    // Without the code page only the ASCII bytes can be trusted.
    std::string out;
    for (const char c : bytes) {
        if (static_cast<std::uint8_t>(c) < 0x80)
            out += c;
        else
            out += kReplacement;
    }
    return out;
}

std::string textForDisplay(std::string_view bytes) {
    return textForDisplay(bytes, currentLanguage());
}

std::string textFromCodePage(std::string_view bytes) {
    return textFromCodePage(bytes, currentLanguage());
}

CodePageText textToCodePage(std::string_view typed, std::size_t maxBytes, Language language) {
    CodePageText out;
    Converter converter(codePageOf(language), "UTF-8");
    for (std::size_t at = 0; at < typed.size();) {
        const std::size_t length = std::max<std::size_t>(utf8SequenceLength(typed, at), 1);
        const std::string_view character = typed.substr(at, length);
        at += length;
        std::optional<std::string> bytes;
        if (static_cast<std::uint8_t>(character[0]) < 0x80)
            bytes = std::string(character);
        else if (converter.ok())
            bytes = converter.convertWhole(character);
        if (!bytes) {
            out.unwritable = true;
            continue;
        }
        if (out.bytes.size() + bytes->size() > maxBytes) {
            out.cut = true;
            break;
        }
        out.bytes += *bytes;
    }
    return out;
}

CodePageText textToCodePage(std::string_view typed, std::size_t maxBytes) {
    return textToCodePage(typed, maxBytes, currentLanguage());
}

}  // namespace kestrion
