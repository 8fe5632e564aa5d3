#include "frame/CrashRecovery.h"

#include "core/BmpFile.h"
#include "core/TempFolder.h"
#include "document/UnChild.h"
#include "document/UndoCache.h"
#include "frame/UnMain.h"
#include "platform/MessageDlg.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTimer>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace tessaro {

namespace fs = std::filesystem;

namespace {

constexpr const char *StateHeader = "Tessaro Wiederherstellung 1";
constexpr const char *PreviousPrefix = "Tessaro.previous-";

std::string Encode(const std::string &text) {
  return QByteArray::fromStdString(text).toPercentEncoding().toStdString();
}

std::string Decode(const std::string &text) {
  return QByteArray::fromPercentEncoding(QByteArray::fromStdString(text)).toStdString();
}

bool IsFolder(const fs::path &p) {
  std::error_code ec;
  return fs::is_directory(fs::symlink_status(p, ec));
}

bool Exists(const fs::path &p) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(p, ec));
}

bool WriteFileAtomically(const fs::path &path, const std::string &content) {
  const fs::path temp = path.string() + ".neu";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << content;
    out.flush();
    if (!out) {
      std::error_code ec;
      out.close();
      fs::remove(temp, ec);
      return false;
    }
  }
  std::error_code ec;
  fs::rename(temp, path, ec);
  if (ec)
    fs::remove(temp, ec);
  return !ec;
}

} // namespace

struct TCrashRecovery::TWatched {
  struct TChange {
    bool Changed = false;
    QElapsedTimer Since;
  };
  QPointer<TfrmChild> Doc;
  TBitmap *Bitmap = nullptr;
  int Token = 0;
  int No = 0;
  std::shared_ptr<TChange> Change = std::make_shared<TChange>();
  bool HasSnapshot = false;
  TRecoverable Info;
};

TCrashRecovery::TCrashRecovery(QObject *parent) : QObject(parent) {}

TCrashRecovery::~TCrashRecovery() {
  for (const auto &w : FWatched) {
    if (w->Doc)
      w->Bitmap->Unsubscribe(w->Token);
  }
}

std::string TCrashRecovery::RecoveryFolder() {
  const std::string temp = PrivateTempFolder();
  return temp.empty() ? std::string() : temp + "Tessaro.recovery";
}

std::string TCrashRecovery::StateText(const std::vector<std::pair<int, TRecoverable>> &docs) {
  std::ostringstream out;
  out << StateHeader << "\n";
  for (const auto &[no, r] : docs) {
    out << no << '\t' << int(r.ImageType) << '\t' << uint32_t(r.PaperColor) << '\t' << Encode(r.Caption)
        << '\t' << Encode(r.FileName) << '\n';
  }
  return out.str();
}

std::vector<TCrashRecovery::TRecoverable> TCrashRecovery::ReadState(const std::string &folder) {
  std::vector<TRecoverable> result;
  std::ifstream in(fs::path(folder) / "state", std::ios::binary);
  std::string line;
  if (!in || !std::getline(in, line) || line != StateHeader)
    return result;
  // A state file holds a line per open document; anything much longer is no
  // state file of ours.
  for (int count = 0; count < 10000 && std::getline(in, line); ++count) {
    std::vector<std::string> fields;
    std::istringstream split(line);
    for (std::string f; std::getline(split, f, '\t');)
      fields.push_back(f);
    if (fields.size() != 5)
      continue;
    try {
      const int no = std::stoi(fields[0]);
      const int type = std::stoi(fields[1]);
      const unsigned long paper = std::stoul(fields[2]);
      if (no < 0 || type < int(pf1bit) || type > int(pf32bit))
        continue;
      TRecoverable r;
      r.ImageType = TPixelFormat(type);
      r.PaperColor = TColor(paper);
      r.Caption = Decode(fields[3]);
      r.FileName = Decode(fields[4]);
      r.Snapshot = (fs::path(folder) / (std::to_string(no) + ".bmp")).string();
      std::error_code ec;
      if (fs::is_regular_file(r.Snapshot, ec))
        result.push_back(std::move(r));
    } catch (const std::exception &) {
      continue;
    }
  }
  return result;
}

