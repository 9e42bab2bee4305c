#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/batch_command.h"
#include "cli/batch_header.h"
#include "cli/check.h"
#include "cli/compare.h"
#include "cli/estimate.h"
#include "cli/estimate_options.h"
#include "cli/exit_status.h"
#include "cli/history.h"
#include "cli/list.h"
#include "levywise_version.h"

using namespace levywise::cli;

namespace {

void AddFormatFlags(CLI::App& command, bool& json, bool& html, const std::string& what,
                    const std::string& document) {
    CLI::Option* asJson = command.add_flag("--json", json, "Print the " + what + " as JSON");
    command.add_flag("--html", html, "Print " + document + " as an HTML document")
        ->excludes(asJson);
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"Estimates property taxes from a county's tax rate file.", "levywise-cli"};
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string("levywise-cli ") + levywise::kProgramVersion,
                         "Print the program's version and exit");
    const std::string exitStatus =
        "Exit status: 0 done; 1 a rate file refused, an estimate or a batch row failed or the "
        "output not all written; 2 a wrong command line, or a file it names missing or "
        "unreadable.";
    app.footer(exitStatus);

    EstimateOptions est;
    bool json = false, html = false;
    CLI::App* estimate = app.add_subcommand("estimate", "Estimate the taxes on one property");
    AddEstimateOptions(*estimate, est);
    AddFormatFlags(*estimate, json, html, "estimate", "the estimate worksheet");

    EstimateOptions a, b;
    CLI::App* compare =
        app.add_subcommand("compare", "Compare the taxes of two scenarios: A, and B as A but for "
                                      "the --b- options given");
    AddEstimateOptions(*compare, a);
    const EstimateOptionSet bOptions = AddEstimateOptions(*compare, b, "b-");
    AddFormatFlags(*compare, json, html, "comparison", "the comparison");

    EstimateOptions years;
    std::vector<std::string> yearFiles;
    CLI::App* history = app.add_subcommand(
        "history", "Estimate one property under several rate files, side by side, with the "
                   "change from the first file to the last");
    AddEstimateOptions(*history, years, "", &yearFiles);
    AddFormatFlags(*history, json, html, "history", "the history with its picture");

    std::string checkFile;
    CLI::App* check =
        app.add_subcommand("check", "Check a tax rate file as the program would read it");
    check->add_option("FILE", checkFile, "The tax rate file")->required();

    ListOptions list;
    std::string listFormat = "text";
    CLI::App* listing =
        app.add_subcommand("list", "List the units of a tax rate file with their rates");
    listing->add_option("FILE", list.File, "The tax rate file")->required();
    CLI::Option* sort = listing->add_option("--sort", list.Sort, "Sort by name or rate")
                            ->check(CLI::IsMember({"name", "rate"}));
    listing->add_flag("--desc", list.Descending, "Sort descending")->needs(sort);
    listing->add_option("--format", listFormat, "text, csv or json (default: text)")
        ->check(CLI::IsMember({"text", "csv", "json"}));

    BatchOptions batchOptions;
    CLI::App* batch = app.add_subcommand("batch", "Estimate every property of a CSV file");
    batch->add_option("--rates", batchOptions.Rates, "The tax rate file")->required();
    batch->add_option("--input", batchOptions.Input,
                      "The properties, CSV (default: standard input)");
    batch->add_option("--output", batchOptions.Output,
                      "The estimates, CSV (default: standard output)");
    batch->footer(BatchInputHelp() + "\n\n" + exitStatus);

    // CLI11 would only say that a command is needed; name the word it got.
    const std::string first = argc > 1 ? argv[1] : "";
    if (!first.empty() && first[0] != '-' && first != "estimate" && first != "compare" &&
        first != "history" && first != "check" && first != "list" && first != "batch") {
        std::cerr << "levywise-cli: unknown command \"" << first
                  << "\"; the commands are estimate, compare, history, check, list and batch\n"
                  << "Run with --help for more information.\n";
        return kExitUsage;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // --help and --version: done once all of it is written.
        return app.exit(e) == 0 ? FinishedWriting(std::cout, std::cerr) : kExitUsage;
    }

    const OutputFormat format = json   ? OutputFormat::Json
                                : html ? OutputFormat::Html
                                       : OutputFormat::Text;
    if (*estimate) return RunEstimate(est, format, std::cout, std::cerr);
    if (*compare) return RunCompare(a, Defaulted(b, bOptions, a), format, std::cout, std::cerr);
    if (*history) return RunHistory(yearFiles, years, format, std::cout, std::cerr);
    if (*check) return RunCheck(checkFile, std::cout, std::cerr);
    if (*listing) {
        list.Format = listFormat == "csv"    ? ListFormat::Csv
                      : listFormat == "json" ? ListFormat::Json
                                             : ListFormat::Text;
        return RunList(list, std::cout, std::cerr);
    }
    return RunBatchCommand(batchOptions, std::cerr);
}
