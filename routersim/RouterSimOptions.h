#pragma once
// How the simulated router is set up, and how it misbehaves when asked to.

#include <cstdint>
#include <string>

#include "LineSetup.h"
#include "RouterFault.h"
#include "VDSLProfile.h"

struct TRouterSimOptions {
  std::uint16_t Port = 0; // 0: any free port on 127.0.0.1
  TVDSLProfile Profile = vp17a;
  // The line it reports on: a short tap and one radio station unless told
  // otherwise; a default TLineSetup is a clean line.
  TLineSetup Line = DemoLine();
  std::string User = "admin";
  std::string Password = "admin";
  std::string Name = "DrayTek"; // the prompt is this name followed by "> "

  bool SingleConnection = false; // a second connection gets "Reject the connection request !!!"
  bool RefusePassword = false;   // asks for the password again, whatever it is
  bool Silent = false;           // accepts, then never says a word
  std::uint32_t AnswerDelayMs = 0; // pause before each answer...
  std::string SlowCommand;         // ...of this command only (empty: of every command)
  bool SplitPrompts = false;       // every prompt in two packets
  bool IacInData = false;          // a data byte 255 (sent as IAC IAC) in an answer
  std::string DropCommand;         // closes the connection halfway through this answer
  std::string UnknownCommand;      // answers this command with "% Valid subcommands are:"
  std::string EndlessCommand;      // answers this command without end
  TRouterFault Fault;              // one hostile act at one step
  bool Drift = false;              // each connection sees the line as DriftedLine has it then
};
