// The document's model side: loading and saving, the variant-dependent name and
// subgroup, the dialog frame, and a control list kept in step with control_count.
#include "ZPNotificationCenter.h"
#include "ZPTagFixture.h"
#include "ZPZervDialogDocument.h"

#include <QTest>

namespace {

QByteArray headerFor(int variant) {
    return variant == 2 ? zrv2Header() : zervHeader();
}

// A file of `variant` whose controls have the given item identifiers (as stored, 16 bits)
// and texts "c0", "c1", ...
QByteArray fileWith(int variant, const std::vector<uint16_t>& itemIDs,
                    const char* count = nullptr) {
    QByteArray f = headerFor(variant);
    f += hexBytes("0001");
    if (count) {
        f += hexBytes(count);
    } else {
        f += char(itemIDs.size() >> 8);
        f += char(itemIDs.size() & 0xFF);
    }
    f += hexBytes("0000 0000 00F0 0140");
    for (const uint16_t id : itemIDs) {
        f += hexBytes("62757474 0000");
        f += char(id >> 8);
        f += char(id & 0xFF);
        f += hexBytes("FFFF FFFF 0000 0000 000A 000A 0014 0050");
    }
    for (size_t i = 0; i < itemIDs.size(); ++i)
        f += "c" + QByteArray::number(qulonglong(i)) + '\0';
    return f;
}

bool load(ZPZervDialogDocument& d, const QByteArray& file, std::string* error = nullptr) {
    return d.loadDataRepresentationOfType(toVector(file), "zerv dialog", error);
}

QByteArray save(const ZPZervDialogDocument& d) {
    std::vector<uint8_t> out;
    if (!d.dataRepresentationOfType("zerv dialog", out))
        return QByteArray("save failed");
    return toByteArray(out);
}

QByteArray headerBytes(const ZPZervDialogDocument& d) {
    return QByteArray(reinterpret_cast<const char*>(d.header().bytes.data()), 64);
}

ZPZervControlRef newControl(const char* text = "New Control") {
    return std::make_shared<ZPZervControl>(ZPControlRecord{}, text);
}

// Records the content sizes the model asks its contents window for.
class WindowedDocument : public ZPZervDialogDocument {
public:
    std::vector<ZPSize> contentSizes;

protected:
    void contentsWindowSetContentSize(ZPSize size) override { contentSizes.push_back(size); }
};

} // namespace

class TestZPZervDialogDocument : public QObject {
    Q_OBJECT
private slots:
    void loadsBothVariants_data();
    void loadsBothVariants();
    void tagNameField_data();
    void tagNameField();
    void setTagName_data();
    void setTagName();
    void setTagNameRefusesWhatTheEncodingLacks();
    void subgroupPerVariant_data();
    void subgroupPerVariant();
    void unloadedDocument();
    void failedLoadChangesNothing();
    void revertReplacesControls();
    void setDialogFrame();
    void controlWithID();
    void addAndRemoveKeepCountAndList();
    void addAndRemoveRefusals();
    void addRefusedAtTheLargestCount();
    void addToAnEmptyFile();
    void negativeCountIsTakenAsZero();
    void destructionRemovesObservations();
};

void TestZPZervDialogDocument::loadsBothVariants_data() {
    QTest::addColumn<int>("variant");
    QTest::addColumn<QString>("tagName");
    QTest::addColumn<QString>("subgroup");
    QTest::newRow("zerv") << 1 << "Dialog"
                          << "sub1";
    QTest::newRow("zrv2") << 2 << "Dialog"
                          << "sub2";
}

void TestZPZervDialogDocument::loadsBothVariants() {
    QFETCH(int, variant);
    QFETCH(QString, tagName);
    QFETCH(QString, subgroup);
    ZPZervDialogDocument d;
    const QByteArray file = fileWith(variant, {1, 2, 3});
    QVERIFY(load(d, file));
    QCOMPARE(d.header_version(), uint32_t(variant));
    QCOMPARE(QString::fromStdString(d.tagName().value()), tagName);
    QCOMPARE(QString::fromStdString(ZPFourCharCodeBytes(d.subgroup())), subgroup);
    QCOMPARE(d.controlCount(), 3);
    QCOMPARE(d.controls().size(), size_t(3));
    QCOMPARE(d.controls()[2]->string(), std::string("c2"));
    QVERIFY(ZPEqualRects(d.dialogFrame(), ZPRect{0, 0, 320, 240}));
    QCOMPARE(save(d), file); // saving changes nothing
    QCOMPARE(save(d), file);
}

