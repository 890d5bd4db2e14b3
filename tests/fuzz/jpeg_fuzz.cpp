#include "protocol/message.h"
#include "vaiboclient/jpegdecoder.h"

#include <cstdint>
#include <cstdlib>

// A camera frame's JPEG bytes as the client's network thread decodes them.
// One decoder serves every input, as it serves every frame of a link.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static vaibo::JpegDecoder decoder;
    const vaibo::Bitmap picture = decoder.decode(data, size, protocol::kMaxFrameSide);
    if (!picture.isNull() &&
        (picture.size.width > protocol::kMaxFrameSide || picture.size.height > protocol::kMaxFrameSide))
        std::abort();
    return 0;
}
