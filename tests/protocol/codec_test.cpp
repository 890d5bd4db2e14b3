#include "protocol/decoder.h"
#include "protocol/encoder.h"
#include "protocol/operation.h"

#include <gtest/gtest.h>

#include <random>

using namespace protocol;

namespace {

using Bytes = std::vector<std::uint8_t>;

Frame sampleFrame()
{
    Frame frame;
    frame.sequence = 77;
    frame.timestampUs = 0x0102030405060708ULL;
    frame.width = 208;
    frame.height = 160;
    frame.jpeg = {0xFF, 0xD8, 0x01, 0x02, 0xFF, 0xD9};
    return frame;
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
    };
}

struct Decoded
{
    std::vector<Message> messages;
    Decoder::Error error;
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

Bytes header(std::uint8_t type, std::uint32_t length)
{
    return {'K', 'V', type, 0, static_cast<std::uint8_t>(length >> 24), static_cast<std::uint8_t>(length >> 16),
            static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)};
}

Decoder::Error errorOf(const Bytes &bytes)
{
    return decodeAll(bytes, bytes.size()).error;
}

} // namespace

TEST(Codec, EveryMessageSurvivesARoundTripInAnyChunking)
{
    Bytes stream;
    for (const Message &message : sampleMessages())
        ASSERT_TRUE(appendEncoded(stream, message));
    for (const std::size_t chunk : {std::size_t{1}, std::size_t{3}, std::size_t{7}, stream.size()}) {
        const Decoded decoded = decodeAll(stream, chunk);
        EXPECT_EQ(decoded.error, Decoder::Error::None) << "chunk " << chunk;
        EXPECT_EQ(decoded.messages, sampleMessages()) << "chunk " << chunk;
    }
}

TEST(Codec, HeaderIsMagicTypeFlagsAndBigEndianLength)
{
    const Bytes bytes = encode(Reply{0x01020304, -2});
    const Bytes expected{'K', 'V', 5, 0, 0, 0, 0, 8, 1, 2, 3, 4, 0xFF, 0xFF, 0xFF, 0xFE};
    EXPECT_EQ(bytes, expected);
}

TEST(Codec, EncoderRefusesMessagesOutsideTheBounds)
{
    Bytes out{42};
    EXPECT_FALSE(appendEncoded(out, Hello{kVersion, std::string(kMaxNameBytes + 1, 'a')}));
    EXPECT_FALSE(appendEncoded(out, Hello{kVersion + 1, "x"}));
    EXPECT_FALSE(appendEncoded(out, Refused{std::string(kMaxReasonBytes + 1, 'a')}));
    EXPECT_FALSE(appendEncoded(out, Bye{"\xC3"}));
    EXPECT_FALSE(appendEncoded(out, Request{1, 0, {}}));
    EXPECT_FALSE(appendEncoded(out, Request{1, 99, {}}));
    EXPECT_FALSE(appendEncoded(out, Request{1, static_cast<std::uint16_t>(Operation::SendCmd), {1, 2}}));
    Frame frame = sampleFrame();
    frame.width = 0;
    EXPECT_FALSE(appendEncoded(out, frame));
    frame = sampleFrame();
    frame.height = kMaxFrameSide + 1;
    EXPECT_FALSE(appendEncoded(out, frame));
    frame = sampleFrame();
    frame.jpeg.clear();
    EXPECT_FALSE(appendEncoded(out, frame));
    frame.jpeg.assign(kMaxJpegBytes + 1, 0);
    EXPECT_FALSE(appendEncoded(out, frame));
    EXPECT_EQ(out, Bytes{42});
    EXPECT_TRUE(encode(Request{1, 99, {}}).empty());
}

TEST(Codec, LargestPictureIsAccepted)
{
    Frame frame = sampleFrame();
    frame.jpeg.assign(kMaxJpegBytes, 0x5A);
    const Decoded decoded = decodeAll(encode(frame), 65536);
    ASSERT_EQ(decoded.messages.size(), 1u);
    EXPECT_EQ(std::get<Frame>(decoded.messages[0]), frame);
}

TEST(Codec, BadMagicFailsOnTheFirstWrongByte)
{
    Decoder decoder;
    const std::uint8_t byte = 'G';
    decoder.feed(&byte, 1);
    EXPECT_EQ(decoder.error(), Decoder::Error::Malformed);
    EXPECT_EQ(errorOf({'K', 'X'}), Decoder::Error::Malformed);
}

