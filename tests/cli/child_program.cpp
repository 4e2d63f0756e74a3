#include "child_program.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>

Child::Child(const std::string& program, const ChildRun& run) {
  int out[2];
  int err[2];
  if (pipe(out) != 0) throw std::runtime_error("pipe");
  if (run.errorOnTerminal) {
    if (openpty(&err[0], &err[1], nullptr, nullptr, nullptr) != 0) throw std::runtime_error("openpty");
  } else if (pipe(err) != 0) {
    throw std::runtime_error("pipe");
  }
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork");
  if (pid_ == 0) {
    dup2(out[1], STDOUT_FILENO);
    dup2(err[1], STDERR_FILENO);
    for (int fd : {out[0], out[1], err[0], err[1]}) close(fd);
    const int devNull = open("/dev/null", O_RDONLY);
    dup2(devNull, STDIN_FILENO);
    for (const auto& variable : run.environment) {
      if (variable.second.empty()) {
        unsetenv(variable.first.c_str());
      } else {
        setenv(variable.first.c_str(), variable.second.c_str(), 1);
      }
    }
    if (!run.folder.empty() && chdir(run.folder.c_str()) != 0) _exit(126);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : run.arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(out[1]);
  close(err[1]);
  out_ = out[0];
  err_ = err[0];
}

Child::~Child() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (out_ >= 0) close(out_);
  if (err_ >= 0) close(err_);
}

ChildEnd Child::Wait(int seconds) {
  ChildEnd end;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  struct Stream {
    int& fd;
    std::string& text;
  } streams[] = {{out_, end.out}, {err_, end.err}};
  while ((out_ >= 0 || err_ >= 0) && std::chrono::steady_clock::now() < deadline) {
    pollfd fds[2];
    nfds_t count = 0;
    for (const Stream& stream : streams) {
      if (stream.fd >= 0) fds[count++] = {stream.fd, POLLIN, 0};
    }
    if (poll(fds, count, 100) <= 0) continue;
    for (nfds_t i = 0; i < count; ++i) {
      if (fds[i].revents == 0) continue;
      for (Stream& stream : streams) {
        if (stream.fd != fds[i].fd) continue;
        char buffer[4096];
        const ssize_t got = read(stream.fd, buffer, sizeof buffer);
        if (got > 0) {
          stream.text.append(buffer, static_cast<std::size_t>(got));
        } else {
          // The end of a pipe; a terminal whose last writer is gone says EIO.
          close(stream.fd);
          stream.fd = -1;
        }
      }
    }
  }
  if (out_ >= 0 || err_ >= 0) kill(pid_, SIGKILL);
  int status = 0;
  waitpid(pid_, &status, 0);
  pid_ = -1;
  end.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return end;
}

ChildEnd RunChild(const std::string& program, const ChildRun& run) { return Child(program, run).Wait(); }
