#pragma once
// Configuration files: the connection settings of the input panel (never the
// password) as a short sequence of values in the filer value encoding.
//
//   version 2 (written): "TONEGRAPH2", router, port, user, bins, 512 bins, router name
//   version 1 (read):    "TONEGRAPH",  router, port, user, (integer, ignored),
//                        bins, 512 bins, router name
//
// No window in here: the main window and the tests both use it.

#include <string>

#include "Exceptions.h"

struct TConnectionSettings {
  std::string Router;
  int Port = 23;
  std::string User;
  bool ShowBins = false;
  bool SNRBug = true;
  std::string RouterName = "DrayTek";
};

// The first value of the file is a string but neither signature. The window
// shows this one as its own error message "Invalid configuration file".
class EInvalidConfiguration : public ETonegraphError {
public:
  EInvalidConfiguration() : ETonegraphError("Invalid configuration file") {}
};

// Where a loaded configuration goes, one field at a time.
class IConfigurationTarget {
public:
  virtual ~IConfigurationTarget() = default;
  virtual void SetRouter(const std::string &AValue) = 0;
  virtual void SetPort(int AValue) = 0;  // always 1 to 65535
  virtual void SetUser(const std::string &AValue) = 0;
  virtual void SetShowBins(bool AValue) = 0;
  virtual void SetSNRBug(bool AValue) = 0;
  virtual void SetRouterName(const std::string &AValue) = 0;
};

inline constexpr int MinTelnetPort = 1;
inline constexpr int MaxTelnetPort = 65535;

// Writes version 2. The file is replaced only once it is completely written:
// a failure leaves an existing file of that name as it was.
// Raises EFCreateError or EWriteError.
void SaveConfiguration(const std::string &AFileName, const TConnectionSettings &ASettings);

// Reads version 1 or 2 and hands each field to ATarget as soon as it is read,
// so a file that ends early or holds a value of the wrong kind leaves the
// fields before it applied. A port outside 1 to 65535 is brought into that
// range, as the port's spin buttons would. Values after the last are ignored.
// Raises EInvalidConfiguration (nothing applied), EFOpenError or EReadError.
void LoadConfiguration(const std::string &AFileName, IConfigurationTarget &ATarget);

// The same into ASettings, for callers without a window.
void LoadConfiguration(const std::string &AFileName, TConnectionSettings &ASettings);
