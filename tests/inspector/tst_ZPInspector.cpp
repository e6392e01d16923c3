// The inspector driven through its real widgets: filling the views, the refill rules,
// frame modes, the actions with valid input, input the file cannot hold, and the panel's
// views, sizes and titles.
#include "InspectorFixtures.h"
#include "ZPFourCharCode.h"
#include "ZPInspector.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalSpy>
#include <QtTest>

namespace {

template <class T = QLineEdit> T* widget(ZPInspector& inspector, const char* name) {
    T* found = inspector.panel()->findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("no widget %s", name);
    return found;
}

// Types into a field as a user would and commits with Return.
void enter(QLineEdit* field, const QString& text) {
    field->setText(text);
    QTest::keyClick(field, Qt::Key_Return);
}

// Chooses a pop-up item as a user would: the pop-up sends its action.
void choose(QComboBox* popup, int index) {
    popup->setCurrentIndex(index);
    emit popup->activated(index);
}

QString fieldText(ZPInspector& inspector, const char* name) {
    return widget(inspector, name)->text();
}

bool sameRect(const ZPRect& a, const ZPRect& b) {
    return ZPEqualRects(a, b);
}

} // namespace

class tst_ZPInspector : public QObject {
    Q_OBJECT

private slots:
    void sharedInstance();
    void fillsControlView_data();
    void fillsControlView();
    void fillsDialogView_data();
    void fillsDialogView();
    void refillsOnlyWhenTheObjectChanges();
    void holdsTheInspectedObject();
    void controlFrameModes();
    void dialogFrameModes();
    void typePopupAndCodeField();
    void subgroupAsFourCharacters_data();
    void subgroupAsFourCharacters();
    void controlActions_data();
    void controlActions();
    void pressedButton();
    void dialogActions();
    void unchangedValuesSignalNothing();
    void refusesBadNumbers_data();
    void refusesBadNumbers();
    void refusesBadFrames_data();
    void refusesBadFrames();
    void refusesTextTheFileCannotHold_data();
    void refusesTextTheFileCannotHold();
    void cutsLongTagNames();
    void actionsForTheOtherKindChangeNothing();
    void commitsOnFocusLossOnlyAfterAChange();
    void refreshFrameFieldsTouchesOnlyFrames();
    void switchesViewsWithSizesAndTitles();
    void leavesRoomForAMenuBar();
    void loadsViewsLazilyAndBuildsTheTypeMenuOnce();
};

void tst_ZPInspector::sharedInstance() {
    ZPInspector* shared = ZPInspector::defaultInspector();
    QVERIFY(shared);
    QCOMPARE(ZPInspector::defaultInspector(), shared);
    QVERIFY(shared->panel()->windowFlags().testFlag(Qt::Tool));
    QVERIFY(shared->panel()->testAttribute(Qt::WA_ShowWithoutActivating));
}

void tst_ZPInspector::fillsControlView_data() {
    QTest::addColumn<uint>("tag");
    QTest::addColumn<int>("itemID");
    QTest::addColumn<int>("bitmapOff");
    QTest::addColumn<int>("bitmapOn");
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("popupTitle");
    QTest::addColumn<QString>("tagField");
    QTest::addColumn<bool>("pressed");

    QTest::newRow("button") << uint(ZPControlTypeButton) << 7 << 100 << 101 << 3 << 0 << "OK"
                            << "Push Button"
                            << "butt" << false;
    QTest::newRow("state 2 shows pressed, 16-bit extremes")
        << uint(ZPControlTypeStatic) << -1 << -32768 << 32767 << 65535 << 2
        << QString::fromUtf8("Café") << "Static Text"
        << "stat" << true;
    QTest::newRow("unknown type selects nothing")
        << uint(ZPFourCharCode('z', 'z', 'z', 'z')) << -32768 << 0 << 0 << 0 << 1 << ""
        << ""
        << "zzzz" << true;
}

void tst_ZPInspector::fillsControlView() {
    QFETCH(uint, tag);
    QFETCH(int, itemID);
    QFETCH(int, bitmapOff);
    QFETCH(int, bitmapOn);
    QFETCH(int, flags);
    QFETCH(int, state);
    QFETCH(QString, text);
    QFETCH(QString, popupTitle);
    QFETCH(QString, tagField);
    QFETCH(bool, pressed);

    ControlValues v;
    v.tag = tag;
    v.itemID = int16_t(itemID);
    v.bitmapOff = int16_t(bitmapOff);
    v.bitmapOn = int16_t(bitmapOn);
    v.flags = uint16_t(flags);
    v.state = uint16_t(state);
    v.bounds = ZPBounds{20, 10, 50, 50}; // frame (10, 20, 40, 30)
    v.text = text.toStdString();

    ZPInspector inspector;
    inspector.setInspectedObject(makeControl(v));
    auto* popup = widget<QComboBox>(inspector, "tagPopup");
    QCOMPARE(popup->currentIndex() < 0, popupTitle.isEmpty());
    QCOMPARE(popup->currentText(), popupTitle);
    QCOMPARE(fieldText(inspector, "tagField"), tagField);
    QCOMPARE(fieldText(inspector, "stringField"), text);
    QCOMPARE(widget<QCheckBox>(inspector, "pressedButton")->isChecked(), pressed);
    QCOMPARE(fieldText(inspector, "flagsField"), QString::number(flags));
    QCOMPARE(fieldText(inspector, "idField"), QString::number(itemID));
    QCOMPARE(fieldText(inspector, "onField"), QString::number(bitmapOn));
    QCOMPARE(fieldText(inspector, "offField"), QString::number(bitmapOff));
    QCOMPARE(fieldText(inspector, "cx"), QString("10"));
    QCOMPARE(fieldText(inspector, "cy"), QString("20"));
    QCOMPARE(fieldText(inspector, "cw"), QString("40"));
    QCOMPARE(fieldText(inspector, "ch"), QString("30"));
}

