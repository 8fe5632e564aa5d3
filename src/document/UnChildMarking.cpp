// The document's marking: removing its frame, and keeping it in step with
// the raster when undo and redo bring back another one.
#include "document/UnChild.h"

#include <filesystem>

namespace tessaro {

void TfrmChild::SetMarking(const TRect &rect, TMarkShape shape) {
  FMarkRect = rect;
  FMarkShape = std::move(shape);
}

void TfrmChild::ClearMarking() {
  FMarkRect = TRect(0, 0, 0, 0);
  FMarkShape = TMarkShape();
  FHost.DisableUndoMark();
}

void TfrmChild::RemoveMarking() {
  if (MarkingExists())
    DrawMarkingFrame(FBitmap->Canvas(), FMarkRect, FMarkShape);
  ClearMarking();
}

void TfrmChild::RememberMarking() {
  // The snapshot that the next step writes holds this raster, and with it
  // the frame of the marking as it is now.
  if (MarkingExists())
    FSnapshotMarking[FUndo->UndoFileNo()] = {FMarkRect, FMarkShape};
  else
    FSnapshotMarking.erase(FUndo->UndoFileNo());
}

bool TfrmChild::MarkingOfLoadedSnapshot(bool taken) {
  if (!taken)
    return false;
  // Undo and redo end with the raster of the entry after the index.
  const std::vector<std::string> &log = FUndo->UndoList();
  const int loaded = FUndo->UndoIndex() + 1;
  if (loaded < 0 || loaded >= int(log.size()))
    return true;
  const std::filesystem::path path(TUndoCache::EntryPath(log[size_t(loaded)]));
  std::error_code ec;
  if (!std::filesystem::exists(path, ec))
    return true;
  int number = 0;
  try {
    number = std::stoi(path.stem().string());
  } catch (const std::exception &) {
    return true;
  }
  const auto it = FSnapshotMarking.find(number);
  if (it == FSnapshotMarking.end()) {
    ClearMarking();
    return true;
  }
  FMarkRect = it->second.first;
  FMarkShape = it->second.second;
  return true;
}

bool TfrmChild::AddUndoStep(const std::string &caption) {
  RememberMarking();
  return FUndo->AddUndoStep(caption);
}

bool TfrmChild::UndoStep(const std::string &caption) {
  if (RefusedWhileBusy())
    return false;
  RememberMarking();
  return MarkingOfLoadedSnapshot(FUndo->Undo(caption));
}

bool TfrmChild::RedoStep(const std::string &caption) {
  if (RefusedWhileBusy())
    return false;
  RememberMarking();
  return MarkingOfLoadedSnapshot(FUndo->Redo(caption));
}

} // namespace tessaro
