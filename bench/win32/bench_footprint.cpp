// What the program costs a user in the notification area, each figure
// against a floor program (one hidden window, a notification icon, a
// message loop: floor_tray.exe) measured in the same run, with inventories
// of 1,000 and 100,000 pictures:
//   start-up   from starting it with ":" until its main window is visible,
//              each start on a settled desktop (0.4 s after the last one
//              ended), the window looked for among its class's alone;
//   memory     resident set in the tray state, 20 s after the start;
//   idle CPU   share of one core over the next 30 s, the poll for new
//              wallpaper running every 5 s (the default).
// Program and floor take turns, the order swapped every round; the figures
// are medians of the rounds (the machine is shared). Start-up ratios are
// taken pair by pair. Memory and CPU come from what Linux counts for each
// process. Run through cmake/wine-run.sh; the programs are found beside
// this one (app\murovex.exe and floor_tray.exe), or given as arguments.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "footprint_runs.h"
#include "inventory/data_file.h"
#include "../sample_entries.h"

namespace mvx::bench {
namespace {

// "--quick" shortens every wait and count, to try the benchmark itself out;
// "--startup" measures only the start-up, in more rounds, while looking
// for where its time goes.
struct Plan {
  int startRounds = 7;
  int idleRounds = 3;
  DWORD settleMs = 20000;
  DWORD idleMs = 30000;
};
const Plan kQuick{3, 1, 3000, 3000};
const Plan kStartupOnly{15, 0, 0, 0};

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
Program PrepareProgram(const std::string& exe, const std::string& root, int pictures, double& dataMb) {
  const std::string folder = root + "\\murovex" + std::to_string(pictures);
  CreateDirectoryA(root.c_str(), nullptr);
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA((folder + "\\Images").c_str(), nullptr);
  const std::string copy = folder + "\\murovex" + std::to_string(pictures) + ".exe";
  if (!CopyFileA(exe.c_str(), copy.c_str(), FALSE)) throw std::runtime_error("cannot copy " + exe);
  WriteWhole(folder + "\\murovex" + std::to_string(pictures) + ".INI",
             "[General]\r\nStartWithWindows=0\r\nVerbose=0\r\n[Slideshow]\r\nChangeOnStartup=0\r\n");
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

void Report(const Plan& plan, const Program& floor, const Program& program, int pictures, double dataMb) {
  std::printf("\n%d pictures (data file %.2f MB)\n", pictures, dataMb);
  std::fflush(stdout);
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
  if (plan.idleRounds == 0) return;

  std::vector<double> floorMb, programMb, extraMb, floorCpu, programCpu;
  Alternate(plan.idleRounds, [&](bool programFirst) {
    const auto figures =
        IdleTogether(programFirst ? program : floor, programFirst ? floor : program, plan.settleMs, plan.idleMs);
    const IdleFigures& p = programFirst ? figures.first : figures.second;
    const IdleFigures& f = programFirst ? figures.second : figures.first;
    floorMb.push_back(f.residentMb);
    programMb.push_back(p.residentMb);
    extraMb.push_back(p.residentMb - f.residentMb);
    floorCpu.push_back(f.cpuPercent);
    programCpu.push_back(p.cpuPercent);
  });
  std::printf("  resident memory in the tray state after %lu s, %d rounds\n", plan.settleMs / 1000,
              plan.idleRounds);
  std::printf("    floor %.1f MB, program %.1f MB, difference %+.1f MB\n", Median(floorMb), Median(programMb),
              Median(extraMb));
  const double allowedMb = 3.0 + (pictures >= 100000 ? 1.1 * dataMb : 0.0);
  char allowed[80];
  std::snprintf(allowed, sizeof allowed, "at most the floor + %.1f MB", allowedMb);
  Verdict(Median(extraMb) <= allowedMb, allowed);
  std::printf("  CPU while idle over %lu s, polling every 5 s\n", plan.idleMs / 1000);
  std::printf("    floor %.3f%%, program %.3f%% of a core\n", Median(floorCpu), Median(programCpu));
  Verdict(Median(programCpu) <= 0.01, "at most 0.01% of a core");
  std::fflush(stdout);
}

}  // namespace
}  // namespace mvx::bench

int main(int argc, char** argv) {
  using namespace mvx::bench;
  const std::string here = OwnFolder();
  Plan plan;
  std::vector<std::string> paths;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--quick") {
      plan = kQuick;
    } else if (std::string(argv[i]) == "--startup") {
      plan = kStartupOnly;
    } else {
      paths.push_back(argv[i]);
    }
  }
  const std::string murovex = paths.size() > 0 ? paths[0] : here + "\\app\\murovex.exe";
  const std::string floorExe = paths.size() > 1 ? paths[1] : here + "\\floor_tray.exe";
  const std::string root = here + "\\footprint";
  try {
    const Program floor{"floor_tray.exe", floorExe, FolderOf(floorExe), "MurovexFloor"};
    std::printf("bench_footprint: program and floor in turn under Wine; medians\n");
    for (int pictures : {1000, 100000}) {
      double dataMb = 0;
      const Program program = PrepareProgram(murovex, root, pictures, dataMb);
      Report(plan, floor, program, pictures, dataMb);
    }
  } catch (const std::exception& e) {
    std::printf("bench_footprint: %s\n", e.what());
    return 1;
  }
  return 0;
}
