#include "HttpRequestHead.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<std::string_view, 2> Methods{"GET ", "HEAD "};

// True while ABytes can still become one of the methods served.
bool MayBeServedMethod(std::string_view ABytes) {
  return std::any_of(Methods.begin(), Methods.end(), [&](std::string_view AMethod) {
    const std::size_t Common = std::min(AMethod.size(), ABytes.size());
    return ABytes.substr(0, Common) == AMethod.substr(0, Common);
  });
}

// "/metrics" and "/metrics?x=1" are the page; the query is ignored.
bool IsPage(std::string_view ATarget, std::string_view APagePath) {
  return ATarget.substr(0, ATarget.find('?')) == APagePath;
}

THttpVerdict JudgeRequestLine(std::string_view ALine, std::string_view APagePath) {
  if (!ALine.empty() && ALine.back() == '\r')
    ALine.remove_suffix(1);
  const std::size_t First = ALine.find(' ');
  const std::size_t Second = ALine.rfind(' ');
  if (First == std::string_view::npos || Second == First || !ALine.substr(Second + 1).starts_with("HTTP/1."))
    return THttpVerdict::BadRequest;
  const std::string_view Target = ALine.substr(First + 1, Second - First - 1);
  if (!IsPage(Target, APagePath))
    return THttpVerdict::NotFound;
  return ALine.starts_with("HEAD ") ? THttpVerdict::ServePageHead : THttpVerdict::ServePage;
}

// The end of the head after the request line, or npos; ALines counts the
// header lines seen.
std::size_t HeadEnd(std::string_view ABytes, std::size_t AFrom, std::size_t &ALines) {
  ALines = 0;
  for (std::size_t Start = AFrom;;) {
    const std::size_t End = ABytes.find('\n', Start);
    if (End == std::string_view::npos)
      return std::string_view::npos;
    const std::string_view Line = ABytes.substr(Start, End - Start);
    if (Line.empty() || Line == "\r")
      return End + 1;
    ++ALines;
    Start = End + 1;
  }
}

const char *StatusLine(THttpVerdict AVerdict) {
  switch (AVerdict) {
  case THttpVerdict::ServePage:
  case THttpVerdict::ServePageHead: return "200 OK";
  case THttpVerdict::NotFound: return "404 Not Found";
  case THttpVerdict::MethodNotAllowed: return "405 Method Not Allowed";
  case THttpVerdict::TooLarge: return "413 Payload Too Large";
  case THttpVerdict::NeedMore:
  case THttpVerdict::BadRequest: break;
  }
  return "400 Bad Request";
}

} // namespace

THttpVerdict JudgeRequestHead(std::string_view ABytes, std::string_view APagePath, const THttpHeadCaps &ACaps) {
  if (!MayBeServedMethod(ABytes))
    return THttpVerdict::MethodNotAllowed;
  const std::size_t LineEnd = ABytes.find('\n');
  if (LineEnd == std::string_view::npos)
    return ABytes.size() >= ACaps.MaxBytes ? THttpVerdict::TooLarge : THttpVerdict::NeedMore;
  std::size_t Lines = 0;
  const std::size_t End = HeadEnd(ABytes, LineEnd + 1, Lines);
  if (Lines > ACaps.MaxLines || (End == std::string_view::npos ? ABytes.size() : End) > ACaps.MaxBytes)
    return THttpVerdict::TooLarge;
  if (End == std::string_view::npos)
    return THttpVerdict::NeedMore;
  return JudgeRequestLine(ABytes.substr(0, LineEnd), APagePath);
}

std::string HttpAnswer(THttpVerdict AVerdict, std::string_view APage) {
  const bool Page = AVerdict == THttpVerdict::ServePage || AVerdict == THttpVerdict::ServePageHead;
  const std::string_view Body = Page ? APage : std::string_view(StatusLine(AVerdict));
  std::string Answer = std::string("HTTP/1.1 ") + StatusLine(AVerdict) + "\r\n";
  Answer += Page ? "Content-Type: text/plain; version=0.0.4; charset=utf-8\r\n" : "Content-Type: text/plain\r\n";
  if (AVerdict == THttpVerdict::MethodNotAllowed)
    Answer += "Allow: GET, HEAD\r\n";
  Answer += "Content-Length: " + std::to_string(Body.size()) + "\r\nConnection: close\r\n\r\n";
  if (AVerdict != THttpVerdict::ServePageHead)
    Answer += Body;
  return Answer;
}