void TestZPZervDialogDocument::tagNameField_data() {
    QTest::addColumn<int>("variant");
    QTest::addColumn<QByteArray>("field"); // the 32-byte name field
    QTest::addColumn<QString>("tagName");
    QTest::newRow("bytes after the NUL are not part of the name")
        << 1 << hexBytes("41 62 00 67 4E 61 6D 65 00") + QByteArray(23, '\0') << "Ab";
    QTest::newRow("8-bit characters decode")
        << 2 << hexBytes("47 72 9A A7 65 00") + QByteArray(26, 'x') << QString::fromUtf8("Größe");
    // The field is followed by the group 'dlog' in both variants: never read into it.
    QTest::newRow("zerv name without a NUL is the whole field")
        << 1 << QByteArray(32, 'N') << QString(32, 'N');
    QTest::newRow("zrv2 name without a NUL is the whole field")
        << 2 << QByteArray(32, 'M') << QString(32, 'M');
    QTest::newRow("empty") << 1 << QByteArray(32, '\0') << "";
}

void TestZPZervDialogDocument::tagNameField() {
    QFETCH(int, variant);
    QFETCH(QByteArray, field);
    QFETCH(QString, tagName);
    QByteArray file = fileWith(variant, {});
    file.replace(variant == 2 ? 4 : 0, 32, field);
    ZPZervDialogDocument d;
    QVERIFY(load(d, file));
    QCOMPARE(QString::fromStdString(d.tagName().value()), tagName);
}

void TestZPZervDialogDocument::setTagName_data() {
    QTest::addColumn<int>("variant");
    QTest::addColumn<QByteArray>("before"); // the 32-byte name field
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QString>("tagName");

    const QByteArray longName = hexBytes("4C 6F 6E 67 4E 61 6D 65 00") + QByteArray(23, 'z');
    QTest::newRow("Ab over LongName keeps the bytes after the NUL")
        << 1 << longName << "Ab" << hexBytes("41 62 00 67 4E 61 6D 65 00") + QByteArray(23, 'z')
        << "Ab";
    QTest::newRow("same in zrv2") << 2 << longName << "Ab"
                                  << hexBytes("41 62 00 67 4E 61 6D 65 00") + QByteArray(23, 'z')
                                  << "Ab";
    QTest::newRow("40 characters are cut after the 31st")
        << 1 << QByteArray(32, '\0') << QString(40, 'a') << QByteArray(31, 'a') + '\0'
        << QString(31, 'a');
    QTest::newRow("31 characters fill the field with the NUL")
        << 2 << QByteArray(32, 'q') << QString(31, 'b') << QByteArray(31, 'b') + '\0'
        << QString(31, 'b');
    QTest::newRow("over a field without a NUL")
        << 1 << QByteArray(32, 'N') << "X"
        << "X" + QByteArray(1, '\0') + QByteArray(30, 'N') << "X";
    QTest::newRow("stored in the 8-bit encoding")
        << 1 << QByteArray(32, '\0') << QString::fromUtf8("Größe")
        << hexBytes("47 72 9A A7 65") + QByteArray(27, '\0') << QString::fromUtf8("Größe");
    QTest::newRow("empty name") << 2 << longName << "" << QByteArray(1, '\0') + longName.mid(1)
                                << "";
}

void TestZPZervDialogDocument::setTagName() {
    QFETCH(int, variant);
    QFETCH(QByteArray, before);
    QFETCH(QString, name);
    QFETCH(QByteArray, after);
    QFETCH(QString, tagName);
    const int at = variant == 2 ? 4 : 0;
    QByteArray file = fileWith(variant, {1});
    file.replace(at, 32, before);
    ZPZervDialogDocument d;
    QVERIFY(load(d, file));

    QVERIFY(d.setTagName(name.toStdString()));
    QCOMPARE(QString::fromStdString(d.tagName().value()), tagName);
    QByteArray expected = file;
    expected.replace(at, 32, after);
    // Only the name field changes: zrv2's first four bytes, the group and everything
    // else are written as loaded.
    QCOMPARE(save(d), expected);
}

void TestZPZervDialogDocument::setTagNameRefusesWhatTheEncodingLacks() {
    ZPZervDialogDocument d;
    const QByteArray file = fileWith(1, {1});
    QVERIFY(load(d, file));
    QVERIFY(!d.setTagName("smile \xE2\x98\xBA"));
    QVERIFY(!d.setTagName(std::string("a\0b", 3)));
    QCOMPARE(d.tagName().value(), std::string("Dialog"));
    QCOMPARE(save(d), file);
}

void TestZPZervDialogDocument::subgroupPerVariant_data() {
    QTest::addColumn<int>("variant");
    QTest::addColumn<int>("at");
    QTest::newRow("zerv at 36") << 1 << 36;
    QTest::newRow("zrv2 at 40") << 2 << 40;
}

