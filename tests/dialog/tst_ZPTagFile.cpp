// Reading and writing whole dialog tag files: the main paths and every refusal, each
// case with its bytes, then a round-trip property over generated files.
#include "ZPTagFile.h"
#include "ZPTagFixture.h"
#include "ZPZervDialogDocument.h"

#include <QTest>

namespace {

// Control records used by the cases below.
// 'butt', padding 0, item 1, bitmaps -1 and 5, flags 0, state 0, bounds 10 20 30 80
const char* const kButton = "62757474 0000 0001 FFFF 0005 0000 0000 000A 0014 001E 0050";
// 'stat', padding 0x1234, item 2, bitmaps 0 0, flags 0x8001, state 1, bounds 40 20 56 120
const char* const kStatic = "73746174 1234 0002 0000 0000 8001 0001 0028 0014 0038 0078";
// Dialog record: version 1, control_count 2, bounds 0 0 240 320
const char* const kDialogTwo = "0001 0002 0000 0000 00F0 0140";

QByteArray twoControlBody() {
    return hexBytes(kDialogTwo) + hexBytes(kButton) + hexBytes(kStatic) +
           hexBytes("4F4B 00  43616E63656C 00"); // "OK", "Cancel"
}

QByteArray dialogWithCount(const char* count) {
    return hexBytes("0001") + hexBytes(count) + hexBytes("0000 0000 00F0 0140");
}

} // namespace

class TestZPTagFile : public QObject {
    Q_OBJECT
private slots:
    void read_data();
    void read();
    void refused_data();
    void refused();
    void writerRefusesTextsTheEncodingLacks_data();
    void writerRefusesTextsTheEncodingLacks();
    void writerKeepsControlCountAsHeld();
    void roundTripOfGeneratedFiles();
};

void TestZPTagFile::read_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<uint>("headerVersion");
    QTest::addColumn<QByteArray>("dialog");
    QTest::addColumn<QByteArrayList>("records");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QByteArray>("written");

    const QByteArrayList two = {hexBytes(kButton), hexBytes(kStatic)};
    const QStringList okCancel = {"OK", "Cancel"};

    const QByteArray zerv = zervHeader() + twoControlBody();
    QTest::newRow("zerv, offset 64, two controls")
        << zerv << 1u << hexBytes(kDialogTwo) << two << okCancel << zerv;

    const QByteArray zrv2 = zrv2Header() + twoControlBody();
    QTest::newRow("zrv2, offset 64, two controls")
        << zrv2 << 2u << hexBytes(kDialogTwo) << two << okCancel << zrv2;

    QTest::newRow("bytes after the last text are dropped")
        << zerv + hexBytes("58 59 00 5A") << 1u << hexBytes(kDialogTwo) << two << okCancel << zerv;

    const QByteArray empty = zervHeader() + dialogWithCount("0000");
    QTest::newRow("control_count 0: what follows the record is ignored")
        << empty + hexBytes(kButton) + hexBytes("4F4B00") << 1u << dialogWithCount("0000")
        << QByteArrayList{} << QStringList{} << empty;

    const QByteArray negative = zrv2Header() + dialogWithCount("FFFF");
    QTest::newRow("control_count -1: no controls, the stored count kept")
        << negative + hexBytes("DEADBEEF") << 2u << dialogWithCount("FFFF") << QByteArrayList{}
        << QStringList{} << negative;

    const QByteArray emptyText =
        zervHeader() + dialogWithCount("0001") + hexBytes(kButton) + hexBytes("00");
    QTest::newRow("an empty text is a lone NUL")
        << emptyText << 1u << dialogWithCount("0001") << QByteArrayList{hexBytes(kButton)}
        << QStringList{""} << emptyText;

    const QByteArray roman = zervHeader() + dialogWithCount("0001") + hexBytes(kButton) +
                             hexBytes("47 72 9A A7 65 D0 DB 00"); // Größe–€
    QTest::newRow("texts decode from the 8-bit encoding")
        << roman << 1u << dialogWithCount("0001") << QByteArrayList{hexBytes(kButton)}
        << QStringList{QString::fromUtf8("Größe–€")} << roman;

    // 36 bytes of other data between the header and the record: read at 100, not kept,
    // and the written header points at 64 so that the file reads back the same.
    const QByteArray gap(36, char(0xAA));
    QTest::newRow("zerv record at offset 100") << zervHeader(100) + gap + twoControlBody() << 1u
                                               << hexBytes(kDialogTwo) << two << okCancel << zerv;
    QTest::newRow("zrv2 record at offset 100") << zrv2Header(100) + gap + twoControlBody() << 2u
                                               << hexBytes(kDialogTwo) << two << okCancel << zrv2;

    // D may point into the header itself: the record is read from there, written at 64.
    const QByteArray inHeader = withInt32(zervHeader(0), 0, 0x00010000); // version 1, count 0
    QTest::newRow("record overlapping the header")
        << inHeader << 1u << inHeader.left(12) << QByteArrayList{} << QStringList{}
        << withInt32(inHeader, 48, 64) + inHeader.left(12);
}

