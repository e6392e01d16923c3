// The layout web: list order, cursors, ties, re-sorting and hit tests, written as
// scripts over named nodes, plus a randomized check of the web's invariants.
#include "ZPLayoutUtilities.h"

#include <QtTest>

#include <atomic>
#include <cstdlib>
#include <map>
#include <new>
#include <random>
#include <set>

// Every allocation of the process is counted, so the tests can show that only creating
// a web or a node allocates.
static std::atomic<long> allocationCount{0};

void* operator new(std::size_t size) {
    ++allocationCount;
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

const char* const entryNames[6] = {"minX", "midX", "maxX", "minY", "midY", "maxY"};

// A web with named nodes, driven by a small script:
//   "ins A x y w h"    create A, set its frame, insert it
//   "frame A x y w h"  set A's frame
//   "rm A"             remove and destroy A
//   "hit x y"          hit test (result ignored)
class ScriptedWeb {
public:
    ScriptedWeb() : web_(ZPLayoutWebCreate()) {}
    ~ScriptedWeb() {
        for (auto& [name, node] : nodes_) {
            ZPLayoutWebRemoveNode(node, web_);
            ZPLayoutNodeDestroy(node);
        }
        ZPLayoutWebDestroy(web_);
    }
    ScriptedWeb(const ScriptedWeb&) = delete;
    ScriptedWeb& operator=(const ScriptedWeb&) = delete;

    ZPLayoutWeb* web() const { return web_; }

    void run(const QString& script) {
        for (const QString& step : script.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QStringList w = step.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            const auto f = [&](int i) { return w.at(i).toFloat(); };
            if (w.at(0) == QLatin1String("ins")) {
                ZPLayoutNode* node = ZPLayoutNodeCreate(std::make_shared<ZPObject>());
                names_[node] = w.at(1);
                nodes_[w.at(1)] = node;
                ZPLayoutNodeSetFrame(node, ZPMakeRect(f(2), f(3), f(4), f(5)));
                ZPLayoutWebInsertNode(node, web_);
            } else if (w.at(0) == QLatin1String("frame")) {
                ZPLayoutNodeSetFrame(nodes_.at(w.at(1)), ZPMakeRect(f(2), f(3), f(4), f(5)));
            } else if (w.at(0) == QLatin1String("rm")) {
                ZPLayoutNode* node = nodes_.at(w.at(1));
                ZPLayoutWebRemoveNode(node, web_);
                ZPLayoutNodeDestroy(node);
                nodes_.erase(w.at(1));
                names_.erase(node);
            } else if (w.at(0) == QLatin1String("hit")) {
                ZPLayoutWebNodeAtPoint(web_, ZPMakePoint(f(1), f(2)));
            } else {
                QTest::qFail(qPrintable(QStringLiteral("bad step: ") + step), __FILE__, __LINE__);
            }
        }
    }

    QString nodeName(const ZPLayoutNode* node) const {
        return node == nullptr ? QStringLiteral("-") : names_.at(node);
    }
    QString entryName(const ZPLayoutEntry* entry) const {
        if (entry == nullptr)
            return QStringLiteral("-");
        return nodeName(entry->node) + QLatin1Char('.') +
               QLatin1String(entryNames[entry - entry->node->entries]);
    }
    // The list through `cursor`, least first: "A.minX=10 A.midX=25 ...".
    QString listText(const ZPLayoutEntry* cursor) const {
        if (cursor == nullptr)
            return QString();
        const ZPLayoutEntry* e = cursor;
        while (e->lesser != nullptr)
            e = e->lesser;
        QStringList parts;
        for (; e != nullptr; e = e->greater)
            parts << entryName(e) + QLatin1Char('=') + QString::number(double(e->value));
        return parts.join(QLatin1Char(' '));
    }

private:
    ZPLayoutWeb* web_;
    std::map<QString, ZPLayoutNode*> nodes_;
    std::map<const ZPLayoutNode*, QString> names_;
};

} // namespace

class TestZPLayoutWeb : public QObject {
    Q_OBJECT

private slots:
    void listsAndCursors_data();
    void listsAndCursors();
    void hitTest_data();
    void hitTest();
    void frameBeforeInsertOnlyStoresValues();
    void frameReadsBackInSinglePrecision();
    void onlyCreationAllocates();
    void randomOperationsKeepInvariants();
};

