// Opening the estimate worksheet's print preview: the document made from an
// estimate with 40 special districts, laid out on the printer's pages and
// shown.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPrintPreviewWidget>

#include "calc/estimate.h"
#include "platform/print_document.h"
#include "ratedata/mod_main.h"
#include "ratedata/rate_file.h"
#include "report/worksheet_html.h"

using namespace levywise;

namespace {

// A county with three units and 40 special districts, every one selected.
EstimateRecord EstimateWithFortyDistricts() {
    std::string text = "TaxRates v3.54\t2026 Certified\tBench\t\r\n";
    const auto unit = [&](int code, const std::string& name, char type) {
        text +=
            std::to_string(code) + '\t' + name + '\t' + type +
            "\tY\t0.4127\t5000\t10000\t10000\t20%\t10%\t\t\t\t5000\t7500\t10000\t12000\t\t\t\t\r\n";
    };
    unit(101, "BENCH COUNTY", 'K');
    unit(201, "CITY OF BENCH", 'C');
    unit(901, "BENCH ISD", 'I');
    for (int i = 0; i < 40; ++i) unit(301 + i, "BENCH MUD " + std::to_string(i + 1), 'S');
    const RateFileRead read = ParseRateFile(text, "bench.tab");
    if (read.status != RateFileStatus::Loaded) qFatal("%s", read.error.message().c_str());
    modMain data;
    InstallRateTable(data, read.contents);

    EstimateRequest in;
    in.Value = "431,829";
    in.County = "101";
    in.City = "201";
    in.School = "901";
    in.GHS = true;
    EstimateRecord record;
    const auto error = Estimate(
        LoadedTable(std::move(data), {"/srv/rates/bench.tab", "2026 Certified"}), in, record);
    if (error || record.Districts.size() != 40) qFatal("the estimate did not tax 40 districts");
    return record;
}

void OpenWorksheetPreview(benchmark::State& state) {
    const EstimateRecord record = EstimateWithFortyDistricts();
    int pages = 0;
    for (auto _ : state) {
        const QString html = QString::fromStdString(WorksheetHtml(record, "2026-12-07"));
        DocumentPreview preview(html, QStringLiteral("Property Tax Estimate"), nullptr);
        preview.dialog().show(); // lays the pages out
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        pages = preview.dialog().findChild<QPrintPreviewWidget*>()->pageCount();
        preview.dialog().close();
    }
    if (pages < 2) state.SkipWithError("the preview holds no pages");
    state.counters["pages"] = pages;
}
BENCHMARK(OpenWorksheetPreview)->Unit(benchmark::kMillisecond);

} // namespace
