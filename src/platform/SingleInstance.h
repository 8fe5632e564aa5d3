// One running program per user. The first start listens on a local socket
// in the user's private temporary folder (only the user can reach it); a
// later start finds it there and sends it requests instead of opening a
// window of its own: bring the window to the front, read the hand-over file
// now, or open a file (the execute request, whose first line is a path).
//
// Requests travel as frames "TESSARO/1 <verb> <length>\n" followed by
// exactly <length> bytes; the running program answers each with "OK\n". A
// frame that is garbage ends the connection; one that is cut off is dropped.
#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLocalServer;
class QLocalSocket;

namespace tessaro {

struct TShellRequest {
  enum TKind { Raise, LoadList, Execute };
  TKind Kind = Raise;
  // Execute: the lines of the request (without their line ends).
  std::vector<std::string> Macro;
};

// Largest payload a frame may carry.
inline constexpr size_t MaxShellPayload = 64 * 1024;

// The bytes of one request.
std::string ShellRequestBytes(const TShellRequest &request);

enum class TShellParse { NeedMore, Request, Garbage };
// Takes the first complete request off the front of buffer.
TShellParse TakeShellRequest(std::string &buffer, TShellRequest &request);

class TSingleInstance : public QObject {
  Q_OBJECT
public:
  enum class TStart {
    First,   // this program listens now
    Running, // another program of this user answers on the socket
    Alone    // no socket could be had: run without one
  };

  explicit TSingleInstance(QObject *parent = nullptr);
  ~TSingleInstance() override;

  // The socket of this user: the private temporary folder + "Tessaro.socket"
  // (a short name in $XDG_RUNTIME_DIR when that path is too long for a
  // socket); empty when neither can be had.
  static std::string SocketPath();

  // Decides the role of this start. Two starts at the same moment agree
  // through a lock file: one listens, the other finds it. A socket left by a
  // program that died is replaced.
  TStart Start();
  TStart Start(const std::string &socketPath);
  bool Listening() const;
  const std::string &Path() const { return FPath; }

  // Called for every request, from the event loop (never inside the read
  // of the socket). The answer goes back once it returns.
  std::function<void(const TShellRequest &)> OnRequest;

  // The client side, without an event loop: true when a program answers on
  // the socket.
  static bool Reachable(const std::string &socketPath);
  // Sends the requests in one connection; true when every one was answered
  // within timeoutMs (a program that is busy gets them all the same).
  static bool Send(const std::string &socketPath, const std::vector<TShellRequest> &requests, int timeoutMs);

private:
  void NewConnection();
  void ReadFrom(QLocalSocket *socket);

  std::unique_ptr<QLocalServer> FServer;
  std::string FPath;
};

} // namespace tessaro