void TestZPLayoutWeb::listsAndCursors_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("xList");
    QTest::addColumn<QString>("xCursor");
    QTest::addColumn<QString>("yList");
    QTest::addColumn<QString>("yCursor");

    QTest::newRow("empty web") << ""
                               << ""
                               << "-"
                               << ""
                               << "-";
    QTest::newRow("first node") << "ins A 10 20 30 40"
                                << "A.minX=10 A.midX=25 A.maxX=40"
                                << "A.midX"
                                << "A.minY=20 A.midY=40 A.maxY=60"
                                << "A.midY";
    QTest::newRow("last node removed") << "ins A 10 20 30 40; rm A"
                                       << ""
                                       << "-"
                                       << ""
                                       << "-";
    QTest::newRow("first node with negative width is chained min, mid, max")
        << "ins A 20 0 -10 10"
        << "A.minX=20 A.midX=15 A.maxX=10"
        << "A.midX"
        << "A.minY=0 A.midY=5 A.maxY=10"
        << "A.midY";
    QTest::newRow("overlapping pair")
        << "ins A 0 0 100 100; ins B 50 50 100 100"
        << "A.minX=0 A.midX=50 B.minX=50 B.midX=100 A.maxX=100 B.maxX=150"
        << "A.maxX"
        << "A.minY=0 A.midY=50 B.minY=50 B.midY=100 A.maxY=100 B.maxY=150"
        << "A.maxY";
    QTest::newRow("removing the node at the end moves the cursor to its lesser neighbour")
        << "ins A 0 0 100 100; ins B 50 50 100 100; hit 75 75; hit 120 120; rm B"
        << "A.minX=0 A.midX=50 A.maxX=100"
        << "A.maxX"
        << "A.minY=0 A.midY=50 A.maxY=100"
        << "A.maxY";
    QTest::newRow("removing moves the cursor to the greater neighbour first")
        << "ins A 10 0 10 10; ins B 10 50 10 10; hit 5 5; rm A"
        << "B.minX=10 B.midX=15 B.maxX=20"
        << "B.minX"
        << "B.minY=50 B.midY=55 B.maxY=60"
        << "B.midY";
    // Coming down to equal values a new entry stays on their greater side; when the
    // cursor itself is equal it goes to the cursor's greater side.
    QTest::newRow("ties on the way down and at the cursor")
        << "ins A 10 0 10 10; ins B 10 50 10 10"
        << "A.minX=10 B.minX=10 A.midX=15 B.midX=15 B.maxX=20 A.maxX=20"
        << "B.midX"
        << "A.minY=0 A.midY=5 A.maxY=10 B.minY=50 B.midY=55 B.maxY=60"
        << "B.midY";
    QTest::newRow("ties on the way up")
        << "ins A 0 0 10 10; ins B -5 0 15 10"
        << "B.minX=-5 A.minX=0 B.midX=2.5 A.midX=5 B.maxX=10 A.maxX=10"
        << "A.midX"
        << "A.minY=0 B.minY=0 A.midY=5 B.midY=5 B.maxY=10 A.maxY=10"
        << "B.midY";
    QTest::newRow("re-sort down stops on the greater side of an equal value")
        << "ins A 0 0 10 10; ins B 20 0 10 10; frame B 5 0 10 10"
        << "A.minX=0 A.midX=5 B.minX=5 A.maxX=10 B.midX=10 B.maxX=15"
        << "B.midX"
        << "A.minY=0 B.minY=0 A.midY=5 B.midY=5 B.maxY=10 A.maxY=10"
        << "B.midY";
    QTest::newRow("re-sort up stops on the lesser side of an equal value")
        << "ins A 0 0 10 10; ins B -20 0 10 10; frame B -5 0 10 10"
        << "B.minX=-5 B.midX=0 A.minX=0 B.maxX=5 A.midX=5 A.maxX=10"
        << "A.minX"
        << "A.minY=0 B.minY=0 A.midY=5 B.midY=5 B.maxY=10 A.maxY=10"
        << "B.midY";
    // A's min is compared with its own mid before that has moved, so it stops short.
    QTest::newRow("rising frame leaves the list out of order")
        << "ins A 10 0 10 10; ins B 12 0 5 10; frame A 30 0 10 10"
        << "B.minX=12 B.midX=14.5 A.minX=30 B.maxX=17 A.midX=35 A.maxX=40"
        << "A.midX"
        << "A.minY=0 B.minY=0 A.midY=5 B.midY=5 B.maxY=10 A.maxY=10"
        << "B.midY";
    QTest::newRow("setting the old frame back restores the order")
        << "ins A 10 0 10 10; ins B 12 0 5 10; frame A 30 0 10 10; frame A 10 0 10 10"
        << "A.minX=10 B.minX=12 B.midX=14.5 A.midX=15 B.maxX=17 A.maxX=20"
        << "A.midX"
        << "A.minY=0 B.minY=0 A.midY=5 B.midY=5 B.maxY=10 A.maxY=10"
        << "B.midY";
    QTest::newRow("insertion walks from where the last walk stopped")
        << "ins A 0 0 10 10; ins B 100 0 10 10; ins C 50 0 10 10"
        << "A.minX=0 A.midX=5 A.maxX=10 C.minX=50 C.midX=55 C.maxX=60 B.minX=100 B.midX=105 "
           "B.maxX=110"
        << "B.minX"
        << "A.minY=0 B.minY=0 C.minY=0 A.midY=5 C.midY=5 B.midY=5 C.maxY=10 B.maxY=10 "
           "A.maxY=10"
        << "B.midY";
}

