#include "frame/AppShell.h"

#include "frame/HandOverFile.h"
#include "frame/UnMain.h"
#include "frame/UnSplashScreen.h"
#include "platform/SingleInstance.h"

namespace tessaro {

namespace {

// How long a later start waits for the running program's answers.
constexpr int AnswerTimeoutMs = 2000;

} // namespace

bool HandOverToRunningProgram(const std::string &socketPath, const std::vector<std::string> &arguments) {
  std::vector<TShellRequest> requests{TShellRequest{TShellRequest::Raise, {}}};
  if (arguments.size() > 1 && WriteHandOverFile(arguments[1]))
    requests.push_back(TShellRequest{TShellRequest::LoadList, {}});
  return TSingleInstance::Send(socketPath, requests, AnswerTimeoutMs);
}

void RouteShellRequests(TSingleInstance &instance) {
  instance.OnRequest = [](const TShellRequest &request) {
    if (TfrmMain *frame = TfrmMain::Instance())
      frame->ShellRequest(request);
    else if (TfrmSplashScreen *splash = SplashScreen(); splash && request.Kind == TShellRequest::Execute)
      splash->SystemExecuteMacro(request.Macro);
  };
}

} // namespace tessaro
