#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "platform/monitor_port.h"

namespace mvx {

// The pictures the monitors show, one each, when every monitor has a picture
// of its own; the primary monitor's comes first. The desk knows the monitors
// as last read and the file of the picture composed from them.
class MonitorDesk {
 public:
  explicit MonitorDesk(MonitorPort& monitors) : port_(monitors) {}

  // Reads the monitors anew; true when they changed.
  bool ReadLayout();
  const std::vector<Monitor>& Monitors() const { return monitors_; }
  // The option "Show a different picture on each monitor".
  bool enabled = true;
  // A picture for each monitor: the option on and more than one monitor.
  bool Spans() const { return enabled && monitors_.size() > 1; }

  // The pictures shown, lower case, one a monitor (fewer when unknown).
  const std::vector<std::string>& Pictures() const { return pictures_; }
  void SetPictures(std::vector<std::string> pictures) { pictures_ = std::move(pictures); }
  // The primary monitor's picture; empty when none is known.
  std::string Primary() const { return pictures_.empty() ? std::string() : pictures_.front(); }
  // The pictures as the settings file keeps them: paths joined by "|".
  std::string Stored() const;
  void Restore(const std::string& stored);

  // The composed file: the data folder's "Murovex Desktop.bmp".
  void SetFolder(const std::string& dataDir);
  const std::string& ComposedPath() const { return composedPath_; }
  bool IsComposed(const std::string& path) const;

  // The caption's names of the pictures: "a.jpg | b.jpg".
  std::string Names() const;

  static constexpr const char* kComposedName = "Murovex Desktop.bmp";

 private:
  MonitorPort& port_;
  std::vector<Monitor> monitors_;
  std::vector<std::string> pictures_;
  std::string composedPath_;
};

}  // namespace mvx
