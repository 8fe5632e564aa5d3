// The whole-image raster routines. Each takes the bitmap first, works on
// pf24bit only (a missing bitmap or another format gives False and no
// change), changes the bitmap in place and announces the change with
// "Assign with itself". Routines that loop over the rows themselves show the
// hourglass and let the message loop run every 100 rows (the blur every 20,
// the frosted glass every 50). Large rasters have their rows shared among
// the cores (core/Parallel.h: the number of threads is a setting, not an
// argument); the hooks stay on the calling thread and run at the same points
// of the work, and the pixels are those of a single thread.
#pragma once

#include "core/Bitmap.h"
#include "core/Types.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tessaro {

class TCanvas;

// --- point and channel routines -------------------------------------------

// Channel bits of GrayScaleBitmap.
constexpr uint8_t gsRed = 1;
constexpr uint8_t gsBlue = 2;
constexpr uint8_t gsGreen = 4;
constexpr uint8_t gsAll = gsRed | gsBlue | gsGreen;

bool InvertBitmap(TBitmap *Bitmap);
// Writes the grey value (77 R + 151 G + 28 B) shr 8 into the channels named
// by the bits of Channels.
bool GrayScaleBitmap(TBitmap *Bitmap, uint8_t Channels);
// A step of 0 counts as 1.
bool LightenBitmap(TBitmap *Bitmap, uint8_t Step);
bool DarkenBitmap(TBitmap *Bitmap, uint8_t Step);
// Amount -255..255; outside that range False without change.
bool ContrastBitmap(TBitmap *Bitmap, int Amount);
// The 256-entry tone table of ContrastBitmap; False for an amount out of range.
bool MakeContrastTable(int Amount, std::array<uint8_t, 256> &Table);

bool KeepRedOnly(TBitmap *Bitmap);
bool KeepGreenOnly(TBitmap *Bitmap);
bool KeepBlueOnly(TBitmap *Bitmap);
bool RemoveRed(TBitmap *Bitmap);
bool RemoveGreen(TBitmap *Bitmap);
bool RemoveBlue(TBitmap *Bitmap);

// The pixel work of the channel split: three copies of Source, each keeping
// one channel. False without change when Source is not a working bitmap.
bool SplitChannels(const TBitmap *Source, TBitmap &Red, TBitmap &Green, TBitmap &Blue);

// Quarter turn clockwise (the old top-left corner ends at the top right).
bool Rotate90(TBitmap *Bitmap);
bool Rotate180(TBitmap *Bitmap);
// Runs the message loop before every 100th pixel of each row: with a message
// loop installed its rows go one after the other on the calling thread (an
// event handler must find the row mirrored up to that pixel); without one
// they are shared among the cores.
bool FlipHorizontal(TBitmap *Bitmap);
bool FlipVertical(TBitmap *Bitmap);

// --- geometry ----------------------------------------------------------------

enum TStretchFilter : uint8_t {
  sftNearest = 0,
  sftLinear = 1,
  sftSpline = 2,
  sftLanczos = 3,
  sftMitchell = 4
};

// Cx = -1 means W / 2, Cy = -1 means H / 2. A positive angle turns the picture
// counter-clockwise. With ResizePaper the result is D x D with
// D = Round(sqrt(W^2 + H^2)).
bool RotateBitmap(TBitmap *Bitmap, bool ResizePaper, TColor FillColor, float Angle, float Cx, float Cy);
bool SkewBitmap(TBitmap *Bitmap, TColor FillColor, float Fx, float Fy);
// New size Trunc(W * PercentX / 100) x Trunc(H * PercentY / 100); sftNearest
// samples the nearest pixel, every other filter bilinearly.
bool ResizeBitmap(TBitmap *Bitmap, TStretchFilter Filter, TColor FillColor, float PercentX, float PercentY);

// Where the old image lands on new paper for the anchors 0..8 ("Oben Links"
// .. "Unten Rechts"); Dx, Dy = new size - old size; halves round to even.
TPoint PaperAnchorPosition(int Anchor, int Dx, int Dy);
// New paper of NewWidth x NewHeight in PaperColor with the old image drawn at
// the anchor's position. Works in the bitmap's own pixel format. False when a
// size is below 1 or the anchor is not 0..8.
bool ChangePaperSize(TBitmap *Bitmap, int NewWidth, int NewHeight, int Anchor, TColor PaperColor);

// --- tone and colour ---------------------------------------------------------

// Mode 0 sets the channel to Value, 1 adds (limited to 255), 2 subtracts
// (limited to 0); any other mode leaves the pixels as they are.
bool ChangeRed(TBitmap *Bitmap, uint8_t Value, uint8_t Mode);
bool ChangeGreen(TBitmap *Bitmap, uint8_t Value, uint8_t Mode);
bool ChangeBlue(TBitmap *Bitmap, uint8_t Value, uint8_t Mode);

