// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RequestReader.h"

#include "CrewWire.h"

#include <boost/asio/buffer.hpp>
#include <boost/beast/core/string.hpp>
#include <boost/beast/http/error.hpp>

namespace http = boost::beast::http;
namespace Code = CrewWire::ErrorCode;

RequestReader::RequestReader(size_t maxHeaderBytes, size_t maxBodyBytes)
    : m_maxHeaderBytes(maxHeaderBytes), m_maxBodyBytes(maxBodyBytes)
{
    begin();
}

void RequestReader::begin()
{
    // A parser reads one message.
    m_parser.emplace();
    m_parser->header_limit(std::uint32_t(m_maxHeaderBytes));
    m_parser->body_limit(m_maxBodyBytes);
    m_headerBytes = 0;
    m_headerChecked = false;
    m_state = State::incomplete;
}

size_t RequestReader::read(std::string_view bytes)
{
    size_t used = 0;
    // Never with nothing to read: the parser would do arithmetic on an empty buffer's null data.
    while (m_state == State::incomplete && used < bytes.size()) {
        boost::beast::error_code ec;
        const size_t n = m_parser->put(boost::asio::buffer(bytes.substr(used)), ec);
        used += n;
        if (!m_headerChecked) {
            m_headerBytes += n;
            // The parser's own limit counts from where each call begins, so a header that comes
            // in pieces could pass it; this one counts from the header's first byte.
            const size_t unused = m_parser->is_header_done() ? 0 : bytes.size() - used;
            if (ec == http::error::header_limit || m_headerBytes + unused >= m_maxHeaderBytes) {
                refuse(431, Code::headersTooLarge, u"The request's headers are too large.");
                break;
            }
        }
        if (ec == http::error::need_more)
            break;
        if (ec == http::error::body_limit) {
            // Known from Content-Length alone: the body is never read.
            refuse(413, Code::bodyTooLarge, u"The request is too large.");
        } else if (ec == http::error::bad_transfer_encoding) {
            refuse(411, Code::lengthRequired, u"Requests must carry a Content-Length.");
        } else if (ec) {
            refuse(400, Code::badRequest, u"The request could not be read.");
        } else if (m_parser->is_header_done() && !m_headerChecked) {
            m_headerChecked = true;
            // The parser stops after the header until told otherwise, so this comes first.
            if (m_parser->get().count(http::field::transfer_encoding))
                refuse(411, Code::lengthRequired, u"Requests must carry a Content-Length.");
            m_parser->eager(true);
        }
        if (m_state != State::incomplete)
            break;
        if (m_parser->is_done())
            m_state = State::complete;
        else if (n == 0)
            break;
    }
    return used;
}

bool RequestReader::expectsContinue() const
{
    return m_state == State::incomplete && m_parser->is_header_done() &&
           boost::beast::iequals(m_parser->get()[http::field::expect], "100-continue");
}

RequestReader::Request RequestReader::take()
{
    Request request = m_parser->release();
    begin();
    return request;
}

void RequestReader::refuse(int status, const char *code, const char16_t *reason)
{
    m_state = State::refused;
    m_status = status;
    m_code = code;
    m_reason = reason;
}
