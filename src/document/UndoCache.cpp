#include "document/UndoCache.h"

#include "core/BmpFile.h"
#include "core/ByteOrder.h"
#include "core/FileUtil.h"
#include "core/Hooks.h"
#include "core/TempFolder.h"
#include "platform/Beep.h"
#include "platform/MessageDlg.h"
#include "platform/QtHooks.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace tessaro {

namespace {

const std::string UndoObjectDeletedHint = "Rückgängig (Objekt löschen)";

bool FolderExists(const std::string &path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(path, ec);
}

bool FileExists(const std::string &path) {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(path, ec);
}

} // namespace

// Undo usually brings back a raster of the same size and format. Reading the
// rows straight into it spares allocating (and faulting in) a second raster
// of the same size, which costs more than the read itself. Only the layouts
// our own snapshots have in the direct formats qualify; palette formats and
// anything unexpected take the general reader.
TUndoCache::TInPlace TUndoCache::ReadInPlace(const std::string &path, TBitmap &raster) {
  const TPixelFormat pf = raster.PixelFormat();
  if (raster.Empty() || IsPaletteFormat(pf) || pf == pfDevice || pf == pfCustom)
    return TInPlace::NotSuitable;
  FILE *f = std::fopen(path.c_str(), "rb");
  if (!f)
    return TInPlace::NotSuitable;
  struct TCloser {
    FILE *F;
    ~TCloser() { std::fclose(F); }
  } closer{f};
  uint8_t h[66] = {};
  const size_t got = std::fread(h, 1, sizeof h, f);
  if (got < 54 || h[0] != 'B' || h[1] != 'M' || Le32(h + 14) != 40)
    return TInPlace::NotSuitable;
  const uint32_t offBits = Le32(h + 10);
  const int32_t width = int32_t(Le32(h + 18));
  const int32_t height = int32_t(Le32(h + 22));
  const uint16_t bits = Le16(h + 28);
  const uint32_t compression = Le32(h + 30);
  if (width != raster.Width() || height != raster.Height() || Le16(h + 26) != 1 || bits != BitsPerPixel(pf))
    return TInPlace::NotSuitable;
  if (pf == pf16bit) {
    if (compression != 3 || got < 66 || Le32(h + 54) != 0xF800 || Le32(h + 58) != 0x07E0 ||
        Le32(h + 62) != 0x001F)
      return TInPlace::NotSuitable;
  } else if (compression != 0) {
    return TInPlace::NotSuitable;
  }
  const size_t rowBytes = raster.RowBytes();
  std::error_code ec;
  const uintmax_t size = fs::file_size(path, ec);
  if (ec || offBits < 54 || uint64_t(offBits) + uint64_t(rowBytes) * uint64_t(height) > size)
    return TInPlace::NotSuitable;
  if (std::fseek(f, long(offBits), SEEK_SET) != 0)
    return TInPlace::NotSuitable;
  // From here on the raster is being overwritten.
  for (int line = 0; line < height; ++line)
    if (std::fread(raster.ScanLine(height - 1 - line), 1, rowBytes, f) != rowBytes)
      return TInPlace::Broken;
  return TInPlace::Done;
}

namespace {

void WriteNote(const std::string &cacheDir) {
  std::string text;
  for (const std::string &line : TUndoCache::NoteLines(cacheDir))
    text += Utf8ToWindows1252(line) + "\r\n";
  WriteFileAtomically(cacheDir + "/Info.txt", text.data(), text.size());
}

} // namespace

TUndoCache::TUndoCache(TBitmap &raster, int documentNo, TUndoListener *listener)
    : FRaster(raster), FListener(listener) {
  const std::string root = CacheRootFolder();
  if (root.empty())
    return;
  FCacheDir = root + "/" + std::to_string(documentNo);
  std::error_code ec;
  fs::create_directories(FCacheDir, ec);
  if (FolderExists(FCacheDir))
    WriteNote(FCacheDir);
}

std::string TUndoCache::SnapshotPath(int n) const {
  return FCacheDir + "/" + std::to_string(n) + ".bmp";
}

std::string TUndoCache::EntryCaption(const std::string &entry) {
  const size_t star = entry.find('*');
  return star == std::string::npos ? entry : entry.substr(0, star);
}

std::string TUndoCache::EntryPath(const std::string &entry) {
  const size_t star = entry.find('*');
  return star == std::string::npos ? std::string() : entry.substr(star + 1);
}

std::vector<std::string> TUndoCache::NoteLines(const std::string &cacheDir) {
  return {"Kastell 3.0 - Tessaro 1.0",
          "",
          "Beschreibung:",
          "-> Cache Ordner",
          "",
          "Zu was ist der Ordner da?",
          "-> Für Undo/Redo Aktionen, um es zu ermögichen einzelne",
          "   Schritte rückgängig zu machen und wiederherzustellen.",
          "",
          "Wichtigkeit:",
          "-> Der Ordner \"" + cacheDir + "\" kann nach dem",
          "   Programmende von Tessaro gelöscht werden, wenn dies nicht",
          "   automatisch erfolgt. Wenn der Ordner während der Programmaus-",
          "   führung von Tessaro gelöscht wird, können Undo/Redo Aktionen",
          "   nicht mehr ausgeführt werden!"};
}

