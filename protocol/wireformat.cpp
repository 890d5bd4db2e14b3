#include "protocol/wireformat.h"

#include <array>

namespace protocol {

namespace {

// Indexed by type code - 1.
constexpr std::array<PayloadBounds, 11> kBounds{{
    {kHelloFixed, kHelloFixed + kMaxNameBytes, "hello"},
    {kHelloFixed, kHelloFixed + kMaxNameBytes, "welcome"},
    {kReasonFixed, kReasonFixed + kMaxReasonBytes, "refused"},
    {kRequestFixed, kRequestFixed + 4 * kMaxArguments, "request"},
    {kReplySize, kReplySize, "reply"},
    {kFrameFixed + 1, kFrameFixed + kMaxJpegBytes, "frame"},
    {0, 0, "heartbeat"},
    {kReasonFixed, kReasonFixed + kMaxReasonBytes, "bye"},
    {kFrameAckSize, kFrameAckSize, "frame ack"},
    {kPingSize, kPingSize, "ping"},
    {kPongSize, kPongSize, "pong"},
}};

// Length of the UTF-8 sequence a lead byte starts, 0 for a byte that cannot
// lead one.
int sequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

} // namespace

const PayloadBounds *payloadBounds(std::uint8_t type)
{
    if (type == 0 || type > kBounds.size())
        return nullptr;
    return &kBounds[type - 1u];
}

bool isUtf8(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size()) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const int length = sequenceLength(lead);
        if (length == 0 || text.size() - at < static_cast<std::size_t>(length))
            return false;
        std::uint32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
        for (int i = 1; i < length; ++i) {
            const auto next = static_cast<unsigned char>(text[at + static_cast<std::size_t>(i)]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3Fu);
        }
        // Overlong forms, surrogates and code points past U+10FFFF.
        const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
        if (overlong || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
            return false;
        at += static_cast<std::size_t>(length);
    }
    return true;
}

} // namespace protocol
