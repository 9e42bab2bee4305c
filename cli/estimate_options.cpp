#include "cli/estimate_options.h"

namespace levywise::cli {
namespace {

bool given(const CLI::Option* option) { return option && option->count() > 0; }

} // namespace

EstimateOptionSet AddEstimateOptions(CLI::App& command, EstimateOptions& o,
                                     const std::string& prefix,
                                     std::vector<std::string>* rateFiles) {
    const bool second = !prefix.empty();
    const std::string dashes = "--" + prefix;
    const std::string group = second ? "Scenario B (each option defaulting to A's)" : "Options";
    const auto add = [&](CLI::Option* option) { return option->group(group); };

    EstimateOptionSet set;
    set.Prefix = prefix;
    set.Rates = add(rateFiles ? command
                                    .add_option(dashes + "rates", *rateFiles,
                                                "The tax rate files, two or more, in the order "
                                                "to show them: --rates A.tab --rates B.tab")
                                    ->expected(1)
                                    ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
                              : command.add_option(dashes + "rates", o.Rates, "The tax rate file"));
    set.Value = add(command.add_option(dashes + "value", o.Value,
                                       "The appraised value, read as the program reads it"));
    if (!second) {
        set.Rates->required();
        set.Value->required();
    }
    set.County = add(command.add_option(dashes + "county", o.County,
                                        "The county-level unit's code (default: none)"));
    set.City = add(command.add_option(dashes + "city", o.City, "The city's code (default: none)"));
    set.School = add(command.add_option(dashes + "school", o.School,
                                        "The school district's code (default: none)"));
    set.Homestead = add(command.add_flag(dashes + "homestead", o.Homestead, "General homestead"));
    set.Over65 = add(command.add_flag(dashes + "over65", o.Over65, "Over 65 or surviving spouse"));
    set.Disabled = add(command.add_flag(dashes + "disabled", o.Disabled, "Disabled person"));
    set.Over65->excludes(set.Disabled);
    set.Veteran = add(command.add_option(dashes + "veteran", o.Veteran,
                                         second ? "Veteran disability bracket: 0 (none), 1 "
                                                  "(10-30%), 2 (31-50%), 3 (51-70%) or 4 (71-100%)"
                                                : "Veteran disability bracket: 1 (10-30%), 2 "
                                                  "(31-50%), 3 (51-70%) or 4 (71-100%)"));
    set.Veteran->check(CLI::Range(second ? 0 : 1, 4));
    set.Special = add(command.add_option(dashes + "special", o.Special,
                                         "Special districts to tax: default (the file's "
                                         "defaults), none, or codes separated by commas"));
    if (second) {
        set.NoHomestead =
            add(command.add_flag(dashes + "no-homestead")->description("No general homestead"));
        set.NoHomestead->excludes(set.Homestead);
        set.Neither =
            add(command.add_flag(dashes + "neither")->description("Neither over 65 nor disabled"));
        set.Neither->excludes(set.Over65)->excludes(set.Disabled);
    }
    return set;
}

EstimateOptions Defaulted(const EstimateOptions& o, const EstimateOptionSet& set,
                          const EstimateOptions& other) {
    EstimateOptions d = other;
    if (given(set.Rates)) d.Rates = o.Rates;
    if (given(set.Value)) d.Value = o.Value;
    if (given(set.County)) d.County = o.County;
    if (given(set.City)) d.City = o.City;
    if (given(set.School)) d.School = o.School;
    if (given(set.Homestead) || given(set.NoHomestead)) d.Homestead = o.Homestead;
    if (given(set.Over65) || given(set.Disabled) || given(set.Neither)) {
        d.Over65 = o.Over65;
        d.Disabled = o.Disabled;
    }
    if (given(set.Veteran)) d.Veteran = o.Veteran;
    if (given(set.Special)) d.Special = o.Special;
    return d;
}

} // namespace levywise::cli
