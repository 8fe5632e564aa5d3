// tessaro-cli: batch work over the imaging library.
#include "cli/Cli.h"
#include "core/Parallel.h"

#include <cstdio>

int main(int argc, char **argv) {
  CLI::App app{"tessaro-cli: image information, conversion, drawing and image operations.\n"
               "Colours are written as TColor hex $00BBGGRR or as #RRGGBB."};
  app.require_subcommand(1);
  // Given before or after the subcommand; set as soon as it is read, so it is
  // in force when the subcommand runs.
  app.fallthrough();
  app.add_option_function<int>(
         "--threads", [](const int &n) { tessaro::SetOpsThreads(n); },
         "Threads for the image operations, conversions and codecs (default: every core)")
      ->check(CLI::Range(1, 4096))
      ->trigger_on_parse();
  int exitCode = 0;
  tessaro::cli::RegisterInfoCommand(app, exitCode);
  tessaro::cli::RegisterConvertCommand(app, exitCode);
  tessaro::cli::RegisterDrawCommand(app, exitCode);
  tessaro::cli::RegisterApplyCommand(app, exitCode);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError &e) {
    return app.exit(e);
  } catch (const std::exception &e) {
    tessaro::cli::PrintError(e.what());
    return 1;
  }
  return exitCode;
}
