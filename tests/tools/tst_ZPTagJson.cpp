// The JSON form of a dialog tag file: the exact text export prints, import's refusals
// with the place they name, and export then import giving back the file's bytes.
#include "ZPTagFixture.h"
#include "ZPTagJson.h"
#include "ZPZervDialogDocument.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

QByteArray exportOf(const QByteArray& file) {
    ZPZervDialogDocument d;
    if (!d.loadDataRepresentationOfType(toVector(file), {}))
        return QByteArray("not loadable");
    return ZPTagJsonFromDocument(d);
}

QByteArray importOf(const QByteArray& json, QString* error = nullptr) {
    std::vector<uint8_t> out;
    QString why;
    if (!ZPTagJsonToFile(json, out, why)) {
        if (error)
            *error = why;
        return QByteArray();
    }
    return toByteArray(out);
}

const char* const kZervHeaderHex = "4469616c6f6700000000000000000000000000000000000000000000000000"
                                   "00646c6f677375623100000001000000500000004000000070cafef00d7a6"
                                   "57276";

// Four controls, so that the examples of the error messages can name controls[3].
QByteArray baseJson() {
    return QByteArray("{\"header_version\": 1, \"header\": \"") + kZervHeaderHex +
           "\", \"tag_name\": \"Dialog\", \"subgroup\": \"sub1\",\n"
           " \"dialog\": {\"version\": 0, \"control_count\": 4, \"bounds\": {\"top\": 0, "
           "\"left\": 0, \"bottom\": 240, \"right\": 320}},\n"
           " \"controls\": [\n"
           "  {\"tag\": \"butt\", \"padding\": 0, \"item_id\": 1, \"bitmap_ids\": [-1, 5], "
           "\"flags\": 0, \"state\": 0, \"bounds\": {\"top\": 10, \"left\": 20, \"bottom\": 30, "
           "\"right\": 80}, \"text\": \"OK\"},\n"
           "  {\"tag\": \"edit\", \"padding\": 0, \"item_id\": 2, \"bitmap_ids\": [-1, -1], "
           "\"flags\": 0, \"state\": 0, \"bounds\": {\"top\": 40, \"left\": 20, \"bottom\": 60, "
           "\"right\": 200}, \"text\": \"\"},\n"
           "  {\"tag\": \"numb\", \"padding\": 0, \"item_id\": 3, \"bitmap_ids\": [-1, -1], "
           "\"flags\": 0, \"state\": 0, \"bounds\": {\"top\": 70, \"left\": 20, \"bottom\": 90, "
           "\"right\": 60}, \"text\": \"1\"},\n"
           "  {\"tag\": \"stat\", \"padding\": 0, \"item_id\": 4, \"bitmap_ids\": [-1, -1], "
           "\"flags\": 0, \"state\": 0, \"bounds\": {\"top\": 100, \"left\": 20, \"bottom\": 116, "
           "\"right\": 200}, \"text\": \"Name:\"}\n"
           " ]}\n";
}

// The base with its first occurrence of `from` (which must exist) replaced.
QByteArray baseWith(const char* from, const char* to, int occurrence = 0) {
    QByteArray json = baseJson();
    qsizetype at = -1;
    for (int i = 0; i <= occurrence; ++i) {
        at = json.indexOf(from, at + 1);
        if (at < 0)
            return QByteArray("fixture: no ") + from;
    }
    return json.replace(at, qsizetype(qstrlen(from)), to);
}

} // namespace

class TestZPTagJson : public QObject {
    Q_OBJECT
private slots:
    void exportText();
    void baseImports();
    void importRefusals_data();
    void importRefusals();
    void notJson();
    void tooManyControls();
    void importAppliesNameAndSubgroup_data();
    void importAppliesNameAndSubgroup();
    void codesMayBeNumbers();
    void controlCountMayBeLeftOut();
    void offsetOtherThan64IsWrittenAs64();
    void exportImportRoundTripOfGeneratedFiles();
    void examplesAreTheirJson_data();
    void examplesAreTheirJson();
};

