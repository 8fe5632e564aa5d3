#include "files/ImportReaders.h"

namespace tessaro {

const std::vector<std::unique_ptr<TImportReader>> &ImportReaders() {
  static const std::vector<std::unique_ptr<TImportReader>> readers = [] {
    std::vector<std::unique_ptr<TImportReader>> list;
    list.push_back(NewTargaReader());
    list.push_back(NewTiffReader());
    list.push_back(NewEpsReader());
    list.push_back(NewPcxReader());
    list.push_back(NewRlaReader());
    list.push_back(NewSgiReader());
    list.push_back(NewPsdReader());
    list.push_back(NewPnmReader());
    list.push_back(NewCelReader());
    list.push_back(NewPcdReader());
    list.push_back(NewCutReader());
    list.push_back(NewPspReader());
    list.push_back(NewPngReader());
    return list;
  }();
  return readers;
}

} // namespace tessaro
