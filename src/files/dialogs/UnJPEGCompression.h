// "JPEG Speichern": asks for the compression (the track bar measures it:
// 0 is the best quality, 100 the smallest file) and progressive encoding,
// then writes the picture. The caller names the target and says how the
// document's floating objects join the raster and what a saved document
// becomes.
#pragma once

#include <QDialog>

#include <functional>
#include <string>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;

namespace tessaro {

class TBitmap;

class TfrmJPEGCompression : public QDialog {
  Q_OBJECT
public:
  explicit TfrmJPEGCompression(QWidget *parent = nullptr);

  // The target file, the raster to write, the merge of the floating objects
  // (false when the user refuses it) and what follows a written file.
  std::string FileName;
  TBitmap *Bitmap = nullptr;
  std::function<bool()> MergeFloatingObjects;
  std::function<void(const std::string &fileName)> OnSaved;

  // The JPEG quality of the track bar's position.
  int Quality() const;

  QGroupBox *GroupBox2;
  QCheckBox *ChBProgressive;
  QLabel *Label1;
  QGroupBox *GroupBox1;
  QSlider *TrackBarQual;
  QLabel *lbQual;
  QLabel *Label2;
  QLabel *Label3;
  QPushButton *BitBtnSave;
  QPushButton *BitBtnCancel;

  void TrackBarQualChange();
  // True when the file was written (the dialog then closes).
  bool BitBtnSaveClick();
  void BitBtnCancelClick();
};

} // namespace tessaro
