// linkshelf-cli against real faults on Linux: symbolic links, pipes, devices,
// sparse files, a file system that fills, a read-only one, and signals at
// random moments. What needs root (mounting) is skipped with a line saying so.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <thread>

#include "tests/support/temp_folder.h"

namespace linkshelf {
namespace {

namespace fs = std::filesystem;
using Tree = std::map<std::string, std::string>;  // file below a folder -> bytes

class RealFaultsTest : public ::testing::Test {
 protected:
  struct Run {
    int status;  // the exit status, or 128 + the signal that ended the program
    std::string errors;
    bool signalled;  // ended by the signal rather than exiting
  };

  ~RealFaultsTest() override {
    for (const fs::path& mount : mounts_) ::umount2(mount.c_str(), MNT_DETACH);
    // Removes trees deeper than the path limit too.
    std::system(("rm -rf '" + temp_.native().string() + "'").c_str());
  }

  fs::path At(const std::string& name) const { return temp_.native() / name; }
  void Write(const std::string& name, const std::string& bytes) {
    fs::create_directories(At(name).parent_path());
    std::ofstream(At(name), std::ios::binary) << bytes;
  }
  std::string Read(const fs::path& path) const {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
  // Every regular file below the folder, links not followed.
  Tree Files(const std::string& folder) const {
    Tree tree;
    for (const auto& entry : fs::recursive_directory_iterator(At(folder))) {
      if (entry.is_regular_file() && !entry.is_symlink())
        tree[fs::relative(entry.path(), At(folder)).string()] = Read(entry.path());
    }
    return tree;
  }

  // Runs the program in the folder, with `signal` sent `after` it started.
  Run Cli(const std::string& arguments, int signal = 0, std::chrono::microseconds after = {}) {
    const pid_t child = ::fork();
    if (child == 0) {
      if (::chdir(temp_.native().c_str()) != 0) ::_exit(126);
      const int errors = ::open("errors.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
      const int nothing = ::open("/dev/null", O_RDWR);
      ::dup2(nothing, 0);
      ::dup2(nothing, 1);
      ::dup2(errors, 2);
      const std::string command = "exec '" LINKSHELF_CLI "' " + arguments;
      ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    if (signal != 0) {
      std::this_thread::sleep_for(after);
      ::kill(child, signal);
    }
    int raw = 0;
    ::waitpid(child, &raw, 0);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw), Read(At("errors.txt")),
            !WIFEXITED(raw)};
  }

  // A tmpfs of the size at the folder; false (and a line why) when it cannot be mounted.
  bool Mount(const std::string& folder, const std::string& size) {
    fs::create_directories(At(folder));
    if (::geteuid() != 0 ||
        ::mount("tmpfs", At(folder).c_str(), "tmpfs", 0, ("size=" + size).c_str()) != 0) {
      std::printf("skipped: mounting a %s tmpfs needs root and a kernel that allows it here\n",
                  size.c_str());
      return false;
    }
    mounts_.push_back(At(folder));
    return true;
  }

  TempFolder temp_;
  std::vector<fs::path> mounts_;
};

std::string Page(int links, size_t address_length = 40, int folders = 5) {
  std::string page;
  for (int i = 0; i < links; ++i) {
    page += "<a href=\"https://e" + std::to_string(i) + ".example/" +
            std::string(address_length, 'x') + "\" MyDir=\"D" + std::to_string(i % folders) +
            "\">L" + std::to_string(i) + "</a>\n";
  }
  return page;
}

bool HasTemporary(const Tree& tree) {
  for (const auto& [name, bytes] : tree) {
    if (name.find("~linkshelf-") != std::string::npos || name.find(".~") != std::string::npos)
      return true;
  }
  return false;
}

TEST_F(RealFaultsTest, LinksAreFollowedForReadingOnlyAndPermissionsStay) {
  Write("outside/t.url", "[InternetShortcut]\r\nURL=https://t.example/\r\nSecret=1\r\n");
  Write("root/ok.url", "[InternetShortcut]\r\nURL=https://old.example/\r\n");
  fs::permissions(At("root/ok.url"), fs::perms::owner_read | fs::perms::owner_write);
  fs::create_directory_symlink(At("outside"), At("root/F"));
  fs::create_symlink(At("outside/t.url"), At("root/L.url"));
  fs::create_directory_symlink(At("root"), At("root/F2"));  // a loop for the reading
  Write("page.htm",
        "<a href=\"https://a.example/\" MyDir=\"F\">x</a><a href=\"https://l.example/\">L</a>"
        "<a href=\"https://ok.example/\">ok</a>");
  const Tree outside = Files("outside");

  Run run = Cli("import page.htm root -y");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(Files("outside"), outside);
  EXPECT_NE(run.errors.find("x："), std::string::npos) << run.errors;
  EXPECT_NE(run.errors.find("L："), std::string::npos) << run.errors;
  EXPECT_NE(Read(At("root/ok.url")).find("URL=https://ok.example/"), std::string::npos);
  EXPECT_EQ(fs::status(At("root/ok.url")).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);

  // The page through a link: written through to its target, which keeps its permissions.
  Write("pages/real.htm", "old");
  fs::permissions(At("pages/real.htm"), fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(At("pages/real.htm"), At("named.htm"));
  run = Cli("export root -o named.htm -y");
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_TRUE(fs::is_symlink(At("named.htm")));
  EXPECT_NE(Read(At("pages/real.htm")).find("https://t.example/"),
            std::string::npos);  // read through F
  EXPECT_EQ(fs::status(At("pages/real.htm")).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(RealFaultsTest, ShortcutsThatCannotBeReadAreEachNamedAndTheRestExported) {
  Write("root/good.url", "[InternetShortcut]\r\nURL=https://good.example/\r\n");
  ASSERT_EQ(::mkfifo(At("root/fifo.url").c_str(), 0644), 0);
  fs::create_symlink("/dev/zero", At("root/zero.url"));
  fs::create_symlink(At("root/nowhere"), At("root/dangling.url"));
  fs::create_symlink(At("root/loop2.url"), At("root/loop1.url"));
  fs::create_symlink(At("root/loop1.url"), At("root/loop2.url"));
  Write("root/back\\slash.url", "[InternetShortcut]\r\nURL=https://backslash.example/\r\n");
  Write("root/sparse.url", "");
  fs::resize_file(At("root/sparse.url"), std::uintmax_t{16} << 30);
  // Shortcuts 50 to 1,000 levels deep, most beyond the path limit.
  for (int depth = 50; depth <= 1000; depth += 190) {
    int folder = ::open(At("root").c_str(), O_RDONLY | O_DIRECTORY);
    for (int level = 0; level < depth; ++level) {
      const std::string name = level == 0 ? "deep" + std::to_string(depth) : "level-name";
      ::mkdirat(folder, name.c_str(), 0755);
      const int next = ::openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY);
      ::close(folder);
      folder = next;
    }
    const int file = ::openat(folder, "d.url", O_WRONLY | O_CREAT, 0644);
    ASSERT_EQ(::write(file, "[InternetShortcut]\nURL=https://deep.example/\n", 45), 45);
    ::close(file);
    ::close(folder);
  }
  const Run run = Cli("export root -o page.htm -y");
  EXPECT_EQ(run.status, 1) << run.errors;
  for (const char* name :
       {"fifo.url", "zero.url", "sparse.url", "dangling.url", "loop1.url", "back\\slash.url"})
    EXPECT_NE(run.errors.find(name), std::string::npos) << name << "\n" << run.errors;
  const std::string page = Read(At("page.htm"));
  EXPECT_NE(page.find("https://good.example/"), std::string::npos);
}

// Import and export stopped at random moments: shortcuts and page are old or
// complete new, never empty; a caught signal removes its temporaries and says
// so, and a rerun finishes the work and leaves none.
TEST_F(RealFaultsTest, SignalsAtRandomMomentsLeaveOldOrWholeNewFiles) {
  const bool fast = Mount("work", "64m");  // on a disk every new shortcut waits for its flush
  const int links = fast ? 600 : 120;
  Write("work/page.htm", Page(links));
  for (int i = 0; i < links; i += 3)
    Write("work/start/D" + std::to_string(i % 5) + "/L" + std::to_string(i) + ".url",
          "[InternetShortcut]\r\nURL=old\r\nIconIndex=1\r\n");
  const Tree start = Files("work/start");
  fs::copy(At("work/start"), At("work/done"), fs::copy_options::recursive);
  const auto began = std::chrono::steady_clock::now();
  ASSERT_EQ(Cli("import work/page.htm work/done -y").status, 0);
  const auto clean = std::chrono::duration_cast<std::chrono::microseconds>(
      std::chrono::steady_clock::now() - began);
  ASSERT_EQ(Cli("export work/done -o work/new.htm -y").status, 0);
  const Tree done = Files("work/done");
  const std::string new_page = Read(At("work/new.htm"));

  const unsigned seed = std::getenv("LINKSHELF_SEED") ? std::stoul(std::getenv("LINKSHELF_SEED"))
                                                      : std::random_device{}();
  std::printf("seed %u (LINKSHELF_SEED repeats it); a clean import takes %lld us\n", seed,
              static_cast<long long>(clean.count()));
  std::mt19937 random(seed);
  std::uniform_int_distribution<long long> moment(0, clean.count() * 6 / 5);
  for (const int signal : {SIGKILL, SIGINT, SIGTERM}) {
    for (int trial = 0; trial < 20; ++trial) {
      SCOPED_TRACE(testing::Message() << "signal " << signal << ", trial " << trial);
      fs::remove_all(At("work/r"));
      fs::copy(At("work/start"), At("work/r"), fs::copy_options::recursive);
      Run run =
          Cli("import work/page.htm work/r -y", signal, std::chrono::microseconds(moment(random)));
      for (const auto& [name, bytes] : Files("work/r")) {
        const auto was = start.find(name);
        if (signal == SIGKILL && name.find("~linkshelf-") != std::string::npos) continue;
        EXPECT_TRUE(bytes == done.at(name) || (was != start.end() && bytes == was->second)) << name;
      }
      if (signal != SIGKILL) {
        // Before the program catches signals, or once it has finished, one ends it at once.
        EXPECT_TRUE(run.status == 0 || run.status == 128 + signal) << run.status;
        EXPECT_TRUE(run.status == 0 || run.signalled || run.errors.ends_with("interrupted\n"))
            << run.errors;
        EXPECT_FALSE(HasTemporary(Files("work/r")));
      }
      EXPECT_EQ(Cli("import work/page.htm work/r -y").status, 0);
      EXPECT_EQ(Files("work/r"), done);

      Write("work/r/page.htm", "old page");
      run = Cli("export work/r -o work/r/page.htm -y", signal,
                std::chrono::microseconds(moment(random) / 4));
      const std::string page = Read(At("work/r/page.htm"));
      EXPECT_TRUE(page == "old page" || page.ends_with(new_page.substr(new_page.rfind("</body>"))))
          << page.size();
    }
  }
}

TEST_F(RealFaultsTest, AFullDiskAndAReadOnlyDiskAreReportedAndLoseNothing) {
  if (!Mount("small", "2m")) GTEST_SKIP() << "needs root to mount a 2 MiB tmpfs";
  Write("page.htm", Page(700, 1500, 1));
  Run run = Cli("import page.htm small/r");
  EXPECT_EQ(run.status, 1);
  const Tree written = Files("small/r");
  EXPECT_FALSE(HasTemporary(written));
  size_t failed = 0;
  for (size_t at = 0; (at = run.errors.find("No space left on device", at)) != std::string::npos;
       ++at)
    ++failed;
  EXPECT_EQ(written.size() + failed, 700u) << run.errors.substr(0, 300);
  for (const auto& [name, bytes] : written) EXPECT_TRUE(bytes.ends_with("x\r\n")) << name;

  ASSERT_EQ(::mount(nullptr, At("small").c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
  run = Cli("export small/r -o small/missing/new.htm");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.errors.find("Read-only file system"), std::string::npos) << run.errors;
  run = Cli("import page.htm small/r -y");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(Files("small/r"), written);
}

TEST_F(RealFaultsTest, MessagesNameTheCauseAndEveryFailedLink) {
  Write("rootfile", "");
  Write("page.htm", Page(30));
  Run run = Cli("import page.htm rootfile");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.errors, "linkshelf-cli: rootfile is not a folder\n");

  // Every link fails below a folder level that is a file; each is named, and
  // the folders made for them go again.
  Write("r/D3", "");
  Write("r/D4", "");
  run = Cli("import page.htm r");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 12 + 1) << run.errors;
  std::string levels;
  for (int level = 0; level < 30; ++level) levels += std::string(200, 'a') + "\\";
  Write("deep.htm", "<a href=u MyDir=\"" + levels + "\">x</a>");
  EXPECT_EQ(Cli("import deep.htm r2").status, 1);
  EXPECT_FALSE(fs::exists(At("r2")));
}

}  // namespace
}  // namespace linkshelf