void TestZPTagJson::exportText() {
    // 'butt' shows as letters; 0x01020304 and the subgroup 0x7F000000 as numbers. Texts:
    // quote, backslash, newline, tab, byte 0x01 and Mac OS Roman bytes.
    const QByteArray file = withInt32(zervHeader(), 36, 0x7F000000) +
                            hexBytes("FFFF 0002 FFF6 0000 01E0 0280") +
                            hexBytes("62757474 FFFE 8000 FFFF 7FFF FFFF 0001 000A 0014 001E 0050") +
                            hexBytes("01020304 0000 0002 0000 0000 0000 0000 8000 8000 7FFF 7FFF") +
                            hexBytes("22 5C 0A 09 01 41 00  8A D0 DB 00");
    const QByteArray expected =
        "{\n"
        "  \"header_version\": 1,\n"
        "  \"header\": \"4469616c6f6700000000000000000000000000000000000000000000000000"
        "00646c6f677f00000000000001000000500000004000000070cafef00d7a657276\",\n"
        "  \"tag_name\": \"Dialog\",\n"
        "  \"subgroup\": 2130706432,\n"
        "  \"dialog\": {\"version\": -1, \"control_count\": 2, \"bounds\": {\"top\": -10, "
        "\"left\": 0, \"bottom\": 480, \"right\": 640}},\n"
        "  \"controls\": [\n"
        "    {\"tag\": \"butt\", \"padding\": -2, \"item_id\": -32768, \"bitmap_ids\": [-1, "
        "32767], \"flags\": 65535, \"state\": 1, \"bounds\": {\"top\": 10, \"left\": 20, "
        "\"bottom\": 30, \"right\": 80}, \"text\": \"\\\"\\\\\\n\\t\\u0001A\"},\n"
        "    {\"tag\": 16909060, \"padding\": 0, \"item_id\": 2, \"bitmap_ids\": [0, 0], "
        "\"flags\": 0, \"state\": 0, \"bounds\": {\"top\": -32768, \"left\": -32768, "
        "\"bottom\": 32767, \"right\": 32767}, \"text\": \"" +
        QString::fromUtf8("ä–€").toUtf8() +
        "\"}\n"
        "  ]\n"
        "}\n";
    const QByteArray json = exportOf(file);
    QCOMPARE(json, expected);
    QCOMPARE(importOf(json), file);

    const QByteArray empty = zrv2Header() + hexBytes("0000 0000 0000 0000 0000 0000");
    QVERIFY(exportOf(empty).contains("\"controls\": []\n}\n"));
    QCOMPARE(importOf(exportOf(empty)), empty);
}

void TestZPTagJson::baseImports() {
    QString error;
    const QByteArray file = importOf(baseJson(), &error);
    QCOMPARE(error, QString());
    QCOMPARE(file.size(), 64 + 12 + 4 * 24 + 3 + 1 + 2 + 6);
    QCOMPARE(file.left(64), hexBytes(kZervHeaderHex));
    QCOMPARE(file.mid(64, 4), hexBytes("0000 0004"));
    const char texts[] = "OK\0\0"    // "OK", ""
                         "1\0Name:"; // "1", "Name:" and the array's own NUL
    QVERIFY(file.endsWith(QByteArray(texts, sizeof texts)));
}

