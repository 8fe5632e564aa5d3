// The main frame: a multiple-document frame that creates the document
// windows, shows the active document's menus, zoom and status, and owns the
// document counters, the colour panels and the undo and redo buttons.
#pragma once

#include "core/Bitmap.h"
#include "core/Types.h"
#include "document/DocumentHost.h"
#include "frame/FloatingObjects.h"
#include "frame/FrameWidgets.h"
#include "frame/ImageToolBars.h"
#include "frame/OptionToolBars.h"
#include "platform/SingleInstance.h"

#include <QFont>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QProgressBar;
class QScrollArea;
class QShortcut;
class QSplitter;
class QTimer;
class QToolBar;
class QTimer;
class QToolButton;

namespace tessaro {

class TCrashRecovery;
class TPicturePreload;
class TfrmChild;
class TfrmJPEGCompression;
class TfrmOptions;
class TItemCanvas;
class TLUMColorPalette;
class TLUMHelpPopupMenu;
class TPictureButton;

class TfrmMain : public QMainWindow, public TDocumentHost {
  Q_OBJECT
public:
  // FormCreate.
  explicit TfrmMain(QWidget *parent = nullptr);
  ~TfrmMain() override;

  // The frame of the running program (the last one constructed), or null.
  static TfrmMain *Instance();

  // Number of the next untitled document ("Neu " + NewImageNo + ".bmp") and
  // of the next document's cache folder.
  int NewImageNo = 1;
  int FDocumentNo = 100;

  // Arguments of the program (argument 1 is a file to open); the program
  // entry also gives them as the bytes the system passed (RawCommandLine),
  // which win, so that any file name opens.
  QStringList CommandLine;
  std::vector<std::string> RawCommandLine;
  std::string CommandLineFile() const;

  QMdiArea *MdiArea;
  QComboBox *CBZoom;
  TStatusPanels *StatusBarMain;
  TStatusPanels *StatusBarChild;
  QProgressBar *PBarStatus;
  TColorPanel *panFillColor;
  TColorPanel *panLineColor;
  TColorPanel *panPaperColor;
  // The colour palette grid in a scroll box along the bottom edge, below a
  // splitter.
  QSplitter *SplitterPalette;
  QScrollArea *ScrollBoxPalette;
  TLUMColorPalette *LUMColorPalette;

  QToolBar *ToolBarStandard;
  QToolBar *ToolBarEdit;
  QToolBar *ToolBarDraw;
  QToolBar *ToolBarEffects;
  QToolBar *ToolBarLayers;
  QToolBar *ToolBarWinImage;
  QToolBar *ToolBarTransp;
  QToolButton *TBNew;
  QToolButton *TBOpen;
  QToolButton *TBSave;
  QToolButton *TBUndo;
  QToolButton *TBReUndo;
  QToolButton *TBWndCascade;
  QToolButton *TBWndTileVert;
  QToolButton *TBWndTileHor;
  QToolButton *TBHelp;
  // The help button's popup, built from the help contents at the first show.
  QMenu *PopupMenuHelp = nullptr;
  TLUMHelpPopupMenu *HelpPopupMenu = nullptr;
  void BuildHelpMenu();

  // The hint line of the chosen tool (first band of the toolbars).
  QToolBar *ToolBarInfo;
  QLabel *panInfo;

