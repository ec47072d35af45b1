#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

// What the web view answers to a request: its one page (for "/", "/bahn/N"
// and "/rangliste") from memory, or an error. Nothing a request carries
// reaches the file system; every answer carries a strict content-security
// policy that lets the page run only its own script and style and talk only
// to the display it came from.
class WebRoutes {
public:
    struct Response {
        int status = 200;
        QByteArray contentType;
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers;
    };

    // The page from the program's resources.
    WebRoutes();
    // A page of one's own (tests).
    explicit WebRoutes(QByteArray page);

    // method as sent ("GET"), path as sent (still percent-encoded), host the
    // request's Host header.
    Response respond(const QByteArray& method, const QByteArray& path, const QByteArray& host) const;
    // The headers every answer carries.
    QList<QPair<QByteArray, QByteArray>> securityHeaders(const QByteArray& host) const;

    // Whether the path names the page: "/", "/rangliste" or "/bahn/" and a
    // lane number 1..255 in plain digits.
    static bool isPagePath(const QByteArray& path);

    const QByteArray& page() const { return m_page; }

private:
    QByteArray m_page;
    QByteArray m_policy;
};
