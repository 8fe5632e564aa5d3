// The table of image file formats and what is answered from it.
#include "files/FileFormats.h"

#include "core/BmpFile.h"
#include "core/FileUtil.h"
#include "files/ImageCodecs.h"
#include "files/ImportReaders.h"
#include "files/LUMGraphicsFiles.h"

#include <algorithm>

namespace tessaro {

namespace {

bool ReadBmpData(const uint8_t *data, size_t size, TBitmap &bmp, std::string &error) {
  return ReadBmp(data, size, bmp, &error);
}
// A .dib file may also hold a packed DIB without the file header.
bool ReadDibData(const uint8_t *data, size_t size, TBitmap &bmp, std::string &error) {
  if (size >= 2 && !(data[0] == 'B' && data[1] == 'M'))
    return ReadDib(data, size, bmp, &error);
  return ReadBmp(data, size, bmp, &error);
}
bool ReadBmpFile(const std::string &fileName, TBitmap &bmp, std::string &error) {
  return LoadBmpFile(fileName, bmp, &error);
}

bool WriteBmp(const TBitmap &bmp, const std::string &fileName, const TWriteOptions &, std::string &error) {
  return SaveBmpFile(bmp, fileName, &error);
}
bool WriteBytes(const std::string &fileName, const std::vector<uint8_t> &out, std::string &error) {
  return WriteFileAtomically(fileName, out.data(), out.size(), &error);
}
// JPEG takes 8 or 24 bits; any other raster is written through a 24-bit copy.
bool WriteJpeg(const TBitmap &bmp, const std::string &fileName, const TWriteOptions &options,
               std::string &error) {
  std::vector<uint8_t> out;
  const int quality = std::clamp(options.Quality, 0, 100);
  bool encoded = false;
  if (bmp.PixelFormat() == pf24bit || bmp.PixelFormat() == pf8bit) {
    encoded = EncodeJpeg(bmp, quality, options.Progressive, out, error);
  } else {
    TBitmap deep(bmp);
    deep.SetPixelFormat(pf24bit);
    encoded = EncodeJpeg(deep, quality, options.Progressive, out, error);
  }
  return encoded && WriteBytes(fileName, out, error);
}
template <bool (*Encode)(const TBitmap &, std::vector<uint8_t> &, std::string &)>
bool WriteEncoded(const TBitmap &bmp, const std::string &fileName, const TWriteOptions &,
                  std::string &error) {
  std::vector<uint8_t> out;
  return Encode(bmp, out, error) && WriteBytes(fileName, out, error);
}

std::vector<TFilterEntry> MakeOpenFilterEntries() {
  std::vector<TFilterEntry> entries(1);
  entries[0].Caption = "Alle (*.bmp .. *.jpg)";
  for (const TImageExtension &e : ImageExtensions())
    if (e.InAll)
      entries[0].Extensions.push_back(e.Ext);
  const std::vector<TFilterEntry> named = {
      {"JPEG Bild (*.jpg;*.jpeg;)", {".jpg", ".jpeg"}},
      {"Portable Netzwerkgrafik (*.png)", {".png"}},
      {"GIF Bild (*.gif)", {".gif"}},
      {"Windows Bitmap (*.bmp)", {".bmp"}},
      {"Metadatei (*.wmf)", {".wmf"}},
      {"Erweiterte Metadatei (*.emf)", {".emf"}},
      {"TIF Bild (*.tif; *.tiff)", {".tif", ".tiff"}},
      {"Symbol (*.ico)", {".ico"}},
      {"Paintshop Pro Bild (*.psp)", {".psp"}},
      {"Kodak Foto CD Bild (*.pcd)", {".pcd"}},
      {"Autodesk Bild (*.pic)", {".pic"}},
      {"Autodesk Bild (*.cel)", {".cel"}},
      {"Portable Bitmap (*.pbm)", {".pbm"}},
      {"Portable Graustufen Bild (*.pgm)", {".pgm"}},
      {"Portables Pixel Map Bild (*.ppm)", {".ppm"}},
      {"Photoshop Bild (*.pdd)", {".pdd"}},
      {"Photoshop Bild (*.psd)", {".psd"}},
      {"SGI Schwarz/Weiß Bild (*.bw)", {".bw"}},
      {"SGI Echtfarben Bild (*.rgb)", {".rgb"}},
      {"SGI Alpha Echtfarben Bild (*.rgba)", {".rgba"}},
      {"SGI Echtfarben Bild (*.sgi)", {".sgi"}},
      {"Alias Wavefront Bild (*.rla)", {".rla"}},
      {"Alias Wavefront Bild (*.rpf)", {".rpf"}},
      {"Paintbrush Bild (*.pcc)", {".pcc"}},
      {"Paintbrush Bild (*.pcx)", {".pcx"}},
      {"Postscript Bild (*.eps)", {".eps"}},
      {"DIB Bitmap (*.dib)", {".dib"}},
      {"RLE Bitmap (*.rle)", {".rle"}},
  };
  entries.insert(entries.end(), named.begin(), named.end());
  return entries;
}

// "caption|*.a;*.b|caption|..." as the dialogs take it. The open filter's
// first pattern list and the whole open filter end with their separators.
std::string FilterText(const std::vector<TFilterEntry> &entries, bool open) {
  std::string text;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (i > 0)
      text += '|';
    text += entries[i].Caption + '|';
    for (size_t k = 0; k < entries[i].Extensions.size(); ++k)
      text += (k > 0 ? ";*" : "*") + entries[i].Extensions[k];
    if (open && i == 0)
      text += ';';
  }
  if (open)
    text += '|';
  return text;
}

} // namespace

