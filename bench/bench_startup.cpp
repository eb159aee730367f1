// Start-up of the window: the program run until its main window has been
// shown, against a minimal Qt Widgets program that shows an empty main
// window, both started as processes on the offscreen platform in the same
// run (wall clock, process start to exit).

#include <cstdlib>
#include <string>

#include <spawn.h>
#include <sys/wait.h>

#include <benchmark/benchmark.h>

#include "RatioReporter.h"

extern char **environ;

namespace {

void RunToShown(benchmark::State &AState, const char *AProgram) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // The program quits once its window is up instead of waiting for the user.
  setenv("TONEGRAPH_QUIT_WHEN_SHOWN", "1", 1);
  char *const argv[] = {const_cast<char *>(AProgram), nullptr};
  for (auto _ : AState) {
    pid_t child = 0;
    if (posix_spawn(&child, AProgram, nullptr, nullptr, argv, environ) != 0) {
      AState.SkipWithError("cannot start the program");
      return;
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      AState.SkipWithError("the program did not end well");
      return;
    }
  }
}

void BM_StartUpToWindowShown(benchmark::State &AState) { RunToShown(AState, TONEGRAPH_PROGRAM); }
BENCHMARK(BM_StartUpToWindowShown)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

void BM_BaselineMinimalWindow(benchmark::State &AState) { RunToShown(AState, MINIMAL_WINDOW_PROGRAM); }
BENCHMARK(BM_BaselineMinimalWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

}  // namespace

int main(int argc, char **argv) {
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintFigureHeading("the window from process start until shown, against a minimal Qt main window",
                     "wall clock, offscreen platform");
  PrintFigure("start_up_window_shown", reporter.WallMicroseconds("BM_StartUpToWindowShown"), "us",
              reporter.WallMicroseconds("BM_BaselineMinimalWindow"));
  benchmark::Shutdown();
  return 0;
}
