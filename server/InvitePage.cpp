// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "InvitePage.h"

#include <QCryptographicHash>

namespace {

// Colours of the app's palette: cream, peach, coral, tomato, ink, taupe.
const char kStyle[] = R"css(
:root{color-scheme:light}
body{margin:0;min-height:100vh;display:flex;align-items:center;justify-content:center;
background:#fff7eb;color:#59402f;font-family:Quicksand,"Nunito","Varela Round",system-ui,sans-serif}
main{max-width:30rem;margin:2rem 1rem;padding:2rem;background:#fff;border-radius:1.5rem;
box-shadow:0 .5rem 2rem rgba(89,64,47,.12)}
.kicker{margin:0;color:#8c7366;font-weight:600}
h1{margin:.3rem 0 .2rem;font-size:2rem;overflow-wrap:anywhere}
.count{margin:0 0 1.5rem;color:#8c7366}
.open{display:block;text-align:center;padding:.9rem;border-radius:999px;background:#ff8c61;
color:#fff;font-weight:700;font-size:1.1rem;text-decoration:none}
.open:hover{background:#f26b4d}
h2{font-size:1rem;margin:1.6rem 0 .4rem}
p{line-height:1.45}
.token{display:flex;gap:.5rem;align-items:center;background:#ffeddb;border-radius:1rem;padding:.6rem .8rem}
code{flex:1;font-size:1rem;user-select:all;overflow-wrap:anywhere}
button{border:0;border-radius:999px;padding:.45rem 1rem;background:#59402f;color:#fff;
font:inherit;font-weight:700;cursor:pointer}
.code{font-weight:700;letter-spacing:.08em}
)css";

// Kept free of page data so that its hash never changes; the token is read from the page.
const char kScript[] = R"js(
(function(){
var b=document.getElementById('copy'),t=document.getElementById('token');
if(!b||!t)return;
b.hidden=false;
function done(){b.textContent='Copied \u2713';}
function select(){var r=document.createRange();r.selectNodeContents(t);
var s=window.getSelection();s.removeAllRanges();s.addRange(r);
try{if(document.execCommand('copy'))done();}catch(e){}}
b.addEventListener('click',function(){
if(navigator.clipboard&&navigator.clipboard.writeText)
navigator.clipboard.writeText(t.textContent).then(done,select);
else select();});
})();
)js";

QByteArray hashSource(const char *text)
{
    return "'sha256-" +
           QCryptographicHash::hash(QByteArray(text), QCryptographicHash::Sha256).toBase64() + '\'';
}

QByteArray page(const QString &title, const QString &main)
{
    return QStringLiteral("<!doctype html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
                          "<meta name=\"viewport\" content=\"width=device-width,initial-scale=1\">"
                          "<title>%1</title><style>%2</style></head>\n<body><main>%3</main>"
                          "<script>%4</script></body></html>\n")
        .arg(title, QString::fromUtf8(kStyle), main, QString::fromUtf8(kScript))
        .toUtf8();
}

} // namespace

namespace InvitePage {

QString escapeHtml(const QString &text)
{
    QString out;
    out.reserve(text.size() + 16);
    for (QChar c : text) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1StringView("&amp;");
            break;
        case '<':
            out += QLatin1StringView("&lt;");
            break;
        case '>':
            out += QLatin1StringView("&gt;");
            break;
        case '"':
            out += QLatin1StringView("&quot;");
            break;
        case '\'':
            out += QLatin1StringView("&#39;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QByteArray html(const QString &code, const QString &crewName, int members)
{
    const QString name = escapeHtml(crewName);
    const QString count =
        members == 1 ? QStringLiteral("1 member is racing for today's crown.")
                     : QStringLiteral("%1 members are racing for today's crown.").arg(members);
    // code is always six letters or digits here, so it needs no escaping.
    const QString main =
        QStringLiteral("<p class=\"kicker\">You're invited to a Tockly crew &#128081;</p>"
                       "<h1>%1</h1><p class=\"count\">%2</p>"
                       "<a class=\"open\" href=\"quenby://join/%3\">Open in Tockly</a>"
                       "<h2>Or copy the invitation</h2>"
                       "<p>Copy this token. Tockly finds it on your clipboard the next time it "
                       "starts and asks "
                       "you for a nickname.</p>"
                       "<div class=\"token\"><code id=\"token\">QUENBY-JOIN:%3</code>"
                       "<button id=\"copy\" type=\"button\" hidden>Copy</button></div>"
                       "<h2>No Tockly yet?</h2>"
                       "<p>Install Tockly, copy the token above, then start Tockly: it picks up "
                       "the invitation "
                       "by itself. Or open Tockly's panel card and join with the code "
                       "<span class=\"code\">%3</span>.</p>")
            .arg(name, count, code);
    return page(QStringLiteral("Join %1 on Tockly").arg(name), main);
}

QByteArray notFound()
{
    return page(
        QStringLiteral("Crew not found"),
        QStringLiteral("<p class=\"kicker\">Tockly crews</p><h1>We can't find that crew</h1>"
                       "<p>The link may be mistyped, or everyone has left the crew. Ask "
                       "whoever sent it for a fresh invitation.</p>"));
}

const QByteArray &contentSecurityPolicy()
{
    static const QByteArray policy =
        "default-src 'none'; script-src " + hashSource(kScript) + "; style-src " +
        hashSource(kStyle) + "; base-uri 'none'; form-action 'none'; frame-ancestors 'none'";
    return policy;
}

} // namespace InvitePage
