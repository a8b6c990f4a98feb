#pragma once

// One guide fetch against a scripted server, with one log of the boxes the
// client shows and the calls it makes, so their order is checked too.

#include "MessageBoxRecorder.h"
#include "ScriptedHttpServer.h"
#include "TestImages.h"
#include "frmDownload.h"

#include <QTest>

#include <functional>
#include <memory>

namespace velmora::test {

// A box is logged by its code ("DN1002"); a communication error also by the
// number and description it names ("DN1001 104 Connection reset by peer").
class LoggingBoxes : public MessageBoxRecorder {
public:
    QStringList log;
    QMessageBox::StandardButton show(const MessageBoxRequest& request) override {
        QString entry = request.text.mid(6, 6);
        const qsizetype number = request.text.indexOf(QLatin1String("Error Number: "));
        const qsizetype description = request.text.indexOf(QLatin1String("\r\nDescription: "));
        if (number >= 0 && description > number)
            entry += QLatin1Char(' ') + request.text.mid(number + 14, description - number - 14) +
                     QLatin1Char(' ') + request.text.mid(description + 15);
        log << entry;
        return MessageBoxRecorder::show(request);
    }
};

// A call is logged as "count N" or "page N WxH|empty"; the pages are kept,
// as the main window's page store keeps them.
class LoggingReceiver : public PageReceiver {
public:
    explicit LoggingReceiver(QStringList& log) : m_log(log) {}
    void NumberOfPages(int lngTotalPages) override {
        m_log << QStringLiteral("count %1").arg(lngTotalPages);
        pages.clear();
    }
    void LoadPictureAtPage(int lngPageNumber, const Picture& picPage) override {
        const QString size =
            picPage.isEmpty() ? QStringLiteral("empty")
                              : QStringLiteral("%1x%2").arg(picPage.width()).arg(picPage.height());
        m_log << QStringLiteral("page %1 %2").arg(lngPageNumber).arg(size);
        pages << picPage;
        if (onPage)
            onPage(lngPageNumber);
    }
    std::function<void(int)> onPage;
    QList<Picture> pages;

private:
    QStringList& m_log;
};

inline QByteArray ok(const QByteArray& body) {
    return ScriptedHttpServer::response("200 OK", body);
}

struct Fetch {
    ScriptedHttpServer server;
    LoggingBoxes boxes;
    LoggingReceiver receiver{boxes.log};
    std::unique_ptr<frmDownload> window = std::make_unique<frmDownload>();

    Fetch() { QVERIFY(server.listen()); }
    /// Serves `index` as /x/idx.txt.
    void serveIndex(const QByteArray& index) { server.addReply("/x/idx.txt", ok(index)); }
    void start(const QString& path = QStringLiteral("/x/idx.txt")) {
        window->setGroupFileURL(QStringLiteral("http://%1%2").arg(server.hostPort(), path));
        window->setParentForm(&receiver);
        window->StartWorking();
    }
    bool finished() const { return !window->isWorking(); }
};

} // namespace velmora::test
