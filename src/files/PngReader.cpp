// The PNG reader in the import list: a PNG file under another readable name
// (say .tga) is recognised by its signature and read by libpng.
#include "files/ImageCodecs.h"
#include "files/ImportReaders.h"

namespace tessaro {

namespace {

class TPngImportReader : public TImportReader {
public:
  const char *Name() const override { return "Portable Network Graphics"; }
  std::vector<std::string> Extensions() const override { return {".png"}; }
  bool Recognise(const uint8_t *head, size_t size) const override { return IsPngData(head, size); }
  bool Read(const std::string &, const uint8_t *data, size_t size, TBitmap &bmp,
            std::string &error) const override {
    return ReadPng(data, size, bmp, error);
  }
};

} // namespace

std::unique_ptr<TImportReader> NewPngReader() {
  return std::make_unique<TPngImportReader>();
}

} // namespace tessaro
