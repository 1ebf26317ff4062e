// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <boost/beast/http/parser.hpp>
#include <boost/beast/http/string_body.hpp>

#include <optional>
#include <string_view>

// Reads the requests a connection sends, one after the other, with Beast's parser under the
// service's limits, and decides what is refused before a body is read: a header block of
// maxHeaderBytes or more (431), a Content-Length over maxBodyBytes (413), a body without a length
// (411), anything unreadable (400). A refused connection is answered and closed, since where its
// next request would begin is unknown.
class RequestReader {
public:
    using Request = boost::beast::http::request<boost::beast::http::string_body>;
    enum class State { incomplete, complete, refused };

    RequestReader(size_t maxHeaderBytes, size_t maxBodyBytes);

    // Reads on in `bytes`, the received bytes from where the last call's used ones end; returns
    // how many it used. What it cannot use yet (a header line not whole) comes again with more.
    size_t read(std::string_view bytes);

    State state() const { return m_state; }
    // The header is in, its body is still to come, and the client waits to be told to send it.
    bool expectsContinue() const;
    int status() const { return m_status; }     // refused: the status to answer with
    const char *code() const { return m_code; } // one of CrewWire::ErrorCode
    const char16_t *reason() const { return m_reason; }

    // The complete request; the reader then waits for the next one.
    Request take();

private:
    void begin();
    void refuse(int status, const char *code, const char16_t *reason);

    const size_t m_maxHeaderBytes, m_maxBodyBytes;
    std::optional<boost::beast::http::request_parser<boost::beast::http::string_body>> m_parser;
    size_t m_headerBytes = 0; // of the request under way, as far as the parser has used them
    bool m_headerChecked = false;
    State m_state = State::incomplete;
    int m_status = 0;
    const char *m_code = nullptr;
    const char16_t *m_reason = nullptr;
};
