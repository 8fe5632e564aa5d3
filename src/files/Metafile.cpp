#include "files/ImageCodecs.h"
namespace tessaro {
bool IsWmfData(const uint8_t *, size_t) {
  return false;
}
bool ReadWmf(const uint8_t *, size_t, TBitmap &, std::string &e) {
  e = "todo";
  return false;
}
bool EncodeWmf(const TBitmap &, std::vector<uint8_t> &, std::string &e) {
  e = "todo";
  return false;
}
bool IsEmfData(const uint8_t *, size_t) {
  return false;
}
bool ReadEmf(const uint8_t *, size_t, TBitmap &, std::string &e) {
  e = "todo";
  return false;
}
bool EncodeEmf(const TBitmap &, std::vector<uint8_t> &, std::string &e) {
  e = "todo";
  return false;
}
} // namespace tessaro
