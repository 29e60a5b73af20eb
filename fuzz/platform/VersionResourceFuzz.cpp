#include "platform/VersionResource.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const auto root = Platform::ParseVersionResource({data, size});
    if (root) {
        // Whatever parses must rebuild and parse to the same tree shape.
        const auto bytes = Platform::BuildVersionResource(*root);
        const auto again = Platform::ParseVersionResource(bytes);
        if (!again || again->Children.size() != root->Children.size())
            __builtin_trap();
        (void)Platform::DecodeFixedFileInfo(root->Value);
    }
    return 0;
}
