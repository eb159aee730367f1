// The command-line switch "c": which argument counts and what its value is.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ConfigSwitch.h"

namespace {

struct TSwitchCase {
  const char *Title;
  std::vector<std::string> Args;
  std::optional<std::string> Value;  // none: the switch is absent
};

TEST(ConfigSwitch, FindsTheFirstQualifyingArgumentAndItsValue) {
  const TSwitchCase Cases[] = {
      {"no arguments", {}, std::nullopt},
      {"other arguments only", {"x.conf", "-x", "/q", "c"}, std::nullopt},
      {"-cname.conf", {"-cname.conf"}, "name.conf"},
      {"-c:name.conf", {"-c:name.conf"}, "name.conf"},
      {"/Cname.conf is a path, no switch", {"/Cname.conf"}, std::nullopt},
      {"-config.conf keeps its letters", {"-config.conf"}, "onfig.conf"},
      {"-C:settings.conf", {"-C:settings.conf"}, "settings.conf"},
      {"-c:/abs/x.conf", {"-c:/abs/x.conf"}, "/abs/x.conf"},
      {"-c/abs/x.conf", {"-c/abs/x.conf"}, "/abs/x.conf"},
      {"value in the next argument", {"x.conf", "-c", "y.conf"}, "y.conf"},
      {"first switch counts", {"-c", "a.conf", "-c", "b.conf"}, "a.conf"},
      {"-c last: present, empty", {"-c"}, ""},
      {"-c before another switch", {"-c", "-x"}, ""},
      {"-c before an absolute path", {"-c", "/home/me/line.conf"}, "/home/me/line.conf"},
      {"only one colon skipped", {"-c::a"}, ":a"},
      {"lone dash is no switch", {"-", "-c", "z"}, "z"},
  };
  for (const TSwitchCase &Case : Cases)
    EXPECT_EQ(FindConfigSwitch(Case.Args), Case.Value) << Case.Title;
}

TEST(ConfigSwitch, StartupConfigurationIsTheSwitchOrElseANamedConfFile) {
  const TSwitchCase Cases[] = {
      {"nothing", {}, std::nullopt},
      {"snapshots only", {"a.draydata", "line.tgdb"}, std::nullopt},
      {"a file manager's .conf", {"/home/me/line.conf"}, "/home/me/line.conf"},
      {"case of the extension", {"LINE.CONF"}, "LINE.CONF"},
      {"the switch wins", {"other.conf", "-c", "mine.conf"}, "mine.conf"},
      {"an empty switch still wins", {"other.conf", "-c"}, ""},
      {"first of two", {"a.conf", "b.conf"}, "a.conf"},
      {"no name before the extension", {".conf"}, std::nullopt},
      {"a switch is no file", {"-x.conf"}, std::nullopt},
      {"only at the end", {"line.conf.bak"}, std::nullopt},
  };
  for (const TSwitchCase &Case : Cases)
    EXPECT_EQ(FindStartupConfiguration(Case.Args), Case.Value) << Case.Title;
}

} // namespace
