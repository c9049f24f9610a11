// What the program costs a user in the notification area, each figure
// against a floor program (one hidden window, a notification icon, a
// message loop: floor_tray.exe) measured in the same run, with inventories
// of 1,000 and 100,000 pictures:
//   start-up   from starting it with ":" until its main window is visible,
//              each start on a settled desktop (0.4 s after the last one
//              ended), the window looked for among its class's alone;
//   memory     resident set in the tray state, 20 s after the start;
//   wake-ups   how often its threads are woken from their waits while it
//              idles in the tray (their voluntary context switches), over
//              the minute after that, then over ten minutes in one round
//              (1,000 pictures);
//   idle CPU   share of one core over the same minute and ten minutes.
// Program and floor take turns, the order swapped every round; in the tray
// they idle side by side. The figures are medians of the rounds (the
// machine is shared). Start-up ratios are taken pair by pair. Memory,
// wake-ups and CPU come from what Linux counts for each process. Run
// through cmake/wine-run.sh; the programs are found beside this one
// (app\murovex.exe and floor_tray.exe), or given as arguments.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "../sample_entries.h"
#include "footprint_runs.h"
#include "inventory/data_file.h"

namespace mvx::bench {
namespace {

// "--quick" shortens every wait and count, to try the benchmark itself out;
// "--startup" measures only the start-up, in more rounds, while looking
// for where its time goes; "--idle" only the tray with 1,000 pictures.
struct Plan {
  int startRounds = 7;
  int idleRounds = 3;
  DWORD settleMs = 20000;
  DWORD idleMs = 60000;
  DWORD longIdleMs = 600000;  // one round
};
const Plan kQuick{3, 1, 3000, 5000, 10000};
const Plan kStartupOnly{15, 0, 0, 0, 0};

std::string FolderOf(const std::string& path) {
  return path.substr(0, path.find_last_of('\\'));
}

std::string OwnFolder() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return FolderOf(path);
}

void WriteWhole(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  const bool ok = file != INVALID_HANDLE_VALUE &&
                  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (!ok) throw std::runtime_error("cannot write " + path);
}

// A copy of the program in its own folder with settings that keep the start
// quiet (not a first run, no wallpaper change at start) and the inventory.
// The slideshow changes the wallpaper every hour, beyond every idle time
// measured: its timer is armed, and must not wake the program before then.
Program PrepareProgram(const std::string& exe, const std::string& root, int pictures, double& dataMb) {
  const std::string folder = root + "\\murovex" + std::to_string(pictures);
  CreateDirectoryA(root.c_str(), nullptr);
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA((folder + "\\Images").c_str(), nullptr);
  const std::string copy = folder + "\\murovex" + std::to_string(pictures) + ".exe";
  if (!CopyFileA(exe.c_str(), copy.c_str(), FALSE)) throw std::runtime_error("cannot copy " + exe);
  WriteWhole(folder + "\\murovex" + std::to_string(pictures) + ".INI",
             "[General]\r\nStartWithWindows=0\r\nVerbose=0\r\n[Slideshow]\r\nChangeOnStartup=0\r\n"
             "SlideHrs=1\r\nSlideMins=0\r\n");
  const std::string data = EncodeDataFile(MakeEntries(pictures));
  WriteWhole(folder + "\\Images\\GDB.CDS", data);
  dataMb = static_cast<double>(data.size()) / (1024.0 * 1024.0);
  return {"murovex" + std::to_string(pictures) + ".exe", copy, folder, "TFrmMain"};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

void Verdict(bool met, const char* target) {
  std::printf("    target %s: %s\n", target, met ? "met" : "NOT met");
}

// Runs `round` with (program first) and (floor first) in turn.
void Alternate(int rounds, const std::function<void(bool programFirst)>& round) {
  for (int r = 0; r < rounds; ++r) round(r % 2 == 0);
}

void ReportStartup(const Plan& plan, const Program& floor, const Program& program, int pictures, double dataMb) {
  std::printf("\n%d pictures (data file %.2f MB)\n", pictures, dataMb);
  std::fflush(stdout);
  if (plan.startRounds == 0) return;
  StartupMs(floor);  // warm-up: files into the cache
  StartupMs(program);
  std::vector<double> floorMs, programMs, ratios;
  Alternate(plan.startRounds, [&](bool programFirst) {
    double f = 0, p = 0;
    if (programFirst) {
      p = StartupMs(program);
      f = StartupMs(floor);
    } else {
      f = StartupMs(floor);
      p = StartupMs(program);
    }
    floorMs.push_back(f);
    programMs.push_back(p);
    ratios.push_back(p / f);
  });
  std::printf("  start-up \":\" until the main window is visible, %d rounds\n", plan.startRounds);
  std::printf("    floor %.0f ms, program %.0f ms, ratio %.2fx\n", Median(floorMs), Median(programMs), Median(ratios));
  if (pictures >= 100000) Verdict(Median(ratios) <= 1.5, "at most 1.5x the floor");
  std::fflush(stdout);
}

double MedianOf(const std::vector<IdleFigures>& rounds, double IdleFigures::*field) {
  std::vector<double> values;
  for (const IdleFigures& f : rounds) values.push_back(f.*field);
  return Median(values);
}

// Program and floor idle together (two of the program cannot: the second
// start only shows the first), started in turn; the figures round by round.
void IdleRounds(int rounds, const Program& floor, const Program& program, DWORD settleMs, DWORD idleMs,
                std::vector<IdleFigures>& floorFigures, std::vector<IdleFigures>& programFigures) {
  Alternate(rounds, [&](bool programFirst) {
    const auto run = programFirst ? IdleTogether({program, floor}, settleMs, idleMs)
                                  : IdleTogether({floor, program}, settleMs, idleMs);
    programFigures.push_back(run[programFirst ? 0 : 1]);
    floorFigures.push_back(run[programFirst ? 1 : 0]);
  });
}

// Round by round, each thread's wake-ups a minute, the first thread (the
// one with the windows) first: which of them wakes, the program's own or
// Wine's.
void ReportThreads(const char* who, const std::vector<IdleFigures>& rounds) {
  for (const IdleFigures& round : rounds) {
    std::printf("      %s's threads:", who);
    for (const ThreadIdle& thread : round.threads) std::printf(" %.1f", thread.wakeUpsPerMinute);
    std::printf("\n");
  }
}

void ReportWakeUps(const std::vector<IdleFigures>& floor, const std::vector<IdleFigures>& program) {
  const double floorWakes = MedianOf(floor, &IdleFigures::wakeUpsPerMinute);
  const double floorCpu = MedianOf(floor, &IdleFigures::cpuPercent);
  const double wakes = MedianOf(program, &IdleFigures::wakeUpsPerMinute);
  const double cpu = MedianOf(program, &IdleFigures::cpuPercent);
  std::printf("    wake-ups a minute: floor %.1f, program %.1f (%+.1f)\n", floorWakes, wakes, wakes - floorWakes);
  ReportThreads("floor", floor);
  ReportThreads("program", program);
  std::printf("    CPU: floor %.4f%%, program %.4f%% of a core (%+.4f)\n", floorCpu, cpu, cpu - floorCpu);
  Verdict(wakes <= floorWakes + 1.0 && cpu <= floorCpu + 0.002, "the floor's wake-ups and CPU, within noise");
}

void ReportIdle(const Plan& plan, const Program& floor, const Program& program, int pictures, double dataMb) {
  std::vector<IdleFigures> floorFigures, programFigures;
  IdleRounds(plan.idleRounds, floor, program, plan.settleMs, plan.idleMs, floorFigures, programFigures);
  std::vector<double> extraMb;
  for (std::size_t r = 0; r < programFigures.size(); ++r) {
    extraMb.push_back(programFigures[r].residentMb - floorFigures[r].residentMb);
  }
  std::printf("  resident memory in the tray state after %lu s, %d rounds\n", plan.settleMs / 1000, plan.idleRounds);
  std::printf("    floor %.1f MB, program %.1f MB, difference %+.1f MB\n",
              MedianOf(floorFigures, &IdleFigures::residentMb), MedianOf(programFigures, &IdleFigures::residentMb),
              Median(extraMb));
  const double allowedMb = 3.0 + (pictures >= 100000 ? 1.1 * dataMb : 0.0);
  char allowed[80];
  std::snprintf(allowed, sizeof allowed, "at most the floor + %.1f MB", allowedMb);
  Verdict(Median(extraMb) <= allowedMb, allowed);
  std::printf("  idle in the tray over the next %lu s, %d rounds\n", plan.idleMs / 1000, plan.idleRounds);
  ReportWakeUps(floorFigures, programFigures);
  std::fflush(stdout);
}

// Ten minutes in the tray, in one round: what a minute cannot show.
void ReportLongIdle(const Plan& plan, const Program& floor, const Program& program) {
  std::printf("\nIdle in the tray over %lu s, 1,000 pictures, one round\n", plan.longIdleMs / 1000);
  std::fflush(stdout);
  std::vector<IdleFigures> floorFigures, programFigures;
  IdleRounds(1, floor, program, plan.settleMs, plan.longIdleMs, floorFigures, programFigures);
  ReportWakeUps(floorFigures, programFigures);
  std::fflush(stdout);
}

}  // namespace
}  // namespace mvx::bench