void tst_ZPInspector::fillsDialogView_data() {
    QTest::addColumn<uint>("headerVersion");
    QTest::addColumn<QString>("name");
    QTest::addColumn<uint>("subgroup");
    QTest::addColumn<int>("controls");
    QTest::addColumn<QString>("subgroupText");
    QTest::addColumn<QString>("info");

    QTest::newRow("zerv") << 1u << "Options" << uint(ZPFourCharCode('m', 'e', 'n', 'u')) << 7
                          << "menu"
                          << "Version 1, 7 controls.";
    QTest::newRow("zrv2, subgroup ab")
        << 2u << "LongerName_0123456789" << uint(ZPFourCharCode('a', 'b', 0, 0)) << 0 << "ab"
        << "Version 1, 0 controls.";
    QTest::newRow("subgroup 0 is empty") << 1u << "" << 0u << 1 << ""
                                         << "Version 1, 1 controls.";
}

void tst_ZPInspector::fillsDialogView() {
    QFETCH(uint, headerVersion);
    QFETCH(QString, name);
    QFETCH(uint, subgroup);
    QFETCH(int, controls);
    QFETCH(QString, subgroupText);
    QFETCH(QString, info);

    DocumentValues v;
    v.headerVersion = headerVersion;
    v.name = name.toStdString();
    v.subgroup = subgroup;
    v.bounds = ZPBounds{5, -3, 245, 317}; // frame (-3, 5, 320, 240)
    v.controls = controls;
    auto document = makeDocument(v);
    QCOMPARE(document->header_version(), headerVersion);

    ZPInspector inspector;
    inspector.setInspectedObject(document);
    QCOMPARE(fieldText(inspector, "tag_name"), name);
    QCOMPARE(fieldText(inspector, "tag_subgroup"), subgroupText);
    QCOMPARE(widget<QLabel>(inspector, "dialog_info")->text(), info);
    QCOMPARE(fieldText(inspector, "dx"), QString("-3"));
    QCOMPARE(fieldText(inspector, "dy"), QString("5"));
    QCOMPARE(fieldText(inspector, "dw"), QString("320"));
    QCOMPARE(fieldText(inspector, "dh"), QString("240"));
}

void tst_ZPInspector::refillsOnlyWhenTheObjectChanges() {
    ZPInspector inspector;
    auto a = makeFramedControl(10, 20, 40, 30);
    auto document = makeDocument({});
    inspector.setInspectedObject(a);
    a->setFlags(9);
    a->setString("changed");
    inspector.setInspectedObject(a);
    QCOMPARE(fieldText(inspector, "flagsField"), QString("0"));
    QCOMPARE(fieldText(inspector, "stringField"), QString("OK"));

    inspector.setInspectedObject(document);
    inspector.setInspectedObject(a);
    QCOMPARE(fieldText(inspector, "flagsField"), QString("9"));
    QCOMPARE(fieldText(inspector, "stringField"), QString("changed"));

    // An uncommitted edit is replaced when another object is inspected.
    widget(inspector, "idField")->setText("77");
    inspector.setInspectedObject(makeFramedControl(0, 0, 1, 1));
    QCOMPARE(fieldText(inspector, "idField"), QString("0"));
    QCOMPARE(a->itemID(), int16_t(0));
}

void tst_ZPInspector::holdsTheInspectedObject() {
    ZPInspector inspector;
    auto control = makeFramedControl(0, 0, 10, 10);
    std::weak_ptr<ZPZervControl> watch = control;
    inspector.setInspectedObject(control);
    control.reset();
    QVERIFY(!watch.expired());
    QCOMPARE(inspector.inspectedObject().get(), watch.lock().get());

    // Its actions still write into it.
    enter(widget(inspector, "flagsField"), "5");
    QCOMPARE(watch.lock()->flags(), uint16_t(5));

    inspector.setInspectedObject(nullptr);
    QVERIFY(watch.expired());
    QVERIFY(!inspector.inspectedObject());

    // Anything but a control or a document is let go at once and shows nothing.
    auto other = std::make_shared<ZPObject>();
    inspector.setInspectedObject(other);
    QVERIFY(!inspector.inspectedObject());
    QCOMPARE(other.use_count(), 1L);
    QCOMPARE(inspector.currentInspectionView(), inspector.noneInspectionView());
}