// Writes the raster as snapshot FUndoFileNo and logs it. The folder is never
// created again here: once it is gone the history cannot go on, and the
// action that asked for the step must stop.
bool TUndoCache::SaveSnapshot(const std::string &caption) {
  const std::string path = SnapshotPath(FUndoFileNo);
  std::string error;
  if (FCacheDir.empty() || !FolderExists(FCacheDir)) {
    error = FCacheDir.empty() ? "Es gibt keinen privaten temporären Ordner."
                              : "Der Cache-Ordner existiert nicht mehr.";
  } else if (SaveBmpFile(FRaster, path, &error)) {
    FUndoList.push_back(caption + "*" + path);
    return true;
  }
  std::string text = "Die Datei \"" + path + "\" kann nicht erstellt werden.";
  if (!error.empty())
    text += "\r\r" + error;
  text += "\r\rRückgängig und Wiederherstellen sind nicht mehr möglich.";
  MessageDlg(text, mtError, mbOK);
  return false;
}

void TUndoCache::LoadSnapshot(const std::string &path, const std::string &backup) {
  TBitmap loaded;
  std::string error;
  if (!backup.empty()) {
    switch (ReadInPlace(path, FRaster)) {
    case TInPlace::Done:
      FRaster.Changed();
      Loaded();
      return;
    case TInPlace::Broken:
      // The raster is half overwritten: put back the state it had.
      if (LoadBmpFile(backup, loaded))
        FRaster.AssignMove(std::move(loaded));
      break;
    case TInPlace::NotSuitable:
      break;
    }
  }
  if (!LoadBmpFile(path, loaded, &error)) {
    // An unreadable snapshot is skipped like a missing one, but the user is told.
    std::string text = "Die Datei \"" + path + "\" kann nicht gelesen werden.";
    if (!error.empty())
      text += "\r\r" + error;
    MessageDlg(text, mtError, mbOK);
    return;
  }
  FRaster.AssignMove(std::move(loaded));
  Loaded();
}

void TUndoCache::Loaded() {
  FSavedUndoHint = FUndoHint;
  FSavedRedoHint = FRedoHint;
  if (FListener)
    FListener->SnapshotLoaded(FRaster.PixelFormat());
}

void TUndoCache::SetUndoHint(const std::string &hint) {
  FUndoHint = hint;
  if (FListener)
    FListener->UndoHintChanged(hint);
}

void TUndoCache::SetRedoHint(const std::string &hint) {
  FRedoHint = hint;
  if (FListener)
    FListener->RedoHintChanged(hint);
}

void TUndoCache::UndoHintFromIndex() {
  if (FUndoIndex < 0 || FUndoIndex >= int(FUndoList.size()))
    SetUndoHint(UndoHintPlain);
  else
    SetUndoHint(std::string(UndoHintPlain) + " (" + EntryCaption(FUndoList[FUndoIndex]) + ")");
}

void TUndoCache::Modified() {
  if (FListener)
    FListener->DocumentModified();
}

bool TUndoCache::AddUndoStep(const std::string &caption) {
  TWaitCursor wait;
  if (!SaveSnapshot(caption))
    return false;
  ++FUndoFileNo;
  FUndoIndex = int(FUndoList.size()) - 1;
  SetUndoHint(std::string(UndoHintPlain) + " (" + caption + ")");
  Modified();
  return true;
}

bool TUndoCache::Undo(const std::string &caption) {
  TWaitCursor wait;
  if (FUndoIndex < 0) {
    Beep();
    return false;
  }
  const bool inLog = FUndoIndex < int(FUndoList.size());
  std::string cap = caption;
  if (cap.empty())
    cap = inLog ? EntryCaption(FUndoList[FUndoIndex]) : "Rückgängig Schritt";
  // The deleted floating image comes back only when the step can be taken.
  if (FUndoHint == UndoObjectDeletedHint && FolderExists(FCacheDir) && FListener)
    FListener->RestoreDeletedObject();
  if (!SaveSnapshot(cap))
    return false;
  if (inLog) {
    const std::string path = EntryPath(FUndoList[FUndoIndex]);
    if (FileExists(path))
      LoadSnapshot(path, EntryPath(FUndoList.back()));
  }
  ++FUndoFileNo;
  --FUndoIndex;
  UndoHintFromIndex();
  SetRedoHint(std::string(RedoHintPlain) + " (" + cap + ")");
  if (FListener)
    FListener->ReapplyZoom();
  if (FObjectCombined) {
    FObjectCombined = false;
    Undo("Zeichnung entfernen");
  }
  Modified();
  return true;
}

