#include "file_io.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace {

std::string ErrnoText(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

bool WriteAll(int fd, const uint8_t* data, size_t size, std::string* problem) {
  while (size > 0) {
    ssize_t done = write(fd, data, size);
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) {
      *problem = ErrnoText("cannot write");
      return false;
    }
    data += done;
    size -= static_cast<size_t>(done);
  }
  return true;
}

}  // namespace

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>* bytes, std::string* problem) {
  int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) {
    *problem = ErrnoText("cannot open");
    return false;
  }
  struct stat info;
  bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  if (!ok) *problem = "not a regular file";
  if (ok) bytes->resize(static_cast<size_t>(info.st_size));
  size_t done = 0;
  while (ok && done < bytes->size()) {
    ssize_t got = read(fd, bytes->data() + done, bytes->size() - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      *problem = got < 0 ? ErrnoText("cannot read") : "file shrank while being read";
      ok = false;
    } else {
      done += static_cast<size_t>(got);
    }
  }
  close(fd);
  return ok;
}

bool WriteFileBytes(const std::string& path, const std::vector<const std::vector<uint8_t>*>& pieces,
                    std::string* problem) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) {
    *problem = ErrnoText("cannot create");
    return false;
  }
  bool ok = true;
  for (const std::vector<uint8_t>* piece : pieces)
    if (ok) ok = WriteAll(fd, piece->data(), piece->size(), problem);
  if (close(fd) != 0 && ok) {
    *problem = ErrnoText("cannot write");
    ok = false;
  }
  return ok;
}

bool IsDirectory(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsRegularFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool MakeDirectories(const std::string& path, std::string* problem) {
  if (path.empty() || IsDirectory(path)) return true;
  std::string parent = DirectoryOf(path);
  if (parent != path && parent != "." && !MakeDirectories(parent, problem)) return false;
  if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) {
    *problem = ErrnoText(("cannot create directory " + path).c_str());
    return false;
  }
  if (!IsDirectory(path)) {
    *problem = path + " exists and is not a directory";
    return false;
  }
  return true;
}

std::string JoinPath(const std::string& dir, const std::string& name) {
  if (dir.empty() || dir == ".") return name;
  if (dir.back() == '/') return dir + name;
  return dir + "/" + name;
}

std::string DirectoryOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ProgramDirectory() {
  char buffer[4096];
  ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length <= 0) return ".";
  return DirectoryOf(std::string(buffer, static_cast<size_t>(length)));
}