void TestZPTagJson::importRefusals_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("error");

    QTest::newRow("an array") << QByteArray("[1, 2]") << "expected an object, found an array";
    QTest::newRow("missing key") << baseWith("\"tag_name\": \"Dialog\", ", "")
                                 << "the key \"tag_name\" is missing";
    QTest::newRow("unknown key") << baseWith("\"padding\": 0,", "\"padding\": 0, \"colour\": 3,", 2)
                                 << "controls[2].colour: unknown key";
    QTest::newRow("header_version 3") << baseWith("\"header_version\": 1", "\"header_version\": 3")
                                      << "header_version: 3 is out of range 1..2";
    QTest::newRow("header_version against the signature")
        << baseWith("\"header_version\": 1", "\"header_version\": 2")
        << "header_version: 2 does not match the header's signature 'zerv', which gives 1";
    QTest::newRow("header too short")
        << baseWith("7a657276\"", "7a6572\"")
        << "header: expected 128 hex digits (the 64 header bytes), found 126 characters";
    QTest::newRow("header not hex")
        << baseWith("4469", "4g69") << "header: character 2 is not a hex digit";
    QTest::newRow("header signature")
        << baseWith("7a657276\"", "7672657a\"")
        << "header: the signature in bytes 60..63 is vrez, not 'zerv' or 'zrv2'";
    QTest::newRow("tag_name outside the encoding")
        << baseWith("\"Dialog\"", "\"Dia\\u263Alog\"")
        << "tag_name: the character U+263A is not in the files' 8-bit encoding (Mac OS Roman)";
    QTest::newRow("subgroup of two letters")
        << baseWith("\"sub1\"", "\"ab\"")
        << "subgroup: \"ab\" is not four printable ASCII characters (use the code's number "
           "instead)";
    QTest::newRow("subgroup above 32 bits") << baseWith("\"sub1\"", "4294967296")
                                            << "subgroup: 4294967296 is out of range 0..4294967295";
    QTest::newRow("subgroup negative")
        << baseWith("\"sub1\"", "-1") << "subgroup: -1 is out of range 0..4294967295";
    QTest::newRow("subgroup true")
        << baseWith("\"sub1\"", "true")
        << "subgroup: expected four characters or an integer, found a boolean";
    QTest::newRow("dialog version") << baseWith("\"version\": 0", "\"version\": 40000")
                                    << "dialog.version: 40000 is out of range -32768..32767";
    QTest::newRow("dialog bounds as text")
        << baseWith("\"right\": 320", "\"right\": \"320\"")
        << "dialog.bounds.right: expected an integer, found a string";
    QTest::newRow("dialog bounds key missing")
        << baseWith("\"top\": 0, ", "") << "dialog.bounds: the key \"top\" is missing";
    QTest::newRow("control_count against the controls")
        << baseWith("\"control_count\": 4", "\"control_count\": 3")
        << "dialog.control_count: 3 does not match the number of controls, 4";
    QTest::newRow("controls not an array")
        << baseWith("\"controls\": [", "\"controls\": {\"a\": [") + "}"
        << "controls: expected an array, found an object";
    QTest::newRow("a control that is not an object")
        << baseWith("\"controls\": [", "\"controls\": [7, ").replace("\"control_count\": 4, ", "")
        << "controls[0]: expected an object, found a number";
    QTest::newRow("item_id out of range") << baseWith("\"item_id\": 4", "\"item_id\": 70000")
                                          << "controls[3].item_id: 70000 is out of range "
                                             "-32768..32767";
    QTest::newRow("item_id not whole") << baseWith("\"item_id\": 2", "\"item_id\": 1.5")
                                       << "controls[1].item_id: 1.5 is not an integer";
    QTest::newRow("padding 32768") << baseWith("\"padding\": 0", "\"padding\": 32768")
                                   << "controls[0].padding: 32768 is out of range -32768..32767";
    QTest::newRow("one bitmap id") << baseWith("[-1, 5]", "[5]")
                                   << "controls[0].bitmap_ids: expected an array of two "
                                      "integers, found 1 entries";
    QTest::newRow("bitmap id out of range")
        << baseWith("[-1, 5]", "[-1, -32769]")
        << "controls[0].bitmap_ids[1]: -32769 is out of range -32768..32767";
    QTest::newRow("flags negative") << baseWith("\"flags\": 0", "\"flags\": -1", 1)
                                    << "controls[1].flags: -1 is out of range 0..65535";
    QTest::newRow("state 65536") << baseWith("\"state\": 0", "\"state\": 65536", 3)
                                 << "controls[3].state: 65536 is out of range 0..65535";
    QTest::newRow("tag of five letters")
        << baseWith("\"numb\"", "\"numbr\"")
        << "controls[2].tag: \"numbr\" is not four printable ASCII characters (use the code's "
           "number instead)";
    QTest::newRow("tag with a letter outside ASCII")
        << baseWith("\"numb\"", "\"n\\u00fcmb\"")
        << QString::fromUtf8("controls[2].tag: \"nümb\" is not four printable ASCII "
                             "characters (use the code's number instead)");
    QTest::newRow("text with a NUL")
        << baseWith("\"Name:\"", "\"Na\\u0000me\"")
        << "controls[3].text: contains a NUL character, which ends a stored text";
    QTest::newRow("text with a lone surrogate")
        << baseWith("\"OK\"", "\"O\\ud800K\"")
        << "controls[0].text: the character U+FFFD is not in the files' 8-bit encoding (Mac "
           "OS Roman)";
    QTest::newRow("text null") << baseWith("\"OK\"", "null")
                               << "controls[0].text: expected a string, found null";
}