  // The tool buttons of ToolBarDraw. TBCursor to TBCutImage without TBFont
  // and TBUndoMark form the tool group: exactly one of them is down.
  TPictureButton *TBCursor;
  TPictureButton *TBLine; // family button: its picture says which tool
  QToolButton *SpBtnMoreLines;
  TPictureButton *TBRect;
  QToolButton *SpBtnMoreRects;
  TPictureButton *TBEllipse;
  QToolButton *SpBtnMoreEllipses;
  TPictureButton *TBFont;
  TPictureButton *TBMark;
  QToolButton *TBMarkMore; // created hidden
  TPictureButton *TBUndoMark;
  TPictureButton *TBPipette;
  TPictureButton *TBErase;
  TPictureButton *TBFill;
  TPictureButton *TBPen;
  TPictureButton *TBClone;
  TPictureButton *TBCutImage;
  QMenu *PopupMenuLines;
  QMenu *PopupMenuRect;
  QMenu *PopupMenuEllipse;
  QMenu *PopupMenuMark;
  QAction *ppMnuLine;
  QAction *ppMnuPolyLine;
  QAction *ppMnuFreeLine;
  QAction *ppMnuBezier;
  QAction *ppMnuDimHor;
  QAction *ppMnuDimVert;
  QAction *ppMnuRect;
  QAction *ppMnuPolygon;
  QAction *ppMnuEllipse;
  QAction *ppMnuArc;
  QAction *ppMnuChord;
  QAction *ppmnuPie;
  QAction *ppMnuMarkRect;
  QAction *ppMnuMarkEllipse;
  QAction *ppMnuMarkHand;
  // Escape cancels a drag; it works while any window of the program has
  // the focus.
  QShortcut *LMDGlobalHotKey;

  // The option toolbars (WinImage and Transp carry the floating objects'
  // controls).
  TToolBarLines ToolBarLines;
  TToolBarStdSize ToolBarStdSize;
  TToolBarRect ToolBarRect;
  TToolBarEllipse ToolBarEllipse;
  TToolBar3D ToolBar3D;
  TToolBarDim ToolBarDim;
  TToolBarText ToolBarText;
  TToolBarRenderText ToolBarRenderText;
  // The bar of one TOptionToolBar bit.
  QToolBar *OptionToolBar(TOptionToolBar bar) const;

  // Commands shared by the frame's menus and every document's menus.
  QAction *ActNew;              // "Neu..." Ctrl+N
  QAction *ActNewFromClipboard; // "Neu aus Zwischenablage"
  QAction *ActOpen;             // "Öffnen..." Ctrl+O
  QAction *ActEnd;              // "Beenden" Alt+F4
  QAction *ActWndCascade;
  QAction *ActWndTileHor;
  QAction *ActWndTileVert;
  QAction *ActHelpContents;
  QAction *ActHelpSearch;
  QAction *ActHelpHelp;
  QAction *ActOptions;
  QAction *ActInfo;

  // The frame's own menus (shown while no document is active).
  QMenu *mnuMainFile;
  QMenu *mnuMainView;
  QMenu *mnuColorPalette;
  QMenu *mnuToolBars;
  QMenu *mnuMainExtras;
  QMenu *mnuMainHelp;
  QAction *mnuShowTBStandard;
  QAction *mnuShowTBEdit;
  QAction *mnuShowTBDraw;
  QAction *mnuShowTBEffects;
  QAction *mnuShowTBLayers;
  // "Farbpalette" and "Bildfarben" (shared with the documents' menus).
  QMenu *mnuBitmapColors;
  QAction *mnuStdColors;
  QAction *mnuHTMLColors;
  QAction *mnuSystemColors;
  QAction *mnuVGAColors;
  QAction *mnuUseBitmapColors;
  QAction *mnuBmpClRed;
  QAction *mnuBmpClGreen;
  QAction *mnuBmpClBlue;

