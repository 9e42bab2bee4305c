// Drawing the "where the tax goes" picture of 300 districts into an image,
// as a window will; the SVG text is made once, outside the timing.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <string>
#include <vector>

#include "charts/where_tax_goes.h"

namespace {

QByteArray picture() {
    std::vector<levywise::TaxShare> shares;
    std::int64_t total = 0;
    for (int i = 0; i < 303; ++i) {
        const std::int64_t cents = (i * 7919) % 997 * 100 + 5;
        shares.push_back({"DISTRICT " + std::to_string(i) + " OF THE COUNTY", cents});
        total += cents;
    }
    return QByteArray::fromStdString(levywise::WhereTheTaxGoesPicture(shares, total).Svg);
}

void BM_RenderWhereTheTaxGoesWith300Districts(benchmark::State& state) {
    const QByteArray svg = picture();
    for (auto _ : state) {
        QSvgRenderer renderer(svg);
        QImage image(renderer.defaultSize(), QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_RenderWhereTheTaxGoesWith300Districts)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