int main(int argc, char** argv) {
  using namespace mvx::bench;
  const std::string here = OwnFolder();
  Plan plan;
  bool idleOnly = false;
  std::vector<std::string> paths;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--quick") {
      plan = kQuick;
    } else if (std::string(argv[i]) == "--startup") {
      plan = kStartupOnly;
    } else if (std::string(argv[i]) == "--idle") {
      idleOnly = true;
    } else {
      paths.push_back(argv[i]);
    }
  }
  const std::string murovex = paths.size() > 0 ? paths[0] : here + "\\app\\murovex.exe";
  const std::string floorExe = paths.size() > 1 ? paths[1] : here + "\\floor_tray.exe";
  if (idleOnly) plan.startRounds = 0;
  const std::string root = here + "\\footprint";
  try {
    const Program floor{"floor_tray.exe", floorExe, FolderOf(floorExe), "MurovexFloor"};
    std::printf("bench_footprint: program and floor under Wine; medians\n");
    std::vector<Program> programs;
    const std::vector<int> sizes = idleOnly ? std::vector<int>{1000} : std::vector<int>{1000, 100000};
    for (int pictures : sizes) {
      double dataMb = 0;
      programs.push_back(PrepareProgram(murovex, root, pictures, dataMb));
      ReportStartup(plan, floor, programs.back(), pictures, dataMb);
      if (plan.idleRounds > 0) ReportIdle(plan, floor, programs.back(), pictures, dataMb);
    }
    if (plan.longIdleMs > 0) ReportLongIdle(plan, floor, programs.front());
  } catch (const std::exception& e) {
    std::printf("bench_footprint: %s\n", e.what());
    return 1;
  }
  return 0;
}