  // The host of the documents.
  int DocumentNo() const override { return FDocumentNo; }
  const TSharedActions &SharedActions() const override { return FSharedActions; }
  std::vector<TfrmChild *> Documents() const override;
  TfrmChild *ActiveChild() const override;
  void ShowDocument(TfrmChild &doc) override;
  void MinimizeDocument(TfrmChild &doc) override;
  void CloseDocument(TfrmChild &doc) override;
  void DocumentClosing(TfrmChild *child) override;
  bool SaveDocument(TfrmChild &doc, const std::string &fileName, bool askName) override;
  TfrmChild *CreateNewImage(int width, int height, TPixelFormat pf, TColor paper) override;
  void ShowZoom(int zoom) override;
  void ApplyZoom() override { CBZoomChange(); }
  void SetStatusText(int panel, const QString &text) override;
  void ShowPaperColor(TColor color) override;
  void SetUndoHint(const QString &hint) override;
  void SetRedoHint(const QString &hint) override;
  void HideObjectToolBars() override;
  void ShowObjectToolBars() override;
  int BlendPosition() const override { return FBlendPosition; }
  void SetBlendPosition(int position) override;
  void ShowObjectStatus() override;
  QProgressBar *ProgressBar() const override { return PBarStatus; }
  void DisableUndoMark() override;
  void ToolBarsMenuShown() override { mnuToolBarsClick(); }
  void ColorPaletteMenuShown() override { mnuColorPaletteClick(); }
  void BitmapColorsMenuShown() override { mnuBitmapColorsClick(); }
  void StepZoom(TfrmChild &doc, int direction) override;
  TToolAttributes DrawAttributes() const override;
  void PipetteColor(unsigned targets, TColor color) override;
  TfrmChild *CreateDocumentFromBitmap(const QString &caption, const TBitmap &bitmap) override;
  TColor PaperColor() const override;
  void ShowProgress(int percent) override;
  TLUMColorPalette *ColorPalette() const override { return LUMColorPalette; }

  // The buttons of the image commands (UnMainImage.cpp).
  TImageToolButtons ImageButtons;
  void CreateImageToolButtons();

  // The active drawing tool; written only by the tool buttons and popup items.
  TDrawTool ActiveTool = dtCursor;

  // Tool selection.
  void TBCursorClick();
  void TBLineClick();
  void TBRectClick();
  void TBEllipseClick();
  void TBMarkClick();
  void TBPipetteClick();
  void TBEraseClick();
  void TBFillClick();
  void TBPenClick();
  void TBCloneClick();
  void TBCutImageClick();
  void TBFontClick();
  void SpBtnMoreLinesClick();
  void SpBtnMoreRectsClick();
  void SpBtnMoreEllipsesClick();
  void TBMarkMoreClick();
  void ppMnuLineClick();
  void ppMnuPolyLineClick();
  void ppMnuFreeLineClick();
  void ppMnuBezierClick();
  void ppMnuDimHorClick();
  void ppMnuDimVertClick();
  void ppMnuRectClick();
  void ppMnuPolygonClick();
  void ppMnuEllipseClick();
  void ppMnuArcClick();
  void ppMnuChordClick();
  void ppmnuPieClick();
  void ppMnuMarkRectClick();
  void ppMnuMarkEllipseClick();
  void ppMnuMarkHandClick();
  void TBUse3DClick();
  void TBUndoMarkClick();
  // The cross-fade of the active document's current floating image at the
  // shared position.
  void TrackBarWinImgTranspChange();
  void LMDGlobalHotKeyKeyDown();

  // Attributes. The check buttons' click handlers toggle the button like a
  // click on it.
  void TBNoFillClick();
  void TBNoLineClick();
  void CBFillKindChange();
  void CBFillKindDrawItem(TItemCanvas &canvas, int index, const TRect &rect, bool selected);
  void CBLineWidthDrawItem(TItemCanvas &canvas, int index, const TRect &rect, bool selected);
  void CBLineKindDrawItem(TItemCanvas &canvas, int index, const TRect &rect, bool selected);
  void CBDrawKindDrawItem(TItemCanvas &canvas, int index, const TRect &rect, bool selected);

  // Colours.
  void LUMColorPaletteSelectionChange(TColor FillColor, TColor LineColor, TColor PaperColor);
  void ClPickCBFillColorChanged();
  void ClPickCBLineColorChanged();
  // Double click on one of the three colour panels.
  void panFillColorDblClick(TColorPanel *panel);
  void lbDimFontClick();
  void ClPickCBDimColChanged();
  void mnuColorPaletteClick();
  void mnuStdColorsClick();
  void mnuHTMLColorsClick();
  void mnuSystemColorsClick();
  void mnuVGAColorsClick();
  void mnuBitmapColorsClick();
  void mnuUseBitmapColorsClick();
  void mnuBmpClRedClick();
  void mnuBmpClGreenClick();
  void mnuBmpClBlueClick();

