#include "cli/batch_estimator.h"

#include <algorithm>

#include "ratedata/text.h"

namespace levywise::cli {
namespace {

bool fail(std::string& error, std::string_view what, std::string_view text) {
    error.assign(what);
    error += " \"";
    error += text;
    error += '"';
    return false;
}

bool readHomestead(std::string_view text, bool& ghs, std::string& error) {
    text = Trimmed(text);
    if (text.empty() || EqualsIgnoringCase(text, "n")) {
        ghs = false;
    } else if (EqualsIgnoringCase(text, "y")) {
        ghs = true;
    } else {
        return fail(error, "homestead must be Y or N, not", text);
    }
    return true;
}

bool readExemption(std::string_view text, AgeOption& age, std::string& error) {
    text = Trimmed(text);
    if (text.empty()) {
        age = AgeOption::Neither;
    } else if (EqualsIgnoringCase(text, "over65")) {
        age = AgeOption::O65;
    } else if (EqualsIgnoringCase(text, "disabled")) {
        age = AgeOption::DP;
    } else {
        return fail(error, "exemption must be empty, over65 or disabled, not", text);
    }
    return true;
}

bool readVeteran(std::string_view text, VetOption& vet, std::string& error) {
    text = Trimmed(text);
    static constexpr VetOption kBrackets[] = {VetOption::Vet1, VetOption::Vet2, VetOption::Vet3,
                                              VetOption::Vet4};
    if (text.empty()) {
        vet = VetOption::None;
    } else if (text.size() == 1 && text[0] >= '1' && text[0] <= '4') {
        vet = kBrackets[text[0] - '1'];
    } else {
        return fail(error, "veteran must be empty or 1 to 4, not", text);
    }
    return true;
}

} // namespace

BatchEstimator::BatchEstimator(const modMain& data)
    : codes_(data), engine_(data) {
    chosen_.reserve(static_cast<std::size_t>(data.SpclCount));
}

bool BatchEstimator::estimate(const BatchRow& row, EstimateFigures& figures, std::string& error) {
    EstimateRequest request;
    const ListEntry* county = codes_.county(row.County);
    if (!county) return fail(error, "unknown county code", Trimmed(row.County));
    const ListEntry* city = codes_.city(row.City);
    if (!city) return fail(error, "unknown city code", Trimmed(row.City));
    const ListEntry* school = codes_.school(row.School);
    if (!school) return fail(error, "unknown school code", Trimmed(row.School));
    if (!readHomestead(row.Homestead, request.GHS, error) || !readExemption(row.Exemption, request.Age, error) ||
        !readVeteran(row.Veteran, request.Vet, error))
        return false;

    const std::string_view specials = Trimmed(row.Specials);
    if (specials.empty()) {
        request.Districts = codes_.defaultDistricts();
    } else if (EqualsIgnoringCase(specials, "none")) {
        request.Districts = {};
    } else {
        chosen_.clear();
        if (const auto unknown = codes_.districtsOf(specials, ';', chosen_))
            return fail(error, "unknown special district code", *unknown);
        request.Districts = chosen_;
    }

    request.County = county->Unit;
    request.City = city->Unit;
    request.School = school->Unit;
    request.TaxDistricts = !county->NoCounty;
    request.AprValText = row.Value;
    const std::string_view failure = engine_.compute(request, figures);
    if (failure.empty()) return true;
    error = failure;
    return false;
}

} // namespace levywise::cli
