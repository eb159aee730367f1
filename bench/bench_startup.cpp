// Start-up of the window: from starting the program until its main window
// has been shown (it says so on its standard output), against a minimal Qt
// Widgets program that shows an empty main window, both started as processes
// on the offscreen platform in the same run (wall clock; the programs'
// exits are not timed). Also the memory of the window holding a hundred 35B
// snapshots with bins, against the window holding none: the peak resident
// size of each process.

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include "DrayData.h"
#include "RatioReporter.h"
#include "RetrievalRun.h"
#include "RouterSim.h"

extern char **environ;

namespace {

void RunToShown(benchmark::State &AState, const char *AProgram, const char *AArgument = nullptr) {
  char *const argv[] = {const_cast<char *>(AProgram), const_cast<char *>(AArgument), nullptr};
  for (auto _ : AState) {
    int shown[2];
    if (pipe(shown) != 0) {
      AState.SkipWithError("no pipe");
      return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, shown[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, shown[0]);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, AProgram, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(shown[1]);
    char line[16] = {};
    const ssize_t got = spawned == 0 ? read(shown[0], line, sizeof line - 1) : -1;
    const auto end = std::chrono::steady_clock::now();
    close(shown[0]);
    int status = 0;
    if (spawned == 0)
      waitpid(child, &status, 0);
    if (got <= 0 || std::string(line) != "shown\n" || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      AState.SkipWithError("the program did not show its window and end well");
      return;
    }
    AState.SetIterationTime(std::chrono::duration<double>(end - start).count());
  }
}

void BM_StartUpToWindowShown(benchmark::State &AState) { RunToShown(AState, TONEGRAPH_PROGRAM); }
BENCHMARK(BM_StartUpToWindowShown)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(30);

void BM_BaselineMinimalWindow(benchmark::State &AState) { RunToShown(AState, MINIMAL_WINDOW_PROGRAM); }
BENCHMARK(BM_BaselineMinimalWindow)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(30);

void BM_BaselineMinimalWindowWithText(benchmark::State &AState) {
  RunToShown(AState, MINIMAL_WINDOW_PROGRAM, "--text");
}
BENCHMARK(BM_BaselineMinimalWindowWithText)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(30);

// A hundred snapshot files of one retrieval from the simulated 35B router,
// bins included, each under a name of its own (the window refuses a name it
// already holds). Empty when the retrieval fails.
std::vector<std::string> HundredSnapshotFiles(const std::filesystem::path &ADir) {
  TRouterSimOptions options;
  options.Profile = vp35b;
  TRouterSim sim(options);
  TRetrievalRequest request;
  request.Host = "127.0.0.1";
  request.Port = sim.Start();
  request.User = "admin";
  request.Password = "admin";
  request.Bins = true;
  TDrayData data("window memory");
  if (RunRetrieval(request, data).End != TRetrievalEnd::Complete)
    return {};
  std::vector<std::string> files;
  for (int i = 0; i < 100; ++i) {
    data.SetName("snapshot " + std::to_string(i));
    files.push_back((ADir / ("snapshot-" + std::to_string(i) + ".draydata")).string());
    data.SaveToFile(files.back());
  }
  return files;
}

// The program's peak resident size in MB with AFiles on its command line, or
// a negative number when it did not show its window and end well.
double PeakMegabytes(const std::vector<std::string> &AFiles) {
  std::vector<char *> argv{const_cast<char *>(TONEGRAPH_PROGRAM)};
  for (const std::string &file : AFiles)
    argv.push_back(const_cast<char *>(file.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t child = 0;
  const int spawned = posix_spawn(&child, TONEGRAPH_PROGRAM, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0)
    return -1;
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return -1;
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes
}

}  // namespace

int main(int argc, char **argv) {
  // Every program started here runs offscreen and quits once its window is
  // up instead of waiting for the user.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("TONEGRAPH_QUIT_WHEN_SHOWN", "1", 1);
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintFigureHeading("the window from process start until shown, against a minimal Qt main window",
                     "wall clock, offscreen platform");
  PrintFigure("start_up_window_shown", reporter.WallMicroseconds("BM_StartUpToWindowShown"), "us",
              reporter.WallMicroseconds("BM_BaselineMinimalWindow"));
  // Fonts and the first text drawn are the platform's part of any window
  // that shows text: against a window with one label.
  PrintFigure("start_up_window_shown_vs_text", reporter.WallMicroseconds("BM_StartUpToWindowShown"), "us",
              reporter.WallMicroseconds("BM_BaselineMinimalWindowWithText"));

  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("bench-window-memory-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::vector<std::string> files = HundredSnapshotFiles(dir);
  PrintFigureHeading("the window holding a hundred 35B snapshots with bins, against the window holding none",
                     "peak resident size");
  if (files.empty())
    std::printf("the simulated router's retrieval failed: no figure\n");
  else
    PrintFigure("window_100_snapshots_peak", PeakMegabytes(files), "MB", PeakMegabytes({}));
  std::filesystem::remove_all(dir);
  benchmark::Shutdown();
  return 0;
}
