#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "cli/estimate.h"

namespace levywise::cli {

// The command-line options of one estimate, as added to a command.
struct EstimateOptionSet {
    std::string Prefix; // "" for estimate's own options, "b-" for compare's scenario B
    CLI::Option *Rates = nullptr, *Value = nullptr, *County = nullptr, *City = nullptr;
    CLI::Option *School = nullptr, *Special = nullptr, *Veteran = nullptr;
    CLI::Option *Homestead = nullptr, *Over65 = nullptr, *Disabled = nullptr;
    // Only with a prefix: the means to clear a choice the estimate would take over.
    CLI::Option *NoHomestead = nullptr, *Neither = nullptr;
};

// Adds the options of one estimate (--rates, --value, --county, --city,
// --school, --homestead, --over65, --disabled, --veteran, --special) to
// command, each named "--" + prefix + name, bound to options. Without a
// prefix --rates and --value are required. With one, every option is
// optional, taking the other estimate's value when not given (Defaulted),
// and three more clear a choice taken over: --<prefix>no-homestead,
// --<prefix>neither and --<prefix>veteran 0. With rateFiles, --rates may be
// given again and again, each file added to rateFiles.
EstimateOptionSet AddEstimateOptions(CLI::App& command, EstimateOptions& options,
                                     const std::string& prefix = "",
                                     std::vector<std::string>* rateFiles = nullptr);

// options as given on the command line through set, each option not given
// taken from other.
EstimateOptions Defaulted(const EstimateOptions& options, const EstimateOptionSet& set,
                          const EstimateOptions& other);

} // namespace levywise::cli
