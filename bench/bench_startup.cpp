// Start-up of the window: from starting the program until its main window
// has been shown (it says so on its standard output), against a minimal Qt
// Widgets program that shows an empty main window, both started as processes
// on the offscreen platform in the same run (wall clock; the programs'
// exits are not timed).

#include <chrono>
#include <cstdlib>
#include <string>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include "RatioReporter.h"

extern char **environ;

namespace {

void RunToShown(benchmark::State &AState, const char *AProgram, const char *AArgument = nullptr) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // The program quits once its window is up instead of waiting for the user.
  setenv("TONEGRAPH_QUIT_WHEN_SHOWN", "1", 1);
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

}  // namespace

int main(int argc, char **argv) {
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
  benchmark::Shutdown();
  return 0;
}