const std::vector<TImageFormat> &ImageFormats() {
  static const std::vector<TImageFormat> formats = {
      {ffBmp, "Windows Bitmap", ReadBmpData, ReadBmpFile, WriteBmp, false, false},
      {ffDib, "DIB Bitmap", ReadDibData, ReadBmpFile, WriteBmp, false, false},
      {ffIcon, "Symbol", ReadIco, nullptr, nullptr, false, true},
      {ffWmf, "Metadatei", ReadWmf, nullptr, WriteEncoded<EncodeWmf>, false, false},
      {ffEmf, "Erweiterte Metadatei", ReadEmf, nullptr, WriteEncoded<EncodeEmf>, false, false},
      {ffJpeg, "JPEG", ReadJpeg, nullptr, WriteJpeg, false, false},
      {ffGif, "GIF", ReadGif, nullptr, WriteEncoded<EncodeGif>, true, false},
      {ffPng, "PNG", ReadPng, nullptr, WriteEncoded<EncodePng>, true, false},
      {ffImport, "Import", nullptr, nullptr, nullptr, false, false},
  };
  return formats;
}

const std::vector<TImageExtension> &ImageExtensions() {
  static const std::vector<TImageExtension> extensions = {
      // In the order of the open filter's "Alle".
      {".bmp", ffBmp, true, false},
      {".emf", ffEmf, true, true},
      {".ico", ffIcon, true, true},
      {".jfif", ffJpeg, true, true},
      {".jpe", ffJpeg, true, true},
      {".jpeg", ffJpeg, true, true},
      {".jpg", ffJpeg, true, true},
      {".gif", ffGif, true, false},
      {".png", ffPng, true, true},
      {".pcd", ffImport, true, true},
      {".pcx", ffImport, true, true},
      {".pdd", ffImport, true, true},
      {".pgm", ffImport, true, true},
      {".pic", ffImport, true, true},
      {".ppm", ffImport, true, true},
      {".psd", ffImport, true, true},
      {".psp", ffImport, true, true},
      {".rgb", ffImport, true, true},
      {".rgba", ffImport, true, true},
      {".rla", ffImport, true, true},
      {".rle", ffBmp, true, true},
      {".rpf", ffImport, true, true},
      {".sgi", ffImport, true, true},
      {".tif", ffImport, true, true},
      {".tiff", ffImport, true, true},
      {".wmf", ffWmf, true, true},
      // Not in "Alle".
      {".dib", ffDib, false, true},
      {".tga", ffImport, false, true},
      {".vst", ffImport, false, true},
      {".vda", ffImport, false, true},
      {".icb", ffImport, false, true},
      {".fax", ffImport, false, true},
      {".eps", ffImport, false, true},
      {".pcc", ffImport, false, true},
      {".bw", ffImport, false, true},
      {".pbm", ffImport, false, true},
      {".cel", ffImport, false, true},
      {".cut", ffImport, false, true},
  };
  return extensions;
}