bool TUndoCache::Redo(const std::string &caption) {
  TWaitCursor wait;
  if (!(int(FUndoList.size()) > FUndoIndex + 2)) {
    Beep();
    return false;
  }
  const int target = FUndoIndex + 2;
  std::string cap = caption;
  if (cap.empty())
    cap = target >= 0 && target < int(FUndoList.size()) ? EntryCaption(FUndoList[target])
                                                        : "Wiederherstellen Schritt";
  const bool saved = FUndoIndex == -1;
  if (saved && !SaveSnapshot(cap))
    return false;
  const std::string path = EntryPath(FUndoList[target]);
  if (FileExists(path))
    LoadSnapshot(path, saved ? EntryPath(FUndoList.back()) : std::string());
  ++FUndoFileNo;
  ++FUndoIndex;
  UndoHintFromIndex();
  if (int(FUndoList.size()) > FUndoIndex + 2)
    SetRedoHint(std::string(RedoHintPlain) + " (" + cap + ")");
  else
    SetRedoHint(RedoHintPlain);
  if (FListener)
    FListener->ReapplyZoom();
  Modified();
  return true;
}

void TUndoCache::StoreHints() {
  FSavedUndoHint = FUndoHint;
  FSavedRedoHint = FRedoHint;
}

void TUndoCache::ActivateHints() {
  if (!FSavedUndoHint.empty())
    SetUndoHint(FSavedUndoHint);
  if (!FSavedRedoHint.empty())
    SetRedoHint(FSavedRedoHint);
}

std::string CacheRootFolder() {
  const std::string temp = PrivateTempFolder();
  if (temp.empty())
    return std::string();
  return temp + "Tessaro";
}

void RemoveCacheFolder() {
  const std::string root = CacheRootFolder();
  if (!root.empty())
    RemoveCacheFolder(root);
}

void RemoveCacheFolder(const std::string &root) {
  std::error_code ec;
  const fs::path top(root);
  // A link in place of the folder is removed itself, never followed.
  if (fs::is_symlink(top, ec)) {
    fs::remove(top, ec);
    return;
  }
  if (!fs::is_directory(top, ec))
    return;
  fs::permissions(top, fs::perms::owner_all, fs::perm_options::add, ec);
  // Every file first (links count as files), in listing order.
  std::vector<fs::path> files;
  std::vector<fs::path> folders;
  for (auto it = fs::recursive_directory_iterator(top, fs::directory_options::skip_permission_denied, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    std::error_code ec2;
    const fs::file_status st = it->symlink_status(ec2);
    if (fs::is_directory(st)) {
      // Our own folders may have lost their permissions; without them their
      // files can be neither listed nor deleted.
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec2);
      folders.push_back(it->path());
    } else
      files.push_back(it->path());
  }
  for (size_t i = 0; i < files.size(); ++i) {
    if (i % 25 == 0)
      ProcessMessagesNow();
    std::error_code ec2;
    // Clear the write protection so that a read-only snapshot goes too.
    if (!fs::is_symlink(files[i], ec2))
      fs::permissions(files[i], fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec2);
    fs::remove(files[i], ec2);
    fs::remove(files[i].parent_path(), ec2); // succeeds once the folder is empty
  }
  // Folders that held no file, deepest first, then the cache folder itself.
  for (auto it = folders.rbegin(); it != folders.rend(); ++it) {
    std::error_code ec2;
    fs::remove(*it, ec2);
  }
  fs::remove(top, ec);
}

std::string Utf8ToWindows1252(const std::string &utf8) {
  // Code points of the bytes $80..$9F of Windows-1252 (0 where the code page
  // leaves the byte undefined).
  static const char16_t High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  std::string out;
  out.reserve(utf8.size());
  const auto *s = reinterpret_cast<const unsigned char *>(utf8.data());
  const size_t n = utf8.size();
  size_t i = 0;
  while (i < n) {
    unsigned char c = s[i];
    uint32_t cp = 0;
    int extra = 0;
    if (c < 0x80) {
      cp = c;
    } else if ((c & 0xE0) == 0xC0) {
      cp = c & 0x1F;
      extra = 1;
    } else if ((c & 0xF0) == 0xE0) {
      cp = c & 0x0F;
      extra = 2;
    } else if ((c & 0xF8) == 0xF0) {
      cp = c & 0x07;
      extra = 3;
    } else {
      out += '?';
      ++i;
      continue;
    }
    bool valid = true;
    for (int k = 1; valid && k <= extra; ++k) {
      if (i + size_t(k) >= n || (s[i + k] & 0xC0) != 0x80)
        valid = false;
      else
        cp = (cp << 6) | (s[i + k] & 0x3F);
    }
    if (!valid) {
      out += '?';
      ++i;
      continue;
    }
    i += size_t(extra) + 1;
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
      out += char(cp);
      continue;
    }
    char mapped = '?';
    for (int k = 0; k < 32; ++k)
      if (High[k] != 0 && High[k] == cp)
        mapped = char(0x80 + k);
    out += mapped;
  }
  return out;
}

} // namespace tessaro
