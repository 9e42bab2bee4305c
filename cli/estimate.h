#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "calc/estimate.h"

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

// How a command names the estimate a problem is with.
struct EstimateSide {
    std::string_view Who = "levywise-cli: "; // before each message
    std::string_view Dashes = "--";          // before each option's name
};

// One estimate worked out as the options say, with the table it was made on.
struct WorkedEstimate {
    std::unique_ptr<LoadedTable> Table;
    EstimateRecord Record;
};

// The request the options ask for, strict as the command line is; codes
// holds the district codes it points into.
EstimateRequest RequestOf(const EstimateOptions& options, std::vector<std::string_view>& codes);

// Whether --special names no district at all, said on err if so: an empty
// shell variable must not quietly leave every district out.
bool NamesNoDistrict(const EstimateOptions& options, std::ostream& err, const EstimateSide& side);

// Loads the rate file and works out the estimate the options ask for into
// worked. On a problem writes it to err and returns the exit status; else
// kExitDone.
int WorkOutEstimate(const EstimateOptions& options, WorkedEstimate& worked, std::ostream& err,
                    EstimateSide side = {});

// Today's local date, as the worksheet and the comparison carry it: "2026-12-07".
std::string TodayText();

// Estimates one property and prints the estimate to out; problems go to err.
// Returns the exit status.
int RunEstimate(const EstimateOptions& options, OutputFormat format, std::ostream& out,
                std::ostream& err);

} // namespace levywise::cli
