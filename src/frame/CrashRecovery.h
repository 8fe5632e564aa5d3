// Unsaved pictures survive a crash. While the program runs, every modified
// document whose newest state is not on disk writes it, after a few seconds
// without change, as a recovery snapshot into a folder beside the cache
// folder, together with a small state file that says which document each
// snapshot belongs to. The cache folder itself stays as the undo history
// keeps it. A normal end removes both folders.
//
// The first start after a run that ended without its shutdown finds them:
// it moves them aside before it creates any document (so the new run's cache
// starts empty), offers to reopen the pictures, and removes the old folders
// afterwards, whatever the answer.
#pragma once

#include "core/Bitmap.h"
#include "core/Types.h"

#include <QObject>
#include <QPointer>

#include <memory>
#include <string>
#include <vector>

class QTimer;

namespace tessaro {

class TfrmChild;
class TfrmMain;

class TCrashRecovery : public QObject {
  Q_OBJECT
public:
  explicit TCrashRecovery(QObject *parent = nullptr);
  ~TCrashRecovery() override;

  // PrivateTempFolder() + "Tessaro.recovery" (no trailing "/"); empty
  // without a private temporary folder.
  static std::string RecoveryFolder();

  // What a document of an earlier run left.
  struct TRecoverable {
    std::string Caption; // UTF-8
    std::string FileName;
    std::string Snapshot; // the picture, a BMP file in the document's format
    TPixelFormat ImageType = pf24bit;
    TColor PaperColor = clWhite;
  };

  // At the start of the first program, before any document: moves what an
  // earlier run left (its cache folder and recovery folder, and folders an
  // earlier start moved aside and did not finish with) aside and reads the
  // recoverable pictures. True when anything was left.
  bool TakeOverPreviousRun();
  const std::vector<TRecoverable> &Recoverable() const { return FRecoverable; }

  // Offers the recoverable pictures in a German question; on "Ja" each
  // becomes a modified document of the frame under its old caption, whose
  // first "Speichern" asks for a file name. The folders of the earlier run
  // go afterwards. Returns the number of documents made.
  int Offer(TfrmMain &frame);
  // Removes the folders moved aside.
  void RemovePrevious();

  // Keeps the recovery snapshots of the frame's documents from now on: a
  // document is written idleMs after its last change, never while a mouse
  // button is down or a figure is being drawn.
  void Watch(TfrmMain &frame, int idleMs = 3000);
  // Writes what is due now (the timer does this on its own).
  void WritePending();
  // The normal end: stops watching and removes the recovery folder.
  void Finish();

  // Text of the state file for documents (for tests and the writer).
  static std::string StateText(const std::vector<std::pair<int, TRecoverable>> &docs);
  // Reads a state file's documents (snapshot paths made full from folder).
  static std::vector<TRecoverable> ReadState(const std::string &folder);

private:
  struct TWatched;
  void Tick();
  bool WriteSnapshot(TWatched &w);
  void WriteState();

  std::vector<std::string> FPrevious; // folders moved aside
  std::vector<TRecoverable> FRecoverable;
  QPointer<TfrmMain> FFrame;
  QTimer *FTimer = nullptr;
  int FIdleMs = 3000;
  std::vector<std::unique_ptr<TWatched>> FWatched;
  bool FStateDirty = false;
};

} // namespace tessaro