  // Text attributes (the text objects that they edit arrive later; until
  // then they change the toolbar only).
  void LMDFontCBTextChange();
  void LMDFontSizeCBTextChange();
  void ClPickCBTextColorChanged();
  void TBBoldClick();
  void TBItalicClick();
  void TBUnderlineClick();
  void TBStrikeOutClick();
  void TBFontLeftClick();
  void TBFontCenterClick();
  void TBFontRightClick();
  void TBNumberingClick();

  // The colour and font dialogs; tests replace them. False when cancelled.
  std::function<bool(TColor &color)> ColorDialogHook;
  std::function<bool(QFont &font)> FontDialogHook;

  QMdiSubWindow *SubWindowOf(const TfrmChild *child) const;

  // Creates a document window (construction only: it takes DocumentNo as
  // its cache folder number) and shows it in the frame. The creation path
  // fills it in and raises the counters.
  TfrmChild *CreateChild();
  // (CreateNewImage above is the new-image path: a raster of the size and
  // format filled with the paper colour.)
  // The untitled 400 x 300, 24-bit document of the start.
  TfrmChild *CreateBlankDocument();

  // Handlers.
  void FormShow();
  void TBNewClick();
  void TBSaveClick();
  void TBUndoClick();
  void TBReUndoClick();
  void CBZoomChange();
  void mnuEndClick();
  void mnuToolBarsClick();
  // Saves the active document; AskName (or a name that cannot be written)
  // asks for a file name first. True when the file was written.
  bool SaveDocument(const std::string &fileName, bool askName);
  // Paints every floating object of the (active) document into its raster
  // after asking; false when the user says no.
  bool MergeFloatingObjects();
  bool MergeFloatingObjects(TfrmChild &doc);
  // The kinds of floating objects the merge knows (the objects bring them).
  std::vector<TFloatingKind> FloatingKinds;
  // Opens one file as a new document; null when the file is missing,
  // refused or unreadable.
  TfrmChild *OpenPictureFile(const std::string &fileName);
  // "caption|patterns|caption|patterns|" as the filter list of a Qt file
  // dialog: one "caption (pattern pattern ...)" entry per pair.
  static QStringList DialogFilters(const std::string &filter);
  void mnuOpenClick();

  // Window arrangement.
  void CascadeDocuments();
  void TileDocumentsHorizontally(); // one above the other
  void TileDocumentsVertically();   // side by side

  // Menu bar: the active document's menus, or the frame's own.
  void ShowMenus(const std::vector<QMenu *> &menus);
  void ShowFrameMenus();

  // Asks for a file name to save under (preset without folder); tests replace
  // it. Returns false when cancelled.
  std::function<bool(std::string &fileName)> SaveDialogHook;
  // Asks for files to open; tests replace it. Empty when cancelled.
  std::function<std::vector<std::string>()> OpenDialogHook;

  // Removes the cache folder at exit (FormClose); tests can replace it.
  std::function<void()> RemoveCacheHook;