void TestZPTagJson::importRefusals() {
    QFETCH(QByteArray, json);
    QFETCH(QString, error);
    QString got;
    std::vector<uint8_t> out;
    QVERIFY(!ZPTagJsonToFile(json, out, got));
    QCOMPARE(got, error);
}

void TestZPTagJson::notJson() {
    // The parser's own wording is Qt's; the place is ours.
    QString error;
    QCOMPARE(importOf("{\"header_version\": 1,\n  \"header\": }", &error), QByteArray());
    QVERIFY2(error.startsWith("not valid JSON at line 2, column "), qPrintable(error));
    QCOMPARE(importOf("", &error), QByteArray());
    QVERIFY2(error.startsWith("not valid JSON at line 1, column 1: "), qPrintable(error));
}

void TestZPTagJson::tooManyControls() {
    // control_count is 16 bits: 32768 controls would be written as -32768.
    const QByteArray control =
        "{\"tag\": \"butt\", \"padding\": 0, \"item_id\": 1, \"bitmap_ids\": "
        "[0, 0], \"flags\": 0, \"state\": 0, \"bounds\": {\"top\": 0, "
        "\"left\": 0, \"bottom\": 1, \"right\": 1}, \"text\": \"\"}";
    QByteArrayList controls;
    for (int i = 0; i < 32768; ++i)
        controls << control;
    const QByteArray json = baseWith("\"control_count\": 4, ", "")
                                .replace(baseJson().mid(baseJson().indexOf("\"controls\": [")),
                                         "\"controls\": [" + controls.join(',') + "]}");
    QString error;
    QCOMPARE(importOf(json, &error), QByteArray());
    QCOMPARE(error, QString("controls: 32768 controls, more than the 32767 a file can hold"));
}

void TestZPTagJson::importAppliesNameAndSubgroup_data() {
    QTest::addColumn<QByteArray>("nameField"); // the header's 32-byte name field
    QTest::addColumn<QByteArray>("tagName");   // JSON string contents
    QTest::addColumn<QByteArray>("written");   // the name field written

    const QByteArray longName = QByteArray("LongName") + '\0' + QByteArray(23, 'z');
    QTest::newRow("a shorter name keeps the bytes after its NUL")
        << longName << QByteArray("Ab") << QByteArray("Ab\0gName\0", 9) + QByteArray(23, 'z');
    QTest::newRow("a long name is cut after 31 bytes")
        << QByteArray(32, '\0') << QByteArray(40, 'a') << QByteArray(31, 'a') + '\0';
    // Equal to what the field already says: left alone, so a field without a NUL stays so.
    QTest::newRow("the held name, in a field without a NUL")
        << QByteArray(32, 'N') << QByteArray(32, 'N') << QByteArray(32, 'N');
    QTest::newRow("8-bit characters") << QByteArray(32, '\0') << QByteArray("Gr\\u00f6\\u00dfe")
                                      << hexBytes("47 72 9A A7 65") + QByteArray(27, '\0');
}

