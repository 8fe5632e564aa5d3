#include "cli/Cli.h"

#include <cstdio>

namespace tessaro::cli {

void RegisterInfoCommand(CLI::App &app, int &exitCode) {
  auto *cmd =
      app.add_subcommand("info", "Print width, height, pixel format, bits and palette size of an image");
  auto file = std::make_shared<std::string>();
  cmd->add_option("FILE", *file, "Image file")->required();
  cmd->callback([file, &exitCode] {
    TBitmap bmp;
    std::string error;
    if (!LoadCliImage(*file, bmp, error)) {
      PrintError(error);
      exitCode = 1;
      return;
    }
    std::printf("width: %d\nheight: %d\nformat: %s\nbits: %d\npalette: %zu\n", bmp.Width(), bmp.Height(),
                PixelFormatName(bmp.PixelFormat()), BitsPerPixel(bmp.PixelFormat()),
                IsPaletteFormat(bmp.PixelFormat()) ? bmp.Palette().size() : size_t(0));
    exitCode = 0;
  });
}

void RegisterConvertCommand(CLI::App &app, int &exitCode) {
  auto *cmd =
      app.add_subcommand("convert", "Read an image and write it in the format of the output's extension");
  struct TArgs {
    std::string In, Out;
    int Format = 0;
    TSaveOptions Options;
  };
  auto args = std::make_shared<TArgs>();
  cmd->add_option("IN", args->In, "Input image")->required();
  cmd->add_option("OUT", args->Out, "Output image")->required();
  cmd->add_option("--format", args->Format, "Pixel format of the output: 1, 4, 8, 15, 16, 24 or 32");
  cmd->add_option("--quality", args->Options.JpegQuality, "JPEG quality 1..100 (default 90)");
  cmd->add_flag("--progressive", args->Options.JpegProgressive, "Write a progressive JPEG");
  cmd->callback([args, &exitCode] {
    exitCode = 1;
    TPixelFormat pf = pf24bit;
    if (args->Format != 0 && !FormatFromBits(args->Format, pf)) {
      PrintError("--format: erlaubt sind 1, 4, 8, 15, 16, 24 oder 32.");
      return;
    }
    TBitmap bmp;
    std::string error;
    if (!LoadCliImage(args->In, bmp, error)) {
      PrintError(error);
      return;
    }
    if (args->Format != 0)
      bmp.SetPixelFormat(pf);
    if (!SaveCliImage(args->Out, bmp, args->Options, error)) {
      PrintError(error);
      return;
    }
    exitCode = 0;
  });
}

} // namespace tessaro::cli
