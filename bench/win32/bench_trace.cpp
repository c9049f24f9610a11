// Cost of a trace text when no listener runs, against its floor: the one
// window lookup by title that tracing may cost. Both are timed in the same
// run in paired rounds (order swapped every round, against drift); the
// median of the pairs' ratios is the figure, as the machine is shared.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/trace.h"
#include "win32/adapters/win32_ports.h"

namespace {

constexpr int kRounds = 41;
constexpr int kCallsPerRound = 1000;

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Microseconds per call of one round.
template <typename F>
double Round(F&& call) {
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  for (int i = 0; i < kCallsPerRound; ++i) call();
  QueryPerformanceCounter(&end);
  return Seconds(start, end) * 1e6 / kCallsPerRound;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main() {
  mvx::win32::Win32Trace trace;
  if (trace.FindWindowByTitle(mvx::kTraceListenerTitle) != 0) {
    std::printf("bench_trace: a listener window runs; close it and measure again\n");
    return 1;
  }
  volatile std::uintptr_t sink = 0;
  const auto lookup = [&] { sink = reinterpret_cast<std::uintptr_t>(FindWindowA(nullptr, mvx::kTraceListenerTitle)); };
  const auto send = [&] { mvx::SendTrace(trace, "FrmMain.tmrSlideTimer: Begin", 0); };
  Round(lookup);  // warm-up
  Round(send);
  std::vector<double> floor, traced, ratios;
  for (int r = 0; r < kRounds; ++r) {
    double f = 0, t = 0;
    if (r % 2 == 0) {
      f = Round(lookup);
      t = Round(send);
    } else {
      t = Round(send);
      f = Round(lookup);
    }
    floor.push_back(f);
    traced.push_back(t);
    ratios.push_back(t / f);
  }
  std::printf("bench_trace: %d paired rounds of %d calls, medians\n", kRounds, kCallsPerRound);
  std::printf("  FindWindowA by title (floor)   %8.2f us/call\n", Median(floor));
  std::printf("  SendTrace without a listener   %8.2f us/call\n", Median(traced));
  std::printf("  ratio SendTrace / floor        %8.3f\n", Median(ratios));
  return 0;
}
