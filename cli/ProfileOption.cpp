#include "ProfileOption.h"

CLI::Option *AddProfileOption(CLI::App &ACommand, TVDSLProfile &AProfile, bool AAllowNA,
                              const std::string &ADescription) {
  auto Store = [&AProfile, AAllowNA](const std::string &AName) {
    const std::optional<TVDSLProfile> Profile = ProfileFromName(AName);
    if (!Profile || (*Profile == vpNA && !AAllowNA))
      throw CLI::ValidationError("--profile", "unknown profile '" + AName + "'");
    AProfile = *Profile;
  };
  return ACommand.add_option_function<std::string>("--profile", Store, ADescription)->type_name("P");
}
