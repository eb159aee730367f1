#include "ManPageTexts.h"

namespace {

const std::pair<std::string, std::string> SnapshotFile = {
    "*.draydata", "A snapshot file: one retrieval of the line, its router texts and tables."};
const std::pair<std::string, std::string> HistoryFile = {
    "*.tgdb", "A history database (SQLite): captures of the line over time, as watch stores them."};
const std::pair<std::string, std::string> ConfigurationFile = {
    "*.conf", "A configuration file saved by the window: router address, port, user, router name and options; "
              "never the password."};

} // namespace

TManPageText CliManPageText() {
  TManPageText Text;
  Text.Examples = {
      {"tonegraph-cli retrieve --host 192.168.1.1 --user admin --password-file ~/.config/tonegraph/router.password "
       "-o line.draydata",
       "Reads the line's statistics from the router and saves them as line.draydata. The password file must be "
       "private to its owner (chmod 600)."},
      {"echo secret | tonegraph-cli retrieve --config home.conf --password-stdin --bins",
       "The same with the settings of a configuration file saved by the window, the bins tables included."},
      {"tonegraph-cli show line.draydata", "Prints the snapshot's name, profile and tables in brief."},
      {"tonegraph-cli analyze --json line.draydata",
       "Prints what the snapshot says about the line (loop length, bridged taps, radio disturbers) as JSON."},
      {"tonegraph-cli import --hlog hlog.txt --qln qln.txt --snr snr.txt -o line.draydata",
       "Builds a snapshot from router answers captured in text files."},
      {"tonegraph-cli watch --config home.conf --password-file line1.password --into line1.tgdb --every 15m",
       "Captures the line every 15 minutes into a history database until stopped."},
      {"tonegraph-cli history line1.tgdb", "Lists the captures of the history database."},
      {"tonegraph-cli diff line.draydata line1.tgdb:3", "Compares a snapshot file with capture 3 of the database."},
      {"tonegraph-cli export line.draydata --format png --chart snr -o snr.png",
       "Draws the snapshot's SNR chart into a picture."},
      {"tonegraph-cli routersim --port 2323",
       "Runs a simulated router on 127.0.0.1 port 2323 (user and password admin) to try the other commands on."}};
  Text.ExitStatus = {
      {"0", "The command did what it was asked, or printed help or the version."},
      {"1", "The command failed: a file could not be read or written, the router could not be reached or refused "
            "the logon. Standard error tells why."},
      {"2", "Wrong usage: an unknown command or option, a missing or bad value. Standard error tells which, followed "
            "by the command's help."}};
  Text.Environment = {
      {"QT_QPA_PLATFORM", "The platform export draws pictures on; without it they are drawn off screen, so that no "
                          "display is needed."}};
  Text.Files = {
      SnapshotFile,
      HistoryFile,
      ConfigurationFile,
      {"~/.config/tonegraph/watch/NAME.conf",
       "The configuration file, as the window saves it, of the line NAME for the systemd user unit "
       "tonegraph-watch@.service, which runs watch with it: systemctl --user enable --now tonegraph-watch@NAME "
       "starts it."},
      {"~/.config/tonegraph/watch/NAME.password",
       "The router's password for that unit, read with --password-file; it must be of mode 600."},
      {"~/.config/tonegraph/watch/NAME.env",
       "Settings of watch for that unit: TONEGRAPH_WATCH_EVERY, the time between captures (default 5m), and "
       "TONEGRAPH_WATCH_ARGS, further options (for instance TONEGRAPH_WATCH_ARGS=\"--metrics 9469 --bins-every "
       "10\")."},
      {"~/.local/share/tonegraph/NAME.tgdb", "The history database that unit stores its captures into."}};
  Text.SeeAlso = {"tonegraph(1)", "systemctl(1)", "sqlite3(1)"};
  return Text;
}

TManPageText WindowManPageText() {
  TManPageText Text;
  Text.Examples = {
      {"tonegraph line.draydata line1.tgdb", "Opens a snapshot file and a history database."},
      {"tonegraph -c home.conf", "Starts with the connection settings of a configuration file."},
      {"tonegraph --demo-profile 35b",
       "Starts with a simulated router of a 35b line filled in; Retrieve reads from it."}};
  Text.ExitStatus = {{"0", "The window was closed, or help or the version was printed."},
                     {"1", "The demo router could not start, or its profile is unknown."}};
  Text.Environment = {
      {"DISPLAY", "The X display the window opens on (or WAYLAND_DISPLAY for Wayland)."},
      {"QT_QPA_PLATFORM", "The window system to use instead of the one found (xcb, wayland, offscreen)."}};
  Text.Files = {SnapshotFile,
                HistoryFile,
                ConfigurationFile,
                {"~/.config/Tonegraph/Tonegraph.conf",
                 "The window's own settings: the chart look, the recent files and the folders last used."}};
  Text.SeeAlso = {"tonegraph-cli(1)"};
  return Text;
}
