// A CUPS service of the test's own: cupsd on a free loopback port with its configuration, spool
// and logs in a temporary folder, and one queue on Debian's cups-pdf backend that writes PDF
// files into that folder. CUPS_SERVER points the CUPS clients (and so the viewer) at it for the
// life of this object.
#pragma once

#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include "platform/files.h"
#include "platform/process.h"

namespace vx::test {

class PrivateCups {
 public:
  static constexpr const char* kQueue = "vx-pdf";

  explicit PrivateCups(const std::filesystem::path& folder) : root_(folder) { Start(); }
  ~PrivateCups() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
    if (!backendConfig_.empty()) std::filesystem::remove(backendConfig_);
    if (previousServer_) {
      ::setenv("CUPS_SERVER", previousServer_->c_str(), 1);
    } else {
      ::unsetenv("CUPS_SERVER");
    }
  }
  PrivateCups(const PrivateCups&) = delete;
  PrivateCups& operator=(const PrivateCups&) = delete;

  // Empty when the service runs, otherwise why it cannot run here.
  const std::string& Problem() const { return problem_; }

  // The first PDF the queue wrote, once it is complete; empty when none came in time.
  std::string WaitForPdf(double seconds) const {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) {
      for (const auto& entry : std::filesystem::directory_iterator(root_ / "pdf")) {
        if (entry.path().extension() != ".pdf") continue;
        const std::string bytes = ReadWholeFile(entry.path().string());
        if (bytes.find("%%EOF", bytes.size() > 64 ? bytes.size() - 64 : 0) != std::string::npos) {
          return entry.path().string();
        }
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return {};
  }

 private:
  static constexpr const char* kDaemon = "/usr/sbin/cupsd";
  static constexpr const char* kBackend = "/usr/lib/cups/backend/cups-pdf";
  static constexpr const char* kPpd = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";

  void Start() {
    if (::geteuid() != 0) return Fail("the cups-pdf backend runs only as root");
    for (const char* needed : {kDaemon, kBackend, kPpd}) {
      if (!std::filesystem::exists(needed)) return Fail(std::string(needed) + " is missing");
    }
    const int port = FreePort();
    if (port <= 0) return Fail("no free loopback port");
    for (const char* sub : {"spool", "tmp", "cache", "state", "log", "pdf"}) {
      std::filesystem::create_directories(root_ / sub);
    }
    // The filters run as the lp user and must reach the spooled files: the folder and the
    // test's own folder around it open for reading.
    ::chmod(root_.c_str(), 0755);
    ::chmod(root_.parent_path().c_str(), 0755);
    const std::string r = root_.string();
    std::ofstream(root_ / "cupsd.conf")
        << "Listen 127.0.0.1:" << port
        << "\nBrowsing No\nWebInterface No\nDefaultAuthType None\nLogLevel warn\n"
           "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
           "<Policy default>\n  <Limit All>\n    Order allow,deny\n    Allow all\n  </Limit>\n"
           "</Policy>\n";
    std::ofstream(root_ / "cups-files.conf")
        << "ServerRoot " << r << "\nRequestRoot " << r << "/spool\nTempDir " << r
        << "/tmp\nCacheDir " << r << "/cache\nStateDir " << r << "/state\nErrorLog " << r
        << "/log/error_log\nAccessLog " << r << "/log/access_log\nPageLog " << r
        << "/log/page_log\n";
    // cups-pdf reads its settings only from /etc/cups, by the name in the device address.
    const std::string name = "vxtest-" + std::to_string(::getpid()) + "-" + std::to_string(port);
    backendConfig_ = "/etc/cups/cups-pdf-" + name + ".conf";
    std::ofstream(backendConfig_) << "Out " << r << "/pdf\nAnonDirName " << r << "/pdf\nSpool " << r
                                  << "/tmp\nLog " << r << "/log\nGrp root\n";
    if (!std::filesystem::exists(backendConfig_)) {
      backendConfig_.clear();
      return Fail("cannot write the cups-pdf settings into /etc/cups");
    }

    const std::string cupsdConf = r + "/cupsd.conf", filesConf = r + "/cups-files.conf";
    const char* argv[] = {kDaemon, "-f", "-c", cupsdConf.c_str(), "-s", filesConf.c_str(), nullptr};
    if (::posix_spawn(&pid_, kDaemon, nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
      pid_ = 0;
      return Fail("cupsd did not start");
    }
    if (const char* previous = std::getenv("CUPS_SERVER")) previousServer_ = previous;
    ::setenv("CUPS_SERVER", ("127.0.0.1:" + std::to_string(port)).c_str(), 1);
    if (!WaitForScheduler()) return Fail("cupsd did not answer: " + ErrorLog());
    if (RunProgram("lpadmin", {"-p", kQueue, "-E", "-v", "cups-pdf:/" + name, "-P", kPpd}) != 0) {
      return Fail("lpadmin did not make the queue: " + ErrorLog());
    }
  }

  bool WaitForScheduler() const {
    for (int i = 0; i < 100; ++i) {
      const auto answer = ReadProgramOutput("lpstat", {"-r"});
      if (answer && answer->find("scheduler is running") != std::string::npos) return true;
      int status = 0;
      if (::waitpid(pid_, &status, WNOHANG) == pid_) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
  }

  std::string ErrorLog() const {
    const auto path = root_ / "log/error_log";
    return std::filesystem::exists(path) ? ReadWholeFile(path.string()) : "no error log";
  }

  static int FreePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return -1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = -1;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
      port = ntohs(address.sin_port);
    }
    ::close(fd);
    return port;
  }

  void Fail(std::string problem) { problem_ = std::move(problem); }

  std::filesystem::path root_;
  pid_t pid_ = 0;
  std::string backendConfig_;
  std::optional<std::string> previousServer_;
  std::string problem_;
};

}  // namespace vx::test
