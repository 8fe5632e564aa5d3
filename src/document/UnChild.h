// The document window: one raster with its identity (caption, file name,
// read-only flag, pixel format), its modified flag, zoom, paper colour,
// undo history, marking and floating objects, and the menu bar the frame
// shows while the document is active.
#pragma once

#include "core/Bitmap.h"
#include "core/Types.h"
#include "document/DocumentHost.h"
#include "document/ImageView.h"
#include "document/UndoCache.h"
#include "document/objects/LUMWinImageEx.h"
#include "document/objects/Marking.h"
#include "document/tools/ToolEngine.h"
#include "ops/ImageOps.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QMenu;

namespace tessaro {

class TLUMWinRichEdit;

// Copy of a deleted floating image, so that undo can bring it back at its
// place with its settings. The pictures are shared with the deleted object:
// nobody changes them any more.
struct TDeletedObj {
  std::shared_ptr<const TBitmap> Bitmap = std::make_shared<const TBitmap>();
  std::shared_ptr<const TBitmap> SourceBitmap = std::make_shared<const TBitmap>();
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  int TransparencyLevel = 0;
  bool Transparent = false;
  TColor TransparentColor = 0;
};

// "1-bit" .. "32-bit" for a document's image type; empty for other formats.
QString ImageTypeText(TPixelFormat pf);

class TfrmChild : public QWidget, private TUndoListener {
  Q_OBJECT
public:
  // The construction steps common to every creation path. The cache folder
  // is numbered by the host's DocumentNo as it is now.
  explicit TfrmChild(TDocumentHost &host, QWidget *parent = nullptr);
  ~TfrmChild() override;

  TDocumentHost &Host() const { return FHost; }

  // The raster (Image.Picture.Bitmap) and the image control showing it.
  TBitmap &Bitmap() { return *FBitmap; }
  const TBitmap &Bitmap() const { return *FBitmap; }
  TImageScrollBox *ScrollBox;
  TImageView *Image;

  QString Caption() const { return windowTitle(); }
  void SetCaption(const QString &caption) { setWindowTitle(caption); }

  // The last step of every creation path: caption, file name, read-only and
  // modified flags; the image type is taken from the raster.
  void SetDocument(const QString &caption, const std::string &fileName, bool readOnly, bool modified);

  const std::string &FileName() const { return FFileName; }
  bool ReadOnly() const { return FReadOnly; }
  TPixelFormat ImageType() const { return FImageType; }
  bool Modified() const { return FModified; }
  int Zoom() const { return FZoom; }
  TColor PaperColor() const { return FPaperColor; }
  const TRect &MarkRect() const { return FMarkRect; }
  const TMarkShape &MarkShape() const { return FMarkShape; }
  bool MarkingExists() const { return tessaro::MarkingExists(FMarkRect); }
  bool Dimensioned() const { return FDimensioned; }

  void SetFileName(const std::string &fileName) { FFileName = fileName; }
  void SetReadOnly(bool readOnly) { FReadOnly = readOnly; }
  void SetImageType(TPixelFormat pf) { FImageType = pf; }
  void SetModified(bool modified) { FModified = modified; }
  void SetPaperColor(TColor color) { FPaperColor = color; }
  void SetDimensioned(bool dimensioned) { FDimensioned = dimensioned; }
  // Shows the picture at the zoom (percent).
  void SetZoom(int zoom);
  // The file was written under this name: caption, name and flag follow.
  void DocumentSaved(const std::string &fileName);

  // The undo history (cache folder, log, index, saved hints).
  TUndoCache &Undo() { return *FUndo; }
  const TUndoCache &Undo() const { return *FUndo; }
  const std::string &CacheDir() const { return FUndo->CacheDir(); }
  // Each snapshot remembers the marking whose frame it holds, so that undo
  // and redo bring back the marking that belongs to the raster they load.
  // Undo and redo are refused while an operation runs on the document.
  bool AddUndoStep(const std::string &caption);
  bool UndoStep(const std::string &caption = std::string());
  bool RedoStep(const std::string &caption = std::string());

  // The tool engine behind the image control's mouse events.
  TToolEngine &Engine() { return *FEngine; }
  // Empties the point list of the multi-point tools.
  void ClearPoints();
  // Escape: ends a drag in progress and removes its rubber band.
  void CancelDrawing();
  // "Markierung löschen": the frame leaves the raster, the marking is gone.
  void RemoveMarking();
  // A new marking whose frame the marking tool has just drawn.
  void SetMarking(const TRect &rect, TMarkShape shape);
  // The freehand outline being dragged (image coordinates).
  std::vector<TPoint> &MarkPath() { return FMarkPath; }

  // Clipboard ("Ausschneiden", "Kopieren", "Einfügen", "Zwischenablage
  // leeren").
  void mnuCutClick();
  void mnuCopyClick();
  void mnuPasteClick();
  void mnuClearClipBrdClick();

