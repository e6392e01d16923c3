// The fixed records read and write each field in place, big-endian, at its offset;
// the header's shared fields move with the variant.
#include "ZPTagFixture.h"
#include "ZPTagRecords.h"

#include <QTest>

namespace {
template <size_t N> QByteArray bytesOf(const std::array<uint8_t, N>& a) {
    return QByteArray(reinterpret_cast<const char*>(a.data()), qsizetype(N));
}
template <size_t N> void setBytes(std::array<uint8_t, N>& a, const QByteArray& b) {
    QCOMPARE(size_t(b.size()), N);
    std::copy(b.begin(), b.end(), a.begin());
}
} // namespace

class TestZPTagRecords : public QObject {
    Q_OBJECT
private slots:
    void controlRecordFields();
    void controlRecordSetters();
    void dialogRecordFields();
    void headerVariant_data();
    void headerVariant();
};

void TestZPTagRecords::controlRecordFields() {
    ZPControlRecord r;
    // 'edit', padding -2, item -32768, bitmaps -1 and 0x7FFF, flags 0xFFFF, state 0x8000,
    // bounds top -1, left 2, bottom 0x1234, right -32768
    setBytes(r.bytes, hexBytes("65646974 FFFE 8000 FFFF 7FFF FFFF 8000 FFFF 0002 1234 8000"));
    QCOMPARE(r.tag(), 0x65646974u);
    QCOMPARE(r.padding(), int16_t(-2));
    QCOMPARE(r.item_id(), int16_t(-32768));
    QCOMPARE(r.bitmap_id(0), int16_t(-1));
    QCOMPARE(r.bitmap_id(1), int16_t(32767));
    QCOMPARE(r.flags(), uint16_t(0xFFFF));
    QCOMPARE(r.state(), uint16_t(0x8000));
    QVERIFY(r.bounds() == (ZPBounds{-1, 2, 0x1234, -32768}));
}

void TestZPTagRecords::controlRecordSetters() {
    ZPControlRecord r;
    r.set_tag(0x6E756D62); // 'numb'
    r.set_padding(0x0102);
    r.set_item_id(512);
    r.set_bitmap_id(0, -2);
    r.set_bitmap_id(1, 7);
    r.set_flags(0xABCD);
    r.set_state(1);
    r.set_bounds(ZPBounds{10, 20, -30, 40});
    QCOMPARE(bytesOf(r.bytes),
             hexBytes("6E756D62 0102 0200 FFFE 0007 ABCD 0001 000A 0014 FFE2 0028"));
}

void TestZPTagRecords::dialogRecordFields() {
    ZPDialogRecord d;
    setBytes(d.bytes, hexBytes("FFFF 8001 0000 0000 01E0 0280"));
    QCOMPARE(d.version(), int16_t(-1));
    QCOMPARE(d.control_count(), int16_t(-32767));
    QVERIFY(d.bounds() == (ZPBounds{0, 0, 480, 640}));
    d.set_version(2);
    d.set_control_count(3);
    d.set_bounds(ZPBounds{1, 2, 3, 4});
    QCOMPARE(bytesOf(d.bytes), hexBytes("0002 0003 0001 0002 0003 0004"));
}

void TestZPTagRecords::headerVariant_data() {
    QTest::addColumn<QByteArray>("signature");
    QTest::addColumn<uint>("version");
    QTest::addColumn<int>("subgroupAt");
    QTest::addColumn<int>("offsetAt");
    QTest::addColumn<uint>("subgroup");
    QTest::addColumn<int>("offset");
    QTest::newRow("zerv") << hexBytes("7A657276") << 1u << 36 << 48 << 0x11111111u << 0x44444444;
    QTest::newRow("zrv2") << hexBytes("7A727632") << 2u << 40 << 44 << 0x22222222u << 0x33333333;
    QTest::newRow("vrez") << hexBytes("7672657A") << 0u << -1 << -1 << 0u << 0;
    QTest::newRow("zrv2 reversed") << hexBytes("3276727A") << 0u << -1 << -1 << 0u << 0;
}

void TestZPTagRecords::headerVariant() {
    QFETCH(QByteArray, signature);
    QFETCH(uint, version);
    QFETCH(int, subgroupAt);
    QFETCH(int, offsetAt);
    QFETCH(uint, subgroup);
    QFETCH(int, offset);

    // Every candidate field holds a different value, so a wrong offset shows.
    QByteArray bytes(64, '\0');
    bytes = withInt32(bytes, 36, 0x11111111);
    bytes = withInt32(bytes, 40, 0x22222222);
    bytes = withInt32(bytes, 44, 0x33333333);
    bytes = withInt32(bytes, 48, 0x44444444);
    bytes.replace(60, 4, signature);
    ZPTagHeader h;
    setBytes(h.bytes, bytes);
    QCOMPARE(h.headerVersion(), version);
    QCOMPARE(h.subgroup(), subgroup);
    QCOMPARE(h.dialogOffset(), offset);

    if (version == 0) {
        h.setSubgroup(1);
        h.setDialogOffset(64);
        QCOMPARE(bytesOf(h.bytes), bytes); // nothing to write to
        return;
    }
    h.setSubgroup(0x61626364);
    h.setDialogOffset(64);
    QByteArray expected = withInt32(bytes, subgroupAt, 0x61626364);
    expected = withInt32(expected, offsetAt, 64);
    QCOMPARE(bytesOf(h.bytes), expected);
}

QTEST_APPLESS_MAIN(TestZPTagRecords)
#include "tst_ZPTagRecords.moc"
