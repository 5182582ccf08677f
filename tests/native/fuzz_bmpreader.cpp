// libFuzzer target: BMP data, however damaged, decodes or is refused with EInvalidGraphic, as a
// file (file header first) and as a resource (the info header first). Anything else (a crash, a
// sanitizer report, another exception) is a finding.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "bmpreader.h"

namespace {

// Larger pictures decode the same way, only slower: the fuzzer's time goes to more inputs.
constexpr int64_t MaxDecodedPixels = int64_t(1) << 22;

void Read(const std::uint8_t* Data, std::size_t Size, bool FileHeader)
{
    try {
        TBmpReader reader(Data, Size, FileHeader);
        const int64_t pixels = int64_t(reader.Width()) * reader.Height();
        if (pixels > MaxDecodedPixels)
            return;
        std::vector<std::uint32_t> out(static_cast<std::size_t>(pixels));
        reader.Decode(out.data(), reader.Width());
    } catch (const EInvalidGraphic&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    Read(Data, Size, true);
    Read(Data, Size, false);
    return 0;
}
