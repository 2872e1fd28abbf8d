// Round trips and transfer rates of the request holder against a loopback server: what a result page
// (many small documents) and the picture list (large downloads to file) cost on this machine.
#include "kwdbench.h"
#include "kwdstore.h"
#include "qvmhttpholder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

// Answers every request with a body of the size named by its path ("/1024"), then closes.
class LoopbackServer : public QTcpServer
{
public:
    LoopbackServer()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, s, [s] {
                    const QByteArray head = s->peek(4096);
                    if (!head.contains("\r\n\r\n"))
                        return;
                    s->readAll();
                    const int size = head.mid(5, head.indexOf(' ', 5) - 5).toInt();
                    s->write("HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: " +
                             QByteArray::number(size) + "\r\n\r\n");
                    s->write(QByteArray(size, 'x'));
                    s->disconnectFromHost();
                });
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            }
        });
    }
};

class Waiter : public QObject
{
    Q_OBJECT
public:
    int pending = 0;
    qint64 bytes = 0;
    QEventLoop loop;

public Q_SLOTS:
    void onHttpResponse(int id, int err)
    {
        qvmHttpRequest* r = qvmHttpHolder::instance()->request(id);
        if (err == 0 && r && r->body)
            bytes += r->body->size();
        qvmHttpHolder::instance()->remove(id);
        if (--pending == 0)
            loop.quit();
    }
};

class BenchHttpHolder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void smallDocuments_data();
    void smallDocuments();
    void largeDownload_data();
    void largeDownload();

private:
    void run(int count, int size, bool toFile, int parallel);
    LoopbackServer server;
    qvmHttpHolder* holder = nullptr;
};

void BenchHttpHolder::initTestCase()
{
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    holder = new qvmHttpHolder(this);
}

void BenchHttpHolder::run(int count, int size, bool toFile, int parallel)
{
    Waiter w;
    const QString url = QStringLiteral("http://127.0.0.1:%1/%2").arg(server.serverPort()).arg(size);
    int started = 0;
    while (started < count) {
        const int batch = qMin(parallel, count - started);
        w.pending = batch;
        for (int i = 0; i < batch; ++i)
            QVERIFY(holder->get(url, &w, toFile) > 0);
        started += batch;
        w.loop.exec();
    }
}

void BenchHttpHolder::smallDocuments_data()
{
    QTest::addColumn<int>("parallel");
    QTest::newRow("one at a time") << 1;
    QTest::newRow("six at a time") << 6;
}

void BenchHttpHolder::smallDocuments()
{
    QFETCH(int, parallel);
    // A result page of 20 rows is about 8 KB.
    QBENCHMARK
    {
        run(60, 8 * 1024, false, parallel);
    }
}

void BenchHttpHolder::largeDownload_data()
{
    QTest::addColumn<bool>("toFile");
    QTest::newRow("in memory") << false;
    QTest::newRow("to file") << true;
}

void BenchHttpHolder::largeDownload()
{
    QFETCH(bool, toFile);
    QBENCHMARK
    {
        run(1, 32 * 1024 * 1024, toFile, 1);
    }
}

int main(int argc, char** argv)
{
    // Downloads to file land in the data directory under HOME: keep them out of the user's.
    QTemporaryDir home;
    kwdBench::useHome(home);
    QApplication app(argc, argv);
    BenchHttpHolder bench;
    const int rc = QTest::qExec(&bench, argc, argv);
    kwdStore::destroy();
    return rc;
}

#include "bench_qvmhttpholder.moc"
