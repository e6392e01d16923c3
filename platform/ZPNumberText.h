// Numbers as the inspector's fields show and read them: the platform's standard
// texts (%g with seven significant digits for floats, plain decimals for 16-bit
// integers), its lenient reading of a field's leading number, and the strict,
// range-checked readings the editor uses so that bad input is refused rather than
// stored as something else. Everything is locale-independent: '.' is the decimal point.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// printf("%.7g") in the C locale: 40 for 40.0, 12.5 for 12.5, 1e+08 for 100000000.
std::string ZPFloatText(float value);
// Plain decimal: -1, 65535.
std::string ZPIntegerText(int16_t value);
std::string ZPIntegerText(uint16_t value);

// The platform's reading of a field: skips leading white space and reads the longest
// leading number (sign, digits, fraction, exponent); 0 when the text starts with none.
// Integers saturate at the int32 limits; floats beyond the float range give +-infinity.
float ZPLeadingFloat(std::string_view text);
int32_t ZPLeadingInteger(std::string_view text);

// The whole text, less surrounding white space, as a whole decimal number (optional
// sign) within [minimum, maximum]; none for anything else ("12.5", "0x10", "", "7 up").
std::optional<int32_t> ZPParseInteger(std::string_view text, int32_t minimum, int32_t maximum);
// The whole text, less surrounding white space, as a finite decimal number with optional
// sign, fraction and exponent, rounded to single precision; none for anything else
// ("nan", "inf", "1e39", "", "3,5").
std::optional<float> ZPParseFloat(std::string_view text);

// Whether a frame value stays itself when a 16-bit edge is made of it: truncated toward
// zero it lies within -32768..32767 (so -32768.5 and 32767.9 fit, 32768 and NaN do not).
bool ZPFitsInt16Edge(float value);
