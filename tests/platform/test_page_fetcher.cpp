// The settings home's page fetch against a real HTTP server on 127.0.0.1, started by the test:
// a notice page, a page without markers, an error status, a refused port, a server that never
// answers (the bounded wait), and addresses that are no web addresses at all.

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include "foundation/gbk.h"
#include "foundation/platform/qt_network.h"
#include "support/data_rows.h"

namespace {

// Answers each request from a table of paths; "/silent" is accepted and never answered.
class LocalServer : public QTcpServer {
  public:
    LocalServer() {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
            }
        });
        listen(QHostAddress::LocalHost);
    }
    QString address(const QString& path) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path);
    }

  private:
    void answer(QTcpSocket* socket) {
        const QByteArray request = socket->readAll();
        const QByteArray path = request.split(' ').value(1);
        if (path == "/silent") {
            return;
        }
        QByteArray status = "200 OK";
        QByteArray body;
        if (path == "/notice") {
            body =
                "<html><head><meta charset=\"utf-8\"><title>t</title></head><body><pre>"
                "[*debaclock公告源码*]&lt;h1&gt;公告&lt;/h1&gt;\n&lt;p&gt;x&amp;y&lt;/p&gt;"
                "[*源码结束*]</pre><p>[*版本号*]4.1.4[*更新日期*]2024-06-01</p></body></html>";
        } else if (path == "/gbk") {
            body = "<html><head><meta charset=\"gbk\"></head><body>" +
                   ToGbk(QStringLiteral("[*版本号*]五[*更新日期*]")) + "</body></html>";
        } else if (path == "/plain") {
            body = "<html><body><p>no markers here</p></body></html>";
        } else {
            status = "404 Not Found";
            body = "<html><body>[*版本号*]9.9.9[*更新日期*]</body></html>";
        }
        socket->write("HTTP/1.1 " + status + "\r\nContent-Type: text/html\r\nContent-Length: " +
                      QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
    }
};

// The text one fetch of `address` gives.
QString Fetch(const QString& address, int timeoutMs = QtPageFetcher::kDefaultTimeoutMs) {
    QtPageFetcher fetcher(nullptr, timeoutMs);
    QSignalSpy spy(&fetcher, &PageFetcher::fetched);
    fetcher.fetch(address);
    if (!spy.wait(timeoutMs + 5000)) {
        return QStringLiteral("<nothing came>");
    }
    return spy.count() == 1 ? spy.at(0).at(0).toString() : QStringLiteral("<more than once>");
}

}  // namespace

class PageFetcherTest : public QObject {
    Q_OBJECT

  private slots:
    void bodyText() {
        LocalServer server;
        QVERIFY(server.isListening());
        const QString notice = Fetch(server.address("/notice"));
        // The markup written as text comes back as markup, line breaks and all.
        QVERIFY2(notice.contains("[*debaclock公告源码*]<h1>公告</h1>\n<p>x&y</p>[*源码结束*]"),
                 qPrintable(notice));
        QVERIFY(notice.contains("[*版本号*]4.1.4[*更新日期*]"));
        QCOMPARE(Fetch(server.address("/gbk")).trimmed(), QString("[*版本号*]五[*更新日期*]"));
        QCOMPARE(Fetch(server.address("/plain")).trimmed(), QString("no markers here"));
    }

    void noPageGivesTheEmptyText_data() {
        QTest::addColumn<QString>("address");
        AddRow("an error status", QString("/missing"));
        AddRow("a refused port", QString("refused"));
        AddRow("empty", QString());
        AddRow("a local file", QString("file:///etc/hostname"));
        AddRow("another scheme", QString("ftp://127.0.0.1/notice"));
        AddRow("no address at all", QString("notice.html"));
    }
    void noPageGivesTheEmptyText() {
        QFETCH(QString, address);
        LocalServer server;
        if (address.startsWith('/')) {
            address = server.address(address);
        } else if (address == "refused") {
            QTcpServer closed;
            closed.listen(QHostAddress::LocalHost);
            address = QStringLiteral("http://127.0.0.1:%1/").arg(closed.serverPort());
            closed.close();  // nobody listens there any more
        }
        QCOMPARE(Fetch(address), QString());
    }

    void aServerThatNeverAnswersIsGivenUp() {
        LocalServer server;
        // The program waits 15 s; the same wait, shortened, must end on its own.
        QCOMPARE(Fetch(server.address("/silent"), 300), QString());
    }
};

QTEST_MAIN(PageFetcherTest)
#include "test_page_fetcher.moc"
