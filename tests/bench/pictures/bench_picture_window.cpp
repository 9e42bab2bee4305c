// "Where the Tax Goes" following a calculation that taxes 300 special
// districts: the picture made from the estimate and drawn at the size the
// window shows it, as one calculation costs the open window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>

#include <string>

#include "calc/estimate.h"
#include "pictures/frmWhereTaxGoes.h"
#include "platform/picture_view.h"
#include "platform/platform.h"
#include "ratedata/rate_file.h"

namespace levywise {
namespace {

EstimateRecord EstimateWith300Districts() {
    std::string text = "TaxRates v3.54\tBenchmark\tLarge\t\r\n101\tTHE COUNTY\tK\tN\t0.5\r\n"
                       "201\tTHE CITY\tC\tN\t0.25\r\n901\tTHE SCHOOL\tI\tN\t1.2\r\n";
    for (int i = 0; i < 300; ++i)
        text += std::to_string(100 + i) + "\tDISTRICT " + std::to_string((i * 7919) % 997) +
                " CAF\xC9\tS\tY\t0." + std::to_string(1000 + i) + "\r\n";
    modMain data;
    InstallRateTable(data, ParseRateFile(text, "bench").contents);
    EstimateRequest in;
    in.Value = "250000";
    in.County = "101";
    in.City = "201";
    in.School = "901";
    EstimateRecord record;
    if (Estimate(LoadedTable(std::move(data), {}), in, record) || record.Districts.size() != 300)
        qFatal("not 300 districts taxed");
    return record;
}

void BM_WhereTheTaxGoesWindowWith300Districts(benchmark::State& state) {
    const EstimateRecord record = EstimateWith300Districts();
    QtPlatform platform;
    frmWhereTaxGoes window(platform);
    window.show();
    auto* picture = window.findChild<PictureView*>(QStringLiteral("picWhereTaxGoes"));
    QApplication::processEvents();
    for (auto _ : state) {
        window.ShowEstimate(record);
        QPixmap shown = picture->grab();
        benchmark::DoNotOptimize(shown);
    }
    state.counters["width"] = picture->width();
    state.counters["height"] = picture->height();
}
BENCHMARK(BM_WhereTheTaxGoesWindowWith300Districts)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace levywise

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
