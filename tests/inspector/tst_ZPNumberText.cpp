#include "ZPNumberText.h"

#include <QtTest>

#include <cmath>
#include <limits>

class tst_ZPNumberText : public QObject {
    Q_OBJECT

private slots:
    void floatText_data();
    void floatText();
    void integerText();
    void leadingNumbers_data();
    void leadingNumbers();
    void parseInteger_data();
    void parseInteger();
    void parseFloat_data();
    void parseFloat();
    void edgeFits_data();
    void edgeFits();
};

void tst_ZPNumberText::floatText_data() {
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 40.0f << "40";
    QTest::newRow("half") << 12.5f << "12.5";
    QTest::newRow("negative") << -32768.0f << "-32768";
    QTest::newRow("zero") << 0.0f << "0";
    QTest::newRow("seven digits") << 1234567.0f << "1234567";
    QTest::newRow("eight digits go exponential") << 12345678.0f << "1.234568e+07";
    QTest::newRow("float rounding shown to seven digits") << 0.1f << "0.1";
    QTest::newRow("small") << 0.0001f << "0.0001";
    QTest::newRow("smaller") << 0.00001f << "1e-05";
}

void tst_ZPNumberText::floatText() {
    QFETCH(float, value);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(ZPFloatText(value)), text);
}

void tst_ZPNumberText::integerText() {
    QCOMPARE(ZPIntegerText(int16_t(-1)), std::string("-1"));
    QCOMPARE(ZPIntegerText(int16_t(-32768)), std::string("-32768"));
    QCOMPARE(ZPIntegerText(uint16_t(65535)), std::string("65535"));
    QCOMPARE(ZPIntegerText(uint16_t(0)), std::string("0"));
}

void tst_ZPNumberText::leadingNumbers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("floatValue");
    QTest::addColumn<int>("intValue");
    QTest::newRow("plain") << "42" << 42.0f << 42;
    QTest::newRow("spaces and trailing text") << "  12.5px" << 12.5f << 12;
    QTest::newRow("plus sign") << "+7" << 7.0f << 7;
    QTest::newRow("negative") << "-3.75" << -3.75f << -3;
    QTest::newRow("exponent") << "1e3" << 1000.0f << 1;
    QTest::newRow("dangling exponent") << "2e" << 2.0f << 2;
    QTest::newRow("leading point") << ".5" << 0.5f << 0;
    QTest::newRow("no number") << "abc" << 0.0f << 0;
    QTest::newRow("empty") << "" << 0.0f << 0;
    QTest::newRow("lone sign") << "-" << 0.0f << 0;
    QTest::newRow("nan is no number") << "nan" << 0.0f << 0;
    QTest::newRow("int saturates") << "99999999999" << 1e11f << std::numeric_limits<int>::max();
    QTest::newRow("int saturates low")
        << "-99999999999" << -1e11f << std::numeric_limits<int>::min();
    QTest::newRow("float underflow") << "1e-60" << 0.0f << 1;
    QTest::newRow("float underflow with zeros") << "0.0000e-60" << 0.0f << 0;
}

void tst_ZPNumberText::leadingNumbers() {
    QFETCH(QString, text);
    QFETCH(float, floatValue);
    QFETCH(int, intValue);
    QCOMPARE(ZPLeadingFloat(text.toStdString()), floatValue);
    QCOMPARE(ZPLeadingInteger(text.toStdString()), intValue);
}

void tst_ZPNumberText::parseInteger_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("in range") << "512" << -32768 << 32767 << true << 512;
    QTest::newRow("surrounding spaces") << " -1 " << -32768 << 32767 << true << -1;
    QTest::newRow("plus") << "+65535" << 0 << 65535 << true << 65535;
    QTest::newRow("lowest") << "-32768" << -32768 << 32767 << true << -32768;
    QTest::newRow("above 16 bits") << "70000" << 0 << 65535 << false << 0;
    QTest::newRow("just above") << "32768" << -32768 << 32767 << false << 0;
    QTest::newRow("negative flags") << "-1" << 0 << 65535 << false << 0;
    QTest::newRow("beyond 64 bits") << "99999999999999999999" << 0 << 65535 << false << 0;
    QTest::newRow("fraction") << "12.5" << 0 << 65535 << false << 0;
    QTest::newRow("trailing text") << "7 up" << 0 << 65535 << false << 0;
    QTest::newRow("hexadecimal") << "0x10" << 0 << 65535 << false << 0;
    QTest::newRow("empty") << "" << 0 << 65535 << false << 0;
    QTest::newRow("blank") << "   " << 0 << 65535 << false << 0;
    QTest::newRow("sign alone") << "-" << -32768 << 32767 << false << 0;
}

void tst_ZPNumberText::parseInteger() {
    QFETCH(QString, text);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(bool, valid);
    QFETCH(int, value);
    const std::optional<int32_t> parsed = ZPParseInteger(text.toStdString(), minimum, maximum);
    QCOMPARE(parsed.has_value(), valid);
    if (valid)
        QCOMPARE(*parsed, value);
}

void tst_ZPNumberText::parseFloat_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<float>("value");
    QTest::newRow("whole") << "60" << true << 60.0f;
    QTest::newRow("fraction") << "10.7" << true << 10.7f;
    QTest::newRow("negative with spaces") << " -2.5 " << true << -2.5f;
    QTest::newRow("exponent") << "1.5e2" << true << 150.0f;
    QTest::newRow("trailing point") << "3." << true << 3.0f;
    QTest::newRow("tiny is zero") << "1e-60" << true << 0.0f;
    QTest::newRow("beyond float") << "1e39" << false << 0.0f;
    QTest::newRow("nan") << "nan" << false << 0.0f;
    QTest::newRow("inf") << "inf" << false << 0.0f;
    QTest::newRow("comma decimal") << "3,5" << false << 0.0f;
    QTest::newRow("trailing text") << "12px" << false << 0.0f;
    QTest::newRow("empty") << "" << false << 0.0f;
    QTest::newRow("point alone") << "." << false << 0.0f;
}

void tst_ZPNumberText::parseFloat() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(float, value);
    const std::optional<float> parsed = ZPParseFloat(text.toStdString());
    QCOMPARE(parsed.has_value(), valid);
    if (valid)
        QCOMPARE(*parsed, value);
}

void tst_ZPNumberText::edgeFits_data() {
    QTest::addColumn<float>("value");
    QTest::addColumn<bool>("fits");
    QTest::newRow("top") << 32767.0f << true;
    QTest::newRow("truncates to top") << 32767.9f << true;
    QTest::newRow("one above") << 32768.0f << false;
    QTest::newRow("bottom") << -32768.0f << true;
    QTest::newRow("truncates to bottom") << -32768.5f << true;
    QTest::newRow("one below") << -32769.0f << false;
    QTest::newRow("nan") << std::numeric_limits<float>::quiet_NaN() << false;
    QTest::newRow("infinity") << std::numeric_limits<float>::infinity() << false;
}

void tst_ZPNumberText::edgeFits() {
    QFETCH(float, value);
    QFETCH(bool, fits);
    QCOMPARE(ZPFitsInt16Edge(value), fits);
}

QTEST_APPLESS_MAIN(tst_ZPNumberText)
#include "tst_ZPNumberText.moc"
