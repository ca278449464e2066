/* bench_export_floor ROOT: what the export cannot avoid. Walks the tree the
 * way the export does (subfolders whose names begin with a dot are left out)
 * and opens, reads and closes every *.url file, nothing more. Prints the
 * number of shortcuts and bytes read. */
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

static unsigned long shortcuts;
static unsigned long long bytes_read;

static int IsFolder(const struct dirent* entry, const char* path) {
  struct stat info;
  if (entry->d_type != DT_UNKNOWN) return entry->d_type == DT_DIR;
  return lstat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

static void ReadShortcut(const char* path) {
  char buffer[4096];
  ssize_t got;
  const int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  while ((got = read(fd, buffer, sizeof buffer)) > 0) bytes_read += (unsigned long long)got;
  close(fd);
  ++shortcuts;
}

/* path holds the folder, `length` bytes long, inside a buffer of PATH_SPACE bytes. */
#define PATH_SPACE 8192
static void Walk(char* path, size_t length) {
  DIR* folder = opendir(path);
  const struct dirent* entry;
  if (folder == NULL) return;
  while ((entry = readdir(folder)) != NULL) {
    const char* name = entry->d_name;
    const size_t name_length = strlen(name);
    if (strcmp(name, ".") == 0 || strcmp(name, "..") == 0) continue;
    if (length + 1 + name_length + 1 > PATH_SPACE) continue;
    path[length] = '/';
    memcpy(path + length + 1, name, name_length + 1);
    if (IsFolder(entry, path)) {
      if (name[0] != '.') Walk(path, length + 1 + name_length);
    } else if (name_length >= 4 && strcasecmp(name + name_length - 4, ".url") == 0) {
      ReadShortcut(path);
    }
    path[length] = '\0';
  }
  closedir(folder);
}

int main(int argc, char** argv) {
  static char path[PATH_SPACE];
  size_t length;
  if (argc != 2) {
    fputs("usage: bench_export_floor ROOT\n", stderr);
    return 2;
  }
  length = strlen(argv[1]);
  if (length + 1 > PATH_SPACE) return 1;
  memcpy(path, argv[1], length + 1);
  while (length > 1 && path[length - 1] == '/') path[--length] = '\0';
  Walk(path, length);
  printf("%lu shortcuts, %llu bytes\n", shortcuts, bytes_read);
  return 0;
}
