// What a document window needs from the window that holds it. The frame
// implements it; the document never sees the frame itself, so documents can
// be built and tested on a bare host.
#pragma once

#include "core/Types.h"
#include "document/tools/ToolAttributes.h"

#include <QString>

#include <string>
#include <vector>

class QAction;
class QProgressBar;

namespace tessaro {

class TfrmChild;
class TBitmap;
class TLUMColorPalette;

// Commands that the frame's menus and every document's menus share.
struct TSharedActions {
  QAction *New = nullptr;              // "Neu..."
  QAction *NewFromClipboard = nullptr; // "Neu aus Zwischenablage"
  QAction *Open = nullptr;             // "Öffnen..."
  QAction *End = nullptr;              // "Beenden"
  QAction *WndCascade = nullptr;
  QAction *WndTileHor = nullptr;
  QAction *WndTileVert = nullptr;
  QAction *HelpContents = nullptr;
  QAction *HelpSearch = nullptr;
  QAction *HelpHelp = nullptr;
  QAction *Options = nullptr;
  QAction *Info = nullptr;
  // The items of "Symbolleisten" (ticked by ToolBarsMenuShown).
  std::vector<QAction *> ToolBarItems;
  // "Farbpalette" (ticked by ColorPaletteMenuShown) and its submenu
  // "Bildfarben" (ticked by BitmapColorsMenuShown).
  QAction *StdColors = nullptr;
  QAction *HTMLColors = nullptr;
  QAction *SystemColors = nullptr;
  QAction *VGAColors = nullptr;
  QAction *UseBitmapColors = nullptr;
  QAction *BmpClRed = nullptr;
  QAction *BmpClGreen = nullptr;
  QAction *BmpClBlue = nullptr;
};

// Where the pipette puts a picked colour (bits; Shift picks fill and line).
enum TPipetteTarget : unsigned { ptFill = 1, ptLine = 2, ptPaper = 4 };

class TDocumentHost {
public:
  virtual ~TDocumentHost() = default;

  // Number of the next document's cache folder.
  virtual int DocumentNo() const = 0;
  virtual const TSharedActions &SharedActions() const = 0;

  // Open documents in the order they were created, and the active one.
  virtual std::vector<TfrmChild *> Documents() const = 0;
  virtual TfrmChild *ActiveChild() const = 0;
  // Brings a document's window to the front (restoring it when minimized).
  virtual void ShowDocument(TfrmChild &doc) = 0;
  virtual void MinimizeDocument(TfrmChild &doc) = 0;
  virtual void CloseDocument(TfrmChild &doc) = 0;
  // A document is about to go away.
  virtual void DocumentClosing(TfrmChild *doc) = 0;

  // Saves a document; askName asks for a file name first. True when the
  // file was written.
  virtual bool SaveDocument(TfrmChild &doc, const std::string &fileName, bool askName) = 0;
  // Creates a new untitled document (the new-image dialog's OK); null after a
  // German message when the raster is too big.
  virtual TfrmChild *CreateNewImage(int width, int height, TPixelFormat pf, TColor paper) = 0;

  // Zoom: shows a document's zoom in the zoom list and the status bar, or
  // applies the zoom list's value to the active document.
  virtual void ShowZoom(int zoom) = 0;
  virtual void ApplyZoom() = 0;

  // Status bar of the document (panels 0 to 9) and the paper colour panel.
  virtual void SetStatusText(int panel, const QString &text) = 0;
  virtual void ShowPaperColor(TColor color) = 0;
  // Hints of the frame's undo and redo buttons.
  virtual void SetUndoHint(const QString &hint) = 0;
  virtual void SetRedoHint(const QString &hint) = 0;
  // The floating-object toolbars go away with the object they showed.
  virtual void HideObjectToolBars() = 0;
  // The floating-image toolbars ("Bewegliche Objekte", "Transparenz")
  // appear when an image object becomes current; their values follow it:
  // the picture's position (pixels of the zoomed image) and size, its
  // see-through state and colour.
  virtual void ShowObjectToolBars() {}
  virtual void ShowWinImagePosition(int x, int y) {
    (void)x;
    (void)y;
  }
  virtual void ShowWinImageSize(int width, int height) {
    (void)width;
    (void)height;
  }
  virtual void ShowWinImageTransparency(bool transparent, TColor color) {
    (void)transparent;
    (void)color;
  }
  // The cross-fade position (0 to 100) that all floating images share.
  // Setting another position runs the cross-fade of the active document's
  // current floating image.
  virtual int BlendPosition() const { return 0; }
  virtual void SetBlendPosition(int position) { (void)position; }
  // The four status texts (position and size) of the active document's
  // current floating image.
  virtual void ShowObjectStatus() {}
  // The progress bar of long object work (the see-through region); null
  // when there is none.
  virtual QProgressBar *ProgressBar() const { return nullptr; }
  // "Markierung löschen" goes off when the marking goes; the display timer
  // turns it on while a marking exists.
  virtual void DisableUndoMark() {}
  // "Symbolleisten" opens: tick the visible bars.
  virtual void ToolBarsMenuShown() = 0;
  // "Farbpalette" or "Bildfarben" opens: tick the colour sets shown.
  virtual void ColorPaletteMenuShown() {}
  virtual void BitmapColorsMenuShown() {}
  // Ctrl + mouse wheel over a document: its zoom one entry of the zoom list
  // up (direction > 0) or down.
  virtual void StepZoom(TfrmChild &doc, int direction) {
    (void)doc;
    (void)direction;
  }

  // The drawing state, read live at every mouse event (never copied).
  virtual TToolAttributes DrawAttributes() const = 0;
  // The pipette picked a colour for the frame's fill, line or paper colour
  // (targets: TPipetteTarget bits); the document's own paper colour stays.
  virtual void PipetteColor(unsigned targets, TColor color) = 0;

  // What the image commands and the operation dialogs need of the frame.
  // A new document showing a copy of bitmap, captioned caption (also its
  // file name), not modified, its image type the bitmap's format; raises
  // DocumentNo. Null after a German message when it cannot be made.
  virtual TfrmChild *CreateDocumentFromBitmap(const QString &caption, const TBitmap &bitmap) {
    (void)caption;
    (void)bitmap;
    return nullptr;
  }
  // The paper colour the frame shows: the fill of previews and of the
  // geometric operations.
  virtual TColor PaperColor() const { return clWhite; }
  // The shared colour dialog preset with color; false when cancelled.
  virtual bool ChooseColor(TColor &color);
  // How far a running operation has come, 0..100; -1 hides the figure.
  virtual void ShowProgress(int percent) { (void)percent; }
  // The colour palette grid the image-type change fits; null while the
  // frame shows none.
  virtual TLUMColorPalette *ColorPalette() const { return nullptr; }
};

} // namespace tessaro
