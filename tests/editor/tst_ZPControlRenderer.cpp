// Drawing controls by their type: what each kind looks like in pixels, and the one
// drawing cell that is replaced only when a control needs another class of cell.
#include "ZPControlCells.h"
#include "ZPControlRenderer.h"
#include "ZPZervControl.h"

#include "ZPEditorTestSupport.h"

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <QtTest>

#include <typeinfo>

namespace {

const ZPZervControl& makeControl(uint32_t tag, const std::string& text) {
    static std::vector<ZPZervControlRef> made; // alive for the whole test
    made.push_back(std::make_shared<ZPZervControl>(ZPControlRecord{}, text));
    made.back()->setTag(tag);
    made.back()->setFrame(ZPMakeRect(10, 10, 100, 30));
    return *made.back();
}

// The control drawn on a white 120 x 50 canvas.
QImage render(const ZPZervControl& c, QWidget& view) {
    QImage image(120, 50, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    ZPControlRenderer::drawControl(c, c.frame(), painter, &view);
    painter.end();
    return image;
}

// How many pixels of `area` are darker than mid grey: a stand-in for "text is drawn".
int darkPixels(const QImage& image, const QRect& area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += qGray(image.pixel(x, y)) < 100;
    return n;
}

int whitePixels(const QImage& image, const QRect& area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixel(x, y) == qRgb(255, 255, 255);
    return n;
}

const char* cellClass() {
    ZPCell* cell = ZPControlRenderer::sharedCell();
    return cell ? typeid(*cell).name() : "none";
}

} // namespace

class tst_ZPControlRenderer : public QObject {
    Q_OBJECT

private:
    QWidget view;

private slots:
    void staticTextOverHalfTransparentGrey() {
        const QImage image = render(makeControl(ZPControlTypeStatic, ""), view);
        // Outside the control nothing is drawn.
        QCOMPARE(image.pixel(5, 5), qRgb(255, 255, 255));
        // Inside, white under grey at alpha 0.5: about 191; "Static Text" in dark letters.
        const QRgb inside = image.pixel(105, 35);
        QVERIFY2(qAbs(qGray(inside) - 191) <= 2, qPrintable(QString::number(qGray(inside))));
        QVERIFY(darkPixels(image, QRect(10, 10, 100, 30)) > 20);
    }

    void placeholderIsFramedFilledAndLabelled() {
        const ZPZervControl& c = makeControl(ZPControlTypeNew, "New Control");
        QCOMPARE(ZPControlRenderer::placeholderLabel(c), QStringLiteral("newc:New Control"));
        const QImage image = render(c, view);
        const QColor highlight = view.palette().color(QPalette::Highlight);
        // The middle is the highlight at alpha 0.75 over white; the label is white.
        const QColor mid = image.pixelColor(100, 35);
        QVERIFY(qAbs(mid.red() - int(highlight.red() * 0.75 + 255 * 0.25)) <= 3);
        QVERIFY(qAbs(mid.blue() - int(highlight.blue() * 0.75 + 255 * 0.25)) <= 3);
        QVERIFY(whitePixels(image, QRect(12, 12, 96, 26)) > 10);
        QCOMPARE(image.pixel(5, 5), qRgb(255, 255, 255));
    }

    void placeholderLabelUsesTheRecordsFirstFourBytes() {
        ZPZervControl& c = const_cast<ZPZervControl&>(makeControl(0, "t"));
        c.setTag(0x428E7A21); // 'B', 0x8E (e acute in the 8-bit encoding), 'z', '!'
        QCOMPARE(ZPControlRenderer::placeholderLabel(c), QString::fromUtf8("Béz!:t"));
        c.setTag(ZPFourCharCode('B', 'U', 'T', 'T')); // letter case matters: a placeholder
        QImage image = render(c, view);
        QVERIFY(whitePixels(image, QRect(12, 12, 96, 26)) > 10);
    }

    void passwordIsShownInTheClearLikeAnEditField() {
        const QImage edit = render(makeControl(ZPControlTypeEdit, "secret"), view);
        const QImage pass = render(makeControl(ZPControlTypePassword, "secret"), view);
        QCOMPARE(pass, edit);
        QVERIFY(darkPixels(edit, QRect(10, 10, 100, 30)) > 10);
    }