void TestZPLayoutWeb::listsAndCursors() {
    QFETCH(QString, script);
    ScriptedWeb web;
    web.run(script);
    QTEST(web.listText(web.web()->xCursor), "xList");
    QTEST(web.entryName(web.web()->xCursor), "xCursor");
    QTEST(web.listText(web.web()->yCursor), "yList");
    QTEST(web.entryName(web.web()->yCursor), "yCursor");
}

void TestZPLayoutWeb::hitTest_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<QString>("found");
    QTest::addColumn<QString>("xCursorAfter");

    const QString one = QStringLiteral("ins A 10 20 30 40");
    QTest::newRow("empty web") << "" << 5.0f << 5.0f << "-"
                               << "-";
    QTest::newRow("inside") << one << 25.0f << 30.0f << "A"
                            << "A.midX";
    QTest::newRow("top-left corner belongs") << one << 10.0f << 20.0f << "A"
                                             << "A.midX";
    QTest::newRow("bottom-right corner belongs") << one << 40.0f << 60.0f << "A"
                                                 << "A.midX";
    QTest::newRow("just right of it") << one << 40.01f << 60.0f << "-"
                                      << "A.maxX";
    QTest::newRow("just below it") << one << 40.0f << 60.01f << "-"
                                   << "A.maxX";
    QTest::newRow("just left of it") << one << 9.99f << 20.0f << "-"
                                     << "A.minX";

    const QString pair = QStringLiteral("ins A 0 0 100 100; ins B 50 50 100 100");
    QTest::newRow("overlap answers the first node met") << pair << 75.0f << 75.0f << "A"
                                                        << "A.maxX";
    QTest::newRow("walk up to the other node") << pair + "; hit 75 75" << 120.0f << 120.0f << "B"
                                               << "B.maxX";
    QTest::newRow("the cursor keeps answering the node it stands on")
        << pair + "; hit 75 75; hit 120 120" << 75.0f << 75.0f << "B"
        << "B.maxX";

    const QString ties = QStringLiteral("ins A 10 0 10 10; ins B 10 50 10 10");
    QTest::newRow("a miss leaves the cursor at the end of the walk") << ties << 5.0f << 5.0f << "-"
                                                                     << "A.minX";
    // x equals the cursor's value, so the walk goes down while B lies entirely above:
    // the walk must turn round instead of answering none.
    QTest::newRow("containing node on the other side of the cursor is found")
        << ties + "; hit 5 5" << 10.0f << 55.0f << "B"
        << "B.minX";
    QTest::newRow("just right of the cursor's value") << ties + "; hit 5 5" << 10.5f << 55.0f << "B"
                                                      << "B.minX";

    // The list reads B.minX=12 B.midX=14.5 A.minX=30 B.maxX=17 A.midX=35 A.maxX=40.
    const QString disorder =
        QStringLiteral("ins A 10 0 10 10; ins B 12 0 5 10; frame A 30 0 10 10");
    QTest::newRow("out of order list, going down") << disorder << 16.0f << 5.0f << "B"
                                                   << "B.maxX";
    QTest::newRow("out of order list, miss") << disorder << 25.0f << 5.0f << "-"
                                             << "B.minX";
    QTest::newRow("out of order list, from the far end")
        << disorder + "; hit 25 5" << 39.0f << 5.0f << "A"
        << "A.minX";

    QTest::newRow("negative width is never found") << "ins A 20 0 -10 10" << 15.0f << 5.0f << "-"
                                                   << "A.minX";
    QTest::newRow("negative width, at its stored left edge")
        << "ins A 20 0 -10 10" << 20.0f << 5.0f << "-"
        << "A.maxX";
    QTest::newRow("zero size found at its point") << "ins A 10 10 0 0" << 10.0f << 10.0f << "A"
                                                  << "A.midX";
    QTest::newRow("zero size, next to its point") << "ins A 10 10 0 0" << 10.0f << 10.01f << "-"
                                                  << "A.minX";
}

