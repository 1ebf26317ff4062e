// Where the crew service's reader thread finds the end of a request in the bytes received. The
// reader frames a request once its headers are in and then waits for the body by size alone, so
// the frame of a whole request must not change when more bytes follow it, or fewer precede.

#include "FuzzCheck.h"
#include "RequestFraming.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const size_t maxHeader = 2048, maxBody = 512;
    const RequestFrame f = frameRequest(bytes, maxHeader, maxBody);
    switch (f.state) {
    case RequestFrame::State::refused:
        FUZZ_CHECK((f.status == 400 || f.status == 411 || f.status == 431) && f.reason);
        break;
    case RequestFrame::State::complete: {
        FUZZ_CHECK(f.headerBytes > 0 && f.headerBytes <= f.size && f.size <= bytes.size());
        FUZZ_CHECK(f.size - f.headerBytes <= maxBody && f.headerBytes <= maxHeader);
        FUZZ_CHECK(bytes.substr(0, f.headerBytes).find("\n\r\n") == f.headerBytes - 3);
        const RequestFrame alone = frameRequest(bytes.substr(0, f.size), maxHeader, maxBody);
        FUZZ_CHECK(alone.state == f.state && alone.size == f.size &&
                   alone.bodyTooLarge == f.bodyTooLarge);
        if (f.headerBytes < f.size) {
            const RequestFrame partial =
                frameRequest(bytes.substr(0, f.size - 1), maxHeader, maxBody);
            FUZZ_CHECK(partial.state == RequestFrame::State::incomplete &&
                       partial.headerBytes == f.headerBytes && partial.size == f.size);
        }
        break;
    }
    case RequestFrame::State::incomplete:
        FUZZ_CHECK(bytes.size() < maxHeader + maxBody);
        FUZZ_CHECK(!f.headerBytes || f.size > bytes.size());
        break;
    }
    return 0;
}
