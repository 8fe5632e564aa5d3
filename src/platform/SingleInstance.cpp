#include "platform/SingleInstance.h"

#include "core/TempFolder.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QTimer>
#include <QVariant>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace tessaro {

namespace {

constexpr const char *Magic = "TESSARO/1";
constexpr size_t MaxHeader = 64;
// A connection that sends nothing complete for this long is closed.
constexpr int IdleConnectionMs = 10000;

const char *VerbOf(TShellRequest::TKind kind) {
  switch (kind) {
  case TShellRequest::Raise:
    return "RAISE";
  case TShellRequest::LoadList:
    return "LOADLIST";
  case TShellRequest::Execute:
    return "EXECUTE";
  }
  return "RAISE";
}

bool FitsSocket(const std::string &path) {
  return !path.empty() && path.size() < sizeof(sockaddr_un{}.sun_path);
}

using TClock = std::chrono::steady_clock;

int RemainingMs(TClock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - TClock::now()).count();
  return left > 0 ? int(left) : 0;
}

// A connected client socket, or -1.
int ConnectTo(const std::string &path, TClock::time_point deadline) {
  if (!FitsSocket(path))
    return -1;
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0)
    return -1;
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  if (connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof(addr)) == 0)
    return fd;
  if (errno == EINPROGRESS || errno == EAGAIN) {
    pollfd p{fd, POLLOUT, 0};
    int err = 0;
    socklen_t len = sizeof(err);
    if (poll(&p, 1, RemainingMs(deadline)) == 1 && getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) == 0 &&
        err == 0)
      return fd;
  }
  close(fd);
  return -1;
}

bool WriteAll(int fd, const std::string &bytes, TClock::time_point deadline) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
    if (n > 0) {
      done += size_t(n);
      continue;
    }
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      pollfd p{fd, POLLOUT, 0};
      if (poll(&p, 1, RemainingMs(deadline)) == 1)
        continue;
    }
    return false;
  }
  return true;
}

} // namespace

std::string ShellRequestBytes(const TShellRequest &request) {
  std::string payload;
  if (request.Kind == TShellRequest::Execute) {
    for (const std::string &line : request.Macro)
      payload += line + "\r\n";
  }
  return std::string(Magic) + " " + VerbOf(request.Kind) + " " + std::to_string(payload.size()) + "\n" +
         payload;
}

TShellParse TakeShellRequest(std::string &buffer, TShellRequest &request) {
  const size_t nl = buffer.find('\n');
  if (nl == std::string::npos)
    return buffer.size() > MaxHeader ? TShellParse::Garbage : TShellParse::NeedMore;
  if (nl > MaxHeader)
    return TShellParse::Garbage;
  const std::string header = buffer.substr(0, nl);
  const size_t s1 = header.find(' ');
  const size_t s2 = s1 == std::string::npos ? s1 : header.find(' ', s1 + 1);
  if (s2 == std::string::npos || header.substr(0, s1) != Magic)
    return TShellParse::Garbage;
  const std::string verb = header.substr(s1 + 1, s2 - s1 - 1);
  const std::string digits = header.substr(s2 + 1);
  if (digits.empty() || digits.size() > 6 || digits.find_first_not_of("0123456789") != std::string::npos)
    return TShellParse::Garbage;
  const size_t length = size_t(std::strtoul(digits.c_str(), nullptr, 10));
  TShellRequest result;
  if (verb == "RAISE")
    result.Kind = TShellRequest::Raise;
  else if (verb == "LOADLIST")
    result.Kind = TShellRequest::LoadList;
  else if (verb == "EXECUTE")
    result.Kind = TShellRequest::Execute;
  else
    return TShellParse::Garbage;
  if (length > MaxShellPayload || (result.Kind != TShellRequest::Execute && length != 0))
    return TShellParse::Garbage;
  if (buffer.size() < nl + 1 + length)
    return TShellParse::NeedMore;
  const std::string payload = buffer.substr(nl + 1, length);
  buffer.erase(0, nl + 1 + length);
  size_t start = 0;
  while (start < payload.size()) {
    size_t end = payload.find('\n', start);
    if (end == std::string::npos)
      end = payload.size();
    std::string line = payload.substr(start, end - start);
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    result.Macro.push_back(std::move(line));
    start = end + 1;
  }
  request = std::move(result);
  return TShellParse::Request;
}

TSingleInstance::TSingleInstance(QObject *parent) : QObject(parent) {}

TSingleInstance::~TSingleInstance() {
  if (FServer)
    FServer->close(); // removes the socket file
}

