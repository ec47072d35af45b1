#include "web/WebRoutes.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRegularExpression>

namespace {

QByteArray resourcePage()
{
    QFile file(QStringLiteral(":/web/index.html"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The text between the first open tag and its close tag.
QByteArray between(const QByteArray& page, const QByteArray& open, const QByteArray& close)
{
    const qsizetype start = page.indexOf(open);
    if (start < 0)
        return {};
    const qsizetype from = start + open.size();
    const qsizetype end = page.indexOf(close, from);
    return end < 0 ? QByteArray() : page.mid(from, end - from);
}

QByteArray hashSource(const QByteArray& text)
{
    return "'sha256-" + QCryptographicHash::hash(text, QCryptographicHash::Sha256).toBase64() + '\'';
}

// A host name, IPv4 or bracketed IPv6 address, with an optional port: the
// only Host headers that go into the policy.
bool isPlainHost(const QByteArray& host)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(?:[A-Za-z0-9.-]{1,253}|\\[[0-9A-Fa-f:.]{2,45}\\])(?::[0-9]{1,5})?$"));
    return pattern.match(QString::fromLatin1(host)).hasMatch();
}

} // namespace

WebRoutes::WebRoutes() : WebRoutes(resourcePage())
{
}

WebRoutes::WebRoutes(QByteArray page) : m_page(std::move(page))
{
    m_policy = "default-src 'none'; script-src " + hashSource(between(m_page, "<script>", "</script>")) + "; style-src "
        + hashSource(between(m_page, "<style>", "</style>"))
        + "; img-src data:; base-uri 'none'; form-action 'none'; frame-ancestors 'none'; connect-src 'self'";
}

QList<QPair<QByteArray, QByteArray>> WebRoutes::securityHeaders(const QByteArray& host) const
{
    // Browsers that do not count ws: as 'self' get the display's own address.
    const QByteArray policy = isPlainHost(host) ? m_policy + " ws://" + host : m_policy;
    return {
        {"Content-Security-Policy", policy},
        {"X-Content-Type-Options", "nosniff"},
        {"X-Frame-Options", "DENY"},
        {"Referrer-Policy", "no-referrer"},
        {"Cross-Origin-Resource-Policy", "same-origin"},
        {"Cache-Control", "no-store"},
    };
}

bool WebRoutes::isPagePath(const QByteArray& path)
{
    static const QRegularExpression pattern(QStringLiteral("^/(?:|rangliste|bahn/(?:[1-9][0-9]{0,2}))$"));
    if (path.size() > 16 || !pattern.match(QString::fromLatin1(path)).hasMatch())
        return false;
    return !path.startsWith("/bahn/") || path.mid(6).toInt() <= 255;
}

WebRoutes::Response WebRoutes::respond(const QByteArray& method, const QByteArray& path, const QByteArray& host) const
{
    Response response;
    response.headers = securityHeaders(host);
    response.contentType = "text/plain; charset=utf-8";
    if (method != "GET") {
        response.status = 405;
        response.headers.append(qMakePair(QByteArray("Allow"), QByteArray("GET")));
        response.body = "Nur Lesen: diese Anzeige nimmt keine Anfragen an.\n";
    } else if (!isPagePath(path)) {
        response.status = 404;
        response.body = "Nicht gefunden.\n";
    } else {
        response.contentType = "text/html; charset=utf-8";
        response.body = m_page;
    }
    return response;
}
