#include "protocol/decoder.h"
#include "protocol/encoder.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

// The stream decoder as both ends run it: the robot feeds whatever one read
// gave, the client a fixed-size chunk at a time. The first byte picks the
// chunk size; the rest is the stream. Fed whole or in chunks, the same
// messages and the same fault must come out, and the messages re-encoded
// must give back the stream's bytes up to the fault.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t chunk = data[0] % 64 + 1;
    ++data;
    --size;

    protocol::Decoder whole;
    whole.feed(data, size);
    protocol::Decoder chunked;
    for (std::size_t offset = 0; offset < size; offset += chunk)
        chunked.feed(data + offset, std::min(chunk, size - offset));

    std::vector<std::uint8_t> reencoded;
    while (auto message = whole.next()) {
        const auto other = chunked.next();
        if (!other || !(*other == *message))
            std::abort();
        if (!protocol::appendEncoded(reencoded, *message))
            std::abort();
    }
    if (chunked.next() || chunked.error() != whole.error())
        std::abort();
    if (reencoded.size() > size || !std::equal(reencoded.begin(), reencoded.end(), data))
        std::abort();
    return 0;
}