std::string TSingleInstance::SocketPath() {
  const std::string temp = PrivateTempFolder();
  if (temp.empty())
    return std::string();
  const std::string path = temp + "Tessaro.socket";
  if (FitsSocket(path))
    return path;
  // A very long temporary folder: a short name in the user's runtime folder,
  // derived from the folder, so that every start with this folder finds it.
  const char *runtime = std::getenv("XDG_RUNTIME_DIR");
  if (!runtime || !*runtime)
    return std::string();
  const QByteArray hash =
      QCryptographicHash::hash(QByteArray::fromStdString(temp), QCryptographicHash::Sha1).toHex().left(16);
  const std::string shortPath = std::string(runtime) + "/tessaro-" + hash.toStdString() + ".socket";
  return FitsSocket(shortPath) ? shortPath : std::string();
}

TSingleInstance::TStart TSingleInstance::Start() {
  return Start(SocketPath());
}

TSingleInstance::TStart TSingleInstance::Start(const std::string &socketPath) {
  FPath = socketPath;
  if (!FitsSocket(FPath))
    return TStart::Alone;
  // Whoever holds the lock checks and listens; a second start waits for it
  // and then finds the socket. A lock left by a program that died is stale
  // at once (its process is gone).
  QLockFile lock(QString::fromStdString(FPath + ".lock"));
  const bool locked = lock.tryLock(5000);
  if (Reachable(FPath))
    return TStart::Running;
  if (!locked)
    return TStart::Alone;
  QLocalServer::removeServer(QString::fromStdString(FPath));
  FServer = std::make_unique<QLocalServer>();
  FServer->setSocketOptions(QLocalServer::UserAccessOption);
  if (!FServer->listen(QString::fromStdString(FPath))) {
    FServer.reset();
    return TStart::Alone;
  }
  connect(FServer.get(), &QLocalServer::newConnection, this, &TSingleInstance::NewConnection);
  return TStart::First;
}

bool TSingleInstance::Listening() const {
  return FServer && FServer->isListening();
}

void TSingleInstance::NewConnection() {
  while (QLocalSocket *socket = FServer->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    // Only this user's own programs may talk to it (the folder already keeps
    // others out; the peer's id says so for certain).
    ucred peer{};
    socklen_t len = sizeof(peer);
    if (getsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &len) != 0 ||
        peer.uid != getuid()) {
      socket->abort();
      socket->deleteLater();
      continue;
    }
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadFrom(socket); });
    QTimer::singleShot(IdleConnectionMs, socket, [socket] { socket->abort(); });
    ReadFrom(socket);
  }
}

void TSingleInstance::ReadFrom(QLocalSocket *socket) {
  std::string buffer = socket->property("shellBuffer").toByteArray().toStdString();
  buffer += socket->readAll().toStdString();
  for (;;) {
    TShellRequest request;
    const TShellParse parsed = TakeShellRequest(buffer, request);
    if (parsed == TShellParse::NeedMore)
      break;
    if (parsed == TShellParse::Garbage) {
      socket->setProperty("shellBuffer", QByteArray());
      socket->abort();
      return;
    }
    QPointer<QLocalSocket> guard(socket);
    QMetaObject::invokeMethod(
        this,
        [this, request, guard] {
          if (OnRequest)
            OnRequest(request);
          if (guard && guard->state() == QLocalSocket::ConnectedState) {
            guard->write("OK\n");
            guard->flush();
          }
        },
        Qt::QueuedConnection);
  }
  socket->setProperty("shellBuffer", QByteArray::fromStdString(buffer));
}

bool TSingleInstance::Reachable(const std::string &socketPath) {
  const int fd = ConnectTo(socketPath, TClock::now() + std::chrono::milliseconds(1000));
  if (fd < 0)
    return false;
  close(fd);
  return true;
}

bool TSingleInstance::Send(const std::string &socketPath, const std::vector<TShellRequest> &requests,
                           int timeoutMs) {
  const auto deadline = TClock::now() + std::chrono::milliseconds(timeoutMs);
  const int fd = ConnectTo(socketPath, deadline);
  if (fd < 0)
    return false;
  std::string bytes;
  for (const TShellRequest &r : requests)
    bytes += ShellRequestBytes(r);
  bool ok = WriteAll(fd, bytes, deadline);
  // Wait for one answer per request, so that the requests are taken before
  // this program ends.
  size_t answers = 0;
  std::string received;
  while (ok && answers < requests.size()) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, RemainingMs(deadline)) != 1) {
      ok = false;
      break;
    }
    char chunk[64];
    const ssize_t n = recv(fd, chunk, sizeof(chunk), 0);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0) {
      ok = false;
      break;
    }
    received.append(chunk, size_t(n));
    size_t nl;
    while ((nl = received.find('\n')) != std::string::npos) {
      ok = ok && received.compare(0, nl, "OK") == 0;
      received.erase(0, nl + 1);
      ++answers;
    }
  }
  close(fd);
  return ok;
}

} // namespace tessaro
