// The files' 8-bit text encoding, Mac OS Roman, both ways. Every byte 0x01..0xFF
// decodes to exactly one character and encodes back to the same byte, so every
// stored text survives a round trip; 7-bit ASCII passes through unchanged.
// Texts in memory are UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Decodes 8-bit bytes to UTF-8. Never fails.
std::string ZPDecode8Bit(std::string_view bytes);

// Encodes UTF-8 text to 8-bit bytes. Answers false, leaving `out` unspecified, when the
// text is not valid UTF-8 or holds a character the encoding lacks (NUL included: it
// ends a stored text); `badCharacter`, when given, receives the first such code point
// (or 0xFFFD for malformed UTF-8).
bool ZPEncode8Bit(std::string_view utf8, std::string& out, char32_t* badCharacter = nullptr);

// Whether ZPEncode8Bit would succeed.
bool ZPCanEncode8Bit(std::string_view utf8);

// Decodes one UTF-8 sequence at `pos`, advancing it; answers false on malformed input.
bool ZPNextUTF8CodePoint(std::string_view utf8, size_t& pos, char32_t& codePoint);

// Appends a code point as UTF-8.
void ZPAppendUTF8(std::string& out, char32_t codePoint);
