// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How the crew service reads a request from the bytes a connection receives. They arrive in
// pieces: the first byte says where the input is cut in two, and the outcome must not depend on
// where (but the parser may refuse bytes that are not HTTP for another reason, or only once
// more of them are in). A whole request must not change when more bytes follow it, a connection
// never holds more than one request's worth while it waits, and a refusal is one the service
// answers.

#include "FuzzCheck.h"
#include "RequestReader.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    using State = RequestReader::State;
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const size_t maxHeader = 2048, maxBody = 512;

    RequestReader whole(maxHeader, maxBody);
    const size_t used = whole.read(bytes);
    FUZZ_CHECK(used <= bytes.size());

    // The unused bytes of the first piece come again with the second, as a connection keeps them.
    RequestReader pieces(maxHeader, maxBody);
    const size_t cut = data[0] % (size + 1);
    std::string pending(bytes.substr(0, cut));
    size_t piecesUsed = pieces.read(pending);
    pending.erase(0, piecesUsed);
    if (pieces.state() == State::incomplete) {
        pending.append(bytes.substr(cut));
        piecesUsed += pieces.read(pending);
    }
    if (pieces.state() == State::incomplete && whole.state() == State::refused) {
        FUZZ_CHECK(bytes.size() < maxHeader + maxBody);
        return 0;
    }
    FUZZ_CHECK(pieces.state() == whole.state());

    switch (whole.state()) {
    case State::refused:
        for (const RequestReader *r : {&whole, &pieces})
            FUZZ_CHECK(r->reason() && (r->status() == 400 || r->status() == 411 ||
                                       r->status() == 413 || r->status() == 431));
        break;
    case State::complete: {
        FUZZ_CHECK(piecesUsed == used);
        const RequestReader::Request request = whole.take(), again = pieces.take();
        FUZZ_CHECK(request.body().size() <= maxBody);
        FUZZ_CHECK(request.method_string() == again.method_string() &&
                   request.target() == again.target() && request.body() == again.body());
        RequestReader alone(maxHeader, maxBody);
        FUZZ_CHECK(alone.read(bytes.substr(0, used)) == used && alone.state() == State::complete);
        // Then the next request is read from where this one ended.
        whole.read(bytes.substr(used));
        break;
    }
    case State::incomplete:
        FUZZ_CHECK(bytes.size() < maxHeader + maxBody);
        break;
    }
    return 0;
}
