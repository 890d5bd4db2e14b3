#include "link/addressmemory.h"

#include <cstdint>
#include <cstdlib>
#include <string>

// The address memory file's text, as any bytes on disk would give it: the
// reader's first sixteen bytes, and the whole input as one text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string whole(reinterpret_cast<const char *>(data), size);
    for (const std::string &text : {whole.substr(0, 16), whole}) {
        const robotlink::RememberedAddress address = robotlink::parseAddressMemory(text.c_str());
        if (address.scanned < 0 || address.scanned > 4)
            std::abort();
        for (std::size_t i = 0; i < address.fields.size(); ++i) {
            const int field = address.fields[i];
            if (field < 0 || field > 255 || (static_cast<int>(i) >= address.scanned && field != 0))
                std::abort();
        }
    }
    return 0;
}
