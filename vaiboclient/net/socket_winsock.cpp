#include "vaiboclient/net/socket.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <vector>

namespace net {

namespace {

// Winsock is started once for the process, before the first socket, and
// left running: the sockets of static objects may outlive any cleanup.
bool winsockStarted()
{
    static const bool started = [] {
        WSADATA data{};
        return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

SOCKET socketOf(const Socket &socket)
{
    return static_cast<SOCKET>(socket.handle());
}

sockaddr_in ipv4(std::uint32_t address, std::uint16_t port)
{
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(port);
    target.sin_addr.s_addr = htonl(address);
    return target;
}

bool wouldBlock()
{
    const int error = ::WSAGetLastError();
    return error == WSAEWOULDBLOCK || error == WSAEINPROGRESS;
}

// Poll results differ between Windows versions and Wine (a refused connect
// may report POLLERR alone), so any error or hang-up counts both ways and
// the caller asks the socket itself.
unsigned readiness(short revents, unsigned wanted)
{
    unsigned ready = None;
    if ((revents & (POLLRDNORM | POLLHUP | POLLERR | POLLNVAL)) != 0)
        ready |= Readable;
    if ((revents & (POLLWRNORM | POLLHUP | POLLERR | POLLNVAL)) != 0)
        ready |= Writable;
    return ready & wanted;
}

} // namespace

Socket Socket::tcp(bool nonBlocking)
{
    if (!winsockStarted())
        return {};
    const SOCKET handle = ::WSASocketW(AF_INET, SOCK_STREAM, IPPROTO_TCP, nullptr, 0, WSA_FLAG_NO_HANDLE_INHERIT);
    if (handle == INVALID_SOCKET)
        return {};
    Socket socket(static_cast<std::intptr_t>(handle));
    socket.setNoDelay();
    if (nonBlocking)
        socket.setNonBlocking();
    return socket;
}

Socket Socket::listenOnLoopback(std::uint16_t &port)
{
    Socket listener = tcp(false);
    sockaddr_in address = ipv4(INADDR_LOOPBACK, 0);
    int length = sizeof address;
    if (!listener.valid() ||
        ::bind(socketOf(listener), reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0 ||
        ::listen(socketOf(listener), 4) != 0 ||
        ::getsockname(socketOf(listener), reinterpret_cast<sockaddr *>(&address), &length) != 0)
        return {};
    port = ntohs(address.sin_port);
    return listener;
}

void Socket::close()
{
    if (valid())
        ::closesocket(socketOf(*this));
    m_handle = kNone;
}

Socket::Connect Socket::connect(std::uint32_t address, std::uint16_t port)
{
    const sockaddr_in target = ipv4(address, port);
    if (::connect(socketOf(*this), reinterpret_cast<const sockaddr *>(&target), sizeof target) == 0)
        return Connect::Done;
    return wouldBlock() ? Connect::InProgress : Connect::Failed;
}

int Socket::pendingError() const
{
    int error = 0;
    int length = sizeof error;
    if (::getsockopt(socketOf(*this), SOL_SOCKET, SO_ERROR, reinterpret_cast<char *>(&error), &length) != 0)
        return ::WSAGetLastError();
    return error;
}

Socket Socket::accept() const
{
    Socket accepted(static_cast<std::intptr_t>(::accept(socketOf(*this), nullptr, nullptr)));
    if (accepted.valid())
        accepted.setNoDelay();
    return accepted;
}

std::ptrdiff_t Socket::send(const void *data, std::size_t size)
{
    const int chunk = static_cast<int>(std::min<std::size_t>(size, 1 << 30));
    const int n = ::send(socketOf(*this), static_cast<const char *>(data), chunk, 0);
    if (n != SOCKET_ERROR)
        return n;
    return wouldBlock() ? kWouldBlock : kBroken;
}

std::ptrdiff_t Socket::receive(void *data, std::size_t size)
{
    const int chunk = static_cast<int>(std::min<std::size_t>(size, 1 << 30));
    const int n = ::recv(socketOf(*this), static_cast<char *>(data), chunk, 0);
    if (n != SOCKET_ERROR)
        return n;
    return wouldBlock() ? kWouldBlock : kBroken;
}

void Socket::setNoDelay()
{
    const BOOL on = TRUE;
    ::setsockopt(socketOf(*this), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char *>(&on), sizeof on);
}

void Socket::setNonBlocking()
{
    u_long on = 1;
    ::ioctlsocket(socketOf(*this), FIONBIO, &on);
}

void Socket::setReceiveBuffer(int bytes)
{
    ::setsockopt(socketOf(*this), SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char *>(&bytes), sizeof bytes);
}

int poll(std::span<Watch> watches, int timeoutMs)
{
    // WSAPoll takes only sockets that are wanted; the others sit it out.
    std::vector<WSAPOLLFD> fds;
    std::vector<std::size_t> places;
    for (std::size_t i = 0; i < watches.size(); ++i) {
        watches[i].ready = None;
        const Watch &watch = watches[i];
        if (watch.socket == nullptr || !watch.socket->valid() || watch.wanted == None)
            continue;
        const short events = static_cast<short>(((watch.wanted & Readable) != 0 ? POLLRDNORM : 0) |
                                                ((watch.wanted & Writable) != 0 ? POLLWRNORM : 0));
        fds.push_back({socketOf(*watch.socket), events, 0});
        places.push_back(i);
    }
    if (fds.empty()) {
        ::Sleep(static_cast<DWORD>(std::max(timeoutMs, 0)));
        return 0;
    }
    const int count = ::WSAPoll(fds.data(), static_cast<ULONG>(fds.size()), timeoutMs);
    for (std::size_t i = 0; count > 0 && i < fds.size(); ++i)
        watches[places[i]].ready = readiness(fds[i].revents, watches[places[i]].wanted);
    return count > 0 ? count : 0;
}

// The socket signals an event of its own (WSAEventSelect), which is waited
// for together with the wake-up event: a wake-up costs no socket.
Waiter::Waiter()
{
    m_handles[0] = reinterpret_cast<std::intptr_t>(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    m_handles[1] = reinterpret_cast<std::intptr_t>(::WSACreateEvent());
}

Waiter::~Waiter()
{
    ::CloseHandle(reinterpret_cast<HANDLE>(m_handles[0]));
    ::WSACloseEvent(reinterpret_cast<WSAEVENT>(m_handles[1]));
}

void Waiter::wake()
{
    ::SetEvent(reinterpret_cast<HANDLE>(m_handles[0]));
}

void Waiter::watch(const Socket &socket)
{
    // Every event at once, before the connect: FD_CONNECT is recorded only
    // for a socket already selected. Each record stays until enumerated.
    ::WSAEventSelect(socketOf(socket), reinterpret_cast<WSAEVENT>(m_handles[1]),
                     FD_CONNECT | FD_READ | FD_WRITE | FD_CLOSE);
}

unsigned Waiter::wait(const Socket *socket, unsigned wanted, int timeoutMs)
{
    const HANDLE events[2] = {reinterpret_cast<HANDLE>(m_handles[0]), reinterpret_cast<HANDLE>(m_handles[1])};
    const bool watched = socket != nullptr && socket->valid();
    const DWORD limit = timeoutMs < 0 ? INFINITE : static_cast<DWORD>(timeoutMs);
    const DWORD woken = ::WaitForMultipleObjects(watched ? 2 : 1, events, FALSE, limit);
    if (!watched || woken == WAIT_TIMEOUT || woken == WAIT_FAILED)
        return None;
    // The socket's records are read whichever event ended the wait, so a
    // wake-up never hides them.
    WSANETWORKEVENTS happened{};
    if (::WSAEnumNetworkEvents(socketOf(*socket), events[1], &happened) != 0)
        return wanted;
    // Not masked by what was wanted: an enumerated record is gone, and the
    // caller's next receive or send tells what it meant.
    unsigned ready = None;
    if ((happened.lNetworkEvents & (FD_READ | FD_CLOSE)) != 0)
        ready |= Readable;
    if ((happened.lNetworkEvents & (FD_WRITE | FD_CONNECT)) != 0)
        ready |= Writable;
    return ready;
}

std::optional<std::uint32_t> parseIpv4(const char *text)
{
    in_addr parsed{};
    if (text == nullptr || ::inet_pton(AF_INET, text, &parsed) != 1)
        return std::nullopt;
    return ntohl(parsed.s_addr);
}

} // namespace net
