#include "safe_output.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "file_time.h"

namespace {

bool WriteAll(int fd, const std::vector<uint8_t>& data) {
  size_t done = 0;
  while (done < data.size()) {
    ssize_t n = write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

std::string JoinComponents(const std::vector<std::string>& components) {
  std::string path;
  for (const std::string& part : components) path += (path.empty() ? "" : "/") + part;
  return path;
}

bool MakeDirectoriesBelow(const std::string& root, const std::vector<std::string>& components, std::string* problem) {
  std::string path = root;
  for (const std::string& part : components) {
    path += "/" + part;
    if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) {
      *problem = path + ": cannot create directory: " + std::strerror(errno);
      return false;
    }
    struct stat info;
    if (lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
      *problem = path + ": in the way of a directory (a file or a link)";
      return false;
    }
  }
  return true;
}

bool WriteFileBelow(const std::string& root, const std::vector<std::string>& path, const std::vector<uint8_t>& data,
                    uint64_t fileTime, std::string* problem) {
  std::vector<std::string> parents(path.begin(), path.end() - 1);
  if (!MakeDirectoriesBelow(root, parents, problem)) return false;
  std::string target = root + "/" + JoinComponents(path);
  int fd = open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) {
    *problem = target + ": cannot create: " + std::strerror(errno);
    return false;
  }
  bool ok = WriteAll(fd, data);
  struct timespec times[2];
  if (ok && FileTimeToUnix(fileTime, &times[1])) {
    times[0] = times[1];
    futimens(fd, times);
  }
  if (close(fd) != 0) ok = false;
  if (!ok) *problem = target + ": cannot write: " + std::strerror(errno);
  return ok;
}
