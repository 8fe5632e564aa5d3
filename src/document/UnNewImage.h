// The "Neues Bild" dialog: size (free or a DIN paper size), pixel format and
// paper colour of a new document.
#pragma once

#include "core/Bitmap.h"
#include "core/Types.h"

#include <QDialog>
#include <QPushButton>

class QComboBox;
class QLineEdit;

namespace tessaro {

class TDocumentHost;
class TColorPickCombo;
class TfrmChild;

class TfrmNewImage : public QDialog {
  Q_OBJECT
public:
  explicit TfrmNewImage(TDocumentHost &host, QWidget *parent = nullptr);

  // Width and height (in this order) of each entry of CBSize.
  static constexpr int SizeTable[6][2] = {{842, 1191}, {1191, 842}, {595, 842},
                                          {842, 595},  {420, 595},  {595, 420}};
  // The pixel format of each entry of CBPixelFormat.
  static constexpr TPixelFormat FormatTable[6] = {pf1bit, pf4bit, pf8bit, pf15bit, pf24bit, pf32bit};

  QComboBox *CBSize;
  QLineEdit *EditHeight;
  QLineEdit *EditWidth;
  QComboBox *CBPixelFormat;
  TColorPickCombo *ClPickCBPaperColor;
  QPushButton *BitBtnOK;
  QPushButton *BitBtnCancel;
  QPushButton *BitBtnHelp;

  void CBSizeChange();
  // Creates the document and closes the dialog; returns it, or null when a
  // number could not be read (the dialog then stays open after a message).
  TfrmChild *BitBtnOKClick();

  // Fills a new raster of the given size and format with the paper colour,
  // the same way the dialog does (also used for tests and other creators).
  static void PaintNewRaster(TBitmap &bmp, int width, int height, TPixelFormat pf, TColor paper);

protected:
  void showEvent(QShowEvent *event) override;

private:
  TDocumentHost &FHost;
};

} // namespace tessaro
