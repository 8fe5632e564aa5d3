// The image operations as data: every command of the document's "Bild" menu
// and every routine tessaro-cli applies, each with its arguments, the caption
// of its undo step, the order in which it meets the working format and the
// routine it runs. The command dispatcher, the operation dialogs and
// tessaro-cli read this one table; the user interface only records the undo
// step that RunImageCommand asks for.
#pragma once

#include "core/Bitmap.h"
#include "core/Types.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

// The kinds of values an operation takes after the bitmap, and how
// ParseOpArg reads them.
enum TOpArgKind : uint8_t {
  akInt,    // whole number
  akByte,   // whole number 0..255
  akFloat,  // decimal number with a point
  akBool,   // true or false
  akColor,  // $00BBGGRR or #RRGGBB
  akFilter, // sftNearest .. sftMitchell
  akFormat, // pf1bit .. pf32bit
  akFile    // a second image, named by its file; the caller reads it
};

// One argument of an operation. Default is the value a command runs with and
// a dialog starts from, written as ParseOpArg reads it; nullptr where it is
// taken from the document or the frame (sizes, the paper colour) or where only
// tessaro-cli runs the operation. Min and Max are the range a dialog offers
// for a number (equal: no range of its own); the routines check their
// arguments themselves.
struct TOpParam {
  const char *Name;
  TOpArgKind Kind;
  const char *Default = nullptr;
  double Min = 0;
  double Max = 0;
};

// A value of an argument: the field of its kind is set (akInt, akByte and the
// ordinals of akFilter and akFormat in Int).
struct TOpArg {
  long long Int = 0;
  float Float = 0;
  bool Bool = false;
  TColor Color = 0;
  std::string Text;                     // the text it was read from
  std::shared_ptr<const TBitmap> Image; // akFile: the second image, pf24bit
};
using TOpArgs = std::vector<TOpArg>;

// Where an operation meets the working format pf24bit. The two orders of the
// commands differ in the snapshot their undo step takes.
enum TFormatRule : uint8_t {
  frOwnFormat,    // works in the bitmap's own pixel format: no conversion
  frWorking,      // works in pf24bit; no menu command runs it on its own
  frConvertFirst, // command dispatcher: remember the format, pf24bit, undo
                  // step (a 24-bit snapshot), routine, remembered format again
  frRecordFirst   // operation dialogs: undo step (the document's format),
                  // pf24bit, routine, the document's image type again
};

// The codes of the document's command dispatcher.
enum TImageCommand : uint8_t {
  icInvert = 0,
  icGrayScale = 1,
  icLighter = 2,
  icDarker = 3,
  icMoreContrast = 4,
  icLessContrast = 5,
  icRotateLeft = 6,
  icRotateRight = 7,
  icRotate180 = 8,
  icFlipHor = 9,
  icFlipVert = 10,
  icSplitChannels = 11,
  icGrayRed = 12,
  icGrayBlue = 13,
  icGrayGreen = 14,
  icOnlyRed = 15,
  icOnlyBlue = 16,
  icOnlyGreen = 17,
  icWithoutRed = 18,
  icWithoutBlue = 19,
  icWithoutGreen = 20,
  icNone = 255
};

// Runs an operation on the bitmap with values for its parameters.
using TOpRoutine = bool (*)(TBitmap &Bitmap, const TOpArgs &Args);

struct TImageOp {
  // The routine's name where the row runs one routine with the values it is
  // given (tessaro-cli knows the rows by it); otherwise the name of the
  // dispatcher code or menu item that runs the row ("icGrayRed", "mnu8bit").
  const char *Name;
  TImageCommand Command;   // the dispatcher's code that runs the row, or icNone
  const char *UndoCaption; // German; "" where the row records no undo step
  TFormatRule Format;
  std::vector<TOpParam> Params;
  const char *Usage; // tessaro-cli's text of the arguments; nullptr: not offered there
  TOpRoutine Run;    // nullptr for the channel split, which makes new documents
};

// Every row: first the routines of tessaro-cli in the order its help lists
// them, then the rows only the menu runs.
const std::vector<TImageOp> &ImageOps();
// The row of that name, nullptr when there is none.
const TImageOp *FindImageOp(std::string_view name);
// The row the command dispatcher runs for a code, nullptr for icNone.
const TImageOp *FindImageCommand(TImageCommand command);

// Reads one argument in the notation of TOpArgKind; false for text that is
// not a value of the kind (akFile takes any non-empty name).
bool ParseOpArg(TOpArgKind kind, const std::string &text, TOpArg &arg);
// German description of what ParseOpArg accepts for a kind.
const char *OpArgKindText(TOpArgKind kind);
// Colours as TColor hex "$00BBGGRR" or "#RRGGBB".
bool ParseColor(const std::string &text, TColor &color);
// The parameters' defaults; a parameter without one gets an empty value.
TOpArgs DefaultOpArgs(const TImageOp &op);

// Runs the row's routine as tessaro-cli does: a bitmap that is not pf24bit is
// brought into it first unless the row works in its own format, and keeps
// the format the routine leaves.
bool RunImageOp(TBitmap &bitmap, const TImageOp &op, const TOpArgs &args);
// Runs the row on a document's bitmap in the order of its format rule.
// recordUndo is called where the undo step belongs, with the bitmap as the
// snapshot must show it (for the channel split: where the three documents
// are made from the 24-bit raster). frConvertFirst returns the bitmap to the
// format it had; frRecordFirst and frWorking return it to imageType. The
// result is the routine's; an exception leaves the bitmap as far as it got.
bool RunImageCommand(TBitmap &bitmap, const TImageOp &op, const TOpArgs &args, TPixelFormat imageType,
                     const std::function<void()> &recordUndo);

} // namespace tessaro
