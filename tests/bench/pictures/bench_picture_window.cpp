// "Where the Tax Goes" following a calculation that taxes 300 special
// districts: the picture made from the estimate and drawn at the size the
// window shows it, as one calculation costs the open window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>

#include <optional>

#include "common/large_estimate.h"
#include "pictures/frmWhereTaxGoes.h"
#include "platform/picture_view.h"
#include "platform/platform.h"

namespace levywise {
namespace {

void BM_WhereTheTaxGoesWindowWith300Districts(benchmark::State& state) {
    const std::optional<EstimateRecord> estimate = bench::EstimateWith300Districts();
    if (!estimate) {
        state.SkipWithError("not 300 districts taxed");
        return;
    }
    const EstimateRecord& record = *estimate;
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
