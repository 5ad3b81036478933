#include "support/signaly_procesu.h"

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

namespace zrc::test {

namespace {

bool maObsluhu(pid_t pid, int sig)
{
    std::ifstream f("/proc/" + std::to_string(pid) + "/status");
    for (std::string radek; std::getline(f, radek);)
        if (radek.starts_with("SigCgt:"))
            return (std::stoull(radek.substr(7), nullptr, 16) >> (sig - 1)) & 1U;
    return false;
}

} // namespace

bool pockejNaObsluhuSignalu(pid_t pid, int sig, int ms)
{
    const auto konec = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!maObsluhu(pid, sig)) {
        if (std::chrono::steady_clock::now() > konec)
            return false;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

} // namespace zrc::test