void tst_ZPInspector::controlFrameModes() {
    ZPInspector inspector;
    auto control = makeFramedControl(10, 20, 40, 30);
    inspector.setInspectedObject(control);
    auto* mode = widget<QComboBox>(inspector, "cboxmode");
    auto* cws = widget<QLabel>(inspector, "cws");
    auto* chs = widget<QLabel>(inspector, "chs");
    QCOMPARE(mode->currentIndex(), 0);
    QCOMPARE(cws->text(), QString("Width"));
    QCOMPARE(chs->text(), QString("height"));

    // Switching the mode changes the captions only; the next frame action reads the
    // fields in the new mode.
    choose(mode, 1);
    QCOMPARE(cws->text(), QString("Right"));
    QCOMPARE(chs->text(), QString("Bottom"));
    QCOMPARE(fieldText(inspector, "cw"), QString("40"));
    QCOMPARE(fieldText(inspector, "ch"), QString("30"));
    inspector.setControlFrame(nullptr);
    QVERIFY(sameRect(control->frame(), ZPRect{10, 20, 30, 10}));

    // Mode 1 shows the right and bottom edges.
    auto other = makeFramedControl(10, 20, 40, 30);
    inspector.setInspectedObject(other);
    QCOMPARE(fieldText(inspector, "cw"), QString("50"));
    QCOMPARE(fieldText(inspector, "ch"), QString("50"));
    enter(widget(inspector, "cw"), "60");
    QVERIFY(sameRect(other->frame(), ZPRect{10, 20, 50, 30}));

    choose(mode, 0);
    QCOMPARE(cws->text(), QString("Width"));
    QCOMPARE(chs->text(), QString("height"));
}

void tst_ZPInspector::dialogFrameModes() {
    ZPInspector inspector;
    DocumentValues v;
    v.bounds = ZPBounds{20, 10, 50, 50};
    auto document = makeDocument(v);
    inspector.setInspectedObject(document);
    auto* mode = widget<QComboBox>(inspector, "dboxmode");
    QCOMPARE(widget<QLabel>(inspector, "dws")->text(), QString("Width"));
    QCOMPARE(widget<QLabel>(inspector, "dhs")->text(), QString("height"));
    choose(mode, 1);
    QCOMPARE(widget<QLabel>(inspector, "dws")->text(), QString("Right"));
    QCOMPARE(widget<QLabel>(inspector, "dhs")->text(), QString("Bottom"));
    QCOMPARE(fieldText(inspector, "dw"), QString("40"));
    enter(widget(inspector, "dw"), "60");
    QVERIFY(sameRect(document->dialogFrame(), ZPRect{10, 20, 50, 10}));

    // The control and dialog modes are separate.
    inspector.setInspectedObject(makeFramedControl(10, 20, 40, 30));
    QCOMPARE(fieldText(inspector, "cw"), QString("40"));
    QCOMPARE(widget<QLabel>(inspector, "cws")->text(), QString("Width"));
}

void tst_ZPInspector::typePopupAndCodeField() {
    ZPInspector inspector;
    auto control = makeFramedControl(0, 0, 10, 10);
    inspector.setInspectedObject(control);
    QSignalSpy changes(&inspector, &ZPInspector::controlChanged);
    auto* popup = widget<QComboBox>(inspector, "tagPopup");
    auto* field = widget(inspector, "tagField");

    // Choosing an item sets the type and shows its code.
    const int edit = popup->findText("Text Field");
    QVERIFY(edit >= 0);
    choose(popup, edit);
    QCOMPARE(control->tag(), ZPControlTypeEdit);
    QCOMPARE(field->text(), QString("edit"));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes.at(0).at(1).value<ZPInspector::ControlChange>(), ZPInspector::Type);

    // Committing the code selects the matching item, or none.
    enter(field, "numb");
    QCOMPARE(control->tag(), ZPControlTypeNumber);
    QCOMPARE(popup->currentText(), QString("Number Stepper"));
    enter(field, "abcdef");
    QCOMPARE(control->tag(), ZPFourCharCode('a', 'b', 'c', 'd'));
    QCOMPARE(popup->currentIndex(), -1);
    QCOMPARE(field->text(), QString("abcd"));
    enter(field, "ab");
    QCOMPARE(control->tag(), uint32_t(0x61620000));
    QCOMPARE(changes.count(), 4);
}

void tst_ZPInspector::subgroupAsFourCharacters_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<uint>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("cut to four") << "abcdef" << uint(ZPFourCharCode('a', 'b', 'c', 'd')) << "abcd";
    QTest::newRow("three") << "abc" << uint(0x61626300) << "abc";
    QTest::newRow("empty") << "" << 0u << "";
    QTest::newRow("8-bit") << QString::fromUtf8("ü!") << uint(0x9F210000)
                           << QString::fromUtf8("ü!");
}

