#include "ZPInspectorCodeText.h"

#include "ZPFourCharCode.h"
#include "ZPTextEncoding.h"

#include <QList>

QString ZPCodeText(uint32_t code) {
    std::string bytes = ZPFourCharCodeBytes(code);
    bytes.resize(bytes.find('\0') == std::string::npos ? bytes.size() : bytes.find('\0'));
    return QString::fromStdString(ZPDecode8Bit(bytes));
}

bool ZPCodeFromText(const QString& text, uint32_t& code, QString* badCharacter) {
    std::string firstFour;
    int taken = 0;
    for (const uint character : text.toUcs4()) {
        if (taken++ == 4)
            break;
        ZPAppendUTF8(firstFour, char32_t(character));
    }
    std::string bytes;
    char32_t bad = 0;
    if (!ZPEncode8Bit(firstFour, bytes, &bad)) {
        if (badCharacter)
            *badCharacter = QString::fromUcs4(&bad, 1);
        return false;
    }
    code = 0;
    for (size_t i = 0; i < 4; ++i)
        code = (code << 8) | (i < bytes.size() ? uint8_t(bytes[i]) : 0u);
    return true;
}
