// A control is its 24-byte record plus a text: typed access in place, the frame from
// the bounds, and nothing shared with the caller.
#include "ZPTagFixture.h"
#include "ZPZervControl.h"

#include <QTest>

Q_DECLARE_METATYPE(ZPRect)

namespace {

// 'butt', padding 0x0A0B, item 0x8000, bitmaps 0xFFFF and 5, flags 3, state 1,
// bounds 20 10 61 41
const char* const kRecord = "62757474 0A0B 8000 FFFF 0005 0003 0001 0014 000A 003D 0029";

ZPControlRecord record(const char* hex) {
    const QByteArray b = hexBytes(hex);
    ZPControlRecord r;
    std::copy(b.begin(), b.end(), r.bytes.begin());
    return r;
}

QByteArray bytesOf(const ZPControlRecord& r) {
    return QByteArray(reinterpret_cast<const char*>(r.bytes.data()), qsizetype(r.bytes.size()));
}

} // namespace

class TestZPZervControl : public QObject {
    Q_OBJECT
private slots:
    void initKeepsAll24Bytes();
    void accessorsReadTheRecord();
    void settersWriteInPlace_data();
    void settersWriteInPlace();
    void bitmapIDForState_data();
    void bitmapIDForState();
    void setBitmapIDForOtherStatesChangesNothing_data();
    void setBitmapIDForOtherStatesChangesNothing();
    void frame_data();
    void frame();
    void copiesFromTheCaller();
};

void TestZPZervControl::initKeepsAll24Bytes() {
    const ZPZervControl c(record(kRecord), "OK");
    QCOMPARE(bytesOf(c.data()), hexBytes(kRecord)); // padding included
    QCOMPARE(c.string(), std::string("OK"));
}

void TestZPZervControl::accessorsReadTheRecord() {
    const ZPZervControl c(record(kRecord), "");
    QCOMPARE(c.tag(), 0x62757474u);
    QCOMPARE(c.itemID(), int16_t(-32768));
    QCOMPARE(c.flags(), uint16_t(3));
    QCOMPARE(c.state(), uint16_t(1));
    QCOMPARE(c.bitmapIDForState(0), int16_t(-1));
    QCOMPARE(c.bitmapIDForState(1), int16_t(5));
}

void TestZPZervControl::settersWriteInPlace_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QByteArray>("expected");
    // Each setter changes its own bytes and nothing else.
    QTest::newRow("setTag 'stat'") << 0
                                   << hexBytes("73746174 0A0B 8000 FFFF 0005 0003 0001 "
                                               "0014 000A 003D 0029");
    QTest::newRow("setItemID 512") << 1
                                   << hexBytes("62757474 0A0B 0200 FFFF 0005 0003 0001 "
                                               "0014 000A 003D 0029");
    QTest::newRow("setFlags 0xFFFF") << 2
                                     << hexBytes("62757474 0A0B 8000 FFFF 0005 FFFF 0001 "
                                                 "0014 000A 003D 0029");
    QTest::newRow("setState 0") << 3
                                << hexBytes("62757474 0A0B 8000 FFFF 0005 0003 0000 "
                                            "0014 000A 003D 0029");
    QTest::newRow("setBitmapID -2 for state 1")
        << 4 << hexBytes("62757474 0A0B 8000 FFFF FFFE 0003 0001 0014 000A 003D 0029");
}

void TestZPZervControl::settersWriteInPlace() {
    QFETCH(int, field);
    QFETCH(QByteArray, expected);
    ZPZervControl c(record(kRecord), "");
    switch (field) {
    case 0:
        c.setTag(0x73746174);
        break;
    case 1:
        c.setItemID(512);
        break;
    case 2:
        c.setFlags(0xFFFF);
        break;
    case 3:
        c.setState(0);
        break;
    case 4:
        c.setBitmapIDForState(-2, 1);
        break;
    }
    QCOMPARE(bytesOf(c.data()), expected);
}

void TestZPZervControl::bitmapIDForState_data() {
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("bitmapID");
    QTest::newRow("state 0, stored 0xFFFF") << 0 << -1;
    QTest::newRow("state 1") << 1 << 5;
    QTest::newRow("state 2") << 2 << -1;
    QTest::newRow("state 65535") << 65535 << -1;
}

void TestZPZervControl::bitmapIDForState() {
    QFETCH(int, state);
    QFETCH(int, bitmapID);
    const ZPZervControl c(record(kRecord), "");
    QCOMPARE(int(c.bitmapIDForState(uint16_t(state))), bitmapID);
}

void TestZPZervControl::setBitmapIDForOtherStatesChangesNothing_data() {
    QTest::addColumn<int>("state");
    QTest::newRow("2") << 2;
    QTest::newRow("65535") << 65535;
}

void TestZPZervControl::setBitmapIDForOtherStatesChangesNothing() {
    QFETCH(int, state);
    ZPZervControl c(record(kRecord), "");
    c.setBitmapIDForState(1234, uint16_t(state));
    QCOMPARE(bytesOf(c.data()), hexBytes(kRecord));
}

void TestZPZervControl::frame_data() {
    QTest::addColumn<ZPRect>("set");
    QTest::addColumn<QByteArray>("bounds"); // top left bottom right, as stored
    QTest::addColumn<ZPRect>("frame");
    QTest::newRow("fractions") << ZPRect{10.7f, 20.2f, 30.6f, 40.9f}
                               << hexBytes("0014 000A 003D 0029") << ZPRect{10, 20, 31, 41};
    QTest::newRow("negative, toward zero")
        << ZPRect{-3.5f, -2.5f, 10, 10} << hexBytes("FFFE FFFD 0007 0006") << ZPRect{-3, -2, 9, 9};
    // The right edge wraps to -32768, and nothing corrects the negative width.
    QTest::newRow("right edge wraps")
        << ZPRect{32767, 0, 1, 1} << hexBytes("0000 7FFF 0001 8000") << ZPRect{32767, 0, -65535, 1};
}

void TestZPZervControl::frame() {
    QFETCH(ZPRect, set);
    QFETCH(QByteArray, bounds);
    QFETCH(ZPRect, frame);
    ZPZervControl c(record(kRecord), "");
    c.setFrame(set);
    QCOMPARE(bytesOf(c.data()).mid(16), bounds);
    QCOMPARE(bytesOf(c.data()).left(16), hexBytes(kRecord).left(16));
    const ZPRect f = c.frame();
    QVERIFY2(
        ZPEqualRects(f, frame),
        qPrintable(QStringLiteral("%1 %2 %3 %4").arg(f.x).arg(f.y).arg(f.width).arg(f.height)));
}

void TestZPZervControl::copiesFromTheCaller() {
    ZPControlRecord mine = record(kRecord);
    std::string text = "Cancel";
    ZPZervControl c(mine, text);
    mine.set_item_id(1);
    text[0] = 'X';
    QCOMPARE(c.itemID(), int16_t(-32768));
    QCOMPARE(c.string(), std::string("Cancel"));

    c.setData(mine);
    mine.set_item_id(2);
    QCOMPARE(c.itemID(), int16_t(1));

    // The text handed out stays the caller's whatever the control does next.
    const std::string held = c.string();
    c.setString("Other");
    QCOMPARE(held, std::string("Cancel"));
    QCOMPARE(c.string(), std::string("Other"));
    c.setString(c.string());
    QCOMPARE(c.string(), std::string("Other"));
}

QTEST_APPLESS_MAIN(TestZPZervControl)
#include "tst_ZPZervControl.moc"
