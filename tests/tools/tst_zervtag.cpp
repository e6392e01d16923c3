// The zervtag executable as a user runs it: usage errors and exit codes, check's lines,
// and export then import giving back the example files byte for byte.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run zervtag(const QStringList& arguments) {
    QProcess p;
    p.start(QStringLiteral(ZP_ZERVTAG), arguments);
    Run r;
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

QString example(const char* name) {
    return QStringLiteral(ZP_EXAMPLES_DIR "/") + name;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestZervtag : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void usage_data();
    void usage();
    void exportThenImportGivesBackTheExamples_data();
    void exportThenImportGivesBackTheExamples();
    void check();
    void exportOfAnUnloadableFile();
    void importRefusalWritesNothing();
    void importToAPathThatCannotBeWritten();
    void renderDrawsTheDialog();
    void renderRefusals();

private:
    QTemporaryDir tmp_;
};

void TestZervtag::initTestCase() {
    QVERIFY(tmp_.isValid());
}

void TestZervtag::usage_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");

    QTest::newRow("--help") << QStringList{"--help"} << 0 << QByteArray("Usage: zervtag COMMAND")
                            << QByteArray();
    QTest::newRow("--version") << QStringList{"--version"} << 0
                               << QByteArray("zervtag " ZP_VERSION "\n") << QByteArray();
    QTest::newRow("nothing") << QStringList{} << 2 << QByteArray()
                             << QByteArray("zervtag: no command given");
    QTest::newRow("unknown command") << QStringList{"frob", "x"} << 2 << QByteArray()
                                     << QByteArray("zervtag: unknown command 'frob'");
    QTest::newRow("unknown option") << QStringList{"--frob"} << 2 << QByteArray()
                                    << QByteArray("zervtag: unknown option '--frob'");
    QTest::newRow("export without a file")
        << QStringList{"export"} << 2 << QByteArray() << QByteArray("Usage: zervtag export FILE");
    QTest::newRow("export of two files") << QStringList{"export", "a", "b"} << 2 << QByteArray()
                                         << QByteArray("wrong number of arguments for 'export'");
    QTest::newRow("import without OUT") << QStringList{"import", "a.json"} << 2 << QByteArray()
                                        << QByteArray("Usage: zervtag import JSON OUT");
    QTest::newRow("check without files")
        << QStringList{"check"} << 2 << QByteArray() << QByteArray("Usage: zervtag check FILE...");
}

void TestZervtag::usage() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    const Run r = zervtag(arguments);
    QCOMPARE(r.exitCode, exitCode);
    if (out.isEmpty())
        QCOMPARE(r.out, QByteArray());
    else
        QVERIFY2(r.out.startsWith(out), r.out.constData());
    if (err.isEmpty())
        QCOMPARE(r.err, QByteArray());
    else
        QVERIFY2(r.err.contains(err), r.err.constData());
}

void TestZervtag::exportThenImportGivesBackTheExamples_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("zerv") << example("login.zerv");
    QTest::newRow("zrv2") << example("options.zrv2");
}

void TestZervtag::exportThenImportGivesBackTheExamples() {
    QFETCH(QString, file);
    const Run exported = zervtag({"export", file});
    QCOMPARE(exported.exitCode, 0);
    QCOMPARE(exported.err, QByteArray());
    QCOMPARE(exported.out, readAll(file + ".json"));

    const QString json = tmp_.filePath("exported.json");
    const QString out = tmp_.filePath("imported");
    QVERIFY(writeAll(json, exported.out));
    const Run imported = zervtag({"import", json, out});
    QCOMPARE(imported.exitCode, 0);
    QCOMPARE(imported.out + imported.err, QByteArray());
    QCOMPARE(readAll(out), readAll(file));
}

void TestZervtag::check() {
    const QString truncated = tmp_.filePath("truncated.zerv");
    QVERIFY(writeAll(truncated, readAll(example("login.zerv")).left(100)));
    const QString missing = tmp_.filePath("missing.zerv");

    const Run bad =
        zervtag({"check", example("login.zerv"), truncated, missing, example("options.zrv2")});
    QCOMPARE(bad.exitCode, 1);
    QCOMPARE(bad.err, QByteArray());
    const QByteArrayList lines = bad.out.split('\n');
    QCOMPARE(lines.size(), 5); // four lines and the final newline
    QCOMPARE(lines[0], example("login.zerv").toUtf8() + ": ok");
    QCOMPARE(lines[1],
             truncated.toUtf8() + ": the file ends inside control record 2 of 5 (offset 100)");
    QVERIFY2(lines[2].startsWith(missing.toUtf8() + ": cannot be read: "), lines[2].constData());
    QCOMPARE(lines[3], example("options.zrv2").toUtf8() + ": ok");

    const Run good = zervtag({"check", example("login.zerv"), example("options.zrv2")});
    QCOMPARE(good.exitCode, 0);
    QCOMPARE(good.out, example("login.zerv").toUtf8() + ": ok\n" +
                           example("options.zrv2").toUtf8() + ": ok\n");
}

