#include "GaugeOption.h"

#include <cstdio>

#include "CableGauge.h"
#include "NumberText.h"

namespace {

// "0.4, 0.5 and 0.6 mm", from the table itself.
std::string GaugeList() {
  std::string List;
  const auto Gauges = CableGauges();
  for (std::size_t I = 0; I < Gauges.size(); ++I) {
    char Text[16];
    std::snprintf(Text, sizeof Text, "%.1f", Gauges[I].DiameterMm);
    List += (I == 0 ? "" : I + 1 == Gauges.size() ? " and " : ", ") + std::string(Text);
  }
  return List + " mm";
}

} // namespace

CLI::Option *AddGaugeOption(CLI::App &ACommand, double &AGaugeMm, const std::string &ADescription) {
  auto Store = [&AGaugeMm](const std::string &AText) {
    const std::optional<double> Diameter = NumberOfText(AText);
    const std::optional<TCableGauge> Gauge = Diameter ? FindCableGauge(*Diameter) : std::nullopt;
    if (!Gauge)
      throw CLI::ValidationError("--gauge", "unknown gauge '" + AText + "': the gauges are " + GaugeList());
    AGaugeMm = Gauge->DiameterMm;
  };
  return ACommand.add_option_function<std::string>("--gauge", Store, ADescription)->type_name("MM");
}
