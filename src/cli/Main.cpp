// tessaro-cli: batch work over the imaging library.
#include "cli/Cli.h"

#include <cstdio>

int main(int argc, char **argv) {
  CLI::App app{"tessaro-cli: image information, conversion, drawing and image operations.\n"
               "Colours are written as TColor hex $00BBGGRR or as #RRGGBB."};
  app.require_subcommand(1);
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
