// The inspector's four-character code texts and its control definitions list.
#include "ZPFourCharCode.h"
#include "ZPInspectorCodeText.h"
#include "ZPInspectorControlDefinitions.h"

#include <QtTest>

class tst_ZPInspectorTexts : public QObject {
    Q_OBJECT

private slots:
    void codeToText_data();
    void codeToText();
    void textToCode_data();
    void textToCode();
    void textToCodeRefusesWhatTheEncodingLacks();
    void definitions_data();
    void definitions();
    void bundledDefinitions();
};

void tst_ZPInspectorTexts::codeToText_data() {
    QTest::addColumn<uint>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("butt") << uint(0x62757474) << "butt";
    QTest::newRow("ends at the first zero byte") << uint(0x61620000) << "ab";
    QTest::newRow("zero in the middle hides the rest") << uint(0x61006263) << "a";
    QTest::newRow("zero is empty") << uint(0) << "";
    QTest::newRow("leading zero is empty") << uint(0x00616263) << "";
    QTest::newRow("high bytes decode as 8-bit") << uint(0x8E616263) << QString::fromUtf8("éabc");
}

void tst_ZPInspectorTexts::codeToText() {
    QFETCH(uint, code);
    QFETCH(QString, text);
    QCOMPARE(ZPCodeText(code), text);
}

void tst_ZPInspectorTexts::textToCode_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<uint>("code");
    QTest::newRow("four") << "stat" << uint(ZPFourCharCode('s', 't', 'a', 't'));
    QTest::newRow("longer is cut to four") << "abcdef" << uint(ZPFourCharCode('a', 'b', 'c', 'd'));
    QTest::newRow("three then zero") << "abc" << uint(0x61626300);
    QTest::newRow("two then zeros") << "ab" << uint(0x61620000);
    QTest::newRow("empty is zero") << "" << uint(0);
    QTest::newRow("8-bit character") << QString::fromUtf8("éabc") << uint(0x8E616263);
    // Only the first four characters are converted.
    QTest::newRow("unencodable fifth is cut away")
        << QString::fromUtf8("abcd日") << uint(0x61626364);
}

void tst_ZPInspectorTexts::textToCode() {
    QFETCH(QString, text);
    QFETCH(uint, code);
    uint32_t result = 0xDEADBEEF;
    QVERIFY(ZPCodeFromText(text, result));
    QCOMPARE(uint(result), code);
    // Every code typed reads back as typed (up to its fourth character).
    QCOMPARE(ZPCodeText(result), text.left(4));
}

void tst_ZPInspectorTexts::textToCodeRefusesWhatTheEncodingLacks() {
    uint32_t code = 7;
    QString bad;
    QVERIFY(!ZPCodeFromText(QString::fromUtf8("a→b"), code, &bad));
    QCOMPARE(bad, QString::fromUtf8("→"));
    QCOMPARE(code, uint32_t(7));
    // A character outside the basic plane is one character, not two halves.
    QVERIFY(!ZPCodeFromText(QString::fromUtf8("😀"), code, &bad));
    QCOMPARE(bad, QString::fromUtf8("😀"));
}

void tst_ZPInspectorTexts::definitions_data() {
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QList<uint>>("tags");

    const QByteArray head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\">";
    QTest::newRow("in order") << head + "<array>"
                                        "<dict><key>Title</key><string>B</string>"
                                        "<key>Tag</key><integer>1651864692</integer></dict>"
                                        "<dict><key>Tag</key><integer>1</integer>"
                                        "<key>Title</key><string>A</string></dict>"
                                        "</array></plist>"
                              << QStringList{"B", "A"} << QList<uint>{1651864692u, 1u};
    QTest::newRow("no tag gives tag 0, no title an empty title")
        << head + "<array><dict><key>Title</key><string>T</string></dict>"
                  "<dict><key>Tag</key><integer>5</integer></dict></array></plist>"
        << QStringList{"T", ""} << QList<uint>{0u, 5u};
    QTest::newRow("tag as unsigned 32 bits")
        << head + "<array><dict><key>Tag</key><integer>4294967295</integer></dict>"
                  "<dict><key>Tag</key><integer>-1</integer></dict>"
                  "<dict><key>Tag</key><integer>4294967296</integer></dict>"
                  "<dict><key>Tag</key><string>12</string></dict>"
                  "<dict><key>Tag</key><integer>twelve</integer></dict></array></plist>"
        << QStringList{"", "", "", "", ""} << QList<uint>{4294967295u, 4294967295u, 0u, 0u, 0u};
    QTest::newRow("other keys and non-dictionary elements are skipped")
        << head + "<array><string>stray</string><dict><key>Other</key><dict><key>Tag</key>"
                  "<integer>9</integer></dict><key>Title</key><string>X</string>"
                  "<key>Tag</key><integer>3</integer></dict></array></plist>"
        << QStringList{"X"} << QList<uint>{3u};
    QTest::newRow("a value without its key is not taken")
        << head + "<array><dict><key>Title</key><string>Y</string><integer>4</integer>"
                  "</dict></array></plist>"
        << QStringList{"Y"} << QList<uint>{0u};
    QTest::newRow("damaged list gives nothing")
        << head + "<array><dict><key>Title</key><string>A</string></dict>" << QStringList{}
        << QList<uint>{};
    QTest::newRow("root not an array")
        << head + "<dict></dict></plist>" << QStringList{} << QList<uint>{};
    QTest::newRow("not a property list") << QByteArray("<html/>") << QStringList{} << QList<uint>{};
    QTest::newRow("empty") << QByteArray() << QStringList{} << QList<uint>{};
}

void tst_ZPInspectorTexts::definitions() {
    QFETCH(QByteArray, xml);
    QFETCH(QStringList, titles);
    QFETCH(QList<uint>, tags);
    const QList<ZPControlDefinition> definitions = ZPParseControlDefinitions(xml);
    QStringList gotTitles;
    QList<uint> gotTags;
    for (const ZPControlDefinition& d : definitions) {
        gotTitles << d.title;
        gotTags << d.tag;
    }
    QCOMPARE(gotTitles, titles);
    QCOMPARE(gotTags, tags);
}

void tst_ZPInspectorTexts::bundledDefinitions() {
    Q_INIT_RESOURCE(inspector);
    const QList<ZPControlDefinition> definitions =
        ZPReadControlDefinitions(QStringLiteral(":/inspector/ControlDefinitions.plist"));
    QList<uint32_t> tags;
    for (const ZPControlDefinition& d : definitions) {
        QVERIFY2(!d.title.isEmpty(), qPrintable(ZPCodeText(d.tag)));
        tags << d.tag;
    }
    for (const char* code : {"butt", "edit", "pass", "numb", "stat"})
        QVERIFY2(tags.contains(ZPFourCharCode(code[0], code[1], code[2], code[3])), code);
    QVERIFY(ZPReadControlDefinitions(QStringLiteral(":/inspector/NoSuchList.plist")).isEmpty());
}

QTEST_APPLESS_MAIN(tst_ZPInspectorTexts)
#include "tst_ZPInspectorTexts.moc"
