#include "DemoRouter.h"

#include <QLineEdit>

#include "Exceptions.h"
#include "InputPanel.h"
#include "RouterSim.h"
#include "UpDown.h"
#include "VDSLProfile.h"
#include "WindowArguments.h"

std::optional<TRouterSimOptions> TDemoRouter::OptionsFromArguments(const std::vector<std::string> &AArguments) {
  bool demo = false;
  TRouterSimOptions options;
  options.Profile = vp17a;
  for (std::size_t i = 0; i < AArguments.size(); ++i) {
    if (AArguments[i] == DemoSwitch) {
      demo = true;
    } else if (AArguments[i] == DemoProfileSwitch) {
      demo = true;
      const std::string name = i + 1 < AArguments.size() ? AArguments[++i] : std::string();
      const std::optional<TVDSLProfile> profile = ProfileFromName(name);
      if (!profile || *profile == vpNA)
        throw ETonegraphError("Unknown demo profile \"" + name + "\"");
      options.Profile = *profile;
    }
  }
  if (!demo)
    return std::nullopt;
  return options;
}

TDemoRouter::TDemoRouter(TRouterSimOptions AOptions) : FSim(std::make_unique<TRouterSim>(std::move(AOptions))) {
  FSim->Start();
}

TDemoRouter::~TDemoRouter() = default;

std::uint16_t TDemoRouter::Port() const { return FSim->Port(); }

void TDemoRouter::FillIn(TInputPanel &APanel) const {
  const TRouterSimOptions &o = FSim->Options();
  APanel.edRouter->setText(QStringLiteral("127.0.0.1"));
  APanel.udTelnetPort->SetPosition(FSim->Port());
  APanel.edUser->setText(QString::fromStdString(o.User));
  APanel.edPassword->setText(QString::fromStdString(o.Password));
  APanel.edRouterName->setText(QString::fromStdString(o.Name));
}
