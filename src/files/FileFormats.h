// The image file formats as data: which extensions are read and which are
// written, by which reader and writer, the order in which content is probed,
// and how the open and save dialogs list them. Loading, saving, the frame and
// tessaro-cli read this one table.
#pragma once

#include "core/Bitmap.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tessaro {

enum TFileFormat : uint8_t { ffBmp, ffDib, ffIcon, ffWmf, ffEmf, ffJpeg, ffGif, ffPng, ffImport };

// What a writer is told beyond the bitmap: the JPEG quality (taken into
// 0..100; the library reads 0 as 1) and progressive encoding.
struct TWriteOptions {
  int Quality = 100;
  bool Progressive = false;
};

// Decodes file content into bmp; false with a German reason.
using TFormatReader = bool (*)(const uint8_t *data, size_t size, TBitmap &bmp, std::string &error);
// Reads a file straight into bmp without holding its content first.
using TFormatFileReader = bool (*)(const std::string &fileName, TBitmap &bmp, std::string &error);
// Writes bmp as the file; the file is replaced only when completely written.
using TFormatWriter = bool (*)(const TBitmap &bmp, const std::string &fileName, const TWriteOptions &options,
                               std::string &error);

struct TImageFormat {
  TFileFormat Format;
  const char *Name;
  // nullptr for ffImport: the import reader registered for the extension.
  TFormatReader Read;
  TFormatFileReader ReadFile; // nullptr: only through Read
  TFormatWriter Write;        // nullptr: the format is only read
  // Read by its library before any content probing, keeping the pixel format
  // the library gives (GIF and PNG); every other format arrives as 24 bits.
  bool Direct;
  // The reader gives a 32-bit raster with the opacity in the fourth byte.
  bool Opacity;
};

struct TImageExtension {
  const char *Ext; // lower case, with the dot
  TFileFormat Format;
  bool InAll;     // listed by the open filter's first entry "Alle"
  bool Droppable; // accepted from drops and from a second instance
};

// One entry of a dialog filter: its caption as shown, with its own pattern
// text, and the extensions it lists.
struct TFilterEntry {
  std::string Caption;
  std::vector<std::string> Extensions;
};

const std::vector<TImageFormat> &ImageFormats();
// The 38 readable extensions; "Alle" lists those it takes in this order.
const std::vector<TImageExtension> &ImageExtensions();
const TImageFormat &ImageFormat(TFileFormat format);
// The row of the file name's extension (compared in lower case), nullptr
// when the file is not readable.
const TImageExtension *FindImageExtension(const std::string &fileName);
// The format of the file name's extension, nullptr when it is not readable.
const TImageFormat *ImageFormatOf(const std::string &fileName);

// The entries of the open dialog ("Alle" first) and of the save dialog. The
// save dialog's extensions are the writable ones.
const std::vector<TFilterEntry> &OpenFilterEntries();
const std::vector<TFilterEntry> &SaveFilterEntries();

} // namespace tessaro
