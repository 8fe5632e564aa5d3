// The frame's buttons of the image commands, on the toolbars "Bearbeiten",
// "Effekte" and "Farbkanäle". Each runs the same command as its item in the
// active document's "Bild" menu; without a document it beeps.
#pragma once

class QToolButton;

namespace tessaro {

struct TImageToolButtons {
  // Bearbeiten
  QToolButton *TBResizeImage = nullptr;
  QToolButton *TBResizePaper = nullptr;
  QToolButton *TBRotateLeft = nullptr;
  QToolButton *TBRotateRight = nullptr;
  QToolButton *TBRotateFree = nullptr;
  QToolButton *TBReflectHor = nullptr;
  QToolButton *TBReflectVert = nullptr;
  QToolButton *TBSkew = nullptr;
  // Effekte
  QToolButton *TBGrayScale = nullptr;
  QToolButton *TBInvert = nullptr;
  QToolButton *TBReplaceColors = nullptr;
  QToolButton *TBIntensity = nullptr;
  QToolButton *TBLightLighter = nullptr;
  QToolButton *TBLightDarker = nullptr;
  QToolButton *TBLight = nullptr;
  QToolButton *TBContrastMore = nullptr;
  QToolButton *TBContrastLess = nullptr;
  QToolButton *TBContrast = nullptr;
  QToolButton *TBSmootColors = nullptr;
  QToolButton *TBFrostedGlass = nullptr;
  QToolButton *TBBlur = nullptr;
  QToolButton *TBChPalette = nullptr;
  // Farbkanäle
  QToolButton *TBGrayscaleRed = nullptr;
  QToolButton *TBGrayscaleGreen = nullptr;
  QToolButton *TBGrayScaleBlue = nullptr;
  QToolButton *TBRedLayer = nullptr;
  QToolButton *TBGreenLayer = nullptr;
  QToolButton *TBBlueLayer = nullptr;
  QToolButton *TBWithoutRed = nullptr;
  QToolButton *TBWithoutGreen = nullptr;
  QToolButton *TBWithoutBlue = nullptr;
};

} // namespace tessaro
