#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/batch.h"
#include "cli/estimate.h"
#include "cli/table_commands.h"
#include "cli/text_output.h"
#include "levywise_version.h"

using namespace levywise::cli;

int main(int argc, char** argv) {
    CLI::App app{"Estimates property taxes from a county's tax rate file.", "levywise-cli"};
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string("levywise-cli ") + levywise::kProgramVersion,
                         "Print the program's version and exit");
    app.footer(
        "Exit status: 0 done; 1 a rate file refused, an estimate failed or the output not all "
        "written; 2 a wrong command line or input.");

    EstimateOptions est;
    CLI::App* estimate = app.add_subcommand("estimate", "Estimate the taxes on one property");
    estimate->add_option("--rates", est.Rates, "The tax rate file")->required();
    estimate->add_option("--value", est.Value, "The appraised value, read as the program reads it")
        ->required();
    estimate->add_option("--county", est.County, "The county-level unit's code (default: none)");
    estimate->add_option("--city", est.City, "The city's code (default: none)");
    estimate->add_option("--school", est.School, "The school district's code (default: none)");
    estimate->add_flag("--homestead", est.Homestead, "General homestead");
    CLI::Option* over65 = estimate->add_flag("--over65", est.Over65, "Over 65 or surviving spouse");
    CLI::Option* disabled = estimate->add_flag("--disabled", est.Disabled, "Disabled person");
    over65->excludes(disabled);
    estimate
        ->add_option("--veteran", est.Veteran,
                     "Veteran disability bracket: 1 (10-30%), 2 (31-50%), "
                     "3 (51-70%) or 4 (71-100%)")
        ->check(CLI::Range(1, 4));
    estimate->add_option("--special", est.Special,
                         "Special districts to tax: default (the file's defaults), none, or codes "
                         "separated by commas");
    estimate->add_flag("--json", est.Json, "Print the estimate as JSON");

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

    // CLI11 would only say that a command is needed; name the word it got.
    const std::string first = argc > 1 ? argv[1] : "";
    if (!first.empty() && first[0] != '-' && first != "estimate" && first != "check" &&
        first != "list" && first != "batch") {
        std::cerr << "levywise-cli: unknown command \"" << first
                  << "\"; the commands are estimate, check, list and batch\n"
                  << "Run with --help for more information.\n";
        return kExitUsage;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) { return app.exit(e) == 0 ? kExitDone : kExitUsage; }

    if (*estimate) return RunEstimate(est, std::cout, std::cerr);
    if (*check) return RunCheck(checkFile, std::cout, std::cerr);
    if (*listing) {
        list.Format = listFormat == "csv"    ? ListFormat::Csv
                      : listFormat == "json" ? ListFormat::Json
                                             : ListFormat::Text;
        return RunList(list, std::cout, std::cerr);
    }
    return RunBatchCommand(batchOptions, std::cerr);
}
