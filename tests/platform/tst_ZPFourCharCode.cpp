// Four-character codes: byte order, and when a code may be shown as its letters.
#include "ZPFourCharCode.h"

#include <QTest>

class TestZPFourCharCode : public QObject {
    Q_OBJECT
private slots:
    void valueIsMostSignificantByteFirst();
    void description_data();
    void description();
};

void TestZPFourCharCode::valueIsMostSignificantByteFirst() {
    QCOMPARE(ZPFourCharCode('b', 'u', 't', 't'), 0x62757474u);
    QCOMPARE(ZPFourCharCode('z', 'r', 'v', '2'), 0x7A727632u);
    QCOMPARE(ZPFourCharCode('\xFF', '\0', '\x80', 'a'), 0xFF008061u);
    QCOMPARE(ZPFourCharCodeBytes(0x7A657276u), std::string("zerv"));
    QCOMPARE(ZPFourCharCodeBytes(0x00FF0001u), std::string("\0\xFF\0\x01", 4));
}

void TestZPFourCharCode::description_data() {
    QTest::addColumn<uint>("code");
    QTest::addColumn<QString>("description");
    QTest::newRow("letters") << 0x62757474u << "butt";
    QTest::newRow("space and tilde are printable") << 0x207E2020u << " ~  ";
    QTest::newRow("0x1F is not printable") << 0x1F414141u << "524370241";
    QTest::newRow("DEL is not printable") << 0x4141417Fu << "1094795647";
    QTest::newRow("high byte is not printable") << 0x80414141u << "2151760193";
    QTest::newRow("zero") << 0u << "0";
    QTest::newRow("all ones") << 0xFFFFFFFFu << "4294967295";
}

void TestZPFourCharCode::description() {
    QFETCH(uint, code);
    QFETCH(QString, description);
    QCOMPARE(QString::fromStdString(ZPFourCharCodeDescription(code)), description);
    QCOMPARE(ZPFourCharCodeIsPrintable(code), description != QString::number(code));
}

QTEST_APPLESS_MAIN(TestZPFourCharCode)
#include "tst_ZPFourCharCode.moc"
