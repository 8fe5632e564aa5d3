// The document's floating images: inserting them, answering their events,
// combining one with the raster, and keeping a deleted one for undo.
#include "document/UnChild.h"

#include "core/Hooks.h"
#include "document/objects/CrossFade.h"
#include "ops/LUMGraphics.h"

#include <cmath>

namespace tessaro {

namespace {

TLUMWinImageEx *ImageOf(QObject *sender) {
  return qobject_cast<TLUMWinImageEx *>(sender);
}

} // namespace

std::vector<TLUMWinImageEx *> TfrmChild::WinImages() const {
  std::vector<TLUMWinImageEx *> images;
  for (QObject *child : ScrollBox->Client()->children()) {
    auto *image = qobject_cast<TLUMWinImageEx *>(child);
    if (image && !image->Deleted())
      images.push_back(image);
  }
  return images;
}

void TfrmChild::DestroyWinImages() {
  for (TLUMWinImageEx *image : WinImages()) {
    image->OnDelete = nullptr;
    image->DeleteImage();
  }
  FActiveWinImage = nullptr;
}

TLUMWinImageEx *TfrmChild::InsertWinImage(const TBitmap &Bitmap) {
  return InsertWinImage(std::make_shared<const TBitmap>(Bitmap));
}

TLUMWinImageEx *TfrmChild::InsertWinImage(std::shared_ptr<const TBitmap> Bitmap) {
  if (!Bitmap)
    Bitmap = std::make_shared<const TBitmap>();
  if (Bitmap->PixelFormat() != pf24bit) {
    auto converted = std::make_shared<TBitmap>(*Bitmap);
    converted->SetPixelFormat(pf24bit);
    Bitmap = std::move(converted);
  }
  // The shown picture and the source share their pixels until one changes.
  auto *image = new TLUMWinImageEx(ScrollBox->Client()); // owned by the client area
  image->SetBitmap(Bitmap);
  image->SetSourceBitmap(Bitmap);
  image->resize(Bitmap->Width() + 8, Bitmap->Height() + 8);
  image->SetProgressBar(FHost.ProgressBar());
  image->SetStretch(true);
  image->OnCombineWithBgGr = [this](QObject *s, TBitmap *t) { CombineWinImage(s, t); };
  image->OnDelete = [this](QObject *s) { WinImageDeleting(s); };
  image->OnMove = [this](QObject *s, int x, int y) { WinImageMoved(s, x, y); };
  image->OnAfterResize = [this](QObject *s, int w, int h) { WinImageResized(s, w, h); };
  image->OnMouseDown = [this](QObject *s, TMouseButton b, TShiftState sh, int x, int y) {
    WinImageMouseDown(s, b, sh, x, y);
  };
  // It starts at the top-left of what the window shows.
  image->move(ScrollBox->HorzScrollPos(), ScrollBox->VertScrollPos());
  image->show();
  image->raise();
  FActiveWinImage = image;

  FHost.SetBlendPosition(0);
  FHost.ShowWinImagePosition(image->Left() + 4, image->Top() + 4);
  FHost.ShowWinImageSize(Bitmap->Width(), Bitmap->Height());
  FHost.ShowObjectToolBars();
  FHost.SetStatusText(0, "X: " + QString::number(image->Left() + 4));
  FHost.SetStatusText(1, "Y: " + QString::number(image->Top() + 4));
  return image;
}

void TfrmChild::ShowWinImageState(TLUMWinImageEx &image) {
  FHost.SetBlendPosition(image.BlendLevel());
  FHost.ShowObjectToolBars();
  FHost.ShowWinImagePosition(image.Left() + 4, image.Top() + 4);
  FHost.ShowWinImageSize(image.InnerWidth(), image.InnerHeight());
  FHost.ShowWinImageTransparency(image.Transparent(), image.TransparentColor());
}

void TfrmChild::WinImageMouseDown(QObject *Sender, TMouseButton, TShiftState, int, int) {
  TLUMWinImageEx *image = ImageOf(Sender);
  if (!image)
    return;
  FActiveWinImage = image;
  // The current object is the one with the blue frame.
  for (TLUMWinImageEx *other : WinImages()) {
    other->SetFocusRectLineColor(clSilver);
    other->SetFocusRectSizerColor(clSilver);
    other->update();
  }
  image->SetFocusRectLineColor(clBlue);
  image->SetFocusRectSizerColor(clBlue);
  image->update();
  ShowWinImageState(*image);
}

void TfrmChild::WinImageMoved(QObject *Sender, int X, int Y) {
  TLUMWinImageEx *image = ImageOf(Sender);
  if (!image)
    return;
  FHost.ShowWinImagePosition(X, Y);
  FHost.ShowObjectStatus();
  // The background under the object changed.
  if (FHost.BlendPosition() > 0)
    CrossFadeWinImage(*image, FHost.BlendPosition());
}

void TfrmChild::WinImageResized(QObject *Sender, int Width, int Height) {
  TLUMWinImageEx *image = ImageOf(Sender);
  if (!image)
    return;
  FHost.ShowWinImageSize(Width, Height);
  if (FHost.BlendPosition() > 0)
    CrossFadeWinImage(*image, FHost.BlendPosition());
  FHost.ShowObjectStatus();
}

bool TfrmChild::CrossFadeWinImage(TLUMWinImageEx &image, int position) {
  TWaitCursor wait;
  const QRect picture(image.Left() + 4, image.Top() + 4, image.InnerWidth(), image.InnerHeight());
  const TBitmap &source = image.SourceBitmap();
  // Fully opaque over a picture of the source's own size is the source
  // itself: the two stay shared.
  if (CrossFadeAlpha(position) == 255 && source.Width() == picture.width() &&
      source.Height() == picture.height()) {
    image.SetBitmap(image.SharedSourceBitmap());
    image.SetBlendLevel(position);
    return true;
  }
  auto blended = std::make_shared<TBitmap>();
  // Long raster work lets events run: the object may go meanwhile.
  const QPointer<TLUMWinImageEx> guard(&image);
  if (!CrossFade(*FBitmap, FZoom, picture, source, position, *blended) || !guard || image.Deleted())
    return false;
  image.SetBitmap(std::move(blended));
  image.SetBlendLevel(position);
  return true;
}

void TfrmChild::ReblendWinImages() {
  // Each object keeps its own level.
  for (TLUMWinImageEx *image : WinImages()) {
    if (image->BlendLevel() > 0)
      CrossFadeWinImage(*image, image->BlendLevel());
  }
}

void TfrmChild::CombineWinImage(QObject *Sender, TBitmap *) {
  TLUMWinImageEx *image = ImageOf(Sender);
  if (!image || image->Deleted())
    return;
  if (!AddUndoStep("Objekt mit Hintergrund kombinieren"))
    return;
  // The object's own picture stays as it is: undo brings it back.
  std::shared_ptr<const TBitmap> picture = image->SharedBitmap();
  auto resized = [&picture](float px, float py) {
    auto copy = std::make_shared<TBitmap>(*picture);
    ResizeBitmap(copy.get(), sftLinear, clWhite, px, py);
    picture = std::move(copy);
  };
  const int iw = image->InnerWidth(), ih = image->InnerHeight();
  if (!picture->Empty() && (picture->Width() != iw || picture->Height() != ih))
    resized(ExactResizePercent(picture->Width(), iw), ExactResizePercent(picture->Height(), ih));
  if (FZoom != 100 && !picture->Empty())
    resized(float(10000.0 / FZoom), float(10000.0 / FZoom));
  if (FBitmap->PixelFormat() != pf24bit)
    FBitmap->SetPixelFormat(pf24bit);
  const double z = FZoom / 100.0;
  const QPointer<TLUMWinImageEx> guard(image);
  TransparentCopy(picture.get(), FBitmap.get(), int(std::trunc((image->Left() + 4) / z)),
                  int(std::trunc((image->Top() + 4) / z)), image->TransparentColor(), image->Transparent());
  if (FBitmap->PixelFormat() != FImageType)
    FBitmap->SetPixelFormat(FImageType);
  if (guard && !image->Deleted())
    image->DeleteImage();
  FActiveWinImage = nullptr;
  FUndo->SetObjectCombined(true);
  FHost.HideObjectToolBars();
}

void TfrmChild::WinImageDeleting(QObject *Sender) {
  TLUMWinImageEx *image = ImageOf(Sender);
  if (AddUndoStep("Objekt löschen") && image) {
    TDeletedObj kept;
    kept.Left = image->Left();
    kept.Top = image->Top();
    kept.Width = image->width();
    kept.Height = image->height();
    kept.Bitmap = image->SharedBitmap();
    kept.SourceBitmap = image->SharedSourceBitmap();
    kept.TransparencyLevel = image->BlendLevel();
    kept.Transparent = image->Transparent();
    kept.TransparentColor = image->TransparentColor();
    FDeletedObj[FUndo->UndoIndex()] = std::move(kept);
  }
  FHost.HideObjectToolBars();
  if (FActiveWinImage == image)
    FActiveWinImage = nullptr;
}

void TfrmChild::RestoreDeletedObject() {
  // The entry about to be taken back is the deletion that kept the copy.
  const auto it = FDeletedObj.find(FUndo->UndoIndex());
  if (it == FDeletedObj.end())
    return;
  const TDeletedObj kept = std::move(it->second);
  FDeletedObj.erase(it);
  TLUMWinImageEx *image = InsertWinImage(kept.Bitmap);
  image->SetSourceBitmap(kept.SourceBitmap);
  image->setGeometry(kept.Left, kept.Top, kept.Width, kept.Height);
  image->SetTransparentColor(kept.TransparentColor);
  image->SetTransparent(kept.Transparent);
  image->SetBlendLevel(kept.TransparencyLevel);
  ShowWinImageState(*image);
}

} // namespace tessaro