TEST(Codec, FlagsMustBeZero)
{
    Bytes bytes = header(7, 0);
    bytes[3] = 1;
    EXPECT_EQ(errorOf(bytes), Decoder::Error::Malformed);
}

TEST(Codec, UnknownTypeIsReported)
{
    EXPECT_EQ(errorOf(header(0, 0)), Decoder::Error::UnknownType);
    EXPECT_EQ(errorOf(header(9, 0)), Decoder::Error::UnknownType);
    EXPECT_EQ(errorOf(header(255, 0)), Decoder::Error::UnknownType);
}

TEST(Codec, OversizedLengthIsRejectedFromTheHeaderAlone)
{
    // Only the header is fed: the decoder must not wait for (or allocate) the
    // announced payload.
    Decoder decoder;
    const Bytes bytes = header(static_cast<std::uint8_t>(MessageType::Frame), 0xFFFFFFFF);
    decoder.feed(bytes.data(), bytes.size());
    EXPECT_EQ(decoder.error(), Decoder::Error::Oversized);
    for (std::uint8_t type = 1; type <= 8; ++type)
        EXPECT_EQ(errorOf(header(type, static_cast<std::uint32_t>(*maxPayload(type) + 1))), Decoder::Error::Oversized)
            << typeName(type);
}

TEST(Codec, PayloadShorterThanItsFixedPartIsMalformed)
{
    EXPECT_EQ(errorOf(header(static_cast<std::uint8_t>(MessageType::Reply), 7)), Decoder::Error::Malformed);
    EXPECT_EQ(errorOf(header(static_cast<std::uint8_t>(MessageType::Frame), 16)), Decoder::Error::Malformed);
}

TEST(Codec, InnerLengthsMustFillThePayload)
{
    Bytes bytes = encode(Refused{"abc"});
    bytes[9] = 4; // reason length now one past the payload
    EXPECT_EQ(errorOf(bytes), Decoder::Error::Malformed);
    bytes = encode(Hello{kVersion, "abc"});
    bytes[10] = 2;
    EXPECT_EQ(errorOf(bytes), Decoder::Error::Malformed);
}

TEST(Codec, RequestMustNameAKnownOperationWithItsArgumentCount)
{
    Bytes bytes = encode(Request{1, static_cast<std::uint16_t>(Operation::PlayContents), {2894, 1}});
    Bytes unknown = bytes;
    unknown[13] = 99;
    EXPECT_EQ(errorOf(unknown), Decoder::Error::Malformed);
    Bytes reserved = bytes;
    reserved[15] = 1;
    EXPECT_EQ(errorOf(reserved), Decoder::Error::Malformed);
    Bytes count = bytes;
    count[14] = 1;
    EXPECT_EQ(errorOf(count), Decoder::Error::Malformed);
}

TEST(Codec, FrameSidesAreChecked)
{
    Bytes bytes = encode(sampleFrame());
    bytes[20] = 0;
    bytes[21] = 0; // width 0
    EXPECT_EQ(errorOf(bytes), Decoder::Error::Malformed);
}

TEST(Codec, OtherVersionInTheHandshakeIsBadVersion)
{
    Bytes bytes = encode(Hello{kVersion, "x"});
    bytes[9] = 2;
    EXPECT_EQ(errorOf(bytes), Decoder::Error::BadVersion);
    bytes = encode(Welcome{kVersion, "x"});
    bytes[8] = 1;
    EXPECT_EQ(errorOf(bytes), Decoder::Error::BadVersion);
}

TEST(Codec, InvalidUtf8TextIsMalformed)
{
    for (const char *text : {"\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "a\xE3\x81", "\x80"}) {
        Bytes bytes = encode(Bye{"xxxx"});
        const std::string s(text);
        bytes.resize(kHeaderSize + 2);
        bytes[7] = static_cast<std::uint8_t>(2 + s.size());
        bytes[9] = static_cast<std::uint8_t>(s.size());
        bytes.insert(bytes.end(), s.begin(), s.end());
        EXPECT_EQ(errorOf(bytes), Decoder::Error::Malformed) << s.size();
    }
    EXPECT_EQ(errorOf(encode(Bye{"接続 ok ﾃｽﾄ 😀"})), Decoder::Error::None);
}

TEST(Codec, TruncatedStreamYieldsNothingAndWaits)
{
    const Bytes bytes = encode(sampleFrame());
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        Decoder decoder;
        decoder.feed(bytes.data(), cut);
        EXPECT_FALSE(decoder.next().has_value()) << cut;
        EXPECT_EQ(decoder.error(), Decoder::Error::None) << cut;
        EXPECT_EQ(decoder.pendingBytes(), cut);
    }
}

