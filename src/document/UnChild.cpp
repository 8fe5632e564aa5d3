#include "document/UnChild.h"

#include "platform/Hints.h"
#include "platform/QtColor.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QPalette>
#include <QVBoxLayout>

namespace tessaro {

QString ImageTypeText(TPixelFormat pf) {
  switch (pf) {
  case pf1bit:
    return "1-bit";
  case pf4bit:
    return "4-bit";
  case pf8bit:
    return "8-bit";
  case pf15bit:
    return "15-bit";
  case pf16bit:
    return "16-bit";
  case pf24bit:
    return "24-bit";
  case pf32bit:
    return "32-bit";
  default:
    return QString();
  }
}

TfrmChild::TfrmChild(TDocumentHost &host, QWidget *parent)
    : QWidget(parent), FHost(host), FBitmap(std::make_shared<TBitmap>()) {
  setObjectName("frmChild");
  setAttribute(Qt::WA_DeleteOnClose, false);
  // 1. No marking, no cut, no dimension lines.
  FMarkRect = TRect(0, 0, 0, 0);
  FCutting = false;
  FDimensioned = false;
  // 2. and 3. The history: hints, log, numbering, and the cache folder with
  // its note, numbered by the frame's document counter as it is now.
  FUndo = std::make_unique<TUndoCache>(*FBitmap, FHost.DocumentNo(), static_cast<TUndoListener *>(this));
  // 4. Objects, paper, zoom, the copies of a deleted object.
  FActiveWinImage = nullptr;
  FActiveRichEdit = nullptr;
  FPaperColor = clWhite;
  FZoom = 100;

  ScrollBox = new TImageScrollBox(this);
  QPalette pal = ScrollBox->palette();
  pal.setColor(QPalette::Window, ToQColor(clAppWorkSpace));
  ScrollBox->setPalette(pal);
  ScrollBox->setBackgroundRole(QPalette::Window);
  Image = ScrollBox->View();
  Image->SetBitmap(FBitmap);
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(ScrollBox);

  FEngine = std::make_unique<TToolEngine>(*this);
  ConnectTools();
  ScrollBox->OnZoomStep = [this](int direction) { FHost.StepZoom(*this, direction); };

  CreateMenus();
  // The paste items follow the clipboard.
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { ClipboardChanged(); });
  ClipboardChanged();
  Image->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Image, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
    // The pipette takes the right button for the line colour.
    if (FHost.DrawAttributes().Tool == dtPipette)
      return;
    PopupMenuChild->popup(Image->mapToGlobal(pos));
  });
  resize(318, 252);
}

TfrmChild::~TfrmChild() {
  // FormDestroy: the history and the object copies go with the window; the
  // cache folder stays until the program ends.
  FHost.DocumentClosing(this);
  FUndo->SetListener(nullptr);
}

void TfrmChild::SetDocument(const QString &caption, const std::string &fileName, bool readOnly,
                            bool modified) {
  SetCaption(caption);
  FFileName = fileName;
  FReadOnly = readOnly;
  FImageType = FBitmap->PixelFormat();
  FModified = modified;
  Image->SetZoom(FZoom);
}

void TfrmChild::FormActivate() {
  FHost.ShowZoom(FZoom);
  const QString type = ImageTypeText(FImageType);
  if (!type.isEmpty())
    FHost.SetStatusText(8, type);
  FHost.ShowPaperColor(FPaperColor);
  FUndo->ActivateHints();
  // The object toolbars show this document's current floating image.
  if (FActiveWinImage)
    ShowWinImageState(*FActiveWinImage);
  else
    FHost.HideObjectToolBars();
}

void TfrmChild::FormDeactivate() {
  FUndo->StoreHints();
}

void TfrmChild::UndoHintChanged(const std::string &hint) {
  const QString h = QString::fromStdString(hint);
  SetHint(mnuUndo, h);
  SetHint(ppMnuUndo, h);
  FHost.SetUndoHint(h);
}

void TfrmChild::RedoHintChanged(const std::string &hint) {
  const QString h = QString::fromStdString(hint);
  SetHint(ppMnuRedo, h);
  SetHint(mnuReUndo, h);
  FHost.SetRedoHint(h);
}

void TfrmChild::SnapshotLoaded(TPixelFormat imageType) {
  FImageType = imageType;
  FormActivate();
}

void TfrmChild::ReapplyZoom() {
  if (FHost.ActiveChild() == this) {
    FHost.ApplyZoom();
  } else {
    Image->SetZoom(FZoom);
    ReblendWinImages();
  }
}

void TfrmChild::DocumentModified() {
  FModified = true;
}

void TfrmChild::SetZoom(int zoom) {
  FZoom = zoom;
  Image->SetZoom(zoom);
}

} // namespace tessaro
