#pragma once
// The waits of a retrieval, in milliseconds. The program always runs with the
// defaults; tests shorten them to keep a silent router from costing seconds.

#include <cstdint>

struct TRetrievalTimeouts {
  // Account prompt, answer to the password, every status and per-tone command.
  std::uint16_t Short = 10000;
  // Password prompt after the user name, and the two bins commands.
  std::uint16_t Long = 20000;
};
