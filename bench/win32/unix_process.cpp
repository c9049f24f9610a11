#include "unix_process.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>

namespace mvx::bench {

namespace {

std::optional<std::string> ReadProcFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  CloseHandle(file);
  return text;
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

template <typename Visit>
void ForEachNumberedEntry(const std::string& folder, Visit&& visit) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = found.cFileName;
    if (!name.empty() && std::all_of(name.begin(), name.end(), [](unsigned char c) { return std::isdigit(c); })) {
      visit(name);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

// The state letter of /proc/<pid>/stat, after the command name in brackets.
char StateOf(const std::string& stat) {
  const auto close = stat.rfind(')');
  return close == std::string::npos || close + 2 >= stat.size() ? '?' : stat[close + 2];
}

}  // namespace

std::optional<int> FindUnixProcess(const std::string& exeName) {
  const std::string wanted = Lower(exeName);
  std::optional<int> pid;
  ForEachNumberedEntry("Z:\\proc", [&](const std::string& name) {
    if (pid) return;
    const std::string folder = "Z:\\proc\\" + name;
    // The program itself, not another process naming it among its arguments
    // (this benchmark, or the shell that started it).
    auto cmdline = ReadProcFile(folder + "\\cmdline");
    if (!cmdline) return;
    const std::string program = Lower(cmdline->substr(0, cmdline->find('\0')));
    if (program.size() < wanted.size() || program.compare(program.size() - wanted.size(), wanted.size(), wanted) != 0) {
      return;
    }
    auto stat = ReadProcFile(folder + "\\stat");
    if (!stat || StateOf(*stat) == 'Z') return;
    pid = std::atoi(name.c_str());
  });
  return pid;
}

std::optional<UnixFigures> ReadUnixFigures(int pid) {
  const std::string folder = "Z:\\proc\\" + std::to_string(pid);
  auto status = ReadProcFile(folder + "\\status");
  if (!status) return std::nullopt;
  UnixFigures figures;
  std::istringstream lines(*status);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind("VmRSS:", 0) == 0) figures.residentMb = std::strtod(line.c_str() + 6, nullptr) / 1024.0;
  }
  // Per thread: schedstat's first field, nanoseconds on a CPU; and its
  // voluntary context switches, each a wait the thread was woken from.
  ForEachNumberedEntry(folder + "\\task", [&](const std::string& task) {
    const std::string taskFolder = folder + "\\task\\" + task;
    ThreadFigures thread;
    thread.tid = std::atoi(task.c_str());
    if (auto comm = ReadProcFile(taskFolder + "\\comm")) thread.name = comm->substr(0, comm->find('\n'));
    if (auto schedstat = ReadProcFile(taskFolder + "\\schedstat")) {
      thread.cpuNs = std::strtoull(schedstat->c_str(), nullptr, 10);
    }
    if (auto taskStatus = ReadProcFile(taskFolder + "\\status")) {
      constexpr char kVoluntary[] = "\nvoluntary_ctxt_switches:";
      const auto at = taskStatus->find(kVoluntary);
      if (at != std::string::npos) {
        thread.wakeUps = std::strtoull(taskStatus->c_str() + at + sizeof kVoluntary - 1, nullptr, 10);
      }
    }
    figures.cpuNs += thread.cpuNs;
    figures.wakeUps += thread.wakeUps;
    figures.threads.push_back(thread);
  });
  std::sort(figures.threads.begin(), figures.threads.end(),
            [](const ThreadFigures& a, const ThreadFigures& b) { return a.tid < b.tid; });
  return figures;
}

}  // namespace mvx::bench
