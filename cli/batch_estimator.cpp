#include "cli/batch_estimator.h"

#include <algorithm>

namespace levywise::cli {
namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// b is lower case.
bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != b[i]) return false;
    return true;
}

bool fail(std::string& error, std::string_view what, std::string_view text) {
    error.assign(what);
    error += " \"";
    error += text;
    error += '"';
    return false;
}

bool readHomestead(std::string_view text, bool& ghs, std::string& error) {
    text = trimmed(text);
    if (text.empty() || equalsNoCase(text, "n")) {
        ghs = false;
    } else if (equalsNoCase(text, "y")) {
        ghs = true;
    } else {
        return fail(error, "homestead must be Y or N, not", text);
    }
    return true;
}

bool readExemption(std::string_view text, AgeOption& age, std::string& error) {
    text = trimmed(text);
    if (text.empty()) {
        age = AgeOption::Neither;
    } else if (equalsNoCase(text, "over65")) {
        age = AgeOption::O65;
    } else if (equalsNoCase(text, "disabled")) {
        age = AgeOption::DP;
    } else {
        return fail(error, "exemption must be empty, over65 or disabled, not", text);
    }
    return true;
}

bool readVeteran(std::string_view text, VetOption& vet, std::string& error) {
    text = trimmed(text);
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
    : codes_(data), engine_(data), chosenMark_(static_cast<std::size_t>(data.SpclCount) + 1, 0) {
    chosen_.reserve(static_cast<std::size_t>(data.SpclCount));
}

bool BatchEstimator::chooseDistricts(std::string_view specials, std::string& error) {
    chosen_.clear();
    ++row_;
    if (row_ == 0) { // the marks wrapped around: start them afresh
        std::fill(chosenMark_.begin(), chosenMark_.end(), 0);
        row_ = 1;
    }
    while (!specials.empty()) {
        const std::size_t semicolon = specials.find(';');
        const std::string_view code = trimmed(specials.substr(0, semicolon));
        specials = semicolon == std::string_view::npos ? std::string_view() : specials.substr(semicolon + 1);
        if (code.empty()) continue;
        const auto slots = codes_.districts(code);
        if (slots.empty()) return fail(error, "unknown special district code", code);
        for (const int i : slots) {
            if (chosenMark_[static_cast<std::size_t>(i)] == row_) continue;
            chosenMark_[static_cast<std::size_t>(i)] = row_;
            chosen_.push_back(i);
        }
    }
    // Districts are added up in table order, as the window adds them.
    std::sort(chosen_.begin(), chosen_.end());
    return true;
}

bool BatchEstimator::estimate(const BatchRow& row, EstimateFigures& figures, std::string& error) {
    EstimateRequest request;
    const ListEntry* county = codes_.county(row.County);
    if (!county) return fail(error, "unknown county code", trimmed(row.County));
    const ListEntry* city = codes_.city(row.City);
    if (!city) return fail(error, "unknown city code", trimmed(row.City));
    const ListEntry* school = codes_.school(row.School);
    if (!school) return fail(error, "unknown school code", trimmed(row.School));
    if (!readHomestead(row.Homestead, request.GHS, error) || !readExemption(row.Exemption, request.Age, error) ||
        !readVeteran(row.Veteran, request.Vet, error))
        return false;

    const std::string_view specials = trimmed(row.Specials);
    if (specials.empty()) {
        request.Districts = codes_.defaultDistricts();
    } else if (equalsNoCase(specials, "none")) {
        request.Districts = {};
    } else {
        if (!chooseDistricts(specials, error)) return false;
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
