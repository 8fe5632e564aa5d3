#include "frame/PicturePreload.h"

#include "files/LUMCtrl.h"
#include "files/LUMGraphicsFiles.h"

#include <filesystem>

namespace tessaro {

TPicturePreload::~TPicturePreload() {
  if (FResult.valid())
    FResult.wait();
}

void TPicturePreload::Start(const std::string &fileName) {
  const std::string ext = LowerExtension(fileName);
  const bool library = ext == ".bmp" || ext == ".jpg" || ext == ".jpeg" || ext == ".jpe" || ext == ".jfif" ||
                       ext == ".png" || ext == ".gif";
  std::error_code ec;
  // A write-protected file has its flag cleared for the read: that stays
  // with the user interface thread.
  if (!library || FResult.valid() || !std::filesystem::is_regular_file(fileName, ec) ||
      IsFileReadOnly(fileName))
    return;
  FFileName = fileName;
  FResult = std::async(std::launch::async, [fileName] {
    TResult r;
    try {
      r.Ok = LoadPictureFile(fileName, r.Bitmap, r.Error);
    } catch (const std::exception &) {
      r.Ok = false;
    }
    return r;
  });
}

bool TPicturePreload::Take(const std::string &fileName, bool &ok, TBitmap &bitmap, std::string &error) {
  if (!FResult.valid() || fileName != FFileName)
    return false;
  TResult r = FResult.get();
  ok = r.Ok;
  error = std::move(r.Error);
  bitmap.AssignMove(std::move(r.Bitmap));
  return true;
}

} // namespace tessaro