void TestZervtag::exportOfAnUnloadableFile() {
    const QString file = tmp_.filePath("reversed.zerv");
    QByteArray bytes = readAll(example("login.zerv"));
    bytes.replace(60, 4, "vrez");
    QVERIFY(writeAll(file, bytes));
    const Run r = zervtag({"export", file});
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.out, QByteArray());
    QCOMPARE(r.err, "zervtag: " + file.toUtf8() +
                        ": the signature at offset 60 is vrez (0x7672657A), not 'zerv' or "
                        "'zrv2'\n");
}

void TestZervtag::importRefusalWritesNothing() {
    QByteArray json = readAll(example("login.zerv.json"));
    json.replace("\"item_id\": 4", "\"item_id\": 70000");
    const QString source = tmp_.filePath("bad.json");
    QVERIFY(writeAll(source, json));

    const QString fresh = tmp_.filePath("fresh.zerv");
    Run r = zervtag({"import", source, fresh});
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.err, "zervtag: " + source.toUtf8() +
                        ": controls[3].item_id: 70000 is out of range -32768..32767\n");
    QVERIFY(!QFile::exists(fresh));

    // An existing output stays as it was.
    const QString existing = tmp_.filePath("existing.zerv");
    QVERIFY(writeAll(existing, "previous contents"));
    r = zervtag({"import", source, existing});
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(readAll(existing), QByteArray("previous contents"));

    r = zervtag({"import", tmp_.filePath("no-such.json"), fresh});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains("no-such.json: cannot be read: "), r.err.constData());
    QVERIFY(!QFile::exists(fresh));
}

void TestZervtag::importToAPathThatCannotBeWritten() {
    // Tests may run as root, so a read-only folder proves nothing: go through a file.
    const QString plainFile = tmp_.filePath("plain");
    QVERIFY(writeAll(plainFile, "x"));
    const QString out = plainFile + "/out.zerv";
    const Run r = zervtag({"import", example("login.zerv.json"), out});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.startsWith("zervtag: " + out.toUtf8() + ": cannot be written: "),
             r.err.constData());
    QCOMPARE(readAll(plainFile), QByteArray("x"));
}

void TestZervtag::renderDrawsTheDialog() {
    const QString out = tmp_.filePath("login.png");
    const Run r = zervtag({"render", example("login.zerv"), out});
    QCOMPARE(r.exitCode, 0);
    QImage image;
    QVERIFY(image.load(out, "PNG"));
    QCOMPARE(image.size(), QSize(320, 240)); // the dialog's size, nothing around it
    // The unknown 'icon' control (20, 24)-(84, 88) is a filled placeholder; a corner
    // far from every control shows the canvas background.
    QVERIFY(image.pixel(50, 70) != image.pixel(5, 230));
    // The same picture twice: the rendering depends on nothing but the file.
    const QString again = tmp_.filePath("again.png");
    QCOMPARE(zervtag({"render", example("login.zerv"), again}).exitCode, 0);
    QImage second;
    QVERIFY(second.load(again, "PNG"));
    QCOMPARE(second, image);
}

void TestZervtag::renderRefusals() {
    const QString out = tmp_.filePath("never.png");
    // A file the reader refuses.
    const QString broken = tmp_.filePath("broken.zerv");
    QVERIFY(writeAll(broken, readAll(example("login.zerv")).left(70)));
    Run r = zervtag({"render", broken, out});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains("broken.zerv: "), r.err.constData());
    // A dialog without area has no picture.
    QByteArray flat = readAll(example("login.zerv"));
    flat[64 + 8] = 0; // bottom = top: height 0
    flat[64 + 9] = 0;
    const QString flatFile = tmp_.filePath("flat.zerv");
    QVERIFY(writeAll(flatFile, flat));
    r = zervtag({"render", flatFile, out});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains("no picture"), r.err.constData());
    QVERIFY(!QFile::exists(out));
    QCOMPARE(zervtag({"render", example("login.zerv")}).exitCode, 2);
}

QTEST_GUILESS_MAIN(TestZervtag)
#include "tst_zervtag.moc"