  // Floating images. They lie on the scroll box's client area, whose
  // coordinates are those of the image control: an object's picture starts
  // at (Left + 4, Top + 4) of the zoomed image.
  TLUMWinImageEx *InsertWinImage(const TBitmap &Bitmap);
  TLUMWinImageEx *InsertWinImage(std::shared_ptr<const TBitmap> Bitmap);
  TLUMWinImageEx *ActiveWinImage() const { return FActiveWinImage.data(); }
  void SetActiveWinImage(TLUMWinImageEx *image) { FActiveWinImage = image; }
  std::vector<TLUMWinImageEx *> WinImages() const;
  // Removes every floating image without undo steps.
  void DestroyWinImages();
  // The objects' events.
  void WinImageMouseDown(QObject *Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void WinImageMoved(QObject *Sender, int X, int Y);
  void WinImageResized(QObject *Sender, int Width, int Height);
  void CombineWinImage(QObject *Sender, TBitmap *Target);
  void WinImageDeleting(QObject *Sender);
  // Lays an object's source picture over the raster under it at a
  // cross-fade position (0 to 100) and shows the result; the object keeps
  // the position as its level. False when there is nothing to blend.
  bool CrossFadeWinImage(TLUMWinImageEx &image, int position);
  // Blends every object with a level above 0 again with what lies under it
  // now (after a zoom, undo or redo).
  void ReblendWinImages();

  // Activation and deactivation (the frame calls them when the active
  // document changes; also after undo, redo and pixel-format changes).
  void FormActivate();
  void FormDeactivate();
  // Asks whether to save unsaved changes; false keeps the window open.
  bool FormCloseQuery();
  // The question was already answered (the frame asks every document first
  // when it closes): the window closes without asking again.
  void SetCloseAgreed() { FCloseAgreed = true; }

  // Menu bar (MainMenuChild) and popup menu.
  std::vector<QMenu *> MainMenuChild;
  QMenu *PopupMenuChild;
  QMenu *mnuMainFile;
  QMenu *mnuMainEdit;
  QMenu *mnuMainImage;
  QMenu *mnuMainView;
  QMenu *mnuMainWindow;
  QMenu *mnuMainExtras;
  QMenu *mnuMainHelp;
  QMenu *mnuChImageTypeDD;
  QAction *mnuNew;
  QAction *mnuNewFromClipboard;
  QAction *mnuOpen;
  QAction *mnuSave;
  QAction *mnuSaveAs;
  QAction *mnuRestore;
  QAction *mnuPreview;
  QAction *mnuPageSetup;
  QAction *mnuPrint;
  QAction *mnuPrinterSetup;
  QAction *mnuProperties;
  QAction *mnuEnd;
  QAction *mnuUndo;
  QAction *mnuReUndo;
  QAction *mnuCut;
  QAction *mnuCopy;
  QAction *mnuPaste;
  QAction *mnuClearClipBrd;
  QAction *mnuSizeImage;
  QAction *mnu1bit;
  QAction *mnu4bit;
  QAction *mnu8bit;
  QAction *mnu15bit;
  QAction *mnu16bit;
  QAction *mnu24bit;
  QAction *mnu32bit;
  QAction *mnuWndCascade;
  QAction *mnuWndTileHor;
  QAction *mnuWndTileVert;
  QAction *mnuMinimize;
  QAction *mnuMinimizeAll;
  QAction *mnuClose;
  QAction *mnuCloseAll;
  QAction *mnuSpaceWnd;
  QAction *ppMnuUndo;
  QAction *ppMnuRedo;
  QAction *ppMnuCut;
  QAction *ppMnuCopy;
  QAction *ppMnuPaste;

  // Menu handlers.
  void mnuMainFileClick();
  void mnuMainEditClick();
  // "Bildart ändern" opens: the item of the raster's own format is ticked.
  void mnuChImageTypeDDClick();
  void mnuMainWindowClick();
  void WindowMenuItemClick(QAction *item);
  void mnuSaveClick();
  void mnuSaveAsClick();
  void mnuRestoreClick();
  void mnuPreviewClick();
  void mnuPageSetupClick();
  void mnuPrintClick();
  void mnuPropertiesClick();
  // The question before the image-size dialog on a dimensioned image: true
  // when the dialog may open.
  bool AskResizeDimensioned();
  void mnuMinimizeClick();
  void mnuMinimizeAllClick();
  void mnuCloseClick();
  void mnuCloseAllClick();
  void mnuUndoClick() { UndoStep(); }
  void mnuReUndoClick() { RedoStep(); }

  // The "Bild" menu. One-click commands go through the dispatcher; the
  // items with "..." open an operation dialog.
  QAction *mnuInvert;
  QAction *mnuGrayScale;
  QAction *mnuSkew;
  QAction *mnuIntesity;
  QAction *mnuReplaceColors;
  QAction *mnuSizePaper;
  QAction *mnuLighter;
  QAction *mnuDarker;
  QAction *mnuSetLight;
  QAction *mnuMoreContrast;
  QAction *mnuLessContrast;
  QAction *mnuSetContrast;
  QAction *mnuRotateLeft;
  QAction *mnuRotateRight;
  QAction *mnuRotate180;
  QAction *mnuRotateFree;
  QAction *mnuFlipHor;
  QAction *mnuFlipVert;
  QAction *mnuSmoothColors;
  QAction *mnuFrostedGlass;
  QAction *mnuBlur;
  QAction *mnuChPalette;
  QAction *mnuDevLayers;
  QAction *mnuGrayScaleRed;
  QAction *mnuGrayScaleGreen;
  QAction *mnuGrayScaleBlue;
  QAction *mnuOnlyRedLayer;
  QAction *mnuOnlyGreenLayer;
  QAction *mnuOnlyBlueLayer;
  QAction *mnuWithoutRed;
  QAction *mnuWithoutGreen;
  QAction *mnuWithoutBlue;

  // Runs one command of the dispatcher on this document: the raster in
  // pf24bit, the undo step (a 24-bit snapshot), the routine, the raster's
  // own format again. "Kanäle teilen" makes three new documents instead.
  void ImageCommand(TImageCommand Command);
  // Runs a row of the operation table on the raster in the order of its
  // format rule, with an undo step of the row's caption. False, with the
  // raster as it was, when another operation is running on this document,
  // when the undo step cannot be written, or (after a German message) when
  // memory runs out.
  bool ApplyImageOp(const TImageOp &op, const TOpArgs &args);
  // An operation is running on this document (its loops let events in):
  // commands, undo and redo, the tools and closing wait until it ends.
  bool ImageBusy() const { return FImageBusy; }
  // How long an operation runs before the frame shows its progress (ms).
  static inline int ProgressDelayMs = 250;
  // The German message when memory runs out for an operation.
  static void ShowOutOfMemory();

  // The dialogs of the "Bild" menu (each asks nothing of the caller; the
  // image-size dialog asks about dimension lines first).
  void mnuSkewClick();
  void mnuIntesityClick();
  void mnuReplaceColorsClick();
  void mnuSizeImageClick();
  void mnuSizePaperClick();
  void mnuSetLightClick();
  void mnuSetContrastClick();
  void mnuRotateFreeClick();
  void mnuSmoothColorsClick();
  void mnuFrostedGlassClick();
  void mnuBlurClick();
  void mnuChPaletteClick();
  // The image types of "Bildart ändern".
  void mnu1bitClick() { ChangeImageType(pf1bit); }
  void mnu4bitClick() { ChangeImageType(pf4bit); }
  void mnu8bitClick() { ChangeImageType(pf8bit); }
  void mnu15bitClick() { ChangeImageType(pf15bit); }
  void mnu16bitClick() { ChangeImageType(pf16bit); }
  void mnu24bitClick() { ChangeImageType(pf24bit); }
  void mnu32bitClick() { ChangeImageType(pf32bit); }
  void ChangeImageType(TPixelFormat pf);

protected:
  void closeEvent(QCloseEvent *event) override;

private:
  void CreateMenus();
  void CreateImageMenu();
  // Beeps and says true while an operation runs on this document.
  bool RefusedWhileBusy();
  // The channel split: three new documents from the 24-bit raster.
  bool SplitChannelsIntoDocuments();
  // Fits the frame's colour palette to a new image type, asking first where
  // colours would be lost.
  void FitPaletteToImageType(TPixelFormat pf);
  // The operation-dialog path of ApplyImageOp with the step taken where the
  // undo step belongs; atUndoPoint returns false to stop.
  bool RunOperation(const TImageOp &op, const TOpArgs &args, const std::function<bool()> &atUndoPoint);
  void ConnectTools();
  void FormClose();
  void ClipboardChanged();
  void ShowWinImageState(TLUMWinImageEx &image);
  void ClearMarking();
  void RememberMarking();
  // After an undo or redo (taken: whether it was): the marking of the
  // raster it loaded. Returns taken.
  bool MarkingOfLoadedSnapshot(bool taken);
  // Listener of the undo history.
  void UndoHintChanged(const std::string &hint) override;
  void RedoHintChanged(const std::string &hint) override;
  void SnapshotLoaded(TPixelFormat imageType) override;
  void RestoreDeletedObject() override;
  void ReapplyZoom() override;
  void DocumentModified() override;

  TDocumentHost &FHost;
  std::shared_ptr<TBitmap> FBitmap;

  std::string FFileName;
  bool FReadOnly = false;
  TPixelFormat FImageType = pf24bit;
  bool FModified = false;
  int FZoom = 100;
  TColor FPaperColor = clWhite;
  TRect FMarkRect;
  TMarkShape FMarkShape;
  std::vector<TPoint> FMarkPath;
  // The marking of each snapshot file by its number.
  std::map<int, std::pair<TRect, TMarkShape>> FSnapshotMarking;
  bool FCutting = false;
  bool FDimensioned = false;
  // Floating objects: the current ones, and the copies of deleted images by
  // the undo entry ("Objekt löschen") that deleted them.
  QPointer<TLUMWinImageEx> FActiveWinImage;
  TLUMWinRichEdit *FActiveRichEdit = nullptr;
  std::map<int, TDeletedObj> FDeletedObj;
  std::unique_ptr<TUndoCache> FUndo;
  std::unique_ptr<TToolEngine> FEngine;
  bool FCloseAgreed = false;
  bool FImageBusy = false;
};

} // namespace tessaro
