// Stand-ins for the outside programs the viewer starts (xdg-open, gnome-open,
// beep, an editor). Each records the arguments it got, one per line, in a file
// named after it. While the object lives, PATH holds only the stubs' folder,
// so a program without a stub cannot be found; a test that starts the program
// as a process of its own keeps its PATH and gives the program Folder().
#pragma once

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "support/TempDirectory.h"

class StubPrograms {
 public:
  explicit StubPrograms(const std::vector<std::string>& names, bool onTestPath = true) {
    const char* path = std::getenv("PATH");
    if (path) oldPath_ = path;
    for (const std::string& name : names) Add(name);
    if (onTestPath) ::setenv("PATH", Folder().c_str(), 1);
  }
  StubPrograms(const StubPrograms&) = delete;
  StubPrograms& operator=(const StubPrograms&) = delete;
  ~StubPrograms() {
    if (oldPath_) {
      ::setenv("PATH", oldPath_->c_str(), 1);
    } else {
      ::unsetenv("PATH");
    }
  }

  std::string Folder() const { return temp_.Path() + "/bin"; }

  // Adds a stub; mode 0644 makes one that cannot be executed. Returns its path.
  std::string Add(const std::string& name, mode_t mode = 0755) const {
    return AddAt(Folder() + "/" + name, name, mode);
  }

  // Adds a stub at any path (an absolute one, or one below the stubs' folder),
  // recording under name.
  std::string AddAt(const std::string& path, const std::string& name, mode_t mode = 0755) const {
    // The record appears at once complete: written aside, then renamed.
    const std::string record = RecordOf(name);
    const std::string script = "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" +
                               record + ".part' && /bin/mv '" + record + ".part' '" + record +
                               "'\n";
    const std::string stub = temp_.Write(path, script);
    ::chmod(stub.c_str(), mode);
    return stub;
  }

  // Forgets the runs so far.
  void Clear() const {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(temp_.Path(), ignored)) {
      if (entry.path().extension() == ".args") std::filesystem::remove(entry.path(), ignored);
    }
  }

  // The arguments the stub got, waiting up to the time-out for it to run;
  // nothing when it did not run.
  std::optional<std::vector<std::string>> Arguments(const std::string& name,
                                                    int timeoutMs = 10000) const {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
      if (std::filesystem::exists(RecordOf(name)))
        return Split(TempDirectory::Read(RecordOf(name)));
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } while (std::chrono::steady_clock::now() < end);
    return std::nullopt;
  }

  // Whether the stub ran, after giving it a short time to do so.
  bool Ran(const std::string& name, int waitMs = 300) const {
    return Arguments(name, waitMs).has_value();
  }

 private:
  std::string RecordOf(const std::string& name) const {
    return temp_.Path() + "/" + name + ".args";
  }

  static std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      lines.push_back(text.substr(start, end - start));
      start = end + 1;
    }
    return lines;
  }

  TempDirectory temp_;
  std::optional<std::string> oldPath_;
};