void TestZPLayoutWeb::hitTest() {
    QFETCH(QString, script);
    QFETCH(float, x);
    QFETCH(float, y);
    ScriptedWeb web;
    web.run(script);
    const ZPLayoutNode* node = ZPLayoutWebNodeAtPoint(web.web(), ZPMakePoint(x, y));
    QTEST(web.nodeName(node), "found");
    QTEST(web.entryName(web.web()->xCursor), "xCursorAfter");
}

void TestZPLayoutWeb::frameBeforeInsertOnlyStoresValues() {
    auto object = std::make_shared<ZPObject>();
    ZPLayoutNode* node = ZPLayoutNodeCreate(object);
    QCOMPARE(object.use_count(), 2L);
    for (const ZPLayoutEntry& entry : node->entries) {
        QCOMPARE(entry.node, node);
        QCOMPARE(entry.value, 0.0f);
    }
    ZPLayoutNodeSetFrame(node, ZPMakeRect(10, 20, 30, 40));
    for (const ZPLayoutEntry& entry : node->entries) {
        QVERIFY(entry.greater == nullptr);
        QVERIFY(entry.lesser == nullptr);
    }
    QVERIFY(ZPEqualRects(ZPLayoutNodeFrame(node), ZPMakeRect(10, 20, 30, 40)));
    ZPLayoutNodeDestroy(node);
    QCOMPARE(object.use_count(), 1L);
}

void TestZPLayoutWeb::frameReadsBackInSinglePrecision() {
    // The frame is rebuilt from edges, so a width that does not survive x + width in
    // single precision reads back as the float difference.
    ZPLayoutNode* node = ZPLayoutNodeCreate(std::make_shared<ZPObject>());
    ZPLayoutNodeSetFrame(node, ZPMakeRect(16777216.0f, 0.0f, 1.0f, 3.0f));
    QCOMPARE(node->entries[ZPLayoutMaxX].value, 16777216.0f);
    QCOMPARE(ZPLayoutNodeFrame(node).width, 0.0f);
    QCOMPARE(node->entries[ZPLayoutMidY].value, 1.5f);
    ZPLayoutNodeDestroy(node);
}

void TestZPLayoutWeb::onlyCreationAllocates() {
    ZPLayoutWeb* web = ZPLayoutWebCreate();
    std::vector<ZPLayoutNode*> nodes;
    for (int i = 0; i < 20; ++i)
        nodes.push_back(ZPLayoutNodeCreate(std::make_shared<ZPObject>()));
    const long before = allocationCount.load();
    for (int i = 0; i < 20; ++i) {
        ZPLayoutNodeSetFrame(nodes[i], ZPMakeRect(float(i * 7 % 30), float(i), 10, 10));
        ZPLayoutWebInsertNode(nodes[i], web);
    }
    for (int i = 0; i < 20; ++i)
        ZPLayoutNodeSetFrame(nodes[i], ZPMakeRect(float(i * 13 % 40), float(i % 5), 5, 5));
    for (int i = 0; i < 50; ++i)
        ZPLayoutWebNodeAtPoint(web, ZPMakePoint(float(i), float(i % 7)));
    for (ZPLayoutNode* node : nodes)
        ZPLayoutWebRemoveNode(node, web);
    QCOMPARE(allocationCount.load(), before);
    for (ZPLayoutNode* node : nodes)
        ZPLayoutNodeDestroy(node);
    ZPLayoutWebDestroy(web);
}

