// Alternate-row stripes: where they fall for a stride and a clip rectangle, and how a
// real tree view looks with them, below its last row and when empty too.
#include "ZPStripedTableView.h"

#include "ZPEditorTestSupport.h"

#include <QApplication>
#include <QStandardItemModel>
#include <QTreeView>
#include <QtTest>

Q_DECLARE_METATYPE(std::vector<float>)

class tst_ZPStripedTableView : public QObject {
    Q_OBJECT

private:
    static QRgb stripe() { return ZPStripedTableView::stripeColor().rgb(); }

    // A tree view with `rows` text rows, 200 x 200, painted.
    static QImage paint(QTreeView& view, int rows) {
        auto* model = new QStandardItemModel(rows, 1, &view);
        for (int r = 0; r < rows; ++r)
            model->setItem(r, new QStandardItem(QString()));
        view.setModel(model);
        view.setHeaderHidden(true);
        view.setRootIsDecorated(false);
        view.setFrameShape(QFrame::NoFrame);
        view.resize(200, 200);
        return view.viewport()->grab().toImage();
    }

private slots:
    void initTestCase() { ZPStripedTableView::install(*qApp); }

    void stripeColourIsTheLightBlue() { QCOMPARE(stripe(), qRgb(237, 242, 255)); }

    void stripesFallOnOddRows_data() {
        QTest::addColumn<float>("rowHeight");
        QTest::addColumn<float>("spacing");
        QTest::addColumn<float>("top");
        QTest::addColumn<float>("height");
        QTest::addColumn<std::vector<float>>("tops");
        QTest::addColumn<float>("stride");
        QTest::newRow("from the top")
            << 16.f << 2.f << 0.f << 100.f << std::vector<float>{18, 54, 90} << 18.f;
        QTest::newRow("even first row skips to the next")
            << 16.f << 2.f << 40.f << 60.f << std::vector<float>{54, 90} << 18.f;
        QTest::newRow("odd first row starts above the clip")
            << 16.f << 2.f << 20.f << 10.f << std::vector<float>{18} << 18.f;
        QTest::newRow("no spacing") << 20.f << 0.f << 0.f << 60.f << std::vector<float>{20} << 20.f;
        QTest::newRow("zero stride paints nothing")
            << 0.f << 0.f << 0.f << 100.f << std::vector<float>{} << 0.f;
        QTest::newRow("negative stride paints nothing")
            << -5.f << 1.f << 0.f << 100.f << std::vector<float>{} << 0.f;
    }
    void stripesFallOnOddRows() {
        QFETCH(float, rowHeight);
        QFETCH(float, spacing);
        QFETCH(float, top);
        QFETCH(float, height);
        QFETCH(std::vector<float>, tops);
        QFETCH(float, stride);
        const auto stripes =
            ZPStripedTableView::stripeRects(rowHeight, spacing, ZPMakeRect(3, top, 50, height));
        QCOMPARE(stripes.size(), tops.size());
        for (size_t i = 0; i < tops.size(); ++i) {
            QCOMPARE(stripes[i].y, tops[i]);
            QCOMPARE(stripes[i].height, stride);
            QCOMPARE(stripes[i].x, 3.0f);
            QCOMPARE(stripes[i].width, 50.0f);
        }
    }

    void treeViewsAreStripedBelowTheLastRowToo() {
        QTreeView view;
        const QImage image = paint(view, 2);
        const int h = view.visualRect(view.model()->index(0, 0)).height();
        QVERIFY(h > 0);
        const QRgb base = view.palette().color(QPalette::Base).rgb();
        QCOMPARE(image.pixel(150, h / 2), base);         // row 0
        QCOMPARE(image.pixel(150, h + h / 2), stripe()); // row 1
        QCOMPARE(image.pixel(150, 2 * h + h / 2), base); // row 2: no item
        QCOMPARE(image.pixel(150, 3 * h + h / 2), stripe());
    }

    void anEmptyTreeViewIsStriped() {
        QTreeView view;
        const QImage image = paint(view, 0);
        int striped = 0;
        for (int y = 0; y < image.height(); ++y)
            striped += image.pixel(100, y) == stripe();
        QVERIFY(striped > image.height() / 3);
    }

    void selectedRowsAreHighlightedOverTheStripe() {
        QTreeView view;
        paint(view, 3);
        view.selectionModel()->select(view.model()->index(1, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
        const QImage image = view.viewport()->grab().toImage();
        const int h = view.visualRect(view.model()->index(0, 0)).height();
        QVERIFY(image.pixel(150, h + h / 2) != stripe());
        QCOMPARE(image.pixel(150, 3 * h + h / 2), stripe());
    }

    // The hierarchy list is striped like every other tree, with no code of its own.
    void theHierarchyListIsStriped() {
        auto document = std::make_shared<ZPZervDialogEditorDocument>();
        QVERIFY(document->readFromData(
            ZPMakeDialogFile(ZPBounds{0, 0, 100, 100},
                             {{ZPControlTypeButton, 1, {0, 0, 10, 10}, ""},
                              {ZPControlTypeButton, 2, {0, 20, 10, 30}, ""}}),
            nullptr));
        document->makeWindowControllers();
        QTreeView* list = document->controlList();
        list->resize(200, 200);
        const QImage image = list->viewport()->grab().toImage();
        const int h = list->visualRect(list->model()->index(0, 0)).height();
        QCOMPARE(image.pixel(190, h + h / 2), stripe());
        QCOMPARE(image.pixel(190, 3 * h + h / 2), stripe());
        QVERIFY(image.pixel(190, h / 2) != stripe());
        document->close();
    }
};

QTEST_MAIN(tst_ZPStripedTableView)
#include "tst_ZPStripedTableView.moc"
