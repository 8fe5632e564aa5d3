// The document's image commands: the dispatcher of the one-click commands,
// the channel split into three documents, and the common path by which
// every command and operation dialog changes the raster.
#include "document/UnChild.h"

#include "core/Hooks.h"
#include "ops/LUMGraphics.h"
#include "platform/Beep.h"
#include "platform/MessageDlg.h"

#include <QElapsedTimer>

#include <filesystem>
#include <new>
#include <stdexcept>

namespace tessaro {

namespace {

// The undo step could not be written: the command stops.
struct TUndoRefused {};

// Ends the busy state on every path.
class TBusyScope {
public:
  TBusyScope(bool &busy, QWidget *view, TDocumentHost &host) : FBusy(busy), FView(view), FHost(host) {
    FBusy = true;
    FView->setEnabled(false);
  }
  ~TBusyScope() {
    FBusy = false;
    FView->setEnabled(true);
    FHost.ShowProgress(-1);
  }
  TBusyScope(const TBusyScope &) = delete;
  TBusyScope &operator=(const TBusyScope &) = delete;

private:
  bool &FBusy;
  QWidget *FView;
  TDocumentHost &FHost;
};

void ShowOperationError(const QString &text) {
  Beep();
  MessageDlg(text, mtError, mbOK);
}

} // namespace

void TfrmChild::ShowOutOfMemory() {
  ShowOperationError("Für diese Operation reicht der Arbeitsspeicher nicht aus!");
}

bool TfrmChild::RefusedWhileBusy() {
  if (!FImageBusy)
    return false;
  Beep();
  return true;
}

void TfrmChild::ImageCommand(TImageCommand Command) {
  const TImageOp *op = FindImageCommand(Command);
  if (!op)
    return;
  if (Command == icSplitChannels) {
    RunOperation(*op, {}, [this] { return SplitChannelsIntoDocuments(); });
    return;
  }
  ApplyImageOp(*op, DefaultOpArgs(*op));
}

bool TfrmChild::ApplyImageOp(const TImageOp &op, const TOpArgs &args) {
  const std::string caption = op.UndoCaption;
  return RunOperation(op, args, [this, &caption] { return caption.empty() || AddUndoStep(caption); });
}

bool TfrmChild::RunOperation(const TImageOp &op, const TOpArgs &args,
                             const std::function<bool()> &atUndoPoint) {
  if (RefusedWhileBusy())
    return false;
  TBusyScope busy(FImageBusy, Image, FHost);
  // The status bar shows how far a long operation has come; a short one
  // ends before the figure would appear, and the bar is redrawn at most
  // every 100 ms, so that showing progress costs the routine nothing.
  QElapsedTimer clock;
  clock.start();
  TProgressScope progress([this, &clock, shown = -1, lastShown = int64_t(-1)](int done, int total) mutable {
    const int64_t now = clock.elapsed();
    if (now < ProgressDelayMs || (lastShown >= 0 && now - lastShown < 100))
      return;
    const int percent = total > 0 ? int(int64_t(done) * 100 / total) : 0;
    if (percent == shown)
      return;
    shown = percent;
    lastShown = now;
    FHost.ShowProgress(percent);
  });
  // The format the raster must be in when the command is done, whatever
  // happens on the way.
  const TPixelFormat own = FBitmap->PixelFormat();
  const TPixelFormat after = op.Format == frConvertFirst ? own : FImageType;
  std::unique_ptr<TBitmap> before;
  try {
    // A palette image changes its colours on the way to pf24bit and back:
    // until the undo step stands, an exact copy is kept so that a command
    // that stops there leaves the picture as it was.
    if (op.Format == frConvertFirst && own != pf24bit)
      before = std::make_unique<TBitmap>(*FBitmap);
    return RunImageCommand(*FBitmap, op, args, FImageType, [&] {
      if (!atUndoPoint())
        throw TUndoRefused{};
      before.reset();
    });
  } catch (const TUndoRefused &) {
    if (before)
      FBitmap->Assign(*before);
    return false;
  } catch (const std::bad_alloc &) {
    if (before)
      FBitmap->Assign(*before);
    ShowOutOfMemory();
  } catch (const std::exception &e) {
    ShowOperationError(QString::fromStdString(e.what()));
  }
  // The routine stopped on the way: the raster goes back to its format.
  if (op.Format != frOwnFormat && FBitmap->PixelFormat() != after) {
    try {
      FBitmap->SetPixelFormat(after);
    } catch (const std::exception &) {
    }
  }
  return false;
}

bool TfrmChild::SplitChannelsIntoDocuments() {
  const std::string base = std::filesystem::path(FFileName).stem().string();
  const struct {
    const char *Suffix;
    bool (*Keep)(TBitmap *);
  } parts[] = {{" [Roter Kanal].bmp", KeepRedOnly},
               {" [Grüner Kanal].bmp", KeepGreenOnly},
               {" [Blauer Kanal].bmp", KeepBlueOnly}};
  for (const auto &part : parts) {
    const QString caption = QString::fromStdString(base) + QString::fromUtf8(part.Suffix);
    TfrmChild *doc = FHost.CreateDocumentFromBitmap(caption, *FBitmap);
    if (!doc)
      return true; // the frame said why; the documents made so far stay
    part.Keep(&doc->Bitmap());
  }
  return true;
}

} // namespace tessaro
