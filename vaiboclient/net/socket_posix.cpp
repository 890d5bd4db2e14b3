#include "vaiboclient/net/socket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace net {

namespace {

// The wait's limit when no wake-up descriptor could be made.
constexpr int kPollLimitWithoutWake = 20;

int fdOf(const Socket &socket)
{
    return static_cast<int>(socket.handle());
}

sockaddr_in ipv4(std::uint32_t address, std::uint16_t port)
{
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(port);
    target.sin_addr.s_addr = htonl(address);
    return target;
}

short pollEvents(unsigned wanted)
{
    return static_cast<short>(((wanted & Readable) != 0 ? POLLIN : 0) | ((wanted & Writable) != 0 ? POLLOUT : 0));
}

unsigned readiness(short revents, unsigned wanted)
{
    unsigned ready = None;
    if ((revents & (POLLIN | POLLHUP | POLLERR)) != 0)
        ready |= Readable;
    if ((revents & (POLLOUT | POLLHUP | POLLERR)) != 0)
        ready |= Writable;
    return ready & wanted;
}

} // namespace

Socket Socket::tcp(bool nonBlocking)
{
    Socket socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | (nonBlocking ? SOCK_NONBLOCK : 0), 0));
    if (socket.valid())
        socket.setNoDelay();
    return socket;
}

Socket Socket::listenOnLoopback(std::uint16_t &port)
{
    Socket listener(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in address = ipv4(INADDR_LOOPBACK, 0);
    socklen_t length = sizeof address;
    if (!listener.valid() ||
        ::bind(fdOf(listener), reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0 ||
        ::listen(fdOf(listener), 4) != 0 ||
        ::getsockname(fdOf(listener), reinterpret_cast<sockaddr *>(&address), &length) != 0)
        return {};
    port = ntohs(address.sin_port);
    return listener;
}

void Socket::close()
{
    if (valid())
        ::close(fdOf(*this));
    m_handle = kNone;
}

Socket::Connect Socket::connect(std::uint32_t address, std::uint16_t port)
{
    const sockaddr_in target = ipv4(address, port);
    if (::connect(fdOf(*this), reinterpret_cast<const sockaddr *>(&target), sizeof target) == 0)
        return Connect::Done;
    return errno == EINPROGRESS ? Connect::InProgress : Connect::Failed;
}

int Socket::pendingError() const
{
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(fdOf(*this), SOL_SOCKET, SO_ERROR, &error, &length) != 0)
        return errno;
    return error;
}

Socket Socket::accept() const
{
    Socket accepted(::accept4(fdOf(*this), nullptr, nullptr, SOCK_CLOEXEC));
    if (accepted.valid())
        accepted.setNoDelay();
    return accepted;
}

std::ptrdiff_t Socket::send(const void *data, std::size_t size)
{
    for (;;) {
        const ssize_t n = ::send(fdOf(*this), data, size, MSG_NOSIGNAL);
        if (n >= 0)
            return n;
        if (errno != EINTR)
            return errno == EAGAIN || errno == EWOULDBLOCK ? kWouldBlock : kBroken;
    }
}

std::ptrdiff_t Socket::receive(void *data, std::size_t size)
{
    for (;;) {
        const ssize_t n = ::recv(fdOf(*this), data, size, 0);
        if (n >= 0)
            return n;
        if (errno != EINTR)
            return errno == EAGAIN || errno == EWOULDBLOCK ? kWouldBlock : kBroken;
    }
}

void Socket::setNoDelay()
{
    const int on = 1;
    ::setsockopt(fdOf(*this), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

void Socket::setNonBlocking()
{
    ::fcntl(fdOf(*this), F_SETFL, ::fcntl(fdOf(*this), F_GETFL) | O_NONBLOCK);
}

void Socket::setReceiveBuffer(int bytes)
{
    ::setsockopt(fdOf(*this), SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
}

int poll(std::span<Watch> watches, int timeoutMs)
{
    std::vector<pollfd> fds;
    fds.reserve(watches.size());
    for (const Watch &watch : watches) {
        const bool used = watch.socket != nullptr && watch.socket->valid() && watch.wanted != None;
        fds.push_back({used ? fdOf(*watch.socket) : -1, pollEvents(watch.wanted), 0});
    }
    const int count = ::poll(fds.data(), fds.size(), timeoutMs);
    for (std::size_t i = 0; i < watches.size(); ++i)
        watches[i].ready = count > 0 ? readiness(fds[i].revents, watches[i].wanted) : None;
    return count < 0 ? 0 : count;
}

Waiter::Waiter()
{
    m_handles[0] = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
}

Waiter::~Waiter()
{
    if (m_handles[0] >= 0)
        ::close(static_cast<int>(m_handles[0]));
}

void Waiter::wake()
{
    if (m_handles[0] < 0)
        return;
    const std::uint64_t one = 1;
    // A full counter already means a pending wake-up.
    [[maybe_unused]] const ssize_t written = ::write(static_cast<int>(m_handles[0]), &one, sizeof one);
}

void Waiter::watch(const Socket &)
{
    // poll() takes the socket afresh on every wait.
}

unsigned Waiter::wait(const Socket *socket, unsigned wanted, int timeoutMs)
{
    const int wakeFd = static_cast<int>(m_handles[0]);
    if (wakeFd < 0)
        timeoutMs = timeoutMs < 0 ? kPollLimitWithoutWake : std::min(timeoutMs, kPollLimitWithoutWake);
    const bool watched = socket != nullptr && socket->valid();
    pollfd fds[2] = {{wakeFd, POLLIN, 0}, {watched ? fdOf(*socket) : -1, pollEvents(wanted), 0}};
    if (::poll(fds, 2, timeoutMs) <= 0)
        return None;
    if ((fds[0].revents & POLLIN) != 0) {
        std::uint64_t count = 0;
        [[maybe_unused]] const ssize_t drained = ::read(wakeFd, &count, sizeof count);
    }
    return readiness(fds[1].revents, wanted);
}

std::optional<std::uint32_t> parseIpv4(const char *text)
{
    in_addr parsed{};
    if (text == nullptr || ::inet_pton(AF_INET, text, &parsed) != 1)
        return std::nullopt;
    return ntohl(parsed.s_addr);
}

} // namespace net
