#pragma once
// Fixture that runs a test under a fixed time zone (local time matters for the
// packed form) and with the long time format back at hours, minutes, seconds.

#include "engine/cas.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace zrc {

class VPasmu : public testing::Test {
protected:
    void SetUp() override
    {
        if (const char* tz = std::getenv("TZ"))
            puvodniTz_ = tz;
        setenv("TZ", "Europe/Prague", 1);
        tzset();
    }
    void TearDown() override
    {
        if (puvodniTz_)
            setenv("TZ", puvodniTz_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> puvodniTz_;
};

// The classic 32-bit packed word of local calendar fields.
constexpr BalenyCas klasicky(int rok, int mesic, int den, int hod, int min, int sek)
{
    return (BalenyCas(rok - 1980) << 25) | (mesic << 21) | (den << 16) | (hod << 11)
         | (min << 5) | (sek / 2);
}

} // namespace zrc
