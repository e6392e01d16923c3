// Edge rules of the single-precision geometry: hit testing and resizing depend on
// exactly which edges count as inside.
#include "ZPGeometry.h"

#include <QTest>

#include <limits>

Q_DECLARE_METATYPE(ZPRect)
Q_DECLARE_METATYPE(ZPPoint)

namespace {
const float kNaN = std::numeric_limits<float>::quiet_NaN();
}

class TestZPGeometry : public QObject {
    Q_OBJECT
private slots:
    void pointInRect_data();
    void pointInRect();
    void intersectsRect_data();
    void intersectsRect();
    void unionRect_data();
    void unionRect();
    void insetAndOffset();
};

void TestZPGeometry::pointInRect_data() {
    QTest::addColumn<ZPPoint>("point");
    QTest::addColumn<ZPRect>("rect");
    QTest::addColumn<bool>("inside");

    const ZPRect r{10, 20, 30, 40}; // right edge 40, bottom edge 60
    QTest::newRow("top-left corner is inside") << ZPPoint{10, 20} << r << true;
    QTest::newRow("middle") << ZPPoint{25, 40} << r << true;
    QTest::newRow("right edge is outside") << ZPPoint{40, 30} << r << false;
    QTest::newRow("bottom edge is outside") << ZPPoint{15, 60} << r << false;
    QTest::newRow("just inside the right edge") << ZPPoint{39.999f, 30} << r << true;
    QTest::newRow("just left of the left edge") << ZPPoint{9.999f, 30} << r << false;
    QTest::newRow("just above the top edge") << ZPPoint{15, 19.999f} << r << false;
    QTest::newRow("zero width") << ZPPoint{10, 20} << ZPRect{10, 20, 0, 40} << false;
    QTest::newRow("zero height") << ZPPoint{10, 20} << ZPRect{10, 20, 30, 0} << false;
    QTest::newRow("negative width") << ZPPoint{5, 30} << ZPRect{10, 20, -10, 40} << false;
    QTest::newRow("NaN width") << ZPPoint{10, 20} << ZPRect{10, 20, kNaN, 40} << false;
    QTest::newRow("NaN point") << ZPPoint{kNaN, 30} << r << false;
    // x + width is formed in float: 16777216 + 1 is 16777216, so the rect has no inside
    // along x even though its width is positive.
    QTest::newRow("single-precision right edge")
        << ZPPoint{16777216, 0} << ZPRect{16777216, 0, 1, 1} << false;
}

void TestZPGeometry::pointInRect() {
    QFETCH(ZPPoint, point);
    QFETCH(ZPRect, rect);
    QFETCH(bool, inside);
    QCOMPARE(ZPPointInRect(point, rect), inside);
}

void TestZPGeometry::intersectsRect_data() {
    QTest::addColumn<ZPRect>("a");
    QTest::addColumn<ZPRect>("b");
    QTest::addColumn<bool>("intersects");

    const ZPRect a{0, 0, 10, 10};
    QTest::newRow("overlap") << a << ZPRect{5, 5, 10, 10} << true;
    QTest::newRow("contained") << a << ZPRect{2, 2, 1, 1} << true;
    QTest::newRow("same") << a << a << true;
    QTest::newRow("touching on the right") << a << ZPRect{10, 0, 10, 10} << false;
    QTest::newRow("touching below") << a << ZPRect{0, 10, 10, 10} << false;
    QTest::newRow("touching on the left") << a << ZPRect{-5, 0, 5, 10} << false;
    QTest::newRow("touching at a corner") << a << ZPRect{10, 10, 5, 5} << false;
    QTest::newRow("overlap by a sliver") << a << ZPRect{9.5f, 9.5f, 5, 5} << true;
    QTest::newRow("apart") << a << ZPRect{20, 20, 5, 5} << false;
    QTest::newRow("empty inside the other") << a << ZPRect{5, 5, 0, 3} << false;
    QTest::newRow("negative height") << a << ZPRect{5, 5, 3, -3} << false;
}

void TestZPGeometry::intersectsRect() {
    QFETCH(ZPRect, a);
    QFETCH(ZPRect, b);
    QFETCH(bool, intersects);
    QCOMPARE(ZPIntersectsRect(a, b), intersects);
    QCOMPARE(ZPIntersectsRect(b, a), intersects);
}

void TestZPGeometry::unionRect_data() {
    QTest::addColumn<ZPRect>("a");
    QTest::addColumn<ZPRect>("b");
    QTest::addColumn<ZPRect>("expected");

    QTest::newRow("two rects") << ZPRect{0, 0, 10, 10} << ZPRect{20, 5, 5, 20}
                               << ZPRect{0, 0, 25, 25};
    QTest::newRow("negative origins")
        << ZPRect{-10, -5, 5, 5} << ZPRect{0, 0, 1, 1} << ZPRect{-10, -5, 11, 6};
    QTest::newRow("empty first counts for nothing")
        << ZPRect{-100, -100, 0, 5} << ZPRect{1, 2, 3, 4} << ZPRect{1, 2, 3, 4};
    QTest::newRow("empty second counts for nothing")
        << ZPRect{1, 2, 3, 4} << ZPRect{100, 100, 5, -1} << ZPRect{1, 2, 3, 4};
    QTest::newRow("two empty rects give the zero rect")
        << ZPRect{5, 5, 0, 10} << ZPRect{7, 7, 10, 0} << ZPRect{};
}

void TestZPGeometry::unionRect() {
    QFETCH(ZPRect, a);
    QFETCH(ZPRect, b);
    QFETCH(ZPRect, expected);
    const ZPRect u = ZPUnionRect(a, b);
    QVERIFY2(
        ZPEqualRects(u, expected),
        qPrintable(QStringLiteral("got %1,%2 %3x%4").arg(u.x).arg(u.y).arg(u.width).arg(u.height)));
}

void TestZPGeometry::insetAndOffset() {
    const ZPRect r{10, 20, 30, 40};
    QVERIFY(ZPEqualRects(ZPInsetRect(r, 4, 4), ZPRect{14, 24, 22, 32}));
    QVERIFY(ZPEqualRects(ZPInsetRect(r, -2, 3), ZPRect{8, 23, 34, 34}));
    // An inset wider than the rect leaves a negative width, which then contains nothing.
    const ZPRect tooFar = ZPInsetRect(ZPRect{0, 0, 6, 6}, 4, 4);
    QVERIFY(ZPEqualRects(tooFar, ZPRect{4, 4, -2, -2}));
    QVERIFY(!ZPPointInRect(ZPPoint{4, 4}, tooFar));
    QVERIFY(ZPEqualRects(ZPOffsetRect(r, -10, 5.5f), ZPRect{0, 25.5f, 30, 40}));
}

QTEST_APPLESS_MAIN(TestZPGeometry)
#include "tst_ZPGeometry.moc"
