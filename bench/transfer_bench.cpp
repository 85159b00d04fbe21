// Transfer speed: a 512 KiB firmware image written to and read from one
// simulated unit through the engine, against a plain UDP ping-pong of the
// same request and reply sizes and count: the bound for a stop-and-wait
// protocol on this machine.
#include <QTemporaryDir>
#include <QFile>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <cstdio>
#include <algorithm>
#include <vector>

#include "bench_support.h"
#include "core/files/image_file.h"
#include "support/sim_process.h"

namespace trennic::bench {

namespace {

constexpr int kImageBytes = 512 * 1024;
constexpr int kExchanges = kImageBytes / 1024 + 1;  // blocks and the zero-length end

// Answers every datagram at once with a reply of the size the unit's reply
// would have: a datagram of the header's size gets a block back, anything
// larger gets a header. It runs as a process of its own, as the simulated
// unit does, so both measurements cross between processes alike.
class PingPongPeer {
 public:
  PingPongPeer() {
    fd_ = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(0x7F000003);  // 127.0.0.3
    ::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len);
    port_ = ntohs(a.sin_port);
    child_ = ::fork();
    if (child_ == 0) {
      serve();
      ::_exit(0);
    }
    ::close(fd_);
  }
  ~PingPongPeer() {
    if (child_ > 0) {
      ::kill(child_, SIGTERM);
      ::waitpid(child_, nullptr, 0);
    }
  }
  std::uint16_t port() const { return port_; }

 private:
  void serve() {
    std::vector<char> buf(2048);
    for (;;) {
      sockaddr_in from{};
      socklen_t len = sizeof from;
      ssize_t n = ::recvfrom(fd_, buf.data(), buf.size(), 0, reinterpret_cast<sockaddr*>(&from), &len);
      if (n <= 0) continue;
      std::size_t reply = n <= 36 ? 36 + 1024 : 36;
      ::sendto(fd_, buf.data(), reply, 0, reinterpret_cast<sockaddr*>(&from), len);
    }
  }
  int fd_ = -1;
  std::uint16_t port_ = 0;
  pid_t child_ = -1;
};

double pingPong(PingPongPeer& peer, int requestSize) {
  int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_addr.s_addr = htonl(0x7F000003);
  to.sin_port = htons(peer.port());
  timeval tv{1, 0};
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
  std::vector<char> req(static_cast<std::size_t>(requestSize), 1), rep(2048);
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kExchanges; ++i) {
    ::sendto(fd, req.data(), req.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    ::recv(fd, rep.data(), rep.size(), 0);
  }
  auto end = std::chrono::steady_clock::now();
  ::close(fd);
  return std::chrono::duration<double>(end - start).count();
}

}  // namespace

int runTransferBench() {
  testing::SimProcess sim;
  platform::EngineRuntime rt;
  if (!startUnitsAndEngine(sim, {"--units", "1"}, rt, "transfer")) return 1;

  QTemporaryDir dir;
  QByteArray img(kImageBytes, '\0');
  for (int i = 64; i < img.size(); ++i) img[i] = static_cast<char>(i * 13 + (i >> 9));
  auto* p = reinterpret_cast<std::uint8_t*>(img.data());
  writeLe32(p + kImageLengthOffset, kImageBytes);
  sealImageHeader(std::span(p, 64));
  QFile f(dir.filePath("fw.bin"));
  f.open(QIODevice::WriteOnly);
  f.write(img);
  f.close();

  OperationArgs a;
  a.primary = a.alternate = ipv4FromOctets(127, 0, 0, 2);
  a.unitMac = MacAddress{{0x00, 0x80, 0x92, 0x00, 0x00, 0x01}};
  // The best of several runs of each: what the machine can do, without the
  // scheduler's bad moments.
  constexpr int kRuns = 5;
  Timed w{false, 1e9, 0}, r{false, 1e9, 0};
  bool same = true;
  for (int run = 0; run < kRuns; ++run) {
    a.operation = OpWriteFirmware;
    a.fileName = dir.filePath("fw.bin").toStdString();
    TimedHost wh;
    Timed tw = runOperation(rt, a, {}, wh);
    a.operation = OpReadFirmware;
    a.fileName = dir.filePath("back.bin").toStdString();
    TimedHost rh;
    Timed tr = runOperation(rt, a, {}, rh);
    QFile back(dir.filePath("back.bin"));
    same = same && back.open(QIODevice::ReadOnly) && back.readAll() == img;
    if (!tw.success || !tr.success) return 1;
    w.success = r.success = true;
    w.seconds = std::min(w.seconds, tw.seconds);
    r.seconds = std::min(r.seconds, tr.seconds);
  }

  PingPongPeer peer;
  double pw = 1e9, pr = 1e9;
  for (int run = 0; run < kRuns; ++run) {
    pw = std::min(pw, pingPong(peer, 36 + 1024));
    pr = std::min(pr, pingPong(peer, 36));
  }

  double engine = w.seconds + r.seconds, bound = pw + pr;
  std::printf("transfer: 512 KiB firmware write %.3f s, read %.3f s, best of %d (%s, read back %s)\n", w.seconds,
              r.seconds, kRuns,
              w.success && r.success ? "ok" : "FAILED", same ? "identical" : "DIFFERENT");
  std::printf("transfer: plain UDP ping-pong of the same %d + %d exchanges: %.3f s + %.3f s\n", kExchanges,
              kExchanges, pw, pr);
  std::printf("transfer: ratio engine / ping-pong = %.2f (goal at most 1.5)\n", engine / bound);
  return w.success && r.success && same ? 0 : 1;
}

}  // namespace trennic::bench
