#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "calc/calc_result.h"
#include "calc/estimate.h"
#include "calc/estimate_input.h"
#include "calc/estimate_labels.h"
#include "calc/estimate_record.h"
#include "cli/unit_codes.h"
#include "ratedata/mod_main.h"

namespace levywise::cli {

// A special district that was taxed, with its tax in the money format.
struct TaxedDistrict {
    std::string Code;
    std::string Name; // without trailing blanks, as stored (Windows-1252)
    std::string Tax;
};

// One whole estimate as the command reports it.
struct EstimateReport {
    std::string CountyCode; // the chosen entries' codes, without trailing blanks
    std::string CityCode;
    std::string SchoolCode;
    Estimate Labels;
    std::vector<TaxedDistrict> Districts;
};

// The three unit breakdowns, the taxed districts and the totals, one figure a
// line, each the text the window shows for it.
std::string EstimateText(const EstimateReport& report);

// The same as one JSON object.
std::string EstimateJson(const EstimateReport& report);

} // namespace levywise::cli

namespace levywise::cli {

// The options of one estimate: "levywise-cli estimate", or one side of compare.
struct EstimateOptions {
    std::string Rates;
    std::string Value;
    std::string County; // codes; empty for the list's "no unit" entry
    std::string City;
    std::string School;
    bool Homestead = false;
    bool Over65 = false;
    bool Disabled = false;
    int Veteran = 0;                 // 0 for none, else the bracket 1 to 4
    std::string Special = "default"; // default, none, or codes separated by commas
};

enum class OutputFormat { Text, Json, Html };

// Whether a typed appraised value is one: the window reads a text that holds
// no number as 0 and would tax a negative value, a script means neither.
enum class ValueCheck { Amount, NoNumber, Negative };
ValueCheck CheckValue(std::string_view text);

// What is wrong with a value CheckValue refuses, after its name and text:
// "is not an amount" or "is negative".
std::string_view ValueProblem(ValueCheck check);

// Sets the districts' Selected flags as the --special option says: "default"
// keeps the file's defaults, "none" clears them all, a list of codes selects
// exactly the districts with those codes. Returns the first code that names
// no district or more than one, if any; the flags are then not to be used.
std::optional<std::string> SelectDistricts(modMain& data, const UnitCodes& codes,
                                           std::string_view special);

// The report of an estimate the engine worked out on the data's tables.
EstimateReport ReportOf(const modMain& data, const EstimateInput& input,
                        const EstimateFigures& figures);

// The whole estimate the window would show for the input, with the tax of
// each special district that went into it.
CalcResult<EstimateReport> EstimateProperty(const modMain& data, const EstimateInput& input);

// One estimate worked out as the options say, with the table it was made on.
struct WorkedEstimate {
    std::unique_ptr<modMain> Data = std::make_unique<modMain>();
    std::string TableLabel; // the rate file's header label
    EstimateInput Input;
    EstimateFigures Figures;
};

// How a command names the estimate a problem is with.
struct EstimateSide {
    std::string_view Who = "levywise-cli: "; // before each message
    std::string_view Dashes = "--";          // before each option's name
};

// Loads the rate file, finds the units and districts the options name and
// works out the estimate into worked. On a problem writes it to err and
// returns the exit status; else kExitDone.
int WorkOutEstimate(const EstimateOptions& options, WorkedEstimate& worked, std::ostream& err,
                    EstimateSide side = {});

// The record the comparison and the worksheet are made from.
EstimateRecord RecordOf(const WorkedEstimate& worked, const std::string& rates);

// Today's local date, as the worksheet and the comparison carry it: "2026-12-07".
std::string TodayText();

// Estimates one property and prints the estimate to out; problems go to err.
// Returns the exit status.
int RunEstimate(const EstimateOptions& options, OutputFormat format, std::ostream& out,
                std::ostream& err);

} // namespace levywise::cli
