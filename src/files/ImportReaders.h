// The import readers of the formats that are read but never written. They are
// offered a file's content in their registration order; the first that
// recognises it reads the file.
#pragma once

#include "core/Bitmap.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tessaro {

// Largest image a reader accepts (pixels), so that a hostile header cannot
// claim absurd amounts of memory.
constexpr uint64_t MaxImportPixels = uint64_t(1) << 28;

class TImportReader {
public:
  virtual ~TImportReader() = default;
  virtual const char *Name() const = 0;
  // Lower-case extensions with the dot, e.g. ".tga".
  virtual std::vector<std::string> Extensions() const = 0;
  // True when the first bytes (up to 4096, all of a shorter file) look like
  // this format.
  virtual bool Recognise(const uint8_t *head, size_t size) const = 0;
  // Decodes the whole file (path is given for readers that look at files
  // beside it). The bitmap may come in any pixel format; the caller draws it
  // on a 24-bit bitmap. On failure returns false with a German reason.
  // Readers check the content themselves, so Read may also be called for a
  // file that Recognise has not seen (the reader of the file's extension).
  virtual bool Read(const std::string &path, const uint8_t *data, size_t size, TBitmap &bmp,
                    std::string &error) const = 0;
};

// All import readers in their registration order: Targa, TIFF, Encapsulated
// PostScript, Paintbrush, Alias Wavefront, SGI, Photoshop, Portable Map,
// Autodesk, Kodak Photo CD, Dr. Halo, Paintshop Pro, PNG.
// The list is part of the format table (FileFormats.cpp).
const std::vector<std::unique_ptr<TImportReader>> &ImportReaders();

// The readers one by one (each in its own Import<Format>.cpp).
std::unique_ptr<TImportReader> NewTargaReader();
std::unique_ptr<TImportReader> NewTiffReader();
std::unique_ptr<TImportReader> NewEpsReader();
std::unique_ptr<TImportReader> NewPcxReader();
std::unique_ptr<TImportReader> NewRlaReader();
std::unique_ptr<TImportReader> NewSgiReader();
std::unique_ptr<TImportReader> NewPsdReader();
std::unique_ptr<TImportReader> NewPnmReader();
std::unique_ptr<TImportReader> NewCelReader();
std::unique_ptr<TImportReader> NewPcdReader();
std::unique_ptr<TImportReader> NewCutReader();
std::unique_ptr<TImportReader> NewPspReader();
std::unique_ptr<TImportReader> NewPngReader();

} // namespace tessaro
