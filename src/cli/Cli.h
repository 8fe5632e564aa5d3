// Shared pieces of tessaro-cli: every subcommand lives in a file of its own
// and registers itself on the application.
#pragma once

#include "core/Bitmap.h"
#include "ops/ImageOps.h" // ParseColor

#include <CLI/CLI.hpp>

#include <string>

namespace tessaro::cli {

// Each Register function adds a subcommand whose callback stores the exit code.
void RegisterInfoCommand(CLI::App &app, int &exitCode);
void RegisterConvertCommand(CLI::App &app, int &exitCode);
void RegisterDrawCommand(CLI::App &app, int &exitCode);
void RegisterApplyCommand(CLI::App &app, int &exitCode);

// The pixel format of a bit count 1, 4, 8, 15, 16, 24 or 32.
bool FormatFromBits(int bits, TPixelFormat &pf);

// Reads any readable image file in its own pixel format where the format
// keeps one; false with a message on failure.
bool LoadCliImage(const std::string &path, TBitmap &bmp, std::string &error);
// Writes the image in the format of the file's extension.
struct TSaveOptions {
  int JpegQuality = 90;
  bool JpegProgressive = false;
};
bool SaveCliImage(const std::string &path, const TBitmap &bmp, const TSaveOptions &options,
                  std::string &error);

// Prints "tessaro-cli: <message>" to standard error.
void PrintError(const std::string &message);

} // namespace tessaro::cli
