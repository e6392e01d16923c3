#include "ZPNumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

// Length of the decimal number (sign, digits, optional fraction, optional exponent) at
// the start of `text`; 0 when there is none. Infinity, NaN and hexadecimal forms are
// not numbers here.
size_t decimalNumberLength(std::string_view text, bool allowFraction) {
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < text.size() && isDigit(text[i]))
        ++i, ++digits;
    if (allowFraction && i < text.size() && text[i] == '.') {
        size_t j = i + 1;
        size_t fraction = 0;
        while (j < text.size() && isDigit(text[j]))
            ++j, ++fraction;
        if (digits + fraction > 0) {
            i = j;
            digits += fraction;
        }
    }
    if (digits == 0)
        return 0;
    if (allowFraction && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        const size_t exponentStart = j;
        while (j < text.size() && isDigit(text[j]))
            ++j;
        if (j > exponentStart)
            i = j;
    }
    return i;
}

// from_chars takes no '+'.
std::string_view withoutPlus(std::string_view number) {
    if (!number.empty() && number.front() == '+')
        number.remove_prefix(1);
    return number;
}

// For a decimal number that from_chars found out of float range: whether it is too large
// (rather than too close to zero). Its decimal magnitude is the position of its first
// non-zero digit relative to the point, shifted by the exponent.
bool overflows(std::string_view number) {
    size_t i = (!number.empty() && (number[0] == '-' || number[0] == '+')) ? 1 : 0;
    int64_t magnitude = 0;
    bool seenPoint = false;
    bool found = false;
    for (; i < number.size() && (isDigit(number[i]) || number[i] == '.'); ++i) {
        if (number[i] == '.') {
            seenPoint = true;
        } else if (!found) {
            if (seenPoint)
                --magnitude;
            found = number[i] != '0';
        } else if (!seenPoint) {
            ++magnitude;
        }
    }
    if (!found)
        return false;
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        ++i;
        const bool negative = i < number.size() && number[i] == '-';
        if (i < number.size() && (number[i] == '-' || number[i] == '+'))
            ++i;
        int64_t exponent = 0;
        for (; i < number.size() && isDigit(number[i]); ++i)
            exponent = std::min<int64_t>(exponent * 10 + (number[i] - '0'), 1000000000);
        magnitude += negative ? -exponent : exponent;
    }
    return magnitude >= 0;
}

} // namespace

std::string ZPFloatText(float value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, double(value), std::chars_format::general, 7);
    return std::string(buffer, result.ptr);
}

std::string ZPIntegerText(int16_t value) {
    return std::to_string(int(value));
}

std::string ZPIntegerText(uint16_t value) {
    return std::to_string(unsigned(value));
}

float ZPLeadingFloat(std::string_view text) {
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    const std::string_view number = withoutPlus(text.substr(0, decimalNumberLength(text, true)));
    if (number.empty())
        return 0.0f;
    float value = 0.0f;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        const float magnitude = overflows(number) ? std::numeric_limits<float>::infinity() : 0.0f;
        return number.front() == '-' ? -magnitude : magnitude;
    }
    return value;
}

int32_t ZPLeadingInteger(std::string_view text) {
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    const std::string_view number = withoutPlus(text.substr(0, decimalNumberLength(text, false)));
    if (number.empty())
        return 0;
    int32_t value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return number.front() == '-' ? std::numeric_limits<int32_t>::min()
                                     : std::numeric_limits<int32_t>::max();
    return value;
}

std::optional<int32_t> ZPParseInteger(std::string_view text, int32_t minimum, int32_t maximum) {
    text = trimmed(text);
    if (text.empty() || decimalNumberLength(text, false) != text.size())
        return std::nullopt;
    const std::string_view number = withoutPlus(text);
    int64_t value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec != std::errc() || value < minimum || value > maximum)
        return std::nullopt;
    return int32_t(value);
}

std::optional<float> ZPParseFloat(std::string_view text) {
    text = trimmed(text);
    if (text.empty() || decimalNumberLength(text, true) != text.size())
        return std::nullopt;
    const std::string_view number = withoutPlus(text);
    float value = 0.0f;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Underflow reads as zero; overflow is no number of this field.
        if (overflows(number))
            return std::nullopt;
        return number.front() == '-' ? -0.0f : 0.0f;
    }
    if (result.ec != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool ZPFitsInt16Edge(float value) {
    return value > -32769.0f && value < 32768.0f;
}
