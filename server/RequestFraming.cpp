#include "RequestFraming.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace {

bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string_view trimmed(std::string_view s)
{
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// A Content-Length value: digits only, at most what a size_t holds.
std::optional<size_t> length(std::string_view text)
{
    if (text.empty() || text.size() > 18 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    size_t n = 0;
    for (const char c : text)
        n = n * 10 + size_t(c - '0');
    return n;
}

RequestFrame refused(int status, const char16_t *reason)
{
    RequestFrame f;
    f.state = RequestFrame::State::refused;
    f.status = status;
    f.reason = reason;
    return f;
}

} // namespace

RequestFrame frameRequest(std::string_view bytes, size_t maxHeaderBytes, size_t maxBodyBytes)
{
    std::optional<size_t> contentLength;
    bool expectContinue = false;
    size_t headerEnd = 0;
    // The first line is the request line; header lines follow.
    for (size_t at = 0, line = 0;; ++line) {
        const size_t newline = bytes.find('\n', at);
        if (newline == std::string_view::npos || newline >= maxHeaderBytes) {
            if (bytes.size() >= maxHeaderBytes)
                return refused(431, u"The request's headers are too large.");
            return {};
        }
        const std::string_view text = bytes.substr(at, newline + 1 - at);
        at = newline + 1;
        if (line == 0 || text.size() < 2 || text[text.size() - 2] != '\r')
            continue;
        if (text.size() == 2) {
            headerEnd = at;
            break;
        }
        const std::string_view header = text.substr(0, text.size() - 2);
        const size_t colon = header.find(':');
        if (colon == std::string_view::npos)
            continue;
        // As the parser reads it: the name as written, the value without surrounding blanks.
        const std::string_view name = header.substr(0, colon);
        const std::string_view value = trimmed(header.substr(colon + 1));
        if (sameName(name, "Transfer-Encoding"))
            return refused(411, u"Requests must carry a Content-Length.");
        if (sameName(name, "Content-Length")) {
            const auto n = length(value);
            // Two different lengths leave the end of the request in doubt.
            if (!n || (contentLength && *contentLength != *n))
                return refused(400, u"The request could not be read.");
            contentLength = n;
        } else if (sameName(name, "Expect")) {
            expectContinue = sameName(value, "100-continue");
        }
    }

    RequestFrame f;
    f.state = RequestFrame::State::complete;
    f.headerBytes = headerEnd;
    const size_t body = contentLength.value_or(0);
    if (body > maxBodyBytes) {
        // The parser refuses it from the header alone; the body is never read.
        f.size = headerEnd;
        f.bodyTooLarge = true;
        return f;
    }
    f.size = headerEnd + body;
    if (bytes.size() < f.size) {
        f.state = RequestFrame::State::incomplete;
        f.expectsContinue = expectContinue;
    }
    return f;
}
