#pragma once
// What to answer an HTTP request from the bytes of its head received so far.
// Only GET and HEAD of one page are served and no body is ever read, so the
// verdict needs nothing past the blank line that ends the head, and a wrong
// method is known from the first bytes.

#include <cstddef>
#include <string>
#include <string_view>

enum class THttpVerdict {
  NeedMore,         // the head is not complete yet
  ServePage,        // GET of the page
  ServePageHead,    // HEAD of the page
  NotFound,         // any other target
  MethodNotAllowed, // any other method
  TooLarge,         // a head past the caps
  BadRequest,       // not an HTTP/1 request line
};

struct THttpHeadCaps {
  std::size_t MaxBytes = 8192;
  std::size_t MaxLines = 64; // header lines, the request line not counted
};

THttpVerdict JudgeRequestHead(std::string_view ABytes, std::string_view APagePath, const THttpHeadCaps &ACaps = {});

// The whole answer to send for AVerdict (not NeedMore): status line, headers
// and, for ServePage, APage as the body. The connection is closed after it.
std::string HttpAnswer(THttpVerdict AVerdict, std::string_view APage);
