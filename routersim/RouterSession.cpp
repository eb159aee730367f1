#include "RouterSession.h"

#include <cerrno>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "CodePage.h"
#include "TelnetParser.h"

using namespace Telnet;

namespace {
constexpr int LogonAttempts = 3;
constexpr std::uint32_t PromptSplitPauseMs = 30;

std::string Command(unsigned char AVerb, unsigned char AOption) {
  return {static_cast<char>(IAC), static_cast<char>(AVerb), static_cast<char>(AOption)};
}

std::string Trimmed(const std::string &AText) {
  const auto First = AText.find_first_not_of(' ');
  if (First == std::string::npos)
    return {};
  return AText.substr(First, AText.find_last_not_of(' ') - First + 1);
}
} // namespace

TRouterSession::TRouterSession(int ASocket, int AStopFd, const TRouterSimOptions &AOptions,
                               const TRouterAnswers &AAnswers, bool ARejected, std::atomic<int> *ASlowAnswers)
    : FSocket(ASocket), FStopFd(AStopFd), FOptions(AOptions), FAnswers(AAnswers),
      FRejected(ARejected), FSlowAnswers(ASlowAnswers), FPrompt(Utf8ToAnsi(AOptions.Name + "> ")) {}

TRouterSession::~TRouterSession() { close(FSocket); }

void TRouterSession::Run() {
  if (FRejected) {
    SendText("Reject the connection request !!!\r\n");
    return;
  }
  if (FOptions.Silent) {
    DiscardUntilClosed();
    return;
  }
  // A Vigor opens the negotiation itself, terminal type included.
  if (!Send(Command(DO, OptTerminalType) + Command(WILL, OptEcho) + Command(WILL, OptSGA)) ||
      !Logon())
    return;
  std::string Line;
  while (ReadLine(Line)) {
    const std::string CommandLine = Trimmed(Line);
    if (CommandLine == "exit" || CommandLine == "quit" || !Answer(CommandLine))
      return;
  }
}

bool TRouterSession::Logon() {
  std::string User, Password;
  if (!Deliver(FaultStep::Account, "", "Account:") || !ReadLine(User))
    return false;
  for (int Attempt = 0; Attempt < LogonAttempts; ++Attempt) {
    FInput.SetEcho(false);
    if (!Deliver(Attempt == 0 ? FaultStep::Password : "", "", "Password: ") || !ReadLine(Password))
      return false;
    FInput.SetEcho(true);
    if (!FOptions.RefusePassword && User == FOptions.User && Password == FOptions.Password)
      return Deliver(FaultStep::Welcome, "\r\nType ? for command help\r\n\r\n", FPrompt);
  }
  return false;
}

bool TRouterSession::Answer(const std::string &ACommand) {
  if (ACommand.empty())
    return SendPrompt(FPrompt);
  const std::string *Text = FAnswers.Find(ACommand);
  if (!Text || ACommand == FOptions.UnknownCommand)
    Text = &FAnswers.InvalidCommand();
  if (FOptions.AnswerDelayMs > 0 && (FOptions.SlowCommand.empty() || FOptions.SlowCommand == ACommand)) {
    if (FSlowAnswers)
      FSlowAnswers->fetch_add(1);
    if (!Pause(FOptions.AnswerDelayMs))
      return false;
  }
  if (ACommand == FOptions.EndlessCommand)
    return SendEndless();
  if (ACommand == FOptions.DropCommand) {
    SendText(std::string_view(*Text).substr(0, Text->size() / 2));
    return false;
  }
  return Deliver(ACommand, *Text, FPrompt);
}

// A step's text and the prompt after it, as the router should send them, or
// as the hostile act of this step spoils them.
bool TRouterSession::Deliver(std::string_view AStep, std::string_view AText, const std::string &APrompt) {
  if (!FOptions.Fault.At(AStep))
    return SendText(AText) && SendPrompt(APrompt);
  return Spoil(std::string(AText) + APrompt);
}

// Text without a prompt, until the client gives up or the router stops.
bool TRouterSession::SendEndless() {
  std::string Block;
  for (int Line = 0; Line < 512; ++Line)
    Block += "  0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000\r\n";
  while (SendText(Block)) {
  }
  return false;
}

void TRouterSession::DiscardUntilClosed() {
  while (Receive())
    FInput.TakeOutput();
}

bool TRouterSession::ReadLine(std::string &ALine) {
  while (!FInput.NextLine(ALine))
    if (!Receive() || !Send(FInput.TakeOutput()))
      return false;
  return true;
}

bool TRouterSession::Receive() {
  char Buffer[4096];
  for (;;) {
    if (!WaitFor(POLLIN, -1))
      return false;
    const ssize_t Count = recv(FSocket, Buffer, sizeof Buffer, 0);
    if (Count > 0) {
      FInput.Feed(std::string_view(Buffer, static_cast<std::size_t>(Count)));
      return true;
    }
    if (Count == 0 || (errno != EAGAIN && errno != EINTR))
      return false;
  }
}

bool TRouterSession::SendPrompt(const std::string &APrompt) {
  if (!FOptions.SplitPrompts || APrompt.size() < 2)
    return SendText(APrompt);
  const std::size_t Half = APrompt.size() / 2;
  return SendText(APrompt.substr(0, Half)) && Pause(PromptSplitPauseMs) &&
         SendText(APrompt.substr(Half));
}

// Data bytes 255 go out doubled, as Telnet wants them.
bool TRouterSession::SendText(std::string_view AText) {
  if (AText.find(static_cast<char>(IAC)) == std::string_view::npos)
    return Send(AText);
  std::string Escaped;
  for (char C : AText)
    Escaped.append(static_cast<unsigned char>(C) == IAC ? 2 : 1, C);
  return Send(Escaped);
}

bool TRouterSession::Send(std::string_view ABytes) {
  while (!ABytes.empty()) {
    const ssize_t Sent = send(FSocket, ABytes.data(), ABytes.size(), MSG_NOSIGNAL);
    if (Sent > 0)
      ABytes.remove_prefix(static_cast<std::size_t>(Sent));
    else if (errno != EAGAIN && errno != EINTR)
      return false;
    else if (!WaitFor(POLLOUT, -1))
      return false;
  }
  return true;
}

bool TRouterSession::Pause(std::uint32_t AMilliseconds) {
  pollfd Stop{FStopFd, POLLIN, 0};
  return poll(&Stop, 1, static_cast<int>(AMilliseconds)) == 0;
}

// False when the router is being stopped or the connection broke.
bool TRouterSession::WaitFor(short AEvents, int ATimeoutMs) {
  pollfd Fds[2] = {{FSocket, AEvents, 0}, {FStopFd, POLLIN, 0}};
  int Ready;
  do
    Ready = poll(Fds, 2, ATimeoutMs);
  while (Ready < 0 && errno == EINTR);
  if (Ready <= 0 || Fds[1].revents != 0)
    return false;
  return (Fds[0].revents & (AEvents | POLLHUP | POLLERR)) != 0;
}