void TestZPTagJson::importAppliesNameAndSubgroup() {
    QFETCH(QByteArray, nameField);
    QFETCH(QByteArray, tagName);
    QFETCH(QByteArray, written);
    const QByteArray header = zervHeader().replace(0, 32, nameField);
    QByteArray json = baseWith(kZervHeaderHex, header.toHex().constData());
    json = json.replace("\"tag_name\": \"Dialog\"", "\"tag_name\": \"" + tagName + "\"")
               .replace("\"sub1\"", "\"opts\"");
    QString error;
    const QByteArray file = importOf(json, &error);
    QCOMPARE(error, QString());
    QCOMPARE(file.left(32), written);
    QCOMPARE(file.mid(32, 32), withInt32(header, 36, 0x6F707473).mid(32, 32)); // 'opts'
}

void TestZPTagJson::codesMayBeNumbers() {
    const QByteArray json = baseWith("\"butt\"", "1651864692").replace("\"sub1\"", "0");
    QString error;
    const QByteArray file = importOf(json, &error);
    QCOMPARE(error, QString());
    QCOMPARE(file.mid(76, 4), QByteArray("butt"));
    QCOMPARE(file.mid(36, 4), QByteArray(4, '\0'));
}

void TestZPTagJson::controlCountMayBeLeftOut() {
    QCOMPARE(importOf(baseWith("\"control_count\": 4, ", "")), importOf(baseJson()));
}

void TestZPTagJson::offsetOtherThan64IsWrittenAs64() {
    const QByteArray atHundred = zrv2Header(100) + QByteArray(36, '\x55') +
                                 hexBytes("0000 0001 0000 0000 0010 0010") +
                                 hexBytes("74657374 0000 0001 0000 0000 0000 0000 0000 0000 0000 "
                                          "0000") +
                                 "t" + QByteArray(1, '\0');
    const QByteArray json = exportOf(atHundred);
    QVERIFY(json.contains(zrv2Header(100).toHex()));
    QCOMPARE(importOf(json), zrv2Header(64) + atHundred.mid(100));
}

void TestZPTagJson::exportImportRoundTripOfGeneratedFiles() {
    // Random headers: names without a NUL, subgroups that are not printable, every byte
    // value in the texts; both variants.
    QRandomGenerator rng(7031);
    for (int round = 0; round < 120; ++round) {
        const ZPGeneratedTagFile g = ZPGenerateTagFile(rng, 1 + uint32_t(round % 2), 12, true);
        const QByteArray file = toByteArray(g.bytes);
        const QByteArray json = exportOf(file);
        QString error;
        const QByteArray back = importOf(json, &error);
        QVERIFY2(error.isEmpty(), qPrintable(QStringLiteral("round %1: %2").arg(round).arg(error)));
        QVERIFY2(back == file, qPrintable(QStringLiteral("round %1").arg(round)));
    }
}

void TestZPTagJson::examplesAreTheirJson_data() {
    QTest::addColumn<QString>("json");
    QTest::addColumn<QString>("binary");
    const QDir dir(QStringLiteral(ZP_EXAMPLES_DIR));
    const QStringList sources = dir.entryList({QStringLiteral("*.json")}, QDir::Files);
    QVERIFY(sources.size() >= 2);
    for (const QString& source : sources) {
        QTest::newRow(qPrintable(source))
            << dir.filePath(source) << dir.filePath(source.chopped(int(qstrlen(".json"))));
    }
}

void TestZPTagJson::examplesAreTheirJson() {
    QFETCH(QString, json);
    QFETCH(QString, binary);
    QFile jsonFile(json), binaryFile(binary);
    QVERIFY(jsonFile.open(QIODevice::ReadOnly));
    QVERIFY2(binaryFile.open(QIODevice::ReadOnly), qPrintable(binary));
    const QByteArray source = jsonFile.readAll();
    const QByteArray bytes = binaryFile.readAll();
    QString error;
    QCOMPARE(importOf(source, &error), bytes);
    QCOMPARE(error, QString());
    // The sources are kept in export's own form, so an export reproduces them.
    QCOMPARE(exportOf(bytes), source);
}

QTEST_APPLESS_MAIN(TestZPTagJson)
#include "tst_ZPTagJson.moc"
