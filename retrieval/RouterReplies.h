#pragma once
// What the router has said since the reader last spoke, and what it means at
// the step of the dialogue the reader is at: a prompt that ends the step, the
// refusal of a second connection, a password asked for again, an answer
// that grows past any sense. No threads and no sockets: the reader feeds it
// under its own lock, and tests and fuzzers feed it directly.

#include <cstddef>
#include <string>
#include <string_view>

enum TTelnetStatus { tsUser = 0, tsPassword = 1, tsBanner = 2, tsPrompt = 3 };

class TRouterReplies {
public:
  // An answer that grows past this without the router prompt is given up.
  static constexpr std::size_t MaxAnswerSize = 16u << 20;
  // What stays of an overlong logon text, so that a prompt arriving split
  // across the cut is still recognised.
  static constexpr std::size_t LogonTail = 1024;

  explicit TRouterReplies(std::string APromptMarker, std::size_t AMaxAnswerSize = MaxAnswerSize);

  // Takes bytes as the Telnet client delivers them; true when they end the
  // step the reader waits on.
  bool Take(std::string_view ABytes, TTelnetStatus AStatus);
  // A command is about to go out: what came before it is not its answer.
  void StartAnswer();

  const std::string &Answer() const { return FAnswer; }
  // The answer passed the size limit and was given up.
  bool Overflowed() const { return FOverflow; }
  bool Error() const { return FError; }
  const std::string &ErrorReason() const { return FErrorReason; }
  // The refusal was read; kept apart from the error so that it decides the
  // outcome whichever thread set the error first.
  bool Refused() const { return FRefused; }
  void SetError(const std::string &AReason);
  // The error's reason unless one was given already.
  void SetErrorUnlessGiven(const std::string &AReason);
  void ClearError();

  static const char *RefusalReason();

private:
  bool Check(TTelnetStatus AStatus);
  bool DropOverlong(TTelnetStatus AStatus);

  std::string FPromptMarker;
  std::size_t FMaxAnswerSize;
  std::string FAnswer;
  bool FOverflow = false;
  bool FError = false;
  std::string FErrorReason;
  bool FRefused = false;
};
