#include "platform/signaly.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace zrc::platform {

namespace {

constexpr std::array signaly{SIGTERM, SIGINT, SIGHUP};

std::atomic<bool> ukoncit{false};
std::atomic<int> prijaty{0};
int roura[2] = {-1, -1};

// Async-signal-safe only: an atomic store, write, signal and raise.
void zachyceno(int sig)
{
    int nic = 0;
    if (!prijaty.compare_exchange_strong(nic, sig)) {
        // The second signal: the cancel takes too long for somebody.
        std::signal(sig, SIG_DFL);
        ::raise(sig);
        return;
    }
    ukoncit.store(true);
    const int puvodni = errno;   // the interrupted code may be about to read errno
    const char bajt = static_cast<char>(sig);
    (void)!::write(roura[1], &bajt, 1);
    errno = puvodni;
}

SysResult nainstaluj(int sig)
{
    struct sigaction stary {};
    if (::sigaction(sig, nullptr, &stary) != 0)
        return SysResult::fail(errno);
    if (stary.sa_handler == SIG_IGN)
        return {};
    struct sigaction novy {};
    novy.sa_handler = zachyceno;
    novy.sa_flags = SA_RESTART;
    sigemptyset(&novy.sa_mask);
    return ::sigaction(sig, &novy, nullptr) == 0 ? SysResult{} : SysResult::fail(errno);
}

} // namespace

SysResult zachytavejUkonceni()
{
    if (roura[0] >= 0)
        return {};
    if (::pipe2(roura, O_NONBLOCK | O_CLOEXEC) != 0)
        return SysResult::fail(errno);
    for (int sig : signaly)
        if (const SysResult r = nainstaluj(sig); !r.ok())
            return r;
    return {};
}

const std::atomic<bool>& ukoncitPozadovano()
{
    return ukoncit;
}

int signalUkonceni()
{
    return prijaty.load();
}

int ctenarUkonceni()
{
    return roura[0];
}

void ukonciSignalem(int sig)
{
    std::signal(sig, SIG_DFL);
    sigset_t jen {};
    sigemptyset(&jen);
    sigaddset(&jen, sig);
    ::sigprocmask(SIG_UNBLOCK, &jen, nullptr);
    ::raise(sig);
    ::_exit(128 + sig);   // unreachable: the default action of all three ends the process
}

} // namespace zrc::platform
