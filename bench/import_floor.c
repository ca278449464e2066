/* bench_import_floor [--whole|--update] PAGE ROOT: what the import cannot
 * avoid. Reads a page written by bench_generate (or by the export with link
 * titles), and for every anchor creates its MyDir folders below ROOT, each
 * once, and one shortcut named by the import's rule (the last extension
 * becomes ".url") holding the four lines of a new shortcut, written with one
 * create and one write.
 * --whole writes each shortcut complete or not at all, as the import
 * promises: a file without a name in its folder, written, flushed to the
 * disk and then named. --update replaces the shortcuts that stand there
 * already, as an import over the tree does: the old one is read, the new
 * bytes go to a temporary beside it, flushed, and moved over it.
 * Prints the number of shortcuts and folders made. */
#define _GNU_SOURCE /* memmem, O_TMPFILE, linkat by handle */
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#define PATH_SPACE 8192

static unsigned long shortcuts, folders;
static enum { PLAIN, WHOLE, UPDATE } mode = PLAIN;

static char* ReadWholeFile(const char* path, size_t* size) {
  struct stat info;
  char* bytes;
  size_t done = 0;
  const int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0 || fstat(fd, &info) != 0) return NULL;
  bytes = malloc((size_t)info.st_size + 1);
  while (bytes != NULL && done < (size_t)info.st_size) {
    const ssize_t got = read(fd, bytes + done, (size_t)info.st_size - done);
    if (got <= 0) break;
    done += (size_t)got;
  }
  close(fd);
  if (bytes != NULL) bytes[done] = '\0';
  *size = done;
  return bytes;
}

/* Creates the folders of `wanted` (a native path below the root) that the
 * previous link's folder `made` did not already create. */
static int MakeFolders(const char* wanted, size_t wanted_length, char* made, size_t* made_length,
                       size_t root_length) {
  size_t common = root_length, i;
  char path[PATH_SPACE];
  /* The longest shared prefix that ends at a folder boundary in both paths. */
  for (i = root_length; i <= wanted_length && i <= *made_length; ++i) {
    const int end_wanted = i == wanted_length || wanted[i] == '/';
    const int end_made = i == *made_length || made[i] == '/';
    if (end_wanted && end_made) common = i;
    if (i == wanted_length || i == *made_length || wanted[i] != made[i]) break;
  }
  memcpy(path, wanted, wanted_length + 1);
  for (i = common + 1; i <= wanted_length; ++i) {
    if (i != wanted_length && wanted[i] != '/') continue;
    path[i] = '\0';
    if (mkdir(path, 0777) == 0) {
      ++folders;
    } else if (errno != EEXIST) {
      return -1;
    }
    path[i] = wanted[i];
  }
  memcpy(made, wanted, wanted_length + 1);
  *made_length = wanted_length;
  return 0;
}