namespace {

// Checks one axis list through its cursor: symmetric links, and every entry of every
// inserted node reached exactly once. Answers an error text, empty when sound.
QString checkList(const ZPLayoutEntry* cursor, const std::set<ZPLayoutNode*>& inserted,
                  int firstEntry) {
    if (inserted.empty())
        return cursor == nullptr ? QString() : QStringLiteral("cursor on an empty list");
    if (cursor == nullptr)
        return QStringLiteral("no cursor on a list with entries");
    const ZPLayoutEntry* e = cursor;
    size_t guard = 0;
    while (e->lesser != nullptr && guard++ < 3 * inserted.size() + 3)
        e = e->lesser;
    std::set<const ZPLayoutEntry*> seen;
    bool cursorSeen = false;
    for (; e != nullptr; e = e->greater) {
        if (!seen.insert(e).second)
            return QStringLiteral("an entry reached twice");
        if (e->greater != nullptr && e->greater->lesser != e)
            return QStringLiteral("greater link not mirrored");
        if (e->lesser != nullptr && e->lesser->greater != e)
            return QStringLiteral("lesser link not mirrored");
        if (inserted.count(e->node) == 0)
            return QStringLiteral("entry of a node that is not inserted");
        const long index = e - e->node->entries;
        if (index < firstEntry || index > firstEntry + 2)
            return QStringLiteral("entry in the wrong axis list");
        cursorSeen = cursorSeen || e == cursor;
    }
    if (!cursorSeen)
        return QStringLiteral("cursor not in its list");
    if (seen.size() != 3 * inserted.size())
        return QStringLiteral("list does not hold every entry");
    return QString();
}

bool contains(const ZPLayoutNode* node, ZPPoint p) {
    const ZPLayoutEntry* e = node->entries;
    return e[ZPLayoutMinX].value <= p.x && p.x <= e[ZPLayoutMaxX].value &&
           e[ZPLayoutMinY].value <= p.y && p.y <= e[ZPLayoutMaxY].value;
}

} // namespace

void TestZPLayoutWeb::randomOperationsKeepInvariants() {
    std::mt19937 random(20240601);
    // A small coordinate range with integer and half values makes ties and overlaps
    // common; widths include zero and negatives.
    const auto coordinate = [&] { return float(int(random() % 81) - 10) * 0.5f; };
    const auto length = [&] { return float(int(random() % 41) - 6) * 0.5f; };
    const auto frame = [&] { return ZPMakeRect(coordinate(), coordinate(), length(), length()); };

    ZPLayoutWeb* web = ZPLayoutWebCreate();
    std::vector<ZPLayoutNode*> nodes;
    for (int step = 0; step < 4000; ++step) {
        const unsigned op = random() % 10;
        // At most 60 nodes, so removals keep emptying and refilling the lists.
        if ((op < 3 && nodes.size() < 60) || nodes.empty()) {
            ZPLayoutNode* node = ZPLayoutNodeCreate(std::make_shared<ZPObject>());
            ZPLayoutNodeSetFrame(node, frame());
            ZPLayoutWebInsertNode(node, web);
            nodes.push_back(node);
        } else if (op < 6) {
            ZPLayoutNodeSetFrame(nodes[random() % nodes.size()], frame());
        } else if (op < 8) {
            const size_t index = random() % nodes.size();
            ZPLayoutWebRemoveNode(nodes[index], web);
            ZPLayoutNodeDestroy(nodes[index]);
            nodes.erase(nodes.begin() + long(index));
        } else {
            const ZPPoint p = ZPMakePoint(coordinate(), coordinate());
            bool anyContains = false;
            for (const ZPLayoutNode* node : nodes)
                anyContains = anyContains || contains(node, p);
            const ZPLayoutNode* found = ZPLayoutWebNodeAtPoint(web, p);
            QVERIFY2(anyContains == (found != nullptr), qPrintable(QString::number(step)));
            if (found != nullptr) {
                QVERIFY(contains(found, p));
                QCOMPARE(web->xCursor->node, found);
            }
        }
        const std::set<ZPLayoutNode*> inserted(nodes.begin(), nodes.end());
        const QString x = checkList(web->xCursor, inserted, ZPLayoutMinX);
        QVERIFY2(x.isEmpty(), qPrintable(QStringLiteral("X list, step %1: %2").arg(step).arg(x)));
        const QString y = checkList(web->yCursor, inserted, ZPLayoutMinY);
        QVERIFY2(y.isEmpty(), qPrintable(QStringLiteral("Y list, step %1: %2").arg(step).arg(y)));
    }
    for (ZPLayoutNode* node : nodes) {
        ZPLayoutWebRemoveNode(node, web);
        ZPLayoutNodeDestroy(node);
    }
    QVERIFY(web->xCursor == nullptr && web->yCursor == nullptr);
    ZPLayoutWebDestroy(web);
}

QTEST_APPLESS_MAIN(TestZPLayoutWeb)
#include "tst_ZPLayoutWeb.moc"
