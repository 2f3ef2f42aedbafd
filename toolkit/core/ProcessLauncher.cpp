// Starting outside programs (the desktop's opener, the editor, beep) without waiting.
#include "toolkit/core/ProcessLauncher.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string_view>

extern char** environ;

namespace toolkit {
namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
         ::access(path.c_str(), X_OK) == 0;
}

// Closes a descriptor on scope exit.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { Close(); }
  int get() const { return fd_; }
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

// The variables the viewer set for itself alone.
std::vector<std::string>& OwnVariables() {
  static std::vector<std::string> names;
  return names;
}

// The environment as the started programs get it: this process's, without
// the variables it set for itself alone.
std::vector<char*> ChildEnvironment() {
  std::vector<char*> variables;
  for (char** entry = environ; *entry; ++entry) {
    const std::string_view variable(*entry);
    const bool own = std::any_of(
        OwnVariables().begin(), OwnVariables().end(),
        [variable](const std::string& name) { return variable.starts_with(name + "="); });
    if (!own) variables.push_back(*entry);
  }
  variables.push_back(nullptr);
  return variables;
}

}  // namespace

void SetForThisProcessOnly(const std::string& name, const std::string& value) {
  if (std::getenv(name.c_str()) != nullptr) return;
  if (::setenv(name.c_str(), value.c_str(), 0) == 0) OwnVariables().push_back(name);
}

std::string FindProgram(const std::string& name) {
  if (name.empty()) return {};
  if (name.find('/') != std::string::npos) return IsExecutableFile(name) ? name : std::string();
  const char* searchPath = std::getenv("PATH");
  const std::string directories = searchPath ? searchPath : "/usr/local/bin:/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= directories.size()) {
    std::size_t end = directories.find(':', start);
    if (end == std::string::npos) end = directories.size();
    // An empty entry of PATH stands for the current directory.
    std::string candidate =
        (end > start ? directories.substr(start, end - start) : std::string(".")) + "/" + name;
    if (IsExecutableFile(candidate)) return candidate;
    start = end + 1;
  }
  return {};
}

bool StartProgram(const std::string& name, const std::vector<std::string>& arguments) {
  const std::string program = FindProgram(name);
  if (program.empty()) return false;

  // Everything the children need is prepared before fork: between fork and
  // exec only async-signal-safe calls are allowed in a threaded process.
  std::vector<std::string> storage;
  storage.reserve(arguments.size() + 1);
  storage.push_back(name);
  storage.insert(storage.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  argv.reserve(storage.size() + 1);
  for (std::string& argument : storage) argv.push_back(argument.data());
  argv.push_back(nullptr);
  std::vector<char*> environment = ChildEnvironment();

  // The grandchild reports a failed exec through a close-on-exec pipe: the
  // parent reads end-of-file when exec succeeded and an errno value otherwise.
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return false;
  FileDescriptor readEnd(fds[0]);
  FileDescriptor writeEnd(fds[1]);

  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    // The middle child exits at once, so the program is adopted by init and
    // never becomes our zombie.
    const pid_t grandchild = ::fork();
    if (grandchild == 0) {
      ::execve(program.c_str(), argv.data(), environment.data());
      const int error = errno;
      [[maybe_unused]] ssize_t written = ::write(writeEnd.get(), &error, sizeof error);
      ::_exit(127);
    }
    ::_exit(grandchild < 0 ? 1 : 0);
  }
  writeEnd.Close();

  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return false;

  int execError = 0;
  ssize_t received;
  do {
    received = ::read(readEnd.get(), &execError, sizeof execError);
  } while (received < 0 && errno == EINTR);
  return received == 0;
}

}  // namespace toolkit
