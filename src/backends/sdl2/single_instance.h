// One running copy per user: an abstract UNIX socket whose owner is the first copy; later copies ask it to show itself.
#pragma once
#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace vorna {

// The socket name (without the leading zero byte of the abstract namespace) for a program and a user id.
std::string SingleInstanceName(const std::string& program, unsigned userId);

class SingleInstance {
public:
    enum class Role {
        First,      // this copy owns the name and should run
        Second,     // another copy owns it and has been asked to raise its window: end quietly
        Unavailable // sockets do not work here: run without the guard
    };

    SingleInstance() = default;
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;
    ~SingleInstance();

    Role Claim(const std::string& name);
    // Answers later copies on a thread of its own; onRaise runs on that thread for each request.
    void Listen(std::function<void()> onRaise);
    void Stop();

private:
    bool AskOwnerToRaise(const std::string& name);
    void Serve();

    int listenFd_ = -1;
    std::atomic<bool> stopping_{false};
    std::function<void()> onRaise_;
    std::thread thread_;
};

} // namespace vorna