void tst_ZPInspector::subgroupAsFourCharacters() {
    QFETCH(QString, typed);
    QFETCH(uint, stored);
    QFETCH(QString, shown);
    DocumentValues v;
    v.subgroup = ZPFourCharCode('o', 'l', 'd', '!');
    for (uint32_t version : {1u, 2u}) {
        v.headerVersion = version;
        auto document = makeDocument(v);
        ZPInspector inspector;
        inspector.setInspectedObject(document);
        enter(widget(inspector, "tag_subgroup"), typed);
        QCOMPARE(document->subgroup(), uint32_t(stored));
        QCOMPARE(fieldText(inspector, "tag_subgroup"), shown);
    }
}

void tst_ZPInspector::controlActions_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected"); // what the control then holds, as text
    QTest::addColumn<int>("change");

    QTest::newRow("flags") << "flagsField"
                           << "65535"
                           << "flags 65535" << int(ZPInspector::Other);
    QTest::newRow("flags with spaces") << "flagsField"
                                       << " 12 "
                                       << "flags 12" << int(ZPInspector::Other);
    QTest::newRow("item id") << "idField"
                             << "-1"
                             << "id -1" << int(ZPInspector::ItemID);
    QTest::newRow("item id lowest") << "idField"
                                    << "-32768"
                                    << "id -32768" << int(ZPInspector::ItemID);
    QTest::newRow("bitmap on is state 1") << "onField"
                                          << "300"
                                          << "bitmaps 5 300" << int(ZPInspector::Other);
    QTest::newRow("bitmap off is state 0") << "offField"
                                           << "-7"
                                           << "bitmaps -7 6" << int(ZPInspector::Other);
    QTest::newRow("text") << "stringField"
                          << "Cancel"
                          << "text Cancel" << int(ZPInspector::Text);
    QTest::newRow("8-bit text") << "stringField" << QString::fromUtf8("Über…")
                                << QString::fromUtf8("text Über…") << int(ZPInspector::Text);
    QTest::newRow("empty text") << "stringField"
                                << ""
                                << "text " << int(ZPInspector::Text);
    QTest::newRow("x truncates") << "cx"
                                 << "10.7"
                                 << "frame 10 20 40 30" << int(ZPInspector::Frame);
    QTest::newRow("negative y") << "cy"
                                << "-2.5"
                                << "frame 1 -2 40 29" << int(ZPInspector::Frame);
    QTest::newRow("width") << "cw"
                           << "1e2"
                           << "frame 1 20 100 30" << int(ZPInspector::Frame);
    QTest::newRow("height to the last edge") << "ch"
                                             << "32747"
                                             << "frame 1 20 40 32747" << int(ZPInspector::Frame);
}

void tst_ZPInspector::controlActions() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(int, change);

    ControlValues v;
    v.bitmapOff = 5;
    v.bitmapOn = 6;
    v.flags = 1;
    v.itemID = 3;
    v.bounds = ZPBounds{20, 1, 50, 41}; // frame (1, 20, 40, 30)
    v.text = "OK";
    auto control = makeControl(v);
    ZPInspector inspector;
    inspector.setInspectedObject(control);
    QSignalSpy changes(&inspector, &ZPInspector::controlChanged);

    enter(widget(inspector, field.toLatin1().constData()), typed);

    const ZPRect f = control->frame();
    const QString holds =
        expected.startsWith("flags")     ? QString("flags %1").arg(control->flags())
        : expected.startsWith("id")      ? QString("id %1").arg(control->itemID())
        : expected.startsWith("bitmaps") ? QString("bitmaps %1 %2")
                                               .arg(control->bitmapIDForState(0))
                                               .arg(control->bitmapIDForState(1))
        : expected.startsWith("text")
            ? "text " + QString::fromStdString(control->string())
            : QString("frame %1 %2 %3 %4").arg(f.x).arg(f.y).arg(f.width).arg(f.height);
    QCOMPARE(holds, expected);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes.at(0).at(0).value<ZPZervControl*>(), control.get());
    QCOMPARE(int(changes.at(0).at(1).value<ZPInspector::ControlChange>()), change);
    QVERIFY(widget<QLabel>(inspector, "controlMessage")->text().isEmpty());
}

void tst_ZPInspector::pressedButton() {
    ControlValues v;
    v.state = 2;
    auto control = makeControl(v);
    ZPInspector inspector;
    inspector.setInspectedObject(control);
    auto* button = widget<QCheckBox>(inspector, "pressedButton");
    QVERIFY(button->isChecked());
    button->click();
    QCOMPARE(control->state(), uint16_t(0));
    button->click();
    QCOMPARE(control->state(), uint16_t(1));

    // A mixed state counts as on.
    button->setTristate(true);
    button->setCheckState(Qt::PartiallyChecked);
    control->setState(0);
    inspector.setControlPressed(button);
    QCOMPARE(control->state(), uint16_t(1));
}

