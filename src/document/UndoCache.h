// The undo and redo history of one document: an append-only log of raster
// snapshots in the document's cache folder, one index into it, and the hints
// that tell the user what undo and redo would do.
//
// Every change of the raster is preceded by AddUndoStep(caption), which saves
// the whole raster as the next numbered BMP file (in the raster's own pixel
// format) and logs caption + "*" + path. Undo and redo also write a snapshot
// of the state they leave before they load another one. Snapshots are never
// overwritten or deleted while the program runs; the frame removes the whole
// cache folder at exit (RemoveCacheFolder).
#pragma once

#include "core/Bitmap.h"

#include <string>
#include <vector>

namespace tessaro {

// Hint texts of the undo and redo items.
inline constexpr const char *UndoHintPlain = "Rückgängig";
inline constexpr const char *RedoHintPlain = "Wiederherstellen";

// How the history reaches the document window and the frame. Every method
// has an empty default, so a listener overrides only what it shows.
class TUndoListener {
public:
  virtual ~TUndoListener() = default;
  // New hint for TBUndo, mnuUndo and ppMnuUndo.
  virtual void UndoHintChanged(const std::string &hint) { (void)hint; }
  // New hint for mnuReUndo, ppMnuRedo and TBReUndo.
  virtual void RedoHintChanged(const std::string &hint) { (void)hint; }
  // A snapshot was loaded into the raster: imageType is the document's new
  // FImageType; the document runs its activation steps (status texts). The
  // saved hints have just been set from the current ones.
  virtual void SnapshotLoaded(TPixelFormat imageType) { (void)imageType; }
  // Undo and redo end by re-applying the document's zoom (CBZoomChange).
  virtual void ReapplyZoom() {}
  // Undo while the undo hint reads "Rückgängig (Objekt löschen)": bring the
  // deleted floating image back before the raster is saved.
  virtual void RestoreDeletedObject() {}
  // Every step that was taken sets FModified.
  virtual void DocumentModified() {}
};

class TUndoCache {
public:
  // Builds FCacheDir = CacheRootFolder() + "/" + documentNo, creates it with
  // its parents and writes the note file "Info.txt" into it. A folder that
  // cannot be made is not an error here: the first step reports it.
  // raster must outlive the cache; listener may be null.
  TUndoCache(TBitmap &raster, int documentNo, TUndoListener *listener = nullptr);
  TUndoCache(const TUndoCache &) = delete;
  TUndoCache &operator=(const TUndoCache &) = delete;

  void SetListener(TUndoListener *listener) { FListener = listener; }

  // Each returns true when the step was taken. False when there is nothing
  // to undo or redo (after a beep), or when a snapshot cannot be written: a
  // German error box has then been shown, and the index, the log and the
  // raster are unchanged, so the caller must stop its action (draw nothing).
  bool AddUndoStep(const std::string &caption);
  bool Undo(const std::string &caption = std::string());
  bool Redo(const std::string &caption = std::string());

  const std::string &CacheDir() const { return FCacheDir; } // without a trailing "/"
  const std::vector<std::string> &UndoList() const { return FUndoList; }
  int UndoIndex() const { return FUndoIndex; }
  int UndoFileNo() const { return FUndoFileNo; }
  // Full path of snapshot number n.
  std::string SnapshotPath(int n) const;

  // The hints as last set on the items.
  const std::string &UndoHint() const { return FUndoHint; }
  const std::string &RedoHint() const { return FRedoHint; }

  // Hints kept while the document is inactive: StoreHints on deactivation
  // (saved := current); on activation the document shows the saved ones
  // (ActivateHints sets them as current and reports them to the listener,
  // each only when not empty).
  const std::string &SavedUndoHint() const { return FSavedUndoHint; }
  const std::string &SavedRedoHint() const { return FSavedRedoHint; }
  void StoreHints();
  void ActivateHints();

  // Set when a floating image was combined with the raster; the next undo
  // clears it and takes back one more step ("Zeichnung entfernen").
  bool ObjectCombined() const { return FObjectCombined; }
  void SetObjectCombined(bool on) { FObjectCombined = on; }

  // Parts of a log entry: text before and after the first "*".
  static std::string EntryCaption(const std::string &entry);
  static std::string EntryPath(const std::string &entry);

  // The lines of the note file for a cache folder (UTF-8; the file holds
  // them in Windows-1252, each ending in CR LF).
  static std::vector<std::string> NoteLines(const std::string &cacheDir);

private:
  bool SaveSnapshot(const std::string &caption);
  // backup names a snapshot of the raster as it is now (written by this
  // step), or is empty; only with one may the pixels be read in place.
  void LoadSnapshot(const std::string &path, const std::string &backup);
  void Loaded();
  enum class TInPlace { Done, NotSuitable, Broken };
  static TInPlace ReadInPlace(const std::string &path, TBitmap &raster);
  void SetUndoHint(const std::string &hint);
  void SetRedoHint(const std::string &hint);
  void UndoHintFromIndex();
  void Modified();

  TBitmap &FRaster;
  TUndoListener *FListener = nullptr;
  std::string FCacheDir;
  std::vector<std::string> FUndoList;
  int FUndoIndex = -1;
  int FUndoFileNo = 1;
  std::string FUndoHint = UndoHintPlain;
  std::string FRedoHint = RedoHintPlain;
  std::string FSavedUndoHint = UndoHintPlain;
  std::string FSavedRedoHint = RedoHintPlain;
  bool FObjectCombined = false;
};

// The folder that holds every document's cache folder and the hand-over
// file: PrivateTempFolder() + "Tessaro" (no trailing "/"); empty when no
// private temporary folder can be had.
std::string CacheRootFolder();

// Removes the cache folder at exit: every file below it (letting pending
// events run before the 1st, 26th, 51st ... file), each file's folder once it
// is empty, then the remaining empty folders and the cache folder itself.
// Symbolic links are removed, never followed. Failures are silent: what
// cannot be deleted stays.
void RemoveCacheFolder();
void RemoveCacheFolder(const std::string &root);

// Windows-1252 bytes of UTF-8 text; characters without a code become "?".
std::string Utf8ToWindows1252(const std::string &utf8);

} // namespace tessaro