static int WriteWhole(const char* path, const char* bytes, size_t length) {
  char folder[PATH_SPACE];
  const char* slash = strrchr(path, '/');
  int fd, ok;
  if (slash == NULL) return -1;
  memcpy(folder, path, (size_t)(slash - path));
  folder[slash - path] = '\0';
  fd = open(folder, O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (fd < 0) return -1;
  ok = write(fd, bytes, length) == (ssize_t)length && fsync(fd) == 0;
  if (ok && linkat(fd, "", AT_FDCWD, path, AT_EMPTY_PATH) != 0) {
    /* Without the privilege to name a file by its handle, as the import does. */
    char own[64];
    snprintf(own, sizeof own, "/proc/self/fd/%d", fd);
    ok = linkat(AT_FDCWD, own, AT_FDCWD, path, AT_SYMLINK_FOLLOW) == 0;
  }
  return close(fd) == 0 && ok ? 0 : -1;
}

static int ReplaceWhole(const char* path, const char* bytes, size_t length) {
  char old[4096], temporary[PATH_SPACE];
  const char* slash = strrchr(path, '/');
  int fd, ok;
  if (slash == NULL) return -1;
  fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  while (read(fd, old, sizeof old) > 0) {
  }
  close(fd);
  snprintf(temporary, sizeof temporary, "%.*s/~floor.tmp", (int)(slash - path), path);
  fd = open(temporary, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return -1;
  ok = write(fd, bytes, length) == (ssize_t)length && fsync(fd) == 0;
  ok = close(fd) == 0 && ok && rename(temporary, path) == 0;
  return ok ? 0 : -1;
}

static int WriteShortcut(const char* path, const char* address, size_t address_length) {
  static char bytes[2 * PATH_SPACE + 64];
  size_t length = 0;
  int fd, ok;
  if (address_length > PATH_SPACE) return -1;
#define PUT(text, size) (memcpy(bytes + length, text, size), length += (size))
  PUT("[DEFAULT]\r\nBASEURL=", 19);
  PUT(address, address_length);
  PUT("\r\n[InternetShortcut]\r\nURL=", 26);
  PUT(address, address_length);
  PUT("\r\n", 2);
#undef PUT
  if (mode == WHOLE) return WriteWhole(path, bytes, length);
  if (mode == UPDATE) return ReplaceWhole(path, bytes, length);
  fd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return -1;
  ok = write(fd, bytes, length) == (ssize_t)length;
  return close(fd) == 0 && ok ? 0 : -1;
}

int main(int argc, char** argv) {
  static char folder[PATH_SPACE], made[PATH_SPACE], path[PATH_SPACE];
  size_t page_size, root_length, made_length;
  char *page, *at, *end;
  if (argc == 4 && strcmp(argv[1], "--whole") == 0) mode = WHOLE;
  if (argc == 4 && strcmp(argv[1], "--update") == 0) mode = UPDATE;
  if (mode != PLAIN) ++argv, --argc;
  if (argc != 3) {
    fputs("usage: bench_import_floor [--whole|--update] PAGE ROOT\n", stderr);
    return 2;
  }
  page = ReadWholeFile(argv[1], &page_size);
  if (page == NULL) {
    perror(argv[1]);
    return 1;
  }
  root_length = strlen(argv[2]);
  if (root_length + 1 > PATH_SPACE) return 1;
  memcpy(made, argv[2], root_length + 1);
  if (mkdir(made, 0777) == 0) ++folders;
  made_length = root_length;
  end = page + page_size;
  for (at = page; (at = memmem(at, (size_t)(end - at), "<a href=\"", 9)) != NULL;) {
    const char *address = at + 9, *address_end, *tag_end, *text, *text_end, *mydir, *cut;
    size_t folder_length = root_length, name_length;
    address_end = memchr(address, '"', (size_t)(end - address));
    if (address_end == NULL) break;
    tag_end = memchr(address_end, '>', (size_t)(end - address_end));
    if (tag_end == NULL) break;
    text = tag_end + 1;
    text_end = memmem(text, (size_t)(end - text), "</a>", 4);
    if (text_end == NULL) break;
    at = (char*)text_end + 4;

    memcpy(folder, argv[2], root_length);
    mydir = memmem(address_end, (size_t)(tag_end - address_end), "MyDir=\"", 7);
    if (mydir != NULL) {
      const char* value = mydir + 7;
      const char* value_end = memchr(value, '"', (size_t)(tag_end - value));
      if (value_end == NULL || folder_length + 1 + (size_t)(value_end - value) >= PATH_SPACE)
        continue;
      folder[folder_length++] = '/';
      for (; value < value_end; ++value) folder[folder_length++] = *value == '\\' ? '/' : *value;
    }
    folder[folder_length] = '\0';
    if (MakeFolders(folder, folder_length, made, &made_length, root_length) != 0) {
      perror(folder);
      return 1;
    }

    /* The last extension of the link text becomes ".url". */
    name_length = (size_t)(text_end - text);
    for (cut = text_end; cut > text && cut[-1] != '.' && cut[-1] != '\\' && cut[-1] != ':'; --cut) {
    }
    if (cut > text && cut[-1] == '.') name_length = (size_t)(cut - 1 - text);
    if (folder_length + 1 + name_length + 5 > PATH_SPACE) continue;
    memcpy(path, folder, folder_length);
    path[folder_length] = '/';
    memcpy(path + folder_length + 1, text, name_length);
    memcpy(path + folder_length + 1 + name_length, ".url", 5);
    if (WriteShortcut(path, address, (size_t)(address_end - address)) != 0) {
      perror(path);
      return 1;
    }
    ++shortcuts;
  }
  free(page);
  printf("%lu shortcuts, %lu folders\n", shortcuts, folders);
  return 0;
}
