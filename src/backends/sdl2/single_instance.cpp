// One running copy per user: an abstract UNIX socket whose owner is the first copy; later copies ask it to show itself.
#include "backends/sdl2/single_instance.h"

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

namespace vorna {

namespace {

constexpr char kRequest[] = "raise\n";
constexpr char kReply[] = "ok\n";

// The abstract namespace: a leading zero byte, the name, no terminator; the kernel drops it with its owner.
socklen_t MakeAddress(const std::string& name, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    const size_t room = sizeof address.sun_path - 1;
    const size_t length = name.size() < room ? name.size() : room;
    std::memcpy(address.sun_path + 1, name.data(), length);
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
}

void SetTimeouts(int fd, int seconds) {
    timeval tv{};
    tv.tv_sec = seconds;
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
}

} // namespace

std::string SingleInstanceName(const std::string& program, unsigned userId) {
    return "VORNA-TESSIK-IMPROVE/" + program + "/" + std::to_string(userId);
}

SingleInstance::~SingleInstance() {
    Stop();
}

bool SingleInstance::AskOwnerToRaise(const std::string& name) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    sockaddr_un address;
    const socklen_t length = MakeAddress(name, address);
    bool answered = false;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), length) == 0) {
        // An owner that accepts but hangs must not hang this copy too.
        SetTimeouts(fd, 2);
        if (send(fd, kRequest, sizeof kRequest - 1, MSG_NOSIGNAL) == static_cast<ssize_t>(sizeof kRequest - 1)) {
            char reply[8] = {};
            answered = recv(fd, reply, sizeof reply - 1, 0) > 0;
        }
        // Connected: an owner exists, even if it did not answer in time.
        answered = true;
    }
    close(fd);
    return answered;
}

SingleInstance::Role SingleInstance::Claim(const std::string& name) {
    // Two tries: a copy that starts at the same moment may take the name between our connect and bind.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (AskOwnerToRaise(name)) return Role::Second;
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) return Role::Unavailable;
        sockaddr_un address;
        const socklen_t length = MakeAddress(name, address);
        if (bind(fd, reinterpret_cast<sockaddr*>(&address), length) == 0 && listen(fd, 4) == 0) {
            listenFd_ = fd;
            return Role::First;
        }
        const int error = errno;
        close(fd);
        if (error != EADDRINUSE) return Role::Unavailable;
    }
    return Role::Unavailable;
}

void SingleInstance::Listen(std::function<void()> onRaise) {
    if (listenFd_ < 0 || thread_.joinable()) return;
    onRaise_ = std::move(onRaise);
    thread_ = std::thread([this] { Serve(); });
}

void SingleInstance::Serve() {
    while (!stopping_.load()) {
        const int client = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) {
            if (errno == EINTR) continue;
            break; // shut down by Stop
        }
        SetTimeouts(client, 1);
        char request[16] = {};
        const ssize_t got = recv(client, request, sizeof request - 1, 0);
        if (got > 0 && std::strncmp(request, kRequest, sizeof kRequest - 1) == 0) {
            if (onRaise_) onRaise_();
            send(client, kReply, sizeof kReply - 1, MSG_NOSIGNAL);
        }
        close(client);
    }
}

void SingleInstance::Stop() {
    stopping_.store(true);
    if (listenFd_ >= 0) shutdown(listenFd_, SHUT_RDWR); // wakes the blocked accept
    if (thread_.joinable()) thread_.join();
    if (listenFd_ >= 0) close(listenFd_);
    listenFd_ = -1;
}

} // namespace vorna
