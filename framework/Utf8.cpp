// UTF-8 by its definition, the same on every platform and without the system's converters.
#include "Utf8.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsSurrogate(char32_t character) { return character >= 0xD800 && character <= 0xDFFF; }

} // namespace

std::size_t Utf8::SequenceLength(std::string_view text) {
    if (text.empty())
        return 0;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t minimum = 0, character = 0;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2, minimum = 0x80, character = lead & 0x1F;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3, minimum = 0x800, character = lead & 0x0F;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4, minimum = 0x10000, character = lead & 0x07;
    else
        return 0;
    if (text.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        character = character << 6 | (byte(i) & 0x3F);
    }
    return character < minimum || character > 0x10FFFF || IsSurrogate(character) ? 0 : length;
}

bool Utf8::IsValid(std::string_view text) {
    while (!text.empty()) {
        const std::size_t length = SequenceLength(text);
        if (length == 0)
            return false;
        text.remove_prefix(length);
    }
    return true;
}

char32_t Utf8::Decode(std::string_view sequence) {
    static constexpr unsigned char kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    const std::size_t length = sequence.size() < 4 ? sequence.size() : 4;
    char32_t character = static_cast<unsigned char>(sequence[0]) & kLeadBits[length];
    for (std::size_t i = 1; i < length; ++i)
        character = character << 6 | (static_cast<unsigned char>(sequence[i]) & 0x3F);
    return character;
}

void Utf8::Append(std::string& text, char32_t character) {
    if (character > 0x10FFFF || IsSurrogate(character))
        character = kReplacement;
    const auto put = [&](unsigned value) { text += static_cast<char>(value); };
    if (character < 0x80) {
        put(character);
    } else if (character < 0x800) {
        put(0xC0 | character >> 6);
        put(0x80 | (character & 0x3F));
    } else if (character < 0x10000) {
        put(0xE0 | character >> 12);
        put(0x80 | (character >> 6 & 0x3F));
        put(0x80 | (character & 0x3F));
    } else {
        put(0xF0 | character >> 18);
        put(0x80 | (character >> 12 & 0x3F));
        put(0x80 | (character >> 6 & 0x3F));
        put(0x80 | (character & 0x3F));
    }
}

std::string Utf8::FromWide(std::wstring_view wide) {
    std::string text;
    text.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        char32_t character = static_cast<char32_t>(wide[i]);
        // Where wchar_t is 16 bits, a character past U+FFFF is a high surrogate and a low one.
        const bool high = character >= 0xD800 && character <= 0xDBFF;
        const bool lowFollows = i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF;
        if (high && lowFollows)
            character = 0x10000 + ((character - 0xD800) << 10) + (static_cast<char32_t>(wide[++i]) - 0xDC00);
        Append(text, character);
    }
    return text;
}