bool TCrashRecovery::TakeOverPreviousRun() {
  const std::string temp = PrivateTempFolder();
  if (temp.empty())
    return false;
  std::error_code ec;
  // Folders an earlier start moved aside and never finished with.
  for (auto it = fs::directory_iterator(temp, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
    if (it->path().filename().string().rfind(PreviousPrefix, 0) == 0 && IsFolder(it->path()))
      FPrevious.push_back(it->path().string());
  }
  std::sort(FPrevious.begin(), FPrevious.end());
  const fs::path cache = CacheRootFolder();
  const fs::path recovery = RecoveryFolder();
  if (Exists(cache) || Exists(recovery)) {
    const fs::path aside =
        temp + PreviousPrefix + std::to_string(long(std::time(nullptr))) + "-" + std::to_string(getpid());
    if (fs::create_directory(aside, ec)) {
      if (Exists(cache))
        fs::rename(cache, aside / "cache", ec);
      if (Exists(recovery))
        fs::rename(recovery, aside / "recovery", ec);
      FPrevious.push_back(aside.string());
    }
  }
  for (const std::string &previous : FPrevious) {
    for (TRecoverable &r : ReadState((fs::path(previous) / "recovery").string()))
      FRecoverable.push_back(std::move(r));
  }
  return !FPrevious.empty();
}

int TCrashRecovery::Offer(TfrmMain &frame) {
  int made = 0;
  if (!FRecoverable.empty()) {
    QString list;
    for (const TRecoverable &r : FRecoverable)
      list += "\r    " + QString::fromStdString(r.Caption);
    const int answer = MessageDlg(QString("Tessaro wurde beim letzten Mal nicht ordnungsgemäß beendet. "
                                          "Diese Bilder waren noch nicht gespeichert:\r") +
                                      list + "\r\rSollen sie wiederhergestellt werden?",
                                  mtConfirmation, mbYesNo);
    if (answer == mrYes) {
      static const QRegularExpression untitled("^Neu (\\d+)\\.bmp$");
      for (const TRecoverable &r : FRecoverable) {
        TBitmap picture;
        if (!LoadBmpFile(r.Snapshot, picture))
          continue;
        TfrmChild *child = frame.CreateChild();
        child->Bitmap().AssignMove(std::move(picture));
        child->SetPaperColor(r.PaperColor);
        // Under its old name without a folder: the first "Speichern" asks
        // where to put it instead of writing over the file it came from.
        const QString caption = QString::fromStdString(r.Caption);
        child->SetDocument(caption, fs::path(r.FileName).filename().string(), false, true);
        child->SetImageType(r.ImageType);
        ++frame.FDocumentNo;
        if (const QRegularExpressionMatch m = untitled.match(caption); m.hasMatch())
          frame.NewImageNo = std::max(frame.NewImageNo, m.captured(1).toInt() + 1);
        if (frame.ActiveChild() == child)
          child->FormActivate();
        ++made;
      }
    }
  }
  RemovePrevious();
  return made;
}

void TCrashRecovery::RemovePrevious() {
  for (const std::string &previous : FPrevious)
    RemoveCacheFolder(previous);
  FPrevious.clear();
  FRecoverable.clear();
}

void TCrashRecovery::Watch(TfrmMain &frame, int idleMs) {
  FFrame = &frame;
  FIdleMs = std::max(idleMs, 0);
  if (!FTimer) {
    FTimer = new QTimer(this);
    connect(FTimer, &QTimer::timeout, this, [this] { Tick(); });
  }
  FTimer->start(std::clamp(FIdleMs / 2, 50, 500));
}

void TCrashRecovery::WritePending() {
  Tick();
}

void TCrashRecovery::Tick() {
  if (!FFrame)
    return;
  // Documents that closed take their snapshots with them.
  for (auto it = FWatched.begin(); it != FWatched.end();) {
    if (!(*it)->Doc) {
      if ((*it)->HasSnapshot) {
        std::error_code ec;
        fs::remove((*it)->Info.Snapshot, ec);
        FStateDirty = true;
      }
      it = FWatched.erase(it);
    } else
      ++it;
  }
  for (TfrmChild *doc : FFrame->Documents()) {
    const bool known =
        std::any_of(FWatched.begin(), FWatched.end(), [doc](const auto &w) { return w->Doc == doc; });
    if (known)
      continue;
    auto w = std::make_unique<TWatched>();
    w->Doc = doc;
    w->Bitmap = &doc->Bitmap();
    try {
      w->No = std::stoi(fs::path(doc->CacheDir()).filename().string());
    } catch (const std::exception &) {
      continue;
    }
    // A document that is already modified has a state to keep.
    w->Change->Changed = doc->Modified();
    w->Change->Since.start();
    w->Token = doc->Bitmap().Subscribe([change = w->Change](const TRect &) {
      change->Changed = true;
      change->Since.restart();
    });
    FWatched.push_back(std::move(w));
  }
  const bool pressed = QGuiApplication::mouseButtons() != Qt::NoButton;
  for (const auto &w : FWatched) {
    TfrmChild &doc = *w->Doc;
    if (!doc.Modified()) {
      // Saved: the file holds the picture now.
      w->Change->Changed = false;
      if (w->HasSnapshot) {
        std::error_code ec;
        fs::remove(w->Info.Snapshot, ec);
        w->HasSnapshot = false;
        FStateDirty = true;
      }
      continue;
    }
    if (w->HasSnapshot &&
        (w->Info.Caption != doc.Caption().toStdString() || w->Info.FileName != doc.FileName() ||
         w->Info.ImageType != doc.ImageType() || w->Info.PaperColor != doc.PaperColor())) {
      w->Info.Caption = doc.Caption().toStdString();
      w->Info.FileName = doc.FileName();
      w->Info.ImageType = doc.ImageType();
      w->Info.PaperColor = doc.PaperColor();
      FStateDirty = true;
    }
    // Half a figure (a rubber band in the raster) is no state to keep.
    const bool drawing = doc.Engine().FDrawing || !doc.Engine().FPoints.empty();
    if (!w->Change->Changed || w->Change->Since.elapsed() < FIdleMs || pressed || drawing)
      continue;
    if (WriteSnapshot(*w)) {
      w->Change->Changed = false;
      FStateDirty = true;
    }
  }
  if (FStateDirty)
    WriteState();
}

bool TCrashRecovery::WriteSnapshot(TWatched &w) {
  const std::string folder = RecoveryFolder();
  if (folder.empty())
    return false;
  std::error_code ec;
  fs::create_directories(folder, ec);
  const std::string path = folder + "/" + std::to_string(w.No) + ".bmp";
  const std::string temp = path + ".neu";
  // A full or read-only disk keeps the last snapshot; the next change tries
  // again.
  if (!SaveBmpFile(*w.Bitmap, temp)) {
    fs::remove(temp, ec);
    return false;
  }
  fs::rename(temp, path, ec);
  if (ec) {
    fs::remove(temp, ec);
    return false;
  }
  TfrmChild &doc = *w.Doc;
  w.Info.Caption = doc.Caption().toStdString();
  w.Info.FileName = doc.FileName();
  w.Info.ImageType = doc.ImageType();
  w.Info.PaperColor = doc.PaperColor();
  w.Info.Snapshot = path;
  w.HasSnapshot = true;
  return true;
}

void TCrashRecovery::WriteState() {
  const std::string folder = RecoveryFolder();
  if (folder.empty())
    return;
  std::vector<std::pair<int, TRecoverable>> docs;
  for (const auto &w : FWatched) {
    if (w->HasSnapshot)
      docs.emplace_back(w->No, w->Info);
  }
  std::error_code ec;
  if (docs.empty()) {
    fs::remove(fs::path(folder) / "state", ec);
    FStateDirty = false;
    return;
  }
  fs::create_directories(folder, ec);
  if (WriteFileAtomically(fs::path(folder) / "state", StateText(docs)))
    FStateDirty = false;
}

void TCrashRecovery::Finish() {
  if (FTimer)
    FTimer->stop();
  FFrame = nullptr;
  const std::string folder = RecoveryFolder();
  if (!folder.empty())
    RemoveCacheFolder(folder);
}

} // namespace tessaro
