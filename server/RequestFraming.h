#pragma once

#include <cstddef>
#include <string_view>

// Where the next request ends in the bytes a connection has sent so far, read before any worker
// sees them: the request line, header lines up to the first empty line ("\r\n"; lines that do
// not end in "\r\n" are skipped, as the HTTP parser skips them), then as many body bytes as
// Content-Length gives. Bodies without a length (chunked) are refused. The header block ends at
// the first "\n\r\n", so a caller that receives bytes piecemeal can look for that alone.
struct RequestFrame {
    enum class State { incomplete, complete, refused };
    State state = State::incomplete;
    size_t headerBytes = 0;       // once the empty line has arrived: up to and including it
    size_t size = 0;              // once the empty line has arrived: header and body
    bool expectsContinue = false; // "Expect: 100-continue" and the body is still to come
    bool bodyTooLarge = false;    // complete without its body: answer and close
    int status = 0;               // refused: the status to answer with
    const char16_t *reason = nullptr;
};

RequestFrame frameRequest(std::string_view bytes, size_t maxHeaderBytes, size_t maxBodyBytes);
