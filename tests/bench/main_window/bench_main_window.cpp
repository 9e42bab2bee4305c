// The main window's two heavy moments: loading a full 500-unit rate file
// through "Open Tax Rate File" (read, sort, fill the lists, first estimate)
// and one Calculate, each with the repaint that shows it.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QWindow>

#include "app/frmMain.h"
#include "common/fake_platform.h"
#include "ratedata/mod_main.h"
#include "specials/frmCfgSpcl.h"

using namespace levywise;

namespace {

// 497 units and the three the program adds: as large as a table gets.
QByteArray FullRateFile() {
    QByteArray text = "TaxRates v3.54\t2026 Certified\tBench\t\r\n";
    const char types[] = {'K', 'C', 'I', 'S'};
    for (int i = 0; i < 497; ++i) {
        const char type = types[i % 4];
        // Names in scrambled order so the sort has work to do.
        const int key = (i * 7919) % 997;
        text += QByteArray::number(101 + i) + '\t' + "UNIT " + QByteArray::number(key) + " OF " +
                type + '\t' + type + '\t' + (i % 3 == 0 ? "Y" : "N") + '\t' + "0.41" +
                QByteArray::number(i % 90) +
                "\t5000\t10000\t10000\t20%\t10%\t\t\t\t5000\t7500\t10000\t12000\t\t\t\t\r\n";
    }
    return text;
}

template <class T>
T* Find(QWidget& window, const char* name) {
    return window.findChild<T*>(QLatin1String(name));
}

// Counts the paint events a widget receives, to show the repaint is real.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return QObject::eventFilter(watched, event);
    }
};

// Paints what changed, as the event loop does right after a handler; with
// everything set, draws the whole window anew as well (the worst case).
void ShowOnScreen(QWidget& window, bool everything) {
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (everything) {
        static QImage canvas(window.size(), QImage::Format_ARGB32_Premultiplied);
        window.render(&canvas);
    }
}

struct Rig {
    QTemporaryDir folder;
    modMain data;
    test::FakePlatform platform;
    frmMain window{data, platform};
    QString file;

    Rig() {
        platform.currentDir = folder.path();
        file = folder.filePath(QStringLiteral("taxrate.tab"));
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly)) qFatal("cannot write the rate file");
        out.write(FullRateFile());
        out.close();
        window.specials(); // built, so that each load fills it too
        window.Form_Load();
        window.show();
        QElapsedTimer waited;
        waited.start();
        while (!(window.windowHandle() && window.windowHandle()->isExposed()) &&
               waited.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        if (!window.windowHandle()->isExposed()) qFatal("the window was never shown");
        if (data.LoadedCount != 500) qFatal("the rate file did not load: %d", data.LoadedCount);
    }
};

void LoadThroughFileMenu(benchmark::State& state) {
    Rig rig;
    PaintCounter counter(Find<QLabel>(rig.window, "lblTotTax"));
    for (auto _ : state) {
        rig.platform.openAnswers.push_back(rig.file);
        Find<QAction>(rig.window, "menuOpen")->trigger();
        ShowOnScreen(rig.window, state.range(0) != 0);
    }
    if (!rig.platform.messages.empty()) state.SkipWithError("a message box was shown");
    state.counters["units"] = rig.data.LoadedCount;
    state.counters["paints"] =
        benchmark::Counter(counter.paints, benchmark::Counter::kAvgIterations);
}
BENCHMARK(LoadThroughFileMenu)
    ->ArgName("wholeWindowDrawn")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

void CalculateAndRepaint(benchmark::State& state) {
    Rig rig;
    Find<QLineEdit>(rig.window, "txtAprVal")->setText(QStringLiteral("250,000"));
    for (const char* name : {"comboCounties", "comboCities", "comboSchools"}) {
        QComboBox* list = Find<QComboBox>(rig.window, name);
        list->setCurrentIndex(list->count() - 1);
    }
    PaintCounter counter(Find<QLabel>(rig.window, "lblTotTax"));
    // Two values in turn, so every figure changes and is painted anew.
    const QString values[] = {QStringLiteral("250,000"), QStringLiteral("187,654.32")};
    int turn = 0;
    for (auto _ : state) {
        Find<QLineEdit>(rig.window, "txtAprVal")->setText(values[turn ^= 1]);
        rig.window.Command1_Click();
        ShowOnScreen(rig.window, state.range(0) != 0);
    }
    if (!rig.platform.messages.empty()) state.SkipWithError("a message box was shown");
    state.counters["paints"] =
        benchmark::Counter(counter.paints, benchmark::Counter::kAvgIterations);
}
BENCHMARK(CalculateAndRepaint)
    ->ArgName("wholeWindowDrawn")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);

} // namespace
