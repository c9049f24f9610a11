#include "fakes/fake_profile.h"

#include "app/paths.h"

namespace mvx::fakes {

namespace {

std::string Trim(const std::string& s) {
  std::size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return {};
  std::size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

std::string TrimLeft(const std::string& s) {
  const std::size_t b = s.find_first_not_of(" \t");
  return b == std::string::npos ? std::string() : s.substr(b);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t nl = text.find('\n', pos);
    if (nl == std::string::npos) nl = text.size();
    std::string line = text.substr(pos, nl - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    pos = nl + 1;
  }
  return lines;
}

bool IsSection(const std::string& line, std::string& name) {
  std::string t = Trim(line);
  if (t.empty() || t[0] != '[') return false;
  std::size_t close = t.find(']');
  name = Trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
  return true;
}

bool IsKey(const std::string& line, std::string& key, std::string& value) {
  std::size_t eq = line.find('=');
  if (eq == std::string::npos) return false;
  key = Trim(line.substr(0, eq));
  value = Trim(line.substr(eq + 1));
  return true;
}

// The lines of the first section of that name; a later one of the same name is not read.
std::vector<std::string> SectionLines(const std::string& text, const std::string& section) {
  std::vector<std::string> lines;
  bool inSection = false;
  for (const std::string& line : Lines(text)) {
    std::string name;
    if (IsSection(line, name)) {
      if (inSection) break;
      inSection = SameTextAZ(name, section);
    } else if (inSection) {
      lines.push_back(line);
    }
  }
  return lines;
}

}  // namespace

std::string FakeProfile::GetString(const std::string& file, const std::string& section, const std::string& key,
                                   const std::string& def) {
  ++reads;
  std::string text;
  if (!files_.ReadAll(file, text).ok()) return def.substr(0, 1023);
  for (const std::string& line : SectionLines(text, section)) {
    std::string k, v;
    if (IsKey(line, k, v) && SameTextAZ(k, key)) {
      if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
      }
      return v.substr(0, 1023);
    }
  }
  return def.substr(0, 1023);
}

std::string FakeProfile::GetSection(const std::string& file, const std::string& section) {
  ++reads;
  std::string text, block;
  if (!files_.ReadAll(file, text).ok()) return block;
  for (const std::string& line : SectionLines(text, section)) {
    std::string k, v;
    const std::string t = Trim(line);
    if (t.empty() || t[0] == ';') continue;  // blank lines and comments are not listed
    block += (IsKey(line, k, v) ? k + "=" + v : t) + '\0';
  }
  return block;
}

bool FakeProfile::WriteString(const std::string& file, const std::string& section, const std::string& key,
                              const std::string& value) {
  ++writes;
  std::string text;
  std::vector<std::string> lines;
  if (files_.ReadAll(file, text).ok()) lines = Lines(text);
  // The system stores the value without its leading blanks.
  const std::string entry = key + "=" + TrimLeft(value);
  int sectionLine = -1, lastKeyLine = -1;
  bool done = false;
  for (std::size_t i = 0; i < lines.size() && !done; ++i) {
    std::string name, k, v;
    if (IsSection(lines[i], name)) {
      if (sectionLine >= 0) break;
      if (SameTextAZ(name, section)) {
        sectionLine = static_cast<int>(i);
        lastKeyLine = sectionLine;
      }
      continue;
    }
    if (sectionLine >= 0) {
      if (!Trim(lines[i]).empty()) lastKeyLine = static_cast<int>(i);
      if (IsKey(lines[i], k, v) && SameTextAZ(k, key)) {
        lines[i] = k + "=" + TrimLeft(value);  // the key keeps the spelling it has in the file
        done = true;
      }
    }
  }
  if (!done) {
    if (sectionLine >= 0) {
      lines.insert(lines.begin() + lastKeyLine + 1, entry);
    } else {
      lines.push_back("[" + section + "]");
      lines.push_back(entry);
    }
  }
  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  // A missing folder fails the write; otherwise the file is rewritten whole.
  if (refuseWrites || !files_.DirectoryExists(ExtractFileDir(file))) return false;
  files_.Put(file, out);
  return true;
}

}  // namespace mvx::fakes