// The import readers in their registration order, which is the order in
// which they are offered a file's content.
const std::vector<std::unique_ptr<TImportReader>> &ImportReaders() {
  static const std::vector<std::unique_ptr<TImportReader>> readers = [] {
    std::vector<std::unique_ptr<TImportReader>> list;
    for (auto make :
         {NewTargaReader, NewTiffReader, NewEpsReader, NewPcxReader, NewRlaReader, NewSgiReader, NewPsdReader,
          NewPnmReader, NewCelReader, NewPcdReader, NewCutReader, NewPspReader, NewPngReader})
      list.push_back(make());
    return list;
  }();
  return readers;
}

const TImageFormat &ImageFormat(TFileFormat format) {
  for (const TImageFormat &f : ImageFormats())
    if (f.Format == format)
      return f;
  return ImageFormats().back();
}

const TImageExtension *FindImageExtension(const std::string &fileName) {
  const std::string ext = LowerExtension(fileName);
  for (const TImageExtension &e : ImageExtensions())
    if (ext == e.Ext)
      return &e;
  return nullptr;
}

const TImageFormat *ImageFormatOf(const std::string &fileName) {
  const TImageExtension *e = FindImageExtension(fileName);
  return e ? &ImageFormat(e->Format) : nullptr;
}

const std::vector<TFilterEntry> &OpenFilterEntries() {
  static const std::vector<TFilterEntry> entries = MakeOpenFilterEntries();
  return entries;
}

const std::vector<TFilterEntry> &SaveFilterEntries() {
  static const std::vector<TFilterEntry> entries = {
      {"Windows Bitmap (*.bmp)", {".bmp"}},
      {"JPEG Bild (*.jpg;*.jpeg)", {".jpg", ".jpeg"}},
      {"GIF Bild (*.gif)", {".gif"}},
      {"PNG Bild (*.png)", {".png"}},
      {"Metadatei (*.wmf;*.emf)", {".wmf", ".emf"}},
  };
  return entries;
}

std::string LowerExtension(const std::string &fileName) {
  size_t slash = fileName.find_last_of('/');
  size_t dot = fileName.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return std::string();
  std::string ext = fileName.substr(dot);
  for (char &c : ext)
    if (c >= 'A' && c <= 'Z')
      c = char(c - 'A' + 'a');
  return ext;
}

bool IsSupportedImageFile(const std::string &fileName) {
  return FindImageExtension(fileName) != nullptr;
}

bool IsSaveableImageFile(const std::string &fileName) {
  const std::string ext = LowerExtension(fileName);
  for (const TFilterEntry &entry : SaveFilterEntries())
    if (std::find(entry.Extensions.begin(), entry.Extensions.end(), ext) != entry.Extensions.end())
      return true;
  return false;
}

std::string OpenImageFilter() {
  return FilterText(OpenFilterEntries(), true);
}
std::string SaveImageFilter() {
  return FilterText(SaveFilterEntries(), false);
}
void GetOpenImageFilter(std::string &filter) {
  filter = OpenImageFilter();
}
void GetSaveImageFilter(std::string &filter) {
  filter = SaveImageFilter();
}

} // namespace tessaro
