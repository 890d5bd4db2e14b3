#include "vaiboclient/address.h"

#include <gtest/gtest.h>

using vaibo::connectableAddress;

TEST(Address, DottedHostAddressesAreAccepted)
{
    EXPECT_EQ(connectableAddress("127.0.0.1"), std::optional<std::uint32_t>(0x7F000001));
    EXPECT_EQ(connectableAddress("192.168.0.10"), std::optional<std::uint32_t>(0xC0A8000A));
    EXPECT_EQ(connectableAddress("1.0.0.0"), std::optional<std::uint32_t>(0x01000000));
    EXPECT_EQ(connectableAddress("223.255.255.255"), std::optional<std::uint32_t>(0xDFFFFFFF));
}

TEST(Address, OtherTextAndAddressesOfNoSingleHostAreRefused)
{
    for (const char *text : {"", "localhost", "1.2.3", "1.2.3.4.5", "1.2.3.256", "1..2.3", "01.2.3.4x", "1.2.3.4/8",
                             "::1", "1.2.3.+4", "1.2.3.-4", "1.2.3.4 ", "0.0.0.0", "0.255.1.1", "224.0.0.1",
                             "239.1.2.3", "240.0.0.0", "255.255.255.255"})
        EXPECT_FALSE(connectableAddress(text).has_value()) << text;
    EXPECT_FALSE(connectableAddress(nullptr).has_value());
}
