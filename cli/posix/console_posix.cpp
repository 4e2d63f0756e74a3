// The console on POSIX: UTF-8 streams, the arguments converted from UTF-8,
// and SIGINT and SIGTERM noted rather than ending the program.
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

#include "cli/console.h"
#include "port/posix/native_text.h"

namespace console {
namespace {

volatile sig_atomic_t interrupted = 0;

extern "C" void NoteInterrupt(int) { interrupted = 1; }

int DescriptorOf(Stream stream) { return stream == Stream::kOut ? STDOUT_FILENO : STDERR_FILENO; }

}  // namespace

void Open() {
  struct sigaction action = {};
  action.sa_handler = NoteInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  // A reader that went away (`tovrell list | head -1`) ends the writes, not
  // the program in the middle of a build.
  signal(SIGPIPE, SIG_IGN);
  if (!port::Cp936Converts()) {
    Write(Stream::kErr,
          "tovrell: this system's iconv cannot convert code page 936 (the C library's GBK module is missing): "
          "Chinese text is shown as code page 936 bytes\n");
  }
}

std::vector<std::string> Arguments(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(port::ProgramText(argv[i]));
  return arguments;
}

void Write(Stream stream, const std::string& text) {
  const std::string bytes = port::NativeText(text);
  const int fd = DescriptorOf(stream);
  for (std::size_t written = 0; written < bytes.size();) {
    const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    written += static_cast<std::size_t>(n);
  }
}

bool IsTerminal(Stream stream) { return isatty(DescriptorOf(stream)) == 1; }

int Columns(Stream stream) {
  struct winsize size = {};
  if (ioctl(DescriptorOf(stream), TIOCGWINSZ, &size) != 0 || size.ws_col == 0) return 80;
  return size.ws_col;
}

bool Interrupted() { return interrupted != 0; }

}  // namespace console
