#pragma once

#include <stdexcept>

// The analysis was asked for something it cannot do (options out of range).
class EAnalysisError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};
