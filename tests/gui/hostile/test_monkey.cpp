// A long run of random clicks, keys and commands over the three windows,
// with the program's invariants checked as it goes: tables and lists agree,
// figures are money texts from one estimate, and Calculate still answers.
// The run is fixed by its seed, printed at the start; set
// LEVYWISE_MONKEY_SEED and LEVYWISE_MONKEY_ACTIONS to replay or lengthen it.
#include <QElapsedTimer>

#include "hostile/monkey.h"

using namespace levywise;
using namespace levywise::test;
using namespace std::chrono_literals;

namespace {

constexpr unsigned kDefaultSeed = 20260706;
constexpr int kDefaultActions = 3000;
constexpr int kCheckEvery = 25;

int FromEnvironment(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

} // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

private slots:
    void randomUseKeepsTheProgramWhole();
};

void MonkeyTest::randomUseKeepsTheProgramWhole() {
    const auto seed = static_cast<unsigned>(FromEnvironment("LEVYWISE_MONKEY_SEED", kDefaultSeed));
    const int actions = FromEnvironment("LEVYWISE_MONKEY_ACTIONS", kDefaultActions);
    qInfo("monkey: seed %u, %d actions", seed, actions);
    Watchdog watchdog(100s, "the monkey run (seed " + std::to_string(seed) + ")");
    QApplication::setQuitOnLastWindowClosed(false);

    HostileRig rig;
    rig.startWith(rig.write(QStringLiteral("start.tab"), WholeCounty()));
    rig.show();
    QVERIFY(rig.platform.messages.empty());
    Monkey monkey(rig, seed, watchdog);

    QElapsedTimer clock;
    clock.start();
    for (int n = 1; n <= actions; ++n) {
        monkey.act(n);
        if (n % kCheckEvery != 0 && n != actions) continue;
        const QString broken = monkey.brokenInvariant();
        QVERIFY2(broken.isEmpty(),
                 qPrintable(QStringLiteral("after action %1 of seed %2: %3\nlast actions:\n%4")
                                .arg(n)
                                .arg(seed)
                                .arg(broken, monkey.recentActions())));
    }
    qInfo("monkey: %d actions in %lld ms, %zu messages answered", actions,
          static_cast<long long>(clock.elapsed()), rig.platform.messages.size());
}

QTEST_MAIN(MonkeyTest)
#include "test_monkey.moc"