void tst_ZPInspector::dialogActions() {
    DocumentValues v;
    v.name = "LongName";
    v.bounds = ZPBounds{0, 0, 100, 100};
    auto document = makeDocument(v);
    ZPInspector inspector;
    inspector.setInspectedObject(document);
    QSignalSpy changes(&inspector, &ZPInspector::documentChanged);

    enter(widget(inspector, "tag_name"), "Ab");
    QCOMPARE(document->tagName().value(), std::string("Ab"));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes.at(0).at(0).value<ZPZervDialogDocument*>(), document.get());

    // The frame goes through the document, which sizes its contents window with the
    // values as typed.
    widget(inspector, "dw")->setText("320.6");
    enter(widget(inspector, "dh"), "240.4");
    QCOMPARE(document->dialog().bounds(), (ZPBounds{0, 0, 240, 320}));
    QCOMPARE(document->contentSizes.size(), size_t(1));
    QCOMPARE(document->contentSizes.back().width, 320.6f);
    QCOMPARE(document->contentSizes.back().height, 240.4f);
    QCOMPARE(changes.count(), 2);

    enter(widget(inspector, "tag_subgroup"), "xyzw");
    QCOMPARE(document->subgroup(), ZPFourCharCode('x', 'y', 'z', 'w'));
    QCOMPARE(changes.count(), 3);
}

void tst_ZPInspector::unchangedValuesSignalNothing() {
    auto control = makeFramedControl(10, 20, 40, 30);
    auto document = makeDocument({});
    ZPInspector inspector;
    QSignalSpy controlChanges(&inspector, &ZPInspector::controlChanged);
    QSignalSpy documentChanges(&inspector, &ZPInspector::documentChanged);

    inspector.setInspectedObject(control);
    for (const char* name : {"tagField", "stringField", "flagsField", "idField", "onField",
                             "offField", "cx", "cy", "cw", "ch"})
        QTest::keyClick(widget(inspector, name), Qt::Key_Return);
    // A fraction that truncates to the stored edge changes nothing either.
    enter(widget(inspector, "cx"), "10.5");
    QCOMPARE(controlChanges.count(), 0);

    inspector.setInspectedObject(document);
    for (const char* name : {"tag_name", "tag_subgroup", "dx", "dy", "dw", "dh"})
        QTest::keyClick(widget(inspector, name), Qt::Key_Return);
    QCOMPARE(documentChanges.count(), 0);
    // The frame still reaches the document, so its window takes the size typed.
    QCOMPARE(document->contentSizes.size(), size_t(4));
}

void tst_ZPInspector::refusesBadNumbers_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");

    QTest::newRow("flags above 16 bits") << "flagsField"
                                         << "70000"
                                         << "1";
    QTest::newRow("negative flags") << "flagsField"
                                    << "-1"
                                    << "1";
    QTest::newRow("flags no number") << "flagsField"
                                     << "abc"
                                     << "1";
    QTest::newRow("flags fraction") << "flagsField"
                                    << "2.5"
                                    << "1";
    QTest::newRow("flags trailing text") << "flagsField"
                                         << "12abc"
                                         << "1";
    QTest::newRow("id above") << "idField"
                              << "40000"
                              << "3";
    QTest::newRow("id below") << "idField"
                              << "-32769"
                              << "3";
    QTest::newRow("id empty") << "idField"
                              << ""
                              << "3";
    QTest::newRow("bitmap on above") << "onField"
                                     << "32768"
                                     << "6";
    QTest::newRow("bitmap off no number") << "offField"
                                          << "x"
                                          << "5";
}

void tst_ZPInspector::refusesBadNumbers() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, stored);

    ControlValues v;
    v.bitmapOff = 5;
    v.bitmapOn = 6;
    v.flags = 1;
    v.itemID = 3;
    auto control = makeControl(v);
    const ZPControlRecord before = control->data();
    ZPInspector inspector;
    inspector.setInspectedObject(control);
    QSignalSpy changes(&inspector, &ZPInspector::controlChanged);
    QLineEdit* edit = widget(inspector, field.toLatin1().constData());
    auto* message = widget<QLabel>(inspector, "controlMessage");

    enter(edit, typed);
    QCOMPARE(control->data().bytes, before.bytes);
    QCOMPARE(changes.count(), 0);
    QCOMPARE(edit->text(), stored);
    QVERIFY(!message->text().isEmpty());

    // The next valid entry clears the message.
    enter(edit, "0");
    QVERIFY(message->text().isEmpty());
}