// The brightness step for an amount -255..255: darken below 0, lighten above,
// nothing at 0.
bool ApplyBrightness(TBitmap *Bitmap, int Amount);
// The intensity passes: red, then green, then blue, each c + amount limited
// to 0..255; an amount of 0 skips its channel.
bool ApplyIntensity(TBitmap *Bitmap, int Red, int Green, int Blue);

// Every pixel of exactly OldColor (compared as given, so a system colour
// never matches) becomes NewColor; all others stay as they are.
bool ReplaceColor(TBitmap *Bitmap, TColor OldColor, TColor NewColor);

// Copies Source onto Target with Source's top-left pixel at (X, Y); with
// Transparent set, pixels of exactly TranspColor are skipped. Both pf24bit.
bool TransparentCopy(const TBitmap *Source, TBitmap *Target, int X, int Y, TColor TranspColor,
                     bool Transparent);
// Draws Source onto Target at (X, Y) with opacity Alpha / 255 per channel.
bool BlendDraw(TBitmap *Target, const TBitmap *Source, int X, int Y, uint8_t Alpha);

// --- effects -----------------------------------------------------------------

// The colour gradient painter of the control library: Height + 1 horizontal
// lines (Orientation 1) or Width + 1 vertical lines (Orientation 0) drawn with
// the canvas's pen; line 0 in the start colour, line k in
// Trunc(start + (k - 1) * d) per channel.
void GradientFill(TColor StartColor, TColor EndColor, TCanvas &Canvas, int Width, int Height,
                  uint8_t Orientation, int X, int Y);

// A Width x Height gradient (GradientFill with orientation 1 "Vertikal" or
// 0 "Horizontal", lines from (-1, -1)) drawn on the bitmap at (X, Y), through
// BlendDraw with opacity Trunc(255 - Transparency * 2.55) when Transparency
// (0..100) is above 0.
bool DrawGradient(TBitmap *Bitmap, TColor StartColor, TColor EndColor, uint8_t Orientation, int Width,
                  int Height, int X, int Y, int Transparency);

// A one-pixel outline in Color, then every inner pixel moved towards the fog:
// F + ((c - F) * Amount) div 255. Each pixel depends on itself alone, so the
// rows are shared among the cores like those of the point routines.
bool FogBitmap(TBitmap *Bitmap, TColor Color, uint8_t Amount);

// Normalised triangle kernel for a radius 0 < Radius <= 99 (2n + 1 entries).
std::vector<float> MakeBlurKernel(float Radius);
// Separable blur; radius not above 0 counts as 1, above 99 as 99.
bool BlurBitmap(TBitmap *Bitmap, float Radius);

// Colour in the 32-bit library's $AARRGGBB form (alpha 255); each channel
// keeps the low 8 bits of its rounded value, so out-of-range factors wrap.
uint32_t HSLToColor(float H, float S, float L);

// Conversions of PaletteMapBitmap.
enum TPaletteConversion : uint8_t {
  pcRed = 0,
  pcGreen = 1,
  pcBlue = 2,
  pcAlpha = 3,
  pcUniformRGB = 4,
  pcWeightedRGB = 5
};
// Standard palettes: 0 grey, 1 green, 2 red, 3 rainbow.
constexpr uint8_t StandardPaletteCount = 4;

// The 256 colours ($AARRGGBB) of a standard palette or of the custom HSL
// factors; False for a standard index out of range when UseCustom is clear.
bool MakeMapPalette(uint8_t Standard, bool UseCustom, float H, float S, float L,
                    std::array<uint32_t, 256> &Palette);
// Maps every pixel through the palette by the chosen conversion. False also
// for a conversion or standard index out of range.
bool PaletteMapBitmap(TBitmap *Bitmap, uint8_t Conversion, uint8_t Standard, bool UseCustom, float H, float S,
                      float L);

// The custom HSL palette file. A factor is written with two decimals and the
// German decimal comma ("0,00*0,00*1,00").
std::string FormatHSLFactor(float Value);
// Writes the file completely or not at all.
bool SaveHSLPalette(const std::string &FileName, float H, float S, float L);
// Reads the line after "[Contents]" (or the first line when there is none).
// The factors are stored in order as they are read; on a failure (no such
// line, unreadable file, malformed number) the result is False and the
// factors read before the failure keep their new values. Missing factors
// read as 0.
bool LoadHSLPalette(const std::string &FileName, float &H, float &S, float &L);

} // namespace tessaro
