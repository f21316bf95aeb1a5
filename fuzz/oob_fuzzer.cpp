// Any bytes as an OOB file: loaded into the tables, then saved into the buffer
// twice; a file saved once must save again to the same bytes.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "fuzz_check.h"
#include "oob/oob_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    brackle::Oob oob;
    oob.CurrentOOB = size > 0 ? static_cast<std::uint16_t>(1 + data[0] % 99) : 1;
    brackle::LoadOOBFromBytes(oob, std::span<const std::uint8_t>(data, size));
    FUZZ_CHECK(oob.LoadedSize == (size < brackle::kBufferSize ? size : brackle::kBufferSize));
    FUZZ_CHECK(oob.OOBBuffer.size() == brackle::kBufferSize);

    brackle::WriteTablesToBuffer(oob);
    const std::vector<std::uint8_t> once = oob.OOBBuffer;
    brackle::ReadTablesFromBuffer(oob);
    brackle::WriteTablesToBuffer(oob);
    FUZZ_CHECK(oob.OOBBuffer == once);
    return 0;
}