void TestZPTagFile::read() {
    QFETCH(QByteArray, file);
    QFETCH(uint, headerVersion);
    QFETCH(QByteArray, dialog);
    QFETCH(QByteArrayList, records);
    QFETCH(QStringList, texts);
    QFETCH(QByteArray, written);

    const std::vector<uint8_t> bytes = toVector(file);
    const ZPTagFileContents c = ZPTagFileRead(bytes.data(), bytes.size());
    QCOMPARE(c.error, std::string());
    QCOMPARE(c.header_version, headerVersion);
    QCOMPARE(toByteArray({c.header.bytes.begin(), c.header.bytes.end()}), file.left(64));
    QCOMPARE(toByteArray({c.dialog.bytes.begin(), c.dialog.bytes.end()}), dialog);
    QCOMPARE(c.controls.size(), size_t(records.size()));
    for (size_t i = 0; i < c.controls.size(); ++i) {
        const auto& r = c.controls[i].record.bytes;
        QCOMPARE(toByteArray({r.begin(), r.end()}), records[qsizetype(i)]);
        QCOMPARE(QString::fromStdString(c.controls[i].text), texts[qsizetype(i)]);
    }

    std::vector<uint8_t> out;
    QVERIFY(ZPTagFileWrite(c.header, c.dialog, c.controls, out));
    QCOMPARE(toByteArray(out), written);
}

void TestZPTagFile::refused_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("error");

    QTest::newRow("empty file") << QByteArray()
                                << "the file is 0 bytes long, too short for the 64-byte tag header";
    QTest::newRow("63 bytes") << zervHeader().left(63)
                              << "the file is 63 bytes long, too short for the 64-byte tag header";
    QTest::newRow("'zerv' letters reversed")
        << hexBytes("00").repeated(60) + hexBytes("7672657A") + dialogWithCount("0000")
        << "the signature at offset 60 is vrez (0x7672657A), not 'zerv' or 'zrv2'";
    QTest::newRow("signature zero")
        << QByteArray(76, '\0')
        << "the signature at offset 60 is 0 (0x00000000), not 'zerv' or 'zrv2'";
    QTest::newRow("capital ZERV")
        << hexBytes("00").repeated(60) + hexBytes("5A455256") + dialogWithCount("0000")
        << "the signature at offset 60 is ZERV (0x5A455256), not 'zerv' or 'zrv2'";
    QTest::newRow("header only")
        << zervHeader()
        << "the dialog record offset 64 (header offset 48) leaves no room for "
           "the 12-byte dialog record in a 64-byte file";
    QTest::newRow("negative offset")
        << zervHeader(-1) + dialogWithCount("0000")
        << "the dialog record offset -1 (header offset 48) leaves no room for the 12-byte "
           "dialog record in a 76-byte file";
    QTest::newRow("record one byte past the end")
        << zervHeader(65) + dialogWithCount("0000")
        << "the dialog record offset 65 (header offset 48) leaves no room for the 12-byte "
           "dialog record in a 76-byte file";
    QTest::newRow("largest offset")
        << zervHeader(0x7FFFFFFF) + dialogWithCount("0000")
        << "the dialog record offset 2147483647 (header offset 48) leaves no room for the "
           "12-byte dialog record in a 76-byte file";
    QTest::newRow("zrv2 offset past the end")
        << zrv2Header(1000) + dialogWithCount("0000")
        << "the dialog record offset 1000 (header offset 44) leaves no room for the 12-byte "
           "dialog record in a 76-byte file";
    QTest::newRow("first record one byte short")
        << zervHeader() + dialogWithCount("0001") + hexBytes(kButton).left(23)
        << "the file ends inside control record 1 of 1 (offset 76)";
    QTest::newRow("two of five records")
        << zervHeader() + dialogWithCount("0005") + hexBytes(kButton) + hexBytes(kStatic) +
               hexBytes("4F4B00").repeated(3)
        << "the file ends inside control record 3 of 5 (offset 124)";
    QTest::newRow("32767 records announced, none present")
        << zrv2Header() + dialogWithCount("7FFF")
        << "the file ends inside control record 1 of 32767 (offset 76)";
    QTest::newRow("no texts at all")
        << zervHeader() + dialogWithCount("0001") + hexBytes(kButton)
        << "text 1 of 1 (offset 100) has no terminating NUL before the end of the file";
    QTest::newRow("last text without its NUL")
        << zervHeader() + dialogWithCount("0002") + hexBytes(kButton) + hexBytes(kStatic) +
               hexBytes("4F4B00 4E6F")
        << "text 2 of 2 (offset 127) has no terminating NUL before the end of the file";
}

