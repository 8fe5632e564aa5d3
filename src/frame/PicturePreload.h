// The picture named on the command line is read on a worker thread while the
// splash screen shows and the frame is built, so that the first window shows
// it sooner. Only formats that their libraries read without the user
// interface (BMP, JPEG, PNG, GIF) and files that are not write-protected are
// read ahead; opening the file takes the result, or reads the file itself.
#pragma once

#include "core/Bitmap.h"

#include <future>
#include <string>

namespace tessaro {

class TPicturePreload {
public:
  TPicturePreload() = default;
  TPicturePreload(const TPicturePreload &) = delete;
  TPicturePreload &operator=(const TPicturePreload &) = delete;
  ~TPicturePreload();

  void Start(const std::string &fileName);
  // The result for fileName (waiting for the read to end): true with ok,
  // bitmap and error as the file's load gave them; false when nothing was
  // read ahead for this name. A result is handed out once.
  bool Take(const std::string &fileName, bool &ok, TBitmap &bitmap, std::string &error);

private:
  struct TResult {
    bool Ok = false;
    TBitmap Bitmap;
    std::string Error;
  };
  std::string FFileName;
  std::future<TResult> FResult;
};

} // namespace tessaro