  // --- the application shell (UnMainShell.cpp) ---
  // True while the frame is being built: open requests are dropped then.
  bool FCreating = false;
  // The program the desktop entry starts (this program by default).
  QString ProgramPath;
  QTimer *TimerDisplay = nullptr;  // 1000 ms: clipboard and marking buttons
  QTimer *TimerLoadFile = nullptr; // 2500 ms: the hand-over file
  QToolButton *TBPrint = nullptr;
  QToolButton *TBPreview = nullptr;
  QToolButton *TBCut = nullptr;
  QToolButton *TBCopy = nullptr;
  QToolButton *TBPaste = nullptr;
  // The unsaved pictures of a crashed run and the snapshots of this one
  // (set by the program entry; none in a frame of its own).
  TCrashRecovery *Recovery = nullptr;
  // The command line's picture, read ahead by the program entry (or none).
  TPicturePreload *Preload = nullptr;
  void TimerLoadFileTimer();
  void TimerDisplayTimer();
  // An open request of the desktop: its first line is a file to open.
  void SystemExecuteMacro(const std::vector<std::string> &macro);
  // The desktop entry and MIME types, written once; false after a message.
  bool RegisterFileClass();
  // A second start asks the running program to come to the front.
  void RaiseFrame();
  // A request of a later start: raise, read the hand-over file now (once
  // the frame is shown), or the open request.
  void ShellRequest(const TShellRequest &request);
  void mnuFileClick();
  void mnuNewFromClipboardClick();
  void TBPasteClick();
  void TBCutClick();
  void TBCopyClick();
  void TBPrintClick();
  void TBPreviewClick();
  void mnuOptionsClick();
  // Files dropped on the frame, in order.
  void DropFileTargetDrop(const std::vector<std::string> &files);
  // Run the JPEG and options dialogs in place of exec (tests).
  std::function<void(TfrmJPEGCompression &dialog)> JPEGDialogHook;
  std::function<void(TfrmOptions &dialog)> OptionsDialogHook;

  // The toolbars' popup menu (right click on a toolbar): the same five
  // items as "Symbolleisten", ticked from the bars' visibility.
  QMenu *PopupMenuToolBars;
  void PopupMenuToolBarsPopup();
  QMenu *createPopupMenu() override;

protected:
  void closeEvent(QCloseEvent *event) override;
  void showEvent(QShowEvent *event) override;
  bool event(QEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;
  void dragEnterEvent(QDragEnterEvent *event) override;
  void dragMoveEvent(QDragMoveEvent *event) override;
  void dropEvent(QDropEvent *event) override;

private:
  void CreateActions();
  void CreateToolBars();
  void CreateToolBarDraw();
  void CreateOptionToolBars();
  void CreateObjectParts();
  void CreatePalette();
  // Adds or removes a colour set of the palette (the item's tick as the
  // menu showed it says which).
  void TogglePaletteType(uint8_t item);
  void ToggleBitmapLayer(uint8_t layer);
  void ConnectAttributes();
  void NameToolBarParts();
  // The common steps of a tool button: the button down and the others of
  // the group up, the tool, the hint line, the option toolbars, the points.
  void SelectTool(TPictureButton *button, TDrawTool tool);
  void ShowOptionToolBars(uint16_t shown, uint16_t hidden);
  // A popup item: the family button's picture, the tool and the hint line.
  void SelectFamilyMember(TPictureButton *button, int picture, TDrawTool tool);
  void ClearDocumentPoints();
  // The rectangle as the tool of the picture 6 (3D while "3D" is down).
  TDrawTool RectangleTool() const;
  void TBNoFillToggled();
  void TBNoLineToggled();
  void TBUse3DToggled();
  // The dimension label's background gives way to a font of its colour.
  void DimFontLegibility();
  bool ChooseColor(TColor &color) override;
  void CreateStatusBars();
  void CreateMenus();
  void SubWindowActivated(QMdiSubWindow *window);
  void Activate(TfrmChild *child);
  bool AskFileName(std::string &fileName);
  void FormClose();
  // The shell's steps of FormCreate, FormShow and FormClose.
  void CreateShell();
  void ShellFormShow();
  void StartShellTimers();
  void ShellFormClose();
  void RecoveryFinish();
  bool SaveAsJPEG(TfrmChild &doc, const std::string &fileName);

  TSharedActions FSharedActions;
  std::vector<QMenu *> FFrameMenus;
  QPointer<TfrmChild> FActiveChild;
  bool FShown = false;
  // The cross-fade position shared by the floating images.
  int FBlendPosition = 0;
  bool FClosed = false;
  bool FLoadingFiles = false;
  bool FLoadAgain = false;
};

} // namespace tessaro
