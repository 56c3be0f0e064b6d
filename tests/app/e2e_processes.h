#pragma once
// The real binaries as child processes: a simulated tracker serving a
// pseudo-terminal, and runs of tracker-cli with their output captured.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace tracker::test {

inline std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// A folder of its own for each test, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tracker-e2e-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

inline std::vector<char*> Argv(const std::string& program, std::vector<std::string>& args) {
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  return argv;
}

// Waits for the child, killing it once the limit has passed; its exit status,
// or -1 when it did not exit normally.
inline int WaitExit(pid_t pid, std::chrono::seconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Sends `signal` to a child not yet waited for and waits for it; its exit
// status, then kept in `exit` (asked again, the one already known).
inline int StopChild(pid_t& pid, int& exit, int signal, std::chrono::seconds limit) {
  if (pid <= 0) return exit;
  kill(pid, signal);
  exit = WaitExit(pid, limit);
  pid = 0;
  return exit;
}

// tracker-sim on a pseudo-terminal; stopped with SIGTERM (which saves its
// state file) when the object goes.
class SimProcess {
 public:
  explicit SimProcess(std::vector<std::string> args) {
    int out[2];
    if (pipe(out) != 0) throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const std::string program = TRACKER_SIM_PATH;
    std::vector<char*> argv = Argv(program, args);
    const int error = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (error != 0) {
      close(out[0]);
      throw std::runtime_error("cannot start tracker-sim");
    }
    port_ = readLine(out[0]);
    close(out[0]);
    if (port_.empty()) throw std::runtime_error("tracker-sim printed no port");
  }
  ~SimProcess() { stop(); }
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  const std::string& port() const { return port_; }

  // Ends the simulator; its exit status.
  int stop() { return StopChild(pid_, exit_, SIGTERM, std::chrono::seconds(10)); }

 private:
  static std::string readLine(int fd) {
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
      pollfd p{fd, POLLIN, 0};
      if (poll(&p, 1, 100) <= 0) continue;
      char c = 0;
      if (read(fd, &c, 1) != 1) break;
      if (c == '\n') return line;
      line.push_back(c);
    }
    return {};
  }

  pid_t pid_ = 0;
  int exit_ = -1;
  std::string port_;
};

inline bool Has(const std::string& text, const std::string& what) {
  return text.find(what) != std::string::npos;
}

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Starts a program with its stdout and stderr in the two files; its process id.
inline pid_t SpawnToFiles(const std::string& program, std::vector<std::string> args,
                          const std::string& outPath, const std::string& errPath) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<char*> argv = Argv(program, args);
  pid_t pid = 0;
  const int error = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) throw std::runtime_error("cannot start " + program);
  return pid;
}

// Runs a program to its end, its stdout and stderr in files of the folder.
inline CliRun RunProgram(const std::string& program, const TempFolder& folder,
                         std::vector<std::string> args) {
  const std::string outPath = (folder / "cli.stdout").string();
  const std::string errPath = (folder / "cli.stderr").string();
  const pid_t pid = SpawnToFiles(program, std::move(args), outPath, errPath);
  CliRun run;
  run.status = WaitExit(pid, std::chrono::seconds(60));
  run.out = ReadText(outPath);
  run.err = ReadText(errPath);
  return run;
}

// Runs tracker-cli to its end.
inline CliRun RunCli(const TempFolder& folder, std::vector<std::string> args) {
  return RunProgram(TRACKER_CLI_PATH, folder, std::move(args));
}

// Occurrences of a text in another.
inline int CountOf(const std::string& text, const std::string& what) {
  int count = 0;
  for (auto p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++count;
  return count;
}

}  // namespace tracker::test
