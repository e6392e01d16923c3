// Synchronous delivery by name and object, and observers that come and go while a
// notification is being delivered.
#include "ZPNotificationCenter.h"

#include <QTest>

#include <string>
#include <vector>

namespace {

// Each test uses its own centre so that nothing leaks between tests.
struct Log {
    std::vector<std::string> entries;
    ZPNotificationCenter::Handler record(const std::string& who) {
        return [this, who](const ZPNotification&) { entries.push_back(who); };
    }
};

const std::string kName = "ZPTestNotification";
const std::string kOther = "ZPOtherNotification";

} // namespace

class TestZPNotificationCenter : public QObject {
    Q_OBJECT
private slots:
    void deliveryByNameAndObject_data();
    void deliveryByNameAndObject();
    void deliveredInRegistrationOrderWithNameAndObject();
    void removal();
    void observerRemovedByAnEarlierOneIsNotCalled();
    void observerRemovingItselfDuringDelivery();
    void observerAddedDuringDeliveryWaitsForTheNextPost();
    void defaultCenterIsOneObject();
};

void TestZPNotificationCenter::deliveryByNameAndObject_data() {
    QTest::addColumn<QString>("postedName");
    QTest::addColumn<int>("postedBy"); // 0 none, 1 sender A, 2 sender B
    QTest::addColumn<QStringList>("called");

    QTest::newRow("A's post reaches A's and any-object observers")
        << QString::fromStdString(kName) << 1 << QStringList{"forA", "forAny"};
    QTest::newRow("B's post reaches only the any-object observer")
        << QString::fromStdString(kName) << 2 << QStringList{"forAny"};
    QTest::newRow("a post with no object reaches only the any-object observer")
        << QString::fromStdString(kName) << 0 << QStringList{"forAny"};
    QTest::newRow("another name reaches its own observer only")
        << QString::fromStdString(kOther) << 1 << QStringList{"otherName"};
    QTest::newRow("a name nobody observes") << "Nobody" << 1 << QStringList{};
}

void TestZPNotificationCenter::deliveryByNameAndObject() {
    QFETCH(QString, postedName);
    QFETCH(int, postedBy);
    QFETCH(QStringList, called);

    int senderA = 0, senderB = 0;
    const void* senders[] = {nullptr, &senderA, &senderB};
    int observer1 = 0, observer2 = 0, observer3 = 0;
    ZPNotificationCenter center;
    Log log;
    center.addObserver(&observer1, kName, &senderA, log.record("forA"));
    center.addObserver(&observer2, kName, nullptr, log.record("forAny"));
    center.addObserver(&observer3, kOther, nullptr, log.record("otherName"));

    center.postNotificationName(postedName.toStdString(), senders[postedBy]);
    QStringList got;
    for (const std::string& e : log.entries)
        got << QString::fromStdString(e);
    QCOMPARE(got, called);
}

void TestZPNotificationCenter::deliveredInRegistrationOrderWithNameAndObject() {
    ZPNotificationCenter center;
    int sender = 0, first = 0, second = 0;
    std::vector<ZPNotification> seen;
    std::vector<int> order;
    center.addObserver(&second, kName, nullptr, [&](const ZPNotification& n) {
        seen.push_back(n);
        order.push_back(2);
    });
    center.addObserver(&first, kName, &sender, [&](const ZPNotification&) { order.push_back(1); });
    center.postNotificationName(kName, &sender);
    QCOMPARE(order, (std::vector<int>{2, 1}));
    QCOMPARE(seen.size(), size_t(1));
    QCOMPARE(seen[0].name, kName);
    QCOMPARE(seen[0].object, static_cast<const void*>(&sender));
}

void TestZPNotificationCenter::removal() {
    ZPNotificationCenter center;
    int sender = 0, observer = 0, bystander = 0;
    Log log;
    center.addObserver(&observer, kName, &sender, log.record("name+sender"));
    center.addObserver(&observer, kName, nullptr, log.record("name"));
    center.addObserver(&observer, kOther, nullptr, log.record("other"));
    center.addObserver(&bystander, kName, nullptr, log.record("bystander"));

    // Removal by name and object matches exactly: the any-object observation stays.
    center.removeObserver(&observer, kName, &sender);
    center.postNotificationName(kName, &sender);
    QCOMPARE(log.entries, (std::vector<std::string>{"name", "bystander"}));
    QCOMPARE(center.observationCount(), size_t(3));

    // Removing everything of one observer leaves the others.
    log.entries.clear();
    center.removeObserver(&observer);
    center.postNotificationName(kName, &sender);
    center.postNotificationName(kOther, &sender);
    QCOMPARE(log.entries, (std::vector<std::string>{"bystander"}));
    QCOMPARE(center.observationCount(), size_t(1));

    // Removing what is not registered changes nothing.
    center.removeObserver(&observer);
    center.removeObserver(&bystander, kOther, nullptr);
    QCOMPARE(center.observationCount(), size_t(1));
}

void TestZPNotificationCenter::observerRemovedByAnEarlierOneIsNotCalled() {
    ZPNotificationCenter center;
    int first = 0, second = 0, third = 0;
    Log log;
    center.addObserver(&first, kName, nullptr, [&](const ZPNotification&) {
        log.entries.push_back("first");
        center.removeObserver(&second);
    });
    center.addObserver(&second, kName, nullptr, log.record("second"));
    center.addObserver(&third, kName, nullptr, log.record("third"));
    center.postNotificationName(kName, nullptr);
    QCOMPARE(log.entries, (std::vector<std::string>{"first", "third"}));
}

void TestZPNotificationCenter::observerRemovingItselfDuringDelivery() {
    ZPNotificationCenter center;
    int self = 0, after = 0;
    Log log;
    // The handler's own captures must stay alive while it runs after its removal.
    const std::string word = "self, still alive";
    center.addObserver(&self, kName, nullptr, [&center, &self, &log, word](const ZPNotification&) {
        center.removeObserver(&self);
        log.entries.push_back(word);
    });
    center.addObserver(&after, kName, nullptr, log.record("after"));
    center.postNotificationName(kName, nullptr);
    center.postNotificationName(kName, nullptr);
    QCOMPARE(log.entries, (std::vector<std::string>{word, "after", "after"}));
}

void TestZPNotificationCenter::observerAddedDuringDeliveryWaitsForTheNextPost() {
    ZPNotificationCenter center;
    int adder = 0, added = 0;
    Log log;
    bool addedOnce = false;
    center.addObserver(&adder, kName, nullptr, [&](const ZPNotification&) {
        log.entries.push_back("adder");
        if (!addedOnce) {
            addedOnce = true;
            center.addObserver(&added, kName, nullptr, log.record("added"));
        }
    });
    center.postNotificationName(kName, nullptr);
    QCOMPARE(log.entries, (std::vector<std::string>{"adder"}));
    center.postNotificationName(kName, nullptr);
    QCOMPARE(log.entries, (std::vector<std::string>{"adder", "adder", "added"}));
}

void TestZPNotificationCenter::defaultCenterIsOneObject() {
    QCOMPARE(&ZPNotificationCenter::defaultCenter(), &ZPNotificationCenter::defaultCenter());
}

QTEST_APPLESS_MAIN(TestZPNotificationCenter)
#include "tst_ZPNotificationCenter.moc"
