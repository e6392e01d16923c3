// ZPBounds <-> rectangle: single-precision sums, truncation toward zero, saturation to
// 32 bits (NaN to the minimum) and the low 16 bits, exactly in that order.
#include "ZPBounds.h"

#include <QTest>

#include <limits>

namespace {
const float kInf = std::numeric_limits<float>::infinity();
const float kNaN = std::numeric_limits<float>::quiet_NaN();
} // namespace

class TestZPBounds : public QObject {
    Q_OBJECT
private slots:
    void fromRect_data();
    void fromRect();
    void edge_data();
    void edge();
    void toRect_data();
    void toRect();
};

void TestZPBounds::fromRect_data() {
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<int>("right");

    QTest::newRow("fractions truncate") << 10.7f << 20.2f << 30.6f << 40.9f << 20 << 10 << 61 << 41;
    // Toward zero, so the width of 10 becomes 9.
    QTest::newRow("negative origin truncates toward zero")
        << -3.5f << -2.5f << 10.0f << 10.0f << -2 << -3 << 7 << 6;
    QTest::newRow("right edge past 32767 keeps its low 16 bits")
        << 32767.0f << 0.0f << 1.0f << 0.0f << 0 << 32767 << 0 << -32768;
    QTest::newRow("40000 gives -25536")
        << 40000.0f << 0.0f << 0.0f << 0.0f << 0 << -25536 << 0 << -25536;
    QTest::newRow("dialog frame 320.6 x 240.4")
        << 0.0f << 0.0f << 320.6f << 240.4f << 0 << 0 << 240 << 320;
    // x + width in single precision is 16777216, not 16777217: low 16 bits 0, not 1.
    QTest::newRow("sums are formed in single precision")
        << 16777216.0f << 0.0f << 1.0f << 0.0f << 0 << 0 << 0 << 0;
    QTest::newRow("NaN width leaves the left edge alone")
        << 5.0f << 6.0f << kNaN << 1.0f << 6 << 5 << 7 << 0;
}

void TestZPBounds::fromRect() {
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(float, width);
    QFETCH(float, height);
    QFETCH(int, top);
    QFETCH(int, left);
    QFETCH(int, bottom);
    QFETCH(int, right);
    const ZPBounds b = ZPBoundsFromRect(ZPRect{x, y, width, height});
    QCOMPARE(int(b.top), top);
    QCOMPARE(int(b.left), left);
    QCOMPARE(int(b.bottom), bottom);
    QCOMPARE(int(b.right), right);
}

void TestZPBounds::edge_data() {
    QTest::addColumn<float>("value");
    QTest::addColumn<int>("edge");

    QTest::newRow("-0.9 truncates to 0") << -0.9f << 0;
    QTest::newRow("65535 is -1") << 65535.0f << -1;
    QTest::newRow("65536 is 0") << 65536.0f << 0;
    QTest::newRow("-32769 is 32767") << -32769.0f << 32767;
    // 2147483520 is the largest float below 2^31: 0x7FFFFF80, low bits 0xFF80.
    QTest::newRow("largest float in range") << 2147483520.0f << -128;
    QTest::newRow("2^31 saturates to 0x7FFFFFFF") << 2147483648.0f << -1;
    QTest::newRow("3e9 saturates") << 3e9f << -1;
    QTest::newRow("+infinity saturates") << kInf << -1;
    QTest::newRow("-2^31 is in range") << -2147483648.0f << 0;
    QTest::newRow("-2^31 + 128") << -2147483520.0f << 128;
    QTest::newRow("-3e9 saturates to 0x80000000") << -3e9f << 0;
    QTest::newRow("-infinity saturates") << -kInf << 0;
    QTest::newRow("NaN is the minimum") << kNaN << 0;
}

void TestZPBounds::edge() {
    QFETCH(float, value);
    QFETCH(int, edge);
    QCOMPARE(int(ZPBoundsEdgeFromFloat(value)), edge);
}

void TestZPBounds::toRect_data() {
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<int>("right");
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");

    QTest::newRow("plain") << 20 << 10 << 61 << 41 << 10.0f << 20.0f << 31.0f << 41.0f;
    QTest::newRow("right left of left: negative width, not corrected")
        << 0 << 50 << 10 << 10 << 50.0f << 0.0f << -40.0f << 10.0f;
    QTest::newRow("widest") << -32768 << -32768 << 32767 << 32767 << -32768.0f << -32768.0f
                            << 65535.0f << 65535.0f;
}

void TestZPBounds::toRect() {
    QFETCH(int, top);
    QFETCH(int, left);
    QFETCH(int, bottom);
    QFETCH(int, right);
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(float, width);
    QFETCH(float, height);
    const ZPRect r =
        ZPRectFromBounds(ZPBounds{int16_t(top), int16_t(left), int16_t(bottom), int16_t(right)});
    QCOMPARE(r.x, x);
    QCOMPARE(r.y, y);
    QCOMPARE(r.width, width);
    QCOMPARE(r.height, height);
}

QTEST_APPLESS_MAIN(TestZPBounds)
#include "tst_ZPBounds.moc"
