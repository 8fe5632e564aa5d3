// File and drive helpers: the read-only flag, file-size texts, the fit scale
// of previews and print layouts, the recursive file lister, the extension
// test for dropped files, the temporary folder and the application message.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tessaro {

// True when the owner may not write the file (the only attribute of the
// classic set that exists here); false also when it cannot be inspected.
bool IsFileReadOnly(const std::string &fileName);
// Sets or clears the read-only flag (the owner's write permission); other
// permission bits stay as they were. A failure is reported through
// ShowAppMessage; the result tells whether it worked.
bool SetFileReadOnly(const std::string &fileName, bool readOnly);

// Number format of FormatFileSize; the user interface sets it from the
// locale at start. German by default.
struct TNumberFormat {
  char ThousandSeparator = '.';
  char DecimalSeparator = ',';
};
void SetNumberFormat(const TNumberFormat &format);
const TNumberFormat &NumberFormat();
// A value with thousands separators and the given number of decimals.
std::string FormatNumber(double value, int decimals);

// "999 Byte", "0,98 KB", "1,00 MB", "2,50 GB".
std::string FormatFileSize(uint64_t bytes, int decimals);

// The largest factor that fits an image into a box (enlarging small images).
float FitScale(int boxW, int boxH, int imgW, int imgH);

// Lists every file below folder (full paths, in the order the folder
// enumeration meets them; sub-folders scanned before they are counted).
// Throws std::runtime_error with "Ungültige Pfadangebe!" or
// "Ordner nicht vorhanden!". Symbolic links are listed as files, never
// followed.
void FindFiles(const std::string &folder, bool recursive, std::vector<std::string> &list);
// The scan behind FindFiles: appends to list and counts files and folders.
void ScanFolder(const std::string &folder, bool recursive, std::vector<std::string> &list, int &fileCount,
                int &folderCount);

// The 36 extensions accepted for dropped and handed-over files.
bool IsDroppableImageFile(const std::string &fileName);

// The private per-user temporary folder without trailing "/" ("" when no
// safe folder can be had).
std::string GetTempFolder();

// Message box flags and button ids of ShowAppMessage.
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_OKCANCEL = 0x1;
constexpr unsigned MB_RETRYCANCEL = 0x5;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_ICONERROR = 0x10;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONWARNING = 0x30;
constexpr unsigned MB_ICONINFORMATION = 0x40;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDRETRY = 4;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Message box captioned with the application's title. The user interface
// installs the handler; without one the text goes to standard error and the
// answer is OK for a plain message, otherwise Cancel (or No).
using TAppMessageHandler = std::function<int(const std::string &text, unsigned flags)>;
void SetAppMessageHandler(TAppMessageHandler handler);
int ShowAppMessage(const std::string &text, unsigned flags);

// The drive of the first character, 1 .. 26 ("c:\" gives 3); anything else throws
// std::invalid_argument with the German text of the pattern.
int DriveNumber(const std::string &drive);

} // namespace tessaro
