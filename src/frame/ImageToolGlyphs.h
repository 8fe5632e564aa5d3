// Pictures of the image-command buttons, drawn in code for 1x and 2x
// screens.
#pragma once

#include <QIcon>

namespace tessaro {

enum class TImageGlyph {
  ResizeImage,
  ResizePaper,
  RotateLeft,
  RotateRight,
  RotateFree,
  ReflectHor,
  ReflectVert,
  Skew,
  GrayScale,
  Invert,
  ReplaceColors,
  Intensity,
  Lighter,
  Darker,
  Light,
  ContrastMore,
  ContrastLess,
  Contrast,
  SmoothColors,
  FrostedGlass,
  Blur,
  ChPalette,
  GrayRed,
  GrayGreen,
  GrayBlue,
  OnlyRed,
  OnlyGreen,
  OnlyBlue,
  WithoutRed,
  WithoutGreen,
  WithoutBlue
};

QIcon ImageGlyphIcon(TImageGlyph glyph);

} // namespace tessaro