void TestZPZervDialogDocument::subgroupPerVariant() {
    QFETCH(int, variant);
    QFETCH(int, at);
    ZPZervDialogDocument d;
    const QByteArray file = fileWith(variant, {});
    QVERIFY(load(d, file));
    QCOMPARE(d.subgroup(), variant == 2 ? 0x73756232u : 0x73756231u); // 'sub2', 'sub1'
    d.setSubgroup(0x6F70746E);                                        // 'optn'
    QCOMPARE(d.subgroup(), 0x6F70746Eu);
    QCOMPARE(save(d), withInt32(file, at, 0x6F70746E));
}

void TestZPZervDialogDocument::unloadedDocument() {
    ZPZervDialogDocument d;
    QCOMPARE(d.header_version(), 0u);
    QVERIFY(!d.tagName().has_value());
    QCOMPARE(d.subgroup(), 0u);
    QVERIFY(!d.setTagName("Name"));
    d.setSubgroup(0x61626364);
    QCOMPARE(d.subgroup(), 0u);
    QCOMPARE(headerBytes(d), QByteArray(64, '\0'));

    // Its 76 zero bytes would be a file nobody can open again: saving refuses.
    std::vector<uint8_t> out;
    std::string error;
    QVERIFY(!d.dataRepresentationOfType("zerv dialog", out, &error));
    QVERIFY(!error.empty());
}

void TestZPZervDialogDocument::failedLoadChangesNothing() {
    ZPZervDialogDocument d;
    const QByteArray file = fileWith(2, {4, 5});
    QVERIFY(load(d, file));
    const ZPZervControl* first = d.controls()[0].get();

    std::string error;
    QVERIFY(!load(d, fileWith(1, {1, 2, 3}).chopped(1), &error));
    QCOMPARE(error, std::string("text 3 of 3 (offset 154) has no terminating NUL before the end "
                                "of the file"));
    QCOMPARE(d.header_version(), 2u);
    QCOMPARE(d.controls().size(), size_t(2));
    QCOMPARE(d.controls()[0].get(), first);
    QCOMPARE(save(d), file);

    ZPZervDialogDocument fresh;
    QVERIFY(!load(fresh, QByteArray(76, '\0')));
    QCOMPARE(fresh.header_version(), 0u);
    QVERIFY(fresh.controls().empty());
}

void TestZPZervDialogDocument::revertReplacesControls() {
    ZPZervDialogDocument d;
    QVERIFY(load(d, fileWith(1, {1, 2, 3})));
    d.addControl(newControl());
    const QByteArray saved = fileWith(2, {9});
    QVERIFY(load(d, saved));
    QCOMPARE(d.header_version(), 2u);
    QCOMPARE(d.controls().size(), size_t(1));
    QCOMPARE(d.controlCount(), 1);
    QCOMPARE(d.controls()[0]->itemID(), int16_t(9));
    QCOMPARE(save(d), saved);
}

void TestZPZervDialogDocument::setDialogFrame() {
    WindowedDocument d;
    QVERIFY(load(d, fileWith(1, {})));
    d.setDialogFrame(ZPRect{0, 0, 320.6f, 240.4f});
    QVERIFY(d.dialog().bounds() == (ZPBounds{0, 0, 240, 320}));
    // The window gets the rectangle's own size, not the truncated edges.
    QCOMPARE(d.contentSizes.size(), size_t(1));
    QCOMPARE(d.contentSizes[0].width, 320.6f);
    QCOMPARE(d.contentSizes[0].height, 240.4f);
    QVERIFY(ZPEqualRects(d.dialogFrame(), ZPRect{0, 0, 320, 240}));

    d.setDialogFrame(ZPRect{-10.5f, 5, 40000, 10});
    QVERIFY(d.dialog().bounds() == (ZPBounds{5, -10, 15, int16_t(39989 - 65536)}));
}

void TestZPZervDialogDocument::controlWithID() {
    ZPZervDialogDocument d;
    QVERIFY(load(d, fileWith(1, {3, 7, 0xFFFF, 7, 0x8000})));
    const auto& c = d.controls();
    QCOMPARE(d.controlWithID(7), c[1]); // the earlier of two
    QCOMPARE(d.controlWithID(-1), c[2]);
    QCOMPARE(d.controlWithID(-32768), c[4]);
    QCOMPARE(d.controlWithID(3), c[0]);
    QCOMPARE(d.controlWithID(65535), ZPZervControlRef()); // no 16-bit identifier widens to it
    QCOMPARE(d.controlWithID(40000), ZPZervControlRef());
    QCOMPARE(d.controlWithID(8), ZPZervControlRef());
}

