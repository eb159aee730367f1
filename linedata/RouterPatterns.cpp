#include "RouterPatterns.h"

const TRouterPatterns &TRouterPatterns::Get() {
  // Thread-safe first use: the reader thread and the main thread both parse.
  static const TRouterPatterns Patterns;
  return Patterns;
}