void TestZPTagFile::refused() {
    QFETCH(QByteArray, file);
    QFETCH(QString, error);
    // A heap copy of exactly the file's length, so that AddressSanitizer sees any read
    // past the end.
    const std::vector<uint8_t> bytes = toVector(file);
    const ZPTagFileContents c = ZPTagFileRead(bytes.data(), bytes.size());
    QCOMPARE(c.header_version, 0u);
    QCOMPARE(QString::fromStdString(c.error), error);
    QVERIFY(c.controls.empty());
}

void TestZPTagFile::writerRefusesTextsTheEncodingLacks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error");
    QTest::newRow("smiley") << QString::fromUtf8("ok \u263A")
                            << "the text of control 2 has the character U+263A, which the "
                               "file's 8-bit text encoding cannot store";
    QTest::newRow("NUL") << QString(QChar(0))
                         << "the text of control 2 has a NUL character, which the file's 8-bit "
                            "text encoding cannot store";
}

void TestZPTagFile::writerRefusesTextsTheEncodingLacks() {
    QFETCH(QString, text);
    QFETCH(QString, error);
    ZPTagHeader header;
    header.setSignature(ZPSignatureZerv);
    ZPDialogRecord dialog;
    dialog.set_control_count(2);
    const QByteArray utf8 = text.toUtf8();
    const std::vector<ZPTagFileControl> controls = {
        {ZPControlRecord{}, "fine"},
        {ZPControlRecord{}, std::string(utf8.data(), size_t(utf8.size()))}};
    std::vector<uint8_t> out;
    std::string why;
    QVERIFY(!ZPTagFileWrite(header, dialog, controls, out, &why));
    QCOMPARE(QString::fromStdString(why), error);
}

void TestZPTagFile::writerKeepsControlCountAsHeld() {
    // The count is the document's business; the writer neither checks nor fixes it.
    ZPTagHeader header;
    header.setSignature(ZPSignatureZrv2);
    ZPDialogRecord dialog;
    dialog.set_control_count(3);
    std::vector<uint8_t> out;
    QVERIFY(ZPTagFileWrite(header, dialog, {{ZPControlRecord{}, "A"}}, out));
    QCOMPARE(out.size(), size_t(64 + 12 + 24 + 2));
    QCOMPARE(toByteArray(out).mid(64, 4), hexBytes("0000 0003"));
    QCOMPARE(toByteArray(out).mid(44, 4), hexBytes("00000040"));
}

void TestZPTagFile::roundTripOfGeneratedFiles() {
    QRandomGenerator rng(20240611);
    for (int round = 0; round < 300; ++round) {
        const uint32_t version = 1 + uint32_t(round % 2);
        const ZPGeneratedTagFile g = ZPGenerateTagFile(rng, version, 24, round % 3 == 0);
        const QByteArray label = "round " + QByteArray::number(round);

        // Whatever follows the last text is not part of the file's contents.
        std::vector<uint8_t> file = g.bytes;
        for (int k = int(rng.bounded(8)); k > 0; --k)
            file.push_back(uint8_t(rng.bounded(256)));

        const ZPTagFileContents c = ZPTagFileRead(file.data(), file.size());
        QVERIFY2(c.header_version == version, label + ": " + c.error.c_str());
        QVERIFY2(c.header.bytes == g.header.bytes, label);
        QVERIFY2(c.dialog.bytes == g.dialog.bytes, label);
        QVERIFY2(c.controls.size() == g.controls.size(), label);
        for (size_t i = 0; i < c.controls.size(); ++i) {
            QVERIFY2(c.controls[i].record.bytes == g.controls[i].record.bytes, label);
            QVERIFY2(c.controls[i].text == g.controls[i].text, label);
        }

        std::vector<uint8_t> out;
        QVERIFY2(ZPTagFileWrite(c.header, c.dialog, c.controls, out), label);
        QVERIFY2(out == g.bytes, label);

        // The same through the document, which wraps each pair in a control.
        ZPZervDialogDocument document;
        QVERIFY2(document.loadDataRepresentationOfType(file, {}), label);
        std::vector<uint8_t> saved;
        QVERIFY2(document.dataRepresentationOfType({}, saved), label);
        QVERIFY2(saved == g.bytes, label);
    }
}

QTEST_APPLESS_MAIN(TestZPTagFile)
#include "tst_ZPTagFile.moc"
