// Four-character codes as the inspector's fields show and read them, through the
// files' 8-bit encoding both ways so that every code typed reads back as typed.
#pragma once

#include <QString>

#include <cstdint>

// The code's bytes, most significant first, up to the first zero byte, decoded from the
// 8-bit encoding: 'butt' shows as "butt", 'a','b',0,0 as "ab", 0 as "".
QString ZPCodeText(uint32_t code);

// The code of a text: its first four characters in the 8-bit encoding, most significant
// first, zero bytes after the last one ("abcdef" gives 'abcd', "ab" gives 'a','b',0,0).
// Answers false, with the offending character in `badCharacter`, when one of those four
// characters has no 8-bit form.
bool ZPCodeFromText(const QString& text, uint32_t& code, QString* badCharacter = nullptr);
