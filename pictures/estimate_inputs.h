#pragma once

#include <string>
#include <vector>

#include "calc/estimate.h"

namespace levywise {

// What an estimate was asked for, kept so that it can be asked of another
// rate table: the value, the units and the special districts by code.
class EstimateInputs {
public:
    explicit EstimateInputs(const EstimateRecord& record);
    EstimateInputs(const EstimateInputs&) = delete;
    EstimateInputs& operator=(const EstimateInputs&) = delete;

    // Valid as long as this object is.
    EstimateRequest Request() const;

private:
    std::string value_, county_, city_, school_;
    std::vector<std::string> districts_;
    std::vector<std::string_view> districtViews_;
    bool ghs_;
    AgeOption age_;
    VetOption vet_;
};

} // namespace levywise
