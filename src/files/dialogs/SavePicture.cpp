#include "files/dialogs/SavePicture.h"

#include "files/LUMGraphicsFiles.h"
#include "platform/Beep.h"
#include "platform/MessageDlg.h"

namespace tessaro {

bool WritePictureFile(TBitmap &bitmap, TPixelFormat pf, const std::string &fileName, int quality,
                      bool progressive) {
  bool ok = false;
  try {
    if (bitmap.PixelFormat() != pf) {
      TBitmap copy(bitmap);
      copy.SetPixelFormat(pf);
      ok = SaveImageFile(&copy, fileName, uint8_t(quality), 7, progressive);
    } else {
      ok = SaveImageFile(&bitmap, fileName, uint8_t(quality), 7, progressive);
    }
  } catch (const std::exception &) {
    ok = false;
  }
  if (!ok)
    SaveFailedMessage();
  return ok;
}

void SaveFailedMessage() {
  Beep();
  MessageDlg(QString("Das Bild konnte nicht gespeichert werden!"), mtError, mbOK);
}

} // namespace tessaro