void tst_ZPInspector::refusesBadFrames_data() {
    QTest::addColumn<bool>("dialog");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");

    for (bool dialog : {false, true}) {
        const char* kind = dialog ? "dialog" : "control";
        const QString x = dialog ? "dx" : "cx";
        const QString w = dialog ? "dw" : "cw";
        QTest::addRow("%s: not a number", kind) << dialog << 0 << x << "ten";
        QTest::addRow("%s: empty", kind) << dialog << 0 << w << "";
        QTest::addRow("%s: nan", kind) << dialog << 0 << w << "nan";
        QTest::addRow("%s: right edge beyond", kind) << dialog << 0 << x << "32767";
        QTest::addRow("%s: left edge below", kind) << dialog << 0 << x << "-32769";
        QTest::addRow("%s: huge width", kind) << dialog << 0 << w << "1e9";
        QTest::addRow("%s: beyond float", kind) << dialog << 0 << w << "1e39";
        QTest::addRow("%s: right edge in edge mode", kind) << dialog << 1 << w << "32768";
    }
}

void tst_ZPInspector::refusesBadFrames() {
    QFETCH(bool, dialog);
    QFETCH(int, mode);
    QFETCH(QString, field);
    QFETCH(QString, typed);

    ZPInspector inspector;
    auto control = makeFramedControl(10, 20, 40, 30);
    DocumentValues v;
    v.bounds = ZPBounds{20, 10, 50, 50};
    auto document = makeDocument(v);
    inspector.setInspectedObject(dialog ? ZPObjectRef(document) : ZPObjectRef(control));
    choose(widget<QComboBox>(inspector, dialog ? "dboxmode" : "cboxmode"), mode);
    QSignalSpy controlChanges(&inspector, &ZPInspector::controlChanged);
    QSignalSpy documentChanges(&inspector, &ZPInspector::documentChanged);
    const char* names[] = {"cx", "cy", "cw", "ch", "dx", "dy", "dw", "dh"};
    const int first = dialog ? 4 : 0;

    // A sibling field's uncommitted text is put back too: the four show the stored frame.
    widget(inspector, names[first + 1])->setText("99");
    enter(widget(inspector, field.toLatin1().constData()), typed);

    QVERIFY(sameRect(control->frame(), ZPRect{10, 20, 40, 30}));
    QVERIFY(sameRect(document->dialogFrame(), ZPRect{10, 20, 40, 30}));
    QVERIFY(document->contentSizes.empty());
    QCOMPARE(controlChanges.count() + documentChanges.count(), 0);
    const QStringList shown =
        mode == 0 ? QStringList{"10", "20", "40", "30"} : QStringList{"10", "20", "50", "50"};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(fieldText(inspector, names[first + i]), shown[i]);
    QVERIFY(
        !widget<QLabel>(inspector, dialog ? "dialogMessage" : "controlMessage")->text().isEmpty());
}

void tst_ZPInspector::refusesTextTheFileCannotHold_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("control text, arrow") << "stringField" << QString::fromUtf8("Next →") << "OK";
    QTest::newRow("control text, CJK") << "stringField" << QString::fromUtf8("日本") << "OK";
    QTest::newRow("tag name") << "tag_name" << QString::fromUtf8("Ω≠→") << "Options";
    QTest::newRow("type code") << "tagField" << QString::fromUtf8("b→tt") << "butt";
    QTest::newRow("subgroup") << "tag_subgroup" << QString::fromUtf8("日") << "menu";
}

void tst_ZPInspector::refusesTextTheFileCannotHold() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, stored);

    auto control = makeFramedControl(0, 0, 10, 10);
    DocumentValues v;
    v.name = "Options";
    v.subgroup = ZPFourCharCode('m', 'e', 'n', 'u');
    auto document = makeDocument(v);
    const ZPTagHeader header = document->header();
    ZPInspector inspector;
    const bool onDialog = field == "tag_name" || field == "tag_subgroup";
    inspector.setInspectedObject(onDialog ? ZPObjectRef(document) : ZPObjectRef(control));
    QSignalSpy controlChanges(&inspector, &ZPInspector::controlChanged);
    QSignalSpy documentChanges(&inspector, &ZPInspector::documentChanged);

    enter(widget(inspector, field.toLatin1().constData()), typed);
    QCOMPARE(fieldText(inspector, field.toLatin1().constData()), stored);
    QCOMPARE(control->string(), std::string("OK"));
    QCOMPARE(control->tag(), ZPControlTypeButton);
    QCOMPARE(document->header().bytes, header.bytes);
    QCOMPARE(controlChanges.count() + documentChanges.count(), 0);
    const QString message =
        widget<QLabel>(inspector, onDialog ? "dialogMessage" : "controlMessage")->text();
    QVERIFY2(!message.isEmpty(), qPrintable(field));
}

