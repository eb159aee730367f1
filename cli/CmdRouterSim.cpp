// tonegraph-cli routersim: the simulated router in the foreground, until
// interrupted (Ctrl+C or SIGTERM).
#include <csignal>
#include <cstdio>
#include <memory>

#include <pthread.h>

#include "Commands.h"
#include "LineOptions.h"
#include "ProfileOption.h"
#include "RouterSim.h"

namespace {

void AddFaultOptions(CLI::App &ACommand, TRouterSimOptions &ASim) {
  const char *const Faults = "Fault options";
  ACommand.add_flag("--drift", ASim.Drift,
                    "let the line change from connection to connection: crosstalk and margin wander, a station in "
                    "the 20 m band comes and goes");
  ACommand.add_flag("--single-connection", ASim.SingleConnection, "refuse a second connection while one is open")
      ->group(Faults);
  ACommand.add_flag("--refuse-password", ASim.RefusePassword, "ask for the password again, whatever it is")
      ->group(Faults);
  ACommand.add_flag("--silent", ASim.Silent, "accept connections and never answer")->group(Faults);
  ACommand.add_option("--answer-delay", ASim.AnswerDelayMs, "wait MS milliseconds before each answer (at most an hour)")
      ->type_name("MS")
      ->check(CLI::Range(0, 3600000).description(""))
      ->group(Faults);
  ACommand.add_option("--slow-command", ASim.SlowCommand, "... before the answer of CMD only")
      ->type_name("CMD")
      ->group(Faults);
  ACommand.add_flag("--split-prompts", ASim.SplitPrompts, "send every prompt in two packets")->group(Faults);
  ACommand.add_flag("--iac-in-data", ASim.IacInData, "put a data byte 255 into an answer")->group(Faults);
  ACommand.add_option("--drop-command", ASim.DropCommand, "close the connection halfway through the answer of CMD")
      ->type_name("CMD")
      ->group(Faults);
  ACommand.add_option("--unknown-command", ASim.UnknownCommand,
                      "answer CMD with \"% Valid subcommands are:\"")
      ->type_name("CMD")
      ->group(Faults);
  ACommand.add_option("--endless-command", ASim.EndlessCommand, "answer CMD without end")
      ->type_name("CMD")
      ->group(Faults);
  std::string Kinds;
  for (const TFaultKind Kind : FaultKinds())
    Kinds += std::string(Kinds.empty() ? "" : ", ") + FaultKindName(Kind);
  ACommand
      .add_option_function<std::string>(
          "--fault",
          [&ASim](const std::string &AText) {
            const std::optional<TRouterFault> Fault = ParseFault(AText);
            if (!Fault)
              throw CLI::ValidationError("--fault", "expected KIND@STEP, not \"" + AText + "\"");
            ASim.Fault = *Fault;
          },
          "one hostile act at one step: KIND is one of " + Kinds +
              "; STEP is account, password, welcome or a command line")
      ->type_name("KIND@STEP")
      ->group(Faults);
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
  std::printf("routersim: %s\n", LineDescription(ASim.Line, ASim.Profile).c_str());
  std::printf("routersim: %s %s listening on 127.0.0.1 port %u\n", ASim.Name.c_str(),
              ProfileName(ASim.Profile), Port);
  std::fflush(stdout);
  int Signal = 0;
  sigwait(&Signals, &Signal);
  return 0;
}

} // namespace

TCommandRun AddRouterSimCommand(CLI::App &AProgram) {
  auto Sim = std::make_shared<TRouterSimOptions>();
  CLI::App *Command = AProgram.add_subcommand(
      "routersim", "Runs a simulated DrayTek Vigor on 127.0.0.1 until interrupted, and prints the port it "
                   "listens on.");
  Command->add_option("--port", Sim->Port, "TCP port, 0 to 65535 (default 0: any free port)")
      ->type_name("N")
      ->check(CLI::Range(0, 65535).description(""));
  AddProfileOption(*Command, Sim->Profile, false,
                   "VDSL profile of the model line: 8a, 8b, 8c, 8d, 12a, 12b, 17a, 30a or 35b (default 17a)");
  Command->add_option("--user", Sim->User, "account name it accepts (default admin)")->type_name("U");
  Command->add_option("--password", Sim->Password, "password it accepts (default admin)")->type_name("W");
  Command->add_option("--name", Sim->Name, "router name; the prompt is NAME followed by \"> \" (default DrayTek)")
      ->type_name("NAME");
  AddLineOptions(*Command, Sim->Line);
  AddFaultOptions(*Command, *Sim);
  return [Sim] { return RunUntilInterrupted(*Sim); };
}