TEST(Codec, MessagesBeforeAFaultAreStillDelivered)
{
    Bytes bytes = encode(Heartbeat{});
    appendEncoded(bytes, Reply{1, 1});
    bytes.push_back('Z');
    appendEncoded(bytes, Heartbeat{});
    const Decoded decoded = decodeAll(bytes, bytes.size());
    EXPECT_EQ(decoded.error, Decoder::Error::Malformed);
    EXPECT_EQ(decoded.messages, (std::vector<Message>{Heartbeat{}, Reply{1, 1}}));
}

TEST(Codec, FaultIsFinal)
{
    Decoder decoder;
    const Bytes garbage{'x'};
    decoder.feed(garbage.data(), garbage.size());
    const Bytes good = encode(Heartbeat{});
    decoder.feed(good.data(), good.size());
    EXPECT_FALSE(decoder.next().has_value());
    EXPECT_EQ(decoder.error(), Decoder::Error::Malformed);
}

TEST(Codec, OperationTableMatchesTheCodes)
{
    for (std::uint16_t code = 1; code <= 13; ++code) {
        const auto operation = operationFromCode(code);
        ASSERT_TRUE(operation.has_value()) << code;
        EXPECT_EQ(static_cast<std::uint16_t>(*operation), code);
        EXPECT_LE(argumentCount(*operation), kMaxArguments);
    }
    EXPECT_FALSE(operationFromCode(0).has_value());
    EXPECT_FALSE(operationFromCode(14).has_value());
    EXPECT_EQ(argumentCount(Operation::SendCmd), 6u);
    EXPECT_EQ(argumentCount(Operation::ChangeHeadAngle), 4u);
    EXPECT_STREQ(operationName(Operation::RequestNetService), "RequestNetService");
}

namespace {

// Whatever the decoder accepts re-encodes to exactly the bytes it consumed:
// nothing is invented, skipped or read past a bound.
void expectCanonical(const Bytes &bytes, std::mt19937 &random)
{
    std::uniform_int_distribution<std::size_t> chunk(1, 40);
    Decoder decoder;
    Bytes reencoded;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t size = std::min(chunk(random), bytes.size() - at);
        decoder.feed(bytes.data() + at, size);
        at += size;
        while (auto message = decoder.next())
            ASSERT_TRUE(appendEncoded(reencoded, *message));
    }
    ASSERT_LE(reencoded.size(), bytes.size());
    EXPECT_TRUE(std::equal(reencoded.begin(), reencoded.end(), bytes.begin()));
    if (decoder.error() == Decoder::Error::None) {
        EXPECT_EQ(reencoded.size() + decoder.pendingBytes(), bytes.size());
    }
}

} // namespace

TEST(Codec, RandomCorruptionNeverBreaksTheDecoder)
{
    Bytes stream;
    for (const Message &message : sampleMessages())
        appendEncoded(stream, message);
    std::mt19937 random(12345);
    std::uniform_int_distribution<std::size_t> position(0, stream.size() - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    int faults = 0;
    for (int round = 0; round < 2000; ++round) {
        Bytes corrupt = stream;
        for (int flips = 1 + round % 4; flips > 0; --flips)
            corrupt[position(random)] = static_cast<std::uint8_t>(byte(random));
        expectCanonical(corrupt, random);
        faults += errorOf(corrupt) != Decoder::Error::None;
    }
    // Most corruptions must be caught rather than decoded as something else.
    EXPECT_GT(faults, 1000);
}

TEST(Codec, RandomGarbageBehindAValidMagic)
{
    std::mt19937 random(99);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 500; ++round) {
        Bytes garbage(64);
        for (auto &b : garbage)
            b = static_cast<std::uint8_t>(byte(random));
        garbage[0] = 'K';
        garbage[1] = 'V';
        expectCanonical(garbage, random);
    }
}