void tst_ZPInspector::cutsLongTagNames() {
    auto document = makeDocument({});
    ZPInspector inspector;
    inspector.setInspectedObject(document);
    const QString forty = QString("A").repeated(30) + "0123456789";
    enter(widget(inspector, "tag_name"), forty);
    QCOMPARE(document->tagName().value(), forty.left(31).toStdString());
    QCOMPARE(fieldText(inspector, "tag_name"), forty.left(31));

    // A document not loaded from a file has no name to edit.
    auto empty = std::make_shared<ZPZervDialogDocument>();
    inspector.setInspectedObject(empty);
    enter(widget(inspector, "tag_name"), "Name");
    QVERIFY(!empty->tagName());
    QCOMPARE(fieldText(inspector, "tag_name"), QString());
    QVERIFY(!widget<QLabel>(inspector, "dialogMessage")->text().isEmpty());
}

void tst_ZPInspector::actionsForTheOtherKindChangeNothing() {
    auto control = makeFramedControl(10, 20, 40, 30);
    DocumentValues v;
    v.name = "Name";
    auto document = makeDocument(v);
    ZPInspector inspector;
    inspector.setInspectedObject(control);
    inspector.setInspectedObject(document);
    const ZPControlRecord record = control->data();
    QLineEdit sender;
    sender.setText("12");
    sender.setProperty("tag", 1);
    for (auto action : {&ZPInspector::setControlTag, &ZPInspector::setControlFrame,
                        &ZPInspector::setControlString, &ZPInspector::setControlFlags,
                        &ZPInspector::setControlID, &ZPInspector::setControlBitmapID,
                        &ZPInspector::setControlPressed, &ZPInspector::setControlType})
        (inspector.*action)(&sender);
    QCOMPARE(control->data().bytes, record.bytes);

    inspector.setInspectedObject(control);
    const ZPTagHeader header = document->header();
    const ZPDialogRecord dialog = document->dialog();
    for (auto action :
         {&ZPInspector::setTagName, &ZPInspector::setTagSubgroup, &ZPInspector::setDialogFrame})
        (inspector.*action)(&sender);
    QCOMPARE(document->header().bytes, header.bytes);
    QCOMPARE(document->dialog().bytes, dialog.bytes);

    inspector.setInspectedObject(nullptr);
    inspector.setControlFlags(&sender);
    inspector.setTagName(&sender);
    QCOMPARE(control->flags(), uint16_t(0));
    QCOMPARE(document->tagName().value(), std::string("Name"));
}

void tst_ZPInspector::commitsOnFocusLossOnlyAfterAChange() {
    ZPInspector inspector;
    auto control = makeFramedControl(10, 20, 40, 30);
    inspector.setInspectedObject(control);
    inspector.showWindow();
    QWidget* panel = inspector.panel();
    panel->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(panel));
    QLineEdit* cw = widget(inspector, "cw");
    QLineEdit* cx = widget(inspector, "cx");

    // Only the captions change with the mode; passing through a field without typing
    // must not store the old numbers in the new mode.
    choose(widget<QComboBox>(inspector, "cboxmode"), 1);
    cw->setFocus();
    cx->setFocus();
    QVERIFY(sameRect(control->frame(), ZPRect{10, 20, 40, 30}));

    // Typing and leaving the field commits.
    cw->setFocus();
    cw->selectAll();
    QTest::keyClicks(cw, "70");
    cx->setFocus();
    QVERIFY(sameRect(control->frame(), ZPRect{10, 20, 60, 10}));
    panel->hide();
}

void tst_ZPInspector::refreshFrameFieldsTouchesOnlyFrames() {
    ZPInspector inspector;
    auto control = makeFramedControl(10, 20, 40, 30);
    inspector.setInspectedObject(control);
    widget(inspector, "stringField")->setText("being typed");
    control->setFrame(ZPRect{1, 2, 3, 4});
    control->setFlags(8);
    inspector.refreshFrameFields();
    QCOMPARE(fieldText(inspector, "cx"), QString("1"));
    QCOMPARE(fieldText(inspector, "cy"), QString("2"));
    QCOMPARE(fieldText(inspector, "cw"), QString("3"));
    QCOMPARE(fieldText(inspector, "ch"), QString("4"));
    QCOMPARE(fieldText(inspector, "stringField"), QString("being typed"));
    QCOMPARE(fieldText(inspector, "flagsField"), QString("0"));

    // In edge mode the edges.
    choose(widget<QComboBox>(inspector, "cboxmode"), 1);
    inspector.refreshFrameFields();
    QCOMPARE(fieldText(inspector, "cw"), QString("4"));
    QCOMPARE(fieldText(inspector, "ch"), QString("6"));

    DocumentValues v;
    v.name = "Name";
    auto document = makeDocument(v);
    inspector.setInspectedObject(document);
    widget(inspector, "tag_name")->setText("typing");
    document->setDialogFrame(ZPRect{0, 0, 300, 200});
    inspector.refreshFrameFields();
    QCOMPARE(fieldText(inspector, "dw"), QString("300"));
    QCOMPARE(fieldText(inspector, "dh"), QString("200"));
    QCOMPARE(fieldText(inspector, "tag_name"), QString("typing"));
}

