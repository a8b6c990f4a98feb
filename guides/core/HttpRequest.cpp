#include "HttpRequest.h"

namespace velmora {

namespace {

QByteArray escapeControls(const QByteArray& bytes) {
    QByteArray out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            out += '%' + QByteArray::number(byte, 16).rightJustified(2, '0').toUpper();
        else
            out += c;
    }
    return out;
}

} // namespace

QByteArray BuildRequest(const QString& host, const QByteArray& path) {
    const QByteArray safeHost = escapeControls(host.toUtf8());
    QByteArray request;
    request += "GET " + escapeControls(path) + " HTTP/1.0\r\n";
    request += "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, "
               "application/vnd.ms-powerpoint, application/vnd.ms-excel, application/msword, "
               "application/x-shockwave-flash, */*\r\n";
    request += "Referer: " + safeHost + "\r\n";
    request += "User-Agent: Mozilla/4.0 (compatible; MSIE 5.5; Windows 98; Win 9x 4.90)\r\n";
    request += "Host: " + safeHost + "\r\n";
    request += "\r\n";
    return request;
}

} // namespace velmora
