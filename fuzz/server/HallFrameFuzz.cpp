// Feeds arbitrary bytes through the stream reader and the frame decoder; every decoded
// frame must encode back to the payload it came from, except for short-string fields whose
// padding bytes and over-long length bytes are not significant.

#include "protocol/HallFrame.h"
#include "protocol/HallFrameReader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    HallProto::HallFrameReader reader;
    reader.Append(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    while (auto payload = reader.TakePayload()) {
        const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t *>(payload->data()),
                                             static_cast<size_t>(payload->size()));
        const auto frame = HallProto::DecodeFrame(bytes);
        if (!frame)
            continue;
        const QByteArray again = HallProto::EncodeFrame(*frame);
        const auto reread = HallProto::DecodeFrame(std::span<const uint8_t>(
            reinterpret_cast<const uint8_t *>(again.data()) + HallProto::FrameLengthSize,
            static_cast<size_t>(again.size()) - HallProto::FrameLengthSize));
        if (!reread || !(*reread == *frame))
            std::abort();
    }
    return 0;
}
