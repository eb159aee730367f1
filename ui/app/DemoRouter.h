#pragma once
// Demo mode: "tonegraph --demo [--demo-profile P]" runs the simulated router
// inside the program on a free loopback port and fills in the connection
// fields for it, so that "Retrieve" works at once without a router. It
// serves the simulated router's default line (DemoLine: a short bridged tap
// and one radio station), so the charts have something to show.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "RouterSimOptions.h"

class TRouterSim;
class TInputPanel;

class TDemoRouter {
public:
  // The demo's options when the arguments ask for demo mode, else none.
  // Raises ETonegraphError for a profile name it does not know.
  static std::optional<TRouterSimOptions> OptionsFromArguments(const std::vector<std::string> &AArguments);

  // Starts listening at once; raises ETonegraphError when it cannot.
  explicit TDemoRouter(TRouterSimOptions AOptions);
  ~TDemoRouter();
  TDemoRouter(const TDemoRouter &) = delete;
  TDemoRouter &operator=(const TDemoRouter &) = delete;

  std::uint16_t Port() const;
  // Address, port, user, password and router name; nothing else changes.
  void FillIn(TInputPanel &APanel) const;

private:
  std::unique_ptr<TRouterSim> FSim;
};
