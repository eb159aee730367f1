// tonegraph-cli routersim: the simulated router in the foreground, until
// interrupted (Ctrl+C or SIGTERM).
#include <csignal>
#include <cstdio>
#include <exception>

#include <pthread.h>

#include "CliOptions.h"
#include "Commands.h"
#include "RouterSim.h"

namespace {

const char *const RouterSimUsage =
    "Usage: tonegraph-cli routersim [--port N] [--profile P] [--user U] [--password W]\n"
    "                               [--name NAME] [fault options]\n"
    "\n"
    "Runs a simulated DrayTek Vigor on 127.0.0.1 until interrupted, and prints the\n"
    "port it listens on.\n"
    "\n"
    "  --port N              TCP port (default 0: any free port)\n"
    "  --profile P           VDSL profile of the model line: 8a, 8b, 8c, 8d, 12a, 12b,\n"
    "                        17a, 30a or 35b (default 17a)\n"
    "  --user U              account name it accepts (default admin)\n"
    "  --password W          password it accepts (default admin)\n"
    "  --name NAME           router name; the prompt is NAME followed by \"> \"\n"
    "                        (default DrayTek)\n"
    "\n"
    "Fault options:\n"
    "  --single-connection   refuse a second connection while one is open\n"
    "  --refuse-password     ask for the password again, whatever it is\n"
    "  --silent              accept connections and never answer\n"
    "  --answer-delay MS     wait MS milliseconds before each answer\n"
    "  --slow-command CMD    ... before the answer of CMD only\n"
    "  --split-prompts       send every prompt in two packets\n"
    "  --iac-in-data         put a data byte 255 into an answer\n"
    "  --drop-command CMD    close the connection halfway through the answer of CMD\n"
    "  --unknown-command CMD answer CMD with \"% Valid subcommands are:\"\n"
    "  --endless-command CMD answer CMD without end\n";

const std::set<std::string> ValueOptions = {
    "--port", "--profile", "--user", "--password", "--name", "--answer-delay",
    "--slow-command", "--drop-command", "--unknown-command", "--endless-command"};
const std::set<std::string> Flags = {"--help", "-h", "--single-connection", "--refuse-password",
                                     "--silent", "--split-prompts", "--iac-in-data"};

int WrongUsage(const std::string &AReason) {
  std::fprintf(stderr, "tonegraph-cli routersim: %s\n\n%s", AReason.c_str(), RouterSimUsage);
  return 2;
}

bool ReadNumber(const TCliOptions &AOptions, const char *AName, unsigned long AMax,
                unsigned long &AValue) {
  const std::string Text = AOptions.Value(AName).value_or("0");
  if (Text.empty() || Text.size() > 10 || Text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  AValue = std::stoul(Text);
  return AValue <= AMax;
}

// Empty when the options are sound; otherwise why not.
std::string ReadOptions(const TCliOptions &AOptions, TRouterSimOptions &ASim) {
  unsigned long Port = 0, Delay = 0;
  if (!ReadNumber(AOptions, "--port", 65535, Port))
    return "the port must be a number from 0 to 65535";
  if (!ReadNumber(AOptions, "--answer-delay", 3600000, Delay))
    return "the answer delay must be a number of milliseconds";
  ASim.Port = static_cast<std::uint16_t>(Port);
  ASim.AnswerDelayMs = static_cast<std::uint32_t>(Delay);
  const std::string ProfileText = AOptions.Value("--profile").value_or("17a");
  const std::optional<TVDSLProfile> Profile = ProfileFromName(ProfileText);
  if (!Profile || *Profile == vpNA)
    return "unknown profile '" + ProfileText + "'";
  ASim.Profile = *Profile;
  ASim.User = AOptions.Value("--user").value_or(ASim.User);
  ASim.Password = AOptions.Value("--password").value_or(ASim.Password);
  ASim.Name = AOptions.Value("--name").value_or(ASim.Name);
  ASim.SingleConnection = AOptions.Has("--single-connection");
  ASim.RefusePassword = AOptions.Has("--refuse-password");
  ASim.Silent = AOptions.Has("--silent");
  ASim.SplitPrompts = AOptions.Has("--split-prompts");
  ASim.IacInData = AOptions.Has("--iac-in-data");
  ASim.SlowCommand = AOptions.Value("--slow-command").value_or("");
  ASim.DropCommand = AOptions.Value("--drop-command").value_or("");
  ASim.UnknownCommand = AOptions.Value("--unknown-command").value_or("");
  ASim.EndlessCommand = AOptions.Value("--endless-command").value_or("");
  return {};
}

int RunUntilInterrupted(const TRouterSimOptions &ASim) {
  // Blocked before the router's threads exist, so that they inherit the mask
  // and the signal reaches sigwait below.
  sigset_t Signals;
  sigemptyset(&Signals);
  sigaddset(&Signals, SIGINT);
  sigaddset(&Signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &Signals, nullptr);
  TRouterSim Router(ASim);
  const std::uint16_t Port = Router.Start();
  std::printf("routersim: %s %s listening on 127.0.0.1 port %u\n", ASim.Name.c_str(),
              ProfileName(ASim.Profile), Port);
  std::fflush(stdout);
  int Signal = 0;
  sigwait(&Signals, &Signal);
  return 0;
}

} // namespace

int RunRouterSim(const TArgs &AArgs) {
  const TCliOptions Options(AArgs, ValueOptions, Flags);
  if (Options.Error().empty() && (Options.Has("--help") || Options.Has("-h"))) {
    std::fputs(RouterSimUsage, stdout);
    return 0;
  }
  if (!Options.Error().empty())
    return WrongUsage(Options.Error());
  if (!Options.Positional().empty())
    return WrongUsage("unexpected argument '" + Options.Positional().front() + "'");
  TRouterSimOptions Sim;
  const std::string Problem = ReadOptions(Options, Sim);
  if (!Problem.empty())
    return WrongUsage(Problem);
  try {
    return RunUntilInterrupted(Sim);
  } catch (const std::exception &AError) {
    std::fprintf(stderr, "tonegraph-cli routersim: %s\n", AError.what());
    return 1;
  }
}
