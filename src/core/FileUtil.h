// Small helpers for whole-file reading and crash-safe writing.
#pragma once

#include "core/Bitmap.h" // TPixelBuffer

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace tessaro {

// Reads a whole file; false (with a German reason) when it cannot be read or
// is larger than maxBytes.
bool ReadWholeFile(const std::string &path, std::vector<uint8_t> &out, std::string *error = nullptr,
                   uint64_t maxBytes = uint64_t(1) << 31);
// The same into raster memory: no pass that clears it first, and large
// files land in huge pages.
bool ReadWholeFile(const std::string &path, TPixelBuffer &out, std::string *error = nullptr,
                   uint64_t maxBytes = uint64_t(1) << 31);

// Writes through a temporary file in the target's folder and renames it over
// the target when the writer succeeded; the temporary file is removed on
// every failure, so the old file stays untouched.
bool WriteFileAtomically(const std::string &path, const std::function<bool(FILE *)> &writer,
                         std::string *error = nullptr);
bool WriteFileAtomically(const std::string &path, const void *data, size_t size,
                         std::string *error = nullptr);

} // namespace tessaro
