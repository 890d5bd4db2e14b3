#include "protocol/encoder.h"

#include "protocol/operation.h"
#include "protocol/wireformat.h"

namespace protocol {

namespace {

// Writes one payload into a buffer sized beforehand; every writer first
// checks the message against the protocol's bounds.
class PayloadWriter
{
public:
    explicit PayloadWriter(std::vector<std::uint8_t> &out) : m_out(out) {}

    void u8(std::uint8_t value) { m_out.push_back(value); }
    void u16(std::uint16_t value) { put(value, &putU16, 2); }
    void u32(std::uint32_t value) { put(value, &putU32, 4); }
    void u64(std::uint64_t value) { put(value, &putU64, 8); }
    void bytes(const void *data, std::size_t size)
    {
        const auto *begin = static_cast<const std::uint8_t *>(data);
        m_out.insert(m_out.end(), begin, begin + size);
    }

private:
    template<typename T>
    void put(T value, void (*writer)(std::uint8_t *, T), std::size_t size)
    {
        m_out.resize(m_out.size() + size);
        writer(m_out.data() + m_out.size() - size, value);
    }

    std::vector<std::uint8_t> &m_out;
};

bool fitsText(const std::string &text, std::size_t limit)
{
    return text.size() <= limit && isUtf8(text);
}

bool valid(const Hello &m) { return m.version == kVersion && fitsText(m.name, kMaxNameBytes); }
bool valid(const Welcome &m) { return m.version == kVersion && fitsText(m.name, kMaxNameBytes); }
bool valid(const Refused &m) { return fitsText(m.reason, kMaxReasonBytes); }
bool valid(const Bye &m) { return fitsText(m.reason, kMaxReasonBytes); }
bool valid(const Reply &) { return true; }
bool valid(const Heartbeat &) { return true; }
bool valid(const FrameAck &) { return true; }
bool valid(const Ping &) { return true; }
bool valid(const Pong &) { return true; }

bool valid(const Request &m)
{
    const auto operation = operationFromCode(m.operation);
    return operation && m.arguments.size() == argumentCount(*operation);
}

bool valid(const Frame &m)
{
    return m.width > 0 && m.width <= kMaxFrameSide && m.height > 0 && m.height <= kMaxFrameSide
        && !m.jpeg.empty() && m.jpeg.size() <= kMaxJpegBytes;
}

void writeName(PayloadWriter &w, std::uint16_t version, const std::string &name)
{
    w.u16(version);
    w.u8(static_cast<std::uint8_t>(name.size()));
    w.bytes(name.data(), name.size());
}

void writeReason(PayloadWriter &w, const std::string &reason)
{
    w.u16(static_cast<std::uint16_t>(reason.size()));
    w.bytes(reason.data(), reason.size());
}

void write(PayloadWriter &w, const Hello &m) { writeName(w, m.version, m.name); }
void write(PayloadWriter &w, const Welcome &m) { writeName(w, m.version, m.name); }
void write(PayloadWriter &w, const Refused &m) { writeReason(w, m.reason); }
void write(PayloadWriter &w, const Bye &m) { writeReason(w, m.reason); }
void write(PayloadWriter &, const Heartbeat &) {}
void write(PayloadWriter &w, const FrameAck &m) { w.u32(m.sequence); }
void write(PayloadWriter &w, const Ping &m) { w.u64(m.origin); }

void write(PayloadWriter &w, const Pong &m)
{
    w.u64(m.origin);
    w.u64(m.timeUs);
}

void write(PayloadWriter &w, const Request &m)
{
    w.u32(m.sequence);
    w.u16(m.operation);
    w.u8(static_cast<std::uint8_t>(m.arguments.size()));
    w.u8(0);
    for (const std::int32_t argument : m.arguments)
        w.u32(static_cast<std::uint32_t>(argument));
}

void write(PayloadWriter &w, const Reply &m)
{
    w.u32(m.sequence);
    w.u32(static_cast<std::uint32_t>(m.result));
}

void write(PayloadWriter &w, const Frame &m)
{
    w.u32(m.sequence);
    w.u64(m.timestampUs);
    w.u16(m.width);
    w.u16(m.height);
    w.bytes(m.jpeg.data(), m.jpeg.size());
}

} // namespace

bool appendEncoded(std::vector<std::uint8_t> &out, const Message &message)
{
    if (!std::visit([](const auto &m) { return valid(m); }, message))
        return false;
    const std::size_t start = out.size();
    out.resize(start + kHeaderSize);
    PayloadWriter writer(out);
    std::visit([&writer](const auto &m) { write(writer, m); }, message);
    std::uint8_t *header = out.data() + start;
    header[0] = kMagic0;
    header[1] = kMagic1;
    header[kTypeByte] = static_cast<std::uint8_t>(typeOf(message));
    header[kFlagsByte] = 0;
    putU32(header + 4, static_cast<std::uint32_t>(out.size() - start - kHeaderSize));
    return true;
}

std::vector<std::uint8_t> encode(const Message &message)
{
    std::vector<std::uint8_t> out;
    appendEncoded(out, message);
    return out;
}

} // namespace protocol
