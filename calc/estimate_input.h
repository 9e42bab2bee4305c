#pragma once

#include <string>

namespace levywise {

// The over-65 / disabled-person choice (one of the three is always on).
enum class AgeOption { Neither, O65, DP };

// The veteran-disability bracket (one of the five is always on).
enum class VetOption { None, Vet1, Vet2, Vet3, Vet4 };

// Everything the user has entered for one estimate, as the main window holds it.
struct EstimateInput {
    std::string AprValText; // the appraised value as typed
    std::string CountyItem; // the selected list entries (name, blanks, code); empty when none
    std::string CityItem;
    std::string SchoolItem;
    bool GHS = false; // general homestead ticked
    AgeOption Age = AgeOption::Neither;
    VetOption Vet = VetOption::None;
};

} // namespace levywise
