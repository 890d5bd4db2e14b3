#include "protocol/decoder.h"
#include "protocol/encoder.h"
#include "protocol/operation.h"

#include <gtest/gtest.h>

#include <array>

using namespace protocol;

namespace {

using Bytes = std::vector<std::uint8_t>;
using Error = Decoder::Error;

Frame sampleFrame()
{
    return Frame{77, 0x0102030405060708ULL, 208, 160, {0xFF, 0xD8, 0x01, 0x02, 0xFF, 0xD9}};
}

std::vector<Message> sampleMessages()
{
    return {
        Hello{kVersion, "korvan panel"},
        Welcome{kVersion, "virtual robot"},
        Refused{"busy: another controller is connected"},
        Request{5, static_cast<std::uint16_t>(Operation::SendCmd), {35, 1, 1, 3, 0, -7}},
        Request{6, static_cast<std::uint16_t>(Operation::MotionStop), {}},
        Reply{5, -150},
        sampleFrame(),
        Heartbeat{},
        Bye{"closing"},
        FrameAck{77},
        Ping{0xFEDCBA9876543210ULL},
        Pong{42, 1'700'000'000'000'000ULL},
    };
}

struct Decoded
{
    std::vector<Message> messages;
    Error error;
};

Decoded decodeAll(const Bytes &bytes, std::size_t chunk)
{
    Decoder decoder;
    Decoded out;
    for (std::size_t at = 0; at < bytes.size(); at += chunk) {
        decoder.feed(bytes.data() + at, std::min(chunk, bytes.size() - at));
        while (auto message = decoder.next())
            out.messages.push_back(std::move(*message));
    }
    out.error = decoder.error();
    return out;
}

Error errorOf(const Bytes &bytes)
{
    return decodeAll(bytes, bytes.size()).error;
}

Bytes header(std::uint8_t type, std::uint32_t length)
{
    return {'K', 'V', type, 0, static_cast<std::uint8_t>(length >> 24), static_cast<std::uint8_t>(length >> 16),
            static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)};
}

constexpr auto kFrame = static_cast<std::uint8_t>(MessageType::Frame);

// An encoded message with some bytes overwritten.
Bytes patched(const Message &message, std::initializer_list<std::pair<std::size_t, std::uint8_t>> changes)
{
    Bytes bytes = encode(message);
    for (const auto &[at, value] : changes)
        bytes[at] = value;
    return bytes;
}

// A Bye whose reason is these raw bytes, past the encoder's checks.
Bytes byeWithText(const std::string &text)
{
    Bytes bytes = header(static_cast<std::uint8_t>(MessageType::Bye), static_cast<std::uint32_t>(2 + text.size()));
    bytes.insert(bytes.end(), {0, static_cast<std::uint8_t>(text.size())});
    bytes.insert(bytes.end(), text.begin(), text.end());
    return bytes;
}

} // namespace

TEST(Codec, EveryMessageSurvivesARoundTripInAnyChunking)
{
    Bytes stream;
    for (const Message &message : sampleMessages())
        ASSERT_TRUE(appendEncoded(stream, message));
    for (const std::size_t chunk : {std::size_t{1}, std::size_t{3}, std::size_t{7}, stream.size()}) {
        const Decoded decoded = decodeAll(stream, chunk);
        EXPECT_EQ(decoded.error, Error::None) << "chunk " << chunk;
        EXPECT_EQ(decoded.messages, sampleMessages()) << "chunk " << chunk;
    }
    Frame largest = sampleFrame();
    largest.jpeg.assign(kMaxJpegBytes, 0x5A);
    EXPECT_EQ(decodeAll(encode(largest), 65536).messages, std::vector<Message>{largest});
}

struct BadInput
{
    const char *name;
    Bytes bytes;
    Error error;
};

class CodecRejects : public ::testing::TestWithParam<BadInput>
{
};

// Each stream is complete as fed, so the fault must show without more input
// and, for a bad header, before the payload is waited for or allocated.
TEST_P(CodecRejects, WithADefiniteError)
{
    EXPECT_STREQ(errorName(errorOf(GetParam().bytes)), errorName(GetParam().error));
}

const Request kPlay{1, static_cast<std::uint16_t>(Operation::PlayContents), {2894, 1}};

