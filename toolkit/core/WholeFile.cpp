// Reading a whole file, and replacing one through a temporary file and a
// rename so that the old contents stay intact until the new ones are on disk.
#include "toolkit/core/WholeFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <optional>
#include <utility>

#include "toolkit/core/FileStatus.h"

namespace toolkit {
namespace {

// A file descriptor closed when it goes out of scope.
class UniqueFd {
 public:
  explicit UniqueFd(int fd = -1) : fd_(fd) {}
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd() {
    if (fd_ >= 0) ::close(fd_);
  }

  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  void Reset(int fd) {
    Close();
    fd_ = fd;
  }

  // Closes now and reports whether closing succeeded (a delayed write error
  // of some file systems shows up only here).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (written == 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The temporary file beside name is "." + name + "." and six characters.
std::string TemporaryPrefix(const std::string& name) {
  return "." + name + ".";
}
constexpr std::size_t kTemporarySuffixLength = 6;

// The temporary file: removed again unless it was renamed into place.
class TemporaryFile {
 public:
  TemporaryFile(const std::string& folder, const std::string& name) {
    pattern_ = folder + "/" + TemporaryPrefix(name) + std::string(kTemporarySuffixLength, 'X');
    fd_.Reset(::mkostemp(pattern_.data(), O_CLOEXEC));
    if (!fd_.Valid()) pattern_.clear();
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    fd_.Close();
    if (!pattern_.empty()) ::unlink(pattern_.c_str());
  }

  bool Valid() const { return fd_.Valid(); }
  int Fd() const { return fd_.Get(); }
  bool Close() { return fd_.Close(); }
  const std::string& Path() const { return pattern_; }
  void Keep() { pattern_.clear(); }

 private:
  std::string pattern_;
  UniqueFd fd_;
};

void SyncFolder(const std::string& folder) {
  UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  // The rename has happened; a folder that cannot be flushed (some file
  // systems refuse) does not undo it, so the result is not reported.
  if (fd.Valid()) ::fsync(fd.Get());
}

// Removes the temporary files of earlier replacements of name that were
// killed before their rename (a crash, kill -9, power loss). A replacement
// running at the same moment in another process loses its temporary file
// too; its rename then fails and it reports the failure, the file intact.
void RemoveStaleTemporaries(const std::string& folder, const std::string& name) {
  const std::unique_ptr<DIR, int (*)(DIR*)> directory(::opendir(folder.c_str()), ::closedir);
  if (!directory) return;
  const std::string prefix = TemporaryPrefix(name);
  while (const dirent* entry = ::readdir(directory.get())) {
    const std::string_view entryName = entry->d_name;
    if (entryName.size() != prefix.size() + kTemporarySuffixLength ||
        !entryName.starts_with(prefix)) {
      continue;
    }
    const std::string path = folder + "/" + std::string(entryName);
    struct stat status {};
    if (::lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode)) ::unlink(path.c_str());
  }
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes) {
  if (path.empty()) return std::nullopt;
  // O_NONBLOCK keeps the open of a pipe without writer from waiting; the
  // type check then turns away everything but regular files.
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (!fd.Valid()) return std::nullopt;
  struct stat status {};
  if (::fstat(fd.Get(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;

  // Read straight into the string, sized by the file and grown while the
  // file turns out longer (it may grow while it is read, or report no size).
  std::string bytes;
  const auto size = static_cast<std::size_t>(std::max<off_t>(status.st_size, 0));
  bytes.resize(std::min(maxBytes, std::max<std::size_t>(size, 1) + 1));
  std::size_t filled = 0;
  while (filled < maxBytes) {
    if (filled == bytes.size()) bytes.resize(std::min(maxBytes, 2 * bytes.size()));
    const ssize_t got = ::read(fd.Get(), bytes.data() + filled, bytes.size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
  return bytes;
}

bool ReplaceWholeFile(const std::string& path, std::string_view bytes) {
  if (path.empty() || path.back() == '/') return false;

  // A symbolic link stays a link: the file it points to is replaced.
  std::string target = path;
  struct stat status {};
  bool exists = false;
  if (::lstat(path.c_str(), &status) == 0) {
    exists = true;
    if (S_ISLNK(status.st_mode)) {
      char resolved[PATH_MAX];
      if (!::realpath(path.c_str(), resolved) || ::stat(resolved, &status) != 0) return false;
      target = resolved;
    }
    if (!S_ISREG(status.st_mode) || (status.st_mode & S_IWUSR) == 0) return false;
  } else if (errno != ENOENT) {
    return false;
  }
  const mode_t mode = exists ? (status.st_mode & 07777) : 0644;

  const std::size_t slash = target.rfind('/');
  const std::string folder =
      slash == std::string::npos ? "." : (slash == 0 ? "/" : target.substr(0, slash));
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);

  TemporaryFile temporary(folder, name);
  if (!temporary.Valid()) return false;
  if (!WriteAll(temporary.Fd(), bytes)) return false;
  if (::fchmod(temporary.Fd(), mode) != 0) return false;
  if (::fsync(temporary.Fd()) != 0) return false;
  if (!temporary.Close()) return false;
  if (::rename(temporary.Path().c_str(), target.c_str()) != 0) return false;
  temporary.Keep();
  SyncFolder(folder);
  RemoveStaleTemporaries(folder, name);
  return true;
}

OutputFile::OutputFile(const std::string& path)
    : descriptor_(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644)) {}

OutputFile::~OutputFile() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

bool OutputFile::WriteAndClose(std::string_view bytes) {
  if (descriptor_ < 0) return false;
  const bool written = WriteAll(descriptor_, bytes);
  // The descriptor is released whatever close says; retrying it is unsafe.
  const int closed = ::close(descriptor_);
  descriptor_ = -1;
  return written && closed == 0;
}

std::string ReadOrCreateEmpty(const std::string& path) {
  if (std::optional<std::string> bytes = ReadWholeFile(path)) return std::move(*bytes);
  if (QueryPath(path) == PathKind::Missing) {
    const int created = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (created >= 0) ::close(created);
  }
  return {};
}

}  // namespace toolkit
