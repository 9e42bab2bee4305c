#include <iostream>

#include "calc/totals.h"
#include "ratedata/rate_file.h"

using namespace levywise;

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : "taxrate.tab";
    const RateFileRead read = ReadRateFile(path);
    if (read.status != RateFileStatus::Loaded) {
        std::cerr << (read.status == RateFileStatus::WrongVersion ? "wrong version: " + path
                                                                   : read.error.message())
                  << '\n';
        return 1;
    }
    modMain data;
    InstallRateTable(data, read.contents);
    EstimateInput in;
    in.AprValText = argc > 2 ? argv[2] : "250,000";
    in.GHS = true;
    const auto firstOf = [&](char type) {
        const auto items = ListItemsOfType(data, type);
        return items.size() > 1 ? items[1] : items.front();
    };
    in.CountyItem = firstOf(kCountyUnit);
    in.CityItem = firstOf(kCityUnit);
    in.SchoolItem = firstOf(kSchoolUnit);
    const auto est = CalculateTaxes(data, in);
    if (!est) {
        std::cerr << est.error() << '\n';
        return 1;
    }
    std::cout << data.CountyName << " County, value " << est->County.AprVal << ", homestead\n";
    for (const UnitLabels* u : {&est->County, &est->City, &est->School})
        std::cout << "  " << u->TotName << ": " << u->TotTax << "\n";
    std::cout << "  Special districts: " << est->Totals.TotSpclTax << "\n"
              << "  Total: " << est->Totals.TotTax << "\n";
    return 0;
}