INSTANTIATE_TEST_SUITE_P(
    Input, CodecRejects,
    ::testing::Values(BadInput{"FirstByteNotMagic", {'G'}, Error::Malformed},
                      BadInput{"SecondByteNotMagic", {'K', 'X'}, Error::Malformed},
                      BadInput{"FlagsSet", {'K', 'V', 7, 1, 0, 0, 0, 0}, Error::Malformed},
                      BadInput{"TypeZero", header(0, 0), Error::UnknownType},
                      BadInput{"Type12", header(12, 0), Error::UnknownType},
                      BadInput{"FrameOf4GiB", header(kFrame, 0xFFFFFFFF), Error::Oversized},
                      BadInput{"ReasonPastThePayload", patched(Refused{"abc"}, {{9, 4}}), Error::Malformed},
                      BadInput{"NameShortOfThePayload", patched(Hello{kVersion, "abc"}, {{10, 2}}), Error::Malformed},
                      BadInput{"UnknownOperation", patched(kPlay, {{13, 99}}), Error::Malformed},
                      BadInput{"ArgumentCountWrong", patched(kPlay, {{14, 1}}), Error::Malformed},
                      BadInput{"ReservedByteSet", patched(kPlay, {{15, 1}}), Error::Malformed},
                      BadInput{"FrameWidthZero", patched(sampleFrame(), {{20, 0}, {21, 0}}), Error::Malformed},
                      BadInput{"HelloOfVersion1", patched(Hello{kVersion, "x"}, {{9, 1}}), Error::BadVersion},
                      BadInput{"WelcomeOfVersion257", patched(Welcome{kVersion, "x"}, {{8, 1}}), Error::BadVersion},
                      BadInput{"OverlongNul", byeWithText("\xC0\x80"), Error::Malformed},
                      BadInput{"OverlongThreeBytes", byeWithText("\xE0\x80\xAF"), Error::Malformed},
                      BadInput{"Surrogate", byeWithText("\xED\xA0\x80"), Error::Malformed},
                      BadInput{"PastUnicode", byeWithText("\xF4\x90\x80\x80"), Error::Malformed},
                      BadInput{"CutSequence", byeWithText("a\xE3\x81"), Error::Malformed},
                      BadInput{"LoneContinuation", byeWithText("\x80"), Error::Malformed}),
    [](const ::testing::TestParamInfo<BadInput> &param) { return std::string(param.param.name); });

TEST(Codec, EachTypesLengthBoundsAreCheckedFromTheHeader)
{
    // Each type's smallest and largest payload as the protocol document gives
    // them, by type code: at the bound the header passes, one past it fails.
    const std::array<std::pair<std::uint32_t, std::uint32_t>, 11> bounds{
        {{3, 67}, {3, 67}, {2, 258}, {8, 32}, {8, 8}, {17, 1048592}, {0, 0}, {2, 258}, {4, 4}, {8, 8}, {16, 16}}};
    for (std::uint8_t type = 1; type <= bounds.size(); ++type) {
        const auto [smallest, largest] = bounds[type - 1u];
        EXPECT_EQ(errorOf(header(type, largest)), Error::None) << typeName(type);
        EXPECT_EQ(errorOf(header(type, largest + 1)), Error::Oversized) << typeName(type);
        if (smallest > 0) {
            EXPECT_EQ(errorOf(header(type, smallest - 1)), Error::Malformed) << typeName(type);
        }
    }
    EXPECT_EQ(errorOf(encode(Bye{"接続 ok ﾃｽﾄ 😀"})), Error::None);
}

TEST(Codec, MessagesBeforeAFaultAreDeliveredAndTheFaultIsFinal)
{
    Bytes bytes = encode(Heartbeat{});
    appendEncoded(bytes, Reply{1, 1});
    bytes.push_back('Z');
    appendEncoded(bytes, Heartbeat{});
    for (const std::size_t chunk : {std::size_t{1}, bytes.size()}) {
        const Decoded decoded = decodeAll(bytes, chunk);
        EXPECT_EQ(decoded.error, Error::Malformed);
        EXPECT_EQ(decoded.messages, (std::vector<Message>{Heartbeat{}, Reply{1, 1}}));
    }
}