    void eachKindDrawsItsTextOrNot_data() {
        QTest::addColumn<uint32_t>("tag");
        QTest::addColumn<bool>("showsText");
        QTest::newRow("button title") << ZPControlTypeButton << true;
        QTest::newRow("edit field text") << ZPControlTypeEdit << true;
        QTest::newRow("static text") << ZPControlTypeStatic << true;
        QTest::newRow("stepper has none") << ZPControlTypeNumber << false;
    }
    void eachKindDrawsItsTextOrNot() {
        QFETCH(uint32_t, tag);
        QFETCH(bool, showsText);
        const QImage with = render(makeControl(tag, "Wxyz"), view);
        const QImage other = render(makeControl(tag, "Qrst"), view);
        QCOMPARE(with != other, showsText);
        QVERIFY(with != render(makeControl(ZPFourCharCode('x', 'x', 'x', 'x'), "Wxyz"), view));
    }

    // One cell serves every control; it is replaced only for a control that needs another
    // class, and the plain text cell must be exactly that class.
    void theSharedCellIsReplacedByClass() {
        QImage image(50, 50, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        const auto draw = [&](uint32_t tag) {
            ZPControlRenderer::drawControl(makeControl(tag, "x"), ZPMakeRect(0, 0, 40, 20), painter,
                                           &view);
        };
        draw(ZPControlTypeButton);
        const int made = ZPControlRenderer::cellsMade();
        ZPCell* button = ZPControlRenderer::sharedCell();
        QCOMPARE(cellClass(), typeid(ZPButtonCell).name());
        QCOMPARE(static_cast<ZPButtonCell*>(button)->bezelStyle(), 6);

        draw(ZPControlTypeButton); // a second button shares the cell
        QCOMPARE(ZPControlRenderer::sharedCell(), button);
        QCOMPARE(ZPControlRenderer::cellsMade(), made);

        draw(ZPControlTypeStatic); // a button cell is no plain text cell
        QCOMPARE(cellClass(), typeid(ZPCell).name());
        draw(ZPControlTypeStatic);
        QCOMPARE(ZPControlRenderer::cellsMade(), made + 1);

        draw(ZPFourCharCode('i', 'c', 'o', 'n')); // the placeholder leaves the cell alone
        QCOMPARE(cellClass(), typeid(ZPCell).name());
        QCOMPARE(ZPControlRenderer::cellsMade(), made + 1);

        draw(ZPControlTypeEdit);
        QCOMPARE(cellClass(), typeid(ZPTextFieldCell).name());
        draw(ZPControlTypePassword);
        QCOMPARE(ZPControlRenderer::cellsMade(), made + 2);
        draw(ZPControlTypeNumber);
        QCOMPARE(cellClass(), typeid(ZPStepperCell).name());
        draw(ZPControlTypeButton);
        QCOMPARE(cellClass(), typeid(ZPButtonCell).name());
        QCOMPARE(ZPControlRenderer::cellsMade(), made + 4);
    }

    // On the canvas itself: the placeholder over the canvas background, the static
    // text's grey, and nothing drawn outside the controls.
    void theCanvasDrawsEachControl() {
        auto document = std::make_shared<ZPZervDialogEditorDocument>();
        QVERIFY(document->readFromData(
            ZPMakeDialogFile(ZPBounds{0, 0, 60, 100},
                             {{ZPControlTypeNew, 512, {0, 0, 30, 40}, ""},
                              {ZPControlTypeStatic, 2, {30, 0, 60, 100}, ""}}),
            nullptr));
        document->makeWindowControllers();
        const QImage canvas = document->layoutView()->grab().toImage();
        QCOMPARE(canvas.size(), QSize(100, 60));
        const QColor background = document->layoutView()->palette().color(QPalette::Window);
        const QColor highlight = document->layoutView()->palette().color(QPalette::Highlight);
        const QColor placeholder = canvas.pixelColor(30, 25);
        QVERIFY(qAbs(placeholder.green() -
                     int(highlight.green() * 0.75 + background.green() * 0.25)) <= 3);
        const QColor grey = canvas.pixelColor(35, 55);
        QVERIFY(qAbs(grey.green() - int(127.5 * 0.5 + background.green() * 0.5)) <= 3);
        QCOMPARE(canvas.pixelColor(80, 20), background);
        document->close();
    }
};

QTEST_MAIN(tst_ZPControlRenderer)
#include "tst_ZPControlRenderer.moc"