void TestZPZervDialogDocument::addAndRemoveKeepCountAndList() {
    ZPZervDialogDocument d;
    QVERIFY(load(d, fileWith(1, {1, 2, 3})));
    const auto& list = d.controls(); // the list itself: it sees later changes
    const ZPZervControlRef added = newControl("Added");
    QVERIFY(d.addControl(added));
    QCOMPARE(d.controlCount(), 4);
    QCOMPARE(list.back(), added);
    const ZPZervControlRef second = list[1];
    QVERIFY(d.removeControl(list[0].get()));
    QVERIFY(d.removeControl(second.get()));
    QCOMPARE(d.controlCount(), 2);
    QCOMPARE(list.size(), size_t(2));
    QCOMPARE(second.use_count(), 1L); // the list let go of it
    QCOMPARE(list[0]->itemID(), int16_t(3));
    QCOMPARE(list[1], added);

    // Written with the count in step: records 3 and the added one, then their texts.
    ZPZervDialogDocument reread;
    QVERIFY(load(reread, save(d)));
    QCOMPARE(reread.controlCount(), 2);
    QCOMPARE(reread.controls()[0]->string(), std::string("c2"));
    QCOMPARE(reread.controls()[1]->string(), std::string("Added"));
}

void TestZPZervDialogDocument::addAndRemoveRefusals() {
    ZPZervDialogDocument d;
    const QByteArray file = fileWith(2, {1, 2});
    QVERIFY(load(d, file));
    ZPZervDialogDocument other;
    QVERIFY(load(other, fileWith(2, {5})));

    QVERIFY(!d.addControl(d.controls()[0]));              // already listed
    QVERIFY(!d.addControl(nullptr));                      // nothing to add
    QVERIFY(!d.removeControl(other.controls()[0].get())); // another document's
    const ZPZervControlRef stranger = newControl();
    QVERIFY(!d.removeControl(stranger.get()));
    QVERIFY(!d.removeControl(nullptr));
    QCOMPARE(d.controlCount(), 2);
    QCOMPARE(d.controls().size(), size_t(2));
    QCOMPARE(other.controls().size(), size_t(1));
    QCOMPARE(save(d), file);

    // Removed once, a control is no longer there to remove again.
    const ZPZervControlRef first = d.controls()[0];
    QVERIFY(d.removeControl(first.get()));
    QVERIFY(!d.removeControl(first.get()));
    QCOMPARE(d.controlCount(), 1);
}

void TestZPZervDialogDocument::addRefusedAtTheLargestCount() {
    ZPZervDialogDocument d;
    QVERIFY(load(d, fileWith(1, std::vector<uint16_t>(32767, 1))));
    QCOMPARE(d.controlCount(), 32767);
    QVERIFY(!d.addControl(newControl()));
    QCOMPARE(d.controlCount(), 32767);
    QCOMPARE(d.controls().size(), size_t(32767));
    QVERIFY(d.removeControl(d.controls().back().get()));
    QVERIFY(d.addControl(newControl()));
    QCOMPARE(d.controlCount(), 32767);
}

void TestZPZervDialogDocument::addToAnEmptyFile() {
    ZPZervDialogDocument d;
    QVERIFY(load(d, fileWith(1, {})));
    QCOMPARE(d.controlCount(), 0);
    ZPControlRecord r;
    r.set_tag(0x6E657763); // 'newc'
    r.set_item_id(42);
    QVERIFY(d.addControl(std::make_shared<ZPZervControl>(r, "New Control")));
    const QByteArray expected =
        fileWith(1, {}, "0001") +
        hexBytes("6E657763 0000 002A 0000 0000 0000 0000 0000 0000 0000 0000") + "New Control" +
        QByteArray(1, '\0');
    QCOMPARE(save(d), expected);
}

void TestZPZervDialogDocument::negativeCountIsTakenAsZero() {
    // Stored as -1: no controls are read, and the count becomes 0 so that adding one
    // gives a file that reads back with it.
    ZPZervDialogDocument d;
    QVERIFY(load(d, fileWith(2, {}, "FFFF")));
    QCOMPARE(d.controlCount(), 0);
    QVERIFY(d.controls().empty());
    QVERIFY(d.addControl(newControl("Only")));
    QCOMPARE(d.controlCount(), 1);
    ZPZervDialogDocument reread;
    QVERIFY(load(reread, save(d)));
    QCOMPARE(reread.controls().size(), size_t(1));
    QCOMPARE(reread.controls()[0]->string(), std::string("Only"));
}

void TestZPZervDialogDocument::destructionRemovesObservations() {
    ZPNotificationCenter& center = ZPNotificationCenter::defaultCenter();
    const size_t before = center.observationCount();
    bool called = false;
    {
        ZPZervDialogDocument d;
        center.addObserver(&d, "ZPLayoutViewDidDeleteObjectNotification", nullptr,
                           [&called](const ZPNotification&) { called = true; });
        QCOMPARE(center.observationCount(), before + 1);
    }
    QCOMPARE(center.observationCount(), before);
    center.postNotificationName("ZPLayoutViewDidDeleteObjectNotification", nullptr);
    QVERIFY(!called);
}

QTEST_APPLESS_MAIN(TestZPZervDialogDocument)
#include "tst_ZPZervDialogDocument.moc"