void tst_ZPInspector::switchesViewsWithSizesAndTitles() {
    ZPInspector inspector;
    QWidget* panel = inspector.panel();
    QCOMPARE(panel->windowTitle(), QString("Inspector: No Selection"));
    QCOMPARE(inspector.currentInspectionView(), inspector.noneInspectionView());
    QCOMPARE(panel->size(), inspector.noneInspectionView()->size());
    inspector.showWindow();
    QVERIFY(QTest::qWaitForWindowExposed(panel));
    panel->move(140, 90);
    const QPoint corner = panel->pos();

    inspector.setInspectedObject(makeFramedControl(0, 0, 10, 10));
    QWidget* controlView = inspector.controlInspectionView();
    QCOMPARE(inspector.currentInspectionView(), controlView);
    QCOMPARE(panel->windowTitle(), QString("Control Inspector"));
    QCOMPARE(panel->size(), controlView->size());
    QCOMPARE(panel->pos(), corner);
    QVERIFY(!inspector.noneInspectionView()->isVisible());

    // Another control: the panel keeps its title and frame.
    panel->setWindowTitle("sentinel");
    inspector.setInspectedObject(makeFramedControl(5, 5, 10, 10));
    QCOMPARE(panel->windowTitle(), QString("sentinel"));
    QCOMPARE(panel->size(), controlView->size());

    inspector.setInspectedObject(makeDocument({}));
    QWidget* dialogView = inspector.dialogInspectionView();
    QCOMPARE(inspector.currentInspectionView(), dialogView);
    QCOMPARE(panel->windowTitle(), QString("Dialog Inspector"));
    QCOMPARE(panel->size(), dialogView->size());
    QCOMPARE(panel->pos(), corner);
    QVERIFY(!controlView->isVisible());
    QVERIFY(dialogView->isVisible());

    inspector.setInspectedObject(nullptr);
    QCOMPARE(inspector.currentInspectionView(), inspector.noneInspectionView());
    QCOMPARE(panel->windowTitle(), QString("Inspector: No Selection"));
    QCOMPARE(panel->size(), inspector.noneInspectionView()->size());
    QCOMPARE(panel->pos(), corner);
    // The views keep their own sizes for the next time.
    QCOMPARE(controlView->size(), controlView->minimumSize());
    QCOMPARE(dialogView->size(), dialogView->minimumSize());
    panel->hide();
}

void tst_ZPInspector::leavesRoomForAMenuBar() {
    ZPInspector inspector;
    auto* menuBar = new QMenuBar;
    menuBar->addMenu("&File")->addAction("Open…");
    inspector.setPanelMenuBar(menuBar);
    QWidget* panel = inspector.panel();
    QCOMPARE(menuBar->parentWidget(), panel);
    QVERIFY(menuBar->height() > 0);
    QWidget* none = inspector.noneInspectionView();
    QCOMPARE(panel->height(), menuBar->height() + none->height());
    QCOMPARE(none->y(), menuBar->height());

    inspector.setInspectedObject(makeFramedControl(0, 0, 10, 10));
    QWidget* view = inspector.controlInspectionView();
    QCOMPARE(panel->height(), menuBar->height() + view->height());
    QCOMPARE(panel->width(), view->width());
    QCOMPARE(view->pos(), QPoint(0, menuBar->height()));
}

void tst_ZPInspector::loadsViewsLazilyAndBuildsTheTypeMenuOnce() {
    ZPInspector inspector;
    QVERIFY(!inspector.controlInspectionView());
    QVERIFY(!inspector.dialogInspectionView());
    inspector.setInspectedObject(makeDocument({}));
    QVERIFY(!inspector.controlInspectionView());
    QVERIFY(inspector.dialogInspectionView());

    inspector.setInspectedObject(makeFramedControl(0, 0, 10, 10));
    QWidget* view = inspector.controlInspectionView();
    QVERIFY(view);
    auto* popup = widget<QComboBox>(inspector, "tagPopup");
    QStringList titles;
    QList<uint> tags;
    for (int i = 0; i < popup->count(); ++i) {
        titles << popup->itemText(i);
        tags << popup->itemData(i).toUInt();
    }
    QCOMPARE(titles, (QStringList{"Push Button", "Text Field", "Password Field", "Number Stepper",
                                  "Static Text", "New Control"}));
    QCOMPARE(tags, (QList<uint>{ZPControlTypeButton, ZPControlTypeEdit, ZPControlTypePassword,
                                ZPControlTypeNumber, ZPControlTypeStatic, ZPControlTypeNew}));

    inspector.setInspectedObject(makeFramedControl(1, 1, 10, 10));
    inspector.setInspectedObject(nullptr);
    inspector.setInspectedObject(makeFramedControl(2, 2, 10, 10));
    QCOMPARE(inspector.controlInspectionView(), view);
    QCOMPARE(widget<QComboBox>(inspector, "tagPopup"), popup);
    QCOMPARE(popup->count(), titles.size());
}

QTEST_MAIN(tst_ZPInspector)
#include "tst_ZPInspector.moc"
