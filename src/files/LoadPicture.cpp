// The load policy of the frame's open command.
#include "core/BmpFile.h"
#include "files/LUMCtrl.h"
#include "files/LUMGraphicsFiles.h"

#include <exception>
#include <new>

namespace tessaro {

bool LoadPictureFile(const std::string &fileName, TBitmap &bitmap, std::string &error) {
  // The flag is cleared for reading and put back afterwards whatever the
  // reader did with it (the GIF and PNG readers drop it).
  const bool readOnly = IsFileReadOnly(fileName);
  const bool cleared = readOnly && SetFileReadOnly(fileName, false);
  bool ok = false;
  try {
    if (LowerExtension(fileName) == ".bmp") {
      ok = LoadBmpFile(fileName, bitmap, &error);
    } else {
      TBitmap loaded;
      ok = LoadImageFile(fileName, loaded, &error);
      if (ok)
        bitmap.AssignMove(std::move(loaded));
    }
  } catch (const std::bad_alloc &) {
    ok = false;
    error = "Die Datei \"" + fileName + "\" ist zu groß und kann nicht geöffnet werden!";
  } catch (const std::exception &) {
    ok = false;
    error.clear();
  }
  if (readOnly && (cleared || !IsFileReadOnly(fileName)))
    SetFileReadOnly(fileName, true);
  if (!ok && error.empty())
    error = "Die Datei \"" + fileName + "\" konnte nicht gelesen werden!";
  return ok;
}

} // namespace tessaro
