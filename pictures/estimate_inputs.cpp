#include "pictures/estimate_inputs.h"

#include <charconv>

namespace levywise {
namespace {

// A unit's code as its list entry has it; empty for none.
std::string codeOf(const EstimateRecord& record, const UnitEstimate& unit) {
    if (!unit.Unit || unit.Unit == &record.Rates->Data.RateTbl[0]) return {};
    return unit.Unit->Code.str();
}

// The shortest digits that read back as the same value, never with an exponent.
std::string valueText(double value) {
    char digits[400];
    const auto end = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed);
    return std::string(digits, end.ptr);
}

} // namespace

EstimateInputs::EstimateInputs(const EstimateRecord& record)
    : value_(valueText(record.AprVal)), county_(codeOf(record, record.County)),
      city_(codeOf(record, record.City)), school_(codeOf(record, record.School)), ghs_(record.GHS),
      age_(record.Age), vet_(record.Vet) {
    for (const DistrictEstimate& d : record.Districts)
        districts_.push_back(record.district(d).Code.str());
    districtViews_.assign(districts_.begin(), districts_.end());
}

EstimateRequest EstimateInputs::Request() const {
    EstimateRequest request;
    request.Value = value_;
    request.County = county_;
    request.City = city_;
    request.School = school_;
    // The districts this estimate taxed, not each table's own defaults.
    request.Districts = DistrictChoice::Listed;
    request.DistrictCodes = districtViews_;
    request.GHS = ghs_;
    request.Age = age_;
    request.Vet = vet_;
    return request;
}

} // namespace levywise
