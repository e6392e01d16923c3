// The files' 8-bit encoding (Mac OS Roman): every stored byte must survive a round
// trip, and text the encoding cannot hold must be refused, never altered.
#include "ZPTextEncoding.h"

#include <QTest>

#include <set>
#include <string>

class TestZPTextEncoding : public QObject {
    Q_OBJECT
private slots:
    void everyByteDecodesToOneCharacterAndBack();
    void knownCharacters_data();
    void knownCharacters();
    void asciiPassesThrough();
    void wholeTextsRoundTrip();
    void refusedText_data();
    void refusedText();
};

void TestZPTextEncoding::everyByteDecodesToOneCharacterAndBack() {
    std::set<char32_t> seen;
    for (int b = 0x01; b <= 0xFF; ++b) {
        const std::string byte(1, char(b));
        const std::string utf8 = ZPDecode8Bit(byte);
        size_t pos = 0;
        char32_t cp = 0;
        QVERIFY2(ZPNextUTF8CodePoint(utf8, pos, cp), qPrintable(QString::number(b, 16)));
        QCOMPARE(pos, utf8.size()); // exactly one character
        QVERIFY2(cp != 0, qPrintable(QString::number(b, 16)));
        QVERIFY2(seen.insert(cp).second, // no two bytes share a character
                 qPrintable(QStringLiteral("byte %1 repeats U+%2")
                                .arg(b, 2, 16)
                                .arg(uint(cp), 4, 16, QLatin1Char('0'))));
        std::string back;
        QVERIFY(ZPEncode8Bit(utf8, back));
        QCOMPARE(back, byte);
    }
    QCOMPARE(seen.size(), size_t(255));
}

void TestZPTextEncoding::knownCharacters_data() {
    QTest::addColumn<int>("byte");
    QTest::addColumn<uint>("codePoint");
    QTest::newRow("0x7F DEL") << 0x7F << 0x007Fu;
    QTest::newRow("0x80 A umlaut") << 0x80 << 0x00C4u;
    QTest::newRow("0xA5 bullet") << 0xA5 << 0x2022u;
    QTest::newRow("0xCA no-break space") << 0xCA << 0x00A0u;
    QTest::newRow("0xD0 en dash") << 0xD0 << 0x2013u;
    QTest::newRow("0xDB euro") << 0xDB << 0x20ACu;
    QTest::newRow("0xF0 apple logo (private use)") << 0xF0 << 0xF8FFu;
    QTest::newRow("0xFF caron") << 0xFF << 0x02C7u;
}

void TestZPTextEncoding::knownCharacters() {
    QFETCH(int, byte);
    QFETCH(uint, codePoint);
    std::string expected;
    ZPAppendUTF8(expected, char32_t(codePoint));
    QCOMPARE(ZPDecode8Bit(std::string(1, char(byte))), expected);
}

void TestZPTextEncoding::asciiPassesThrough() {
    std::string ascii;
    for (int c = 0x01; c < 0x80; ++c)
        ascii += char(c);
    QCOMPARE(ZPDecode8Bit(ascii), ascii);
    std::string encoded;
    QVERIFY(ZPEncode8Bit(ascii, encoded));
    QCOMPARE(encoded, ascii);
}

void TestZPTextEncoding::wholeTextsRoundTrip() {
    std::string all;
    for (int b = 0xFF; b >= 0x01; --b)
        all += char(b);
    std::string back;
    QVERIFY(ZPEncode8Bit(ZPDecode8Bit(all), back));
    QCOMPARE(back, all);
    QCOMPARE(ZPDecode8Bit("Gr\x9A\xA7"
                          "e"),
             std::string("Gr\xC3\xB6\xC3\x9F"
                         "e")); // Größe
    QVERIFY(ZPEncode8Bit("", back));
    QVERIFY(back.empty());
}

void TestZPTextEncoding::refusedText_data() {
    QTest::addColumn<QByteArray>("utf8");
    QTest::addColumn<uint>("badCharacter");
    // The NUL would end the stored text early.
    QTest::newRow("NUL") << QByteArray("ab\0c", 4) << 0u;
    QTest::newRow("currency sign U+00A4, absent") << QByteArray("\xC2\xA4") << 0x00A4u;
    QTest::newRow("smiley U+263A") << QByteArray("ok \xE2\x98\xBA") << 0x263Au;
    QTest::newRow("outside the BMP") << QByteArray("\xF0\x9F\x98\x80") << 0x1F600u;
    QTest::newRow("lone continuation byte") << QByteArray("a\x80"
                                                          "b")
                                            << 0xFFFDu;
    QTest::newRow("truncated sequence") << QByteArray("a\xC3") << 0xFFFDu;
    QTest::newRow("overlong slash") << QByteArray("\xC0\xAF") << 0xFFFDu;
    QTest::newRow("encoded surrogate") << QByteArray("\xED\xA0\x80") << 0xFFFDu;
    QTest::newRow("above U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << 0xFFFDu;
}

void TestZPTextEncoding::refusedText() {
    QFETCH(QByteArray, utf8);
    QFETCH(uint, badCharacter);
    const std::string text(utf8.constData(), size_t(utf8.size()));
    std::string out;
    char32_t bad = 0x12345;
    QVERIFY(!ZPEncode8Bit(text, out, &bad));
    QCOMPARE(uint(bad), badCharacter);
    QVERIFY(!ZPCanEncode8Bit(text));
}

QTEST_APPLESS_MAIN(TestZPTextEncoding)
#include "tst_ZPTextEncoding.moc"
