#include "kwdfuzzharness.h"

#include "kwdresultdocument.h"
#include "kwdstore.h"
#include "qvmitemregion.h"
#include "qvmitemroad.h"
#include "qvmlistitem.h"

#include <QApplication>
#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

// clang says so through __has_feature, gcc (the sanitized replay of scripts/test --sanitize) through
// __SANITIZE_ADDRESS__.
#if defined(__SANITIZE_ADDRESS__)
#define KWD_LSAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KWD_LSAN 1
#endif
#endif
#ifdef KWD_LSAN
#include <sanitizer/lsan_interface.h>
#endif

namespace {

// Millions of inputs are mostly broken documents; the parsers' warnings about them are noise.
void quietHandler(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        std::abort();
    }
}

QTemporaryDir* home()
{
    // The store commits every file with a sync to disk; in memory that costs nothing, which keeps
    // the loaders' targets at thousands of runs a second instead of a hundred.
    const QString shm = QStringLiteral("/dev/shm");
    const QString base = QFileInfo(shm).isWritable() ? shm : QDir::tempPath();
    static QTemporaryDir dir(base + QStringLiteral("/kwdfuzz-XXXXXX"));
    return &dir;
}

} // namespace

void kwdFuzzHarness::init()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    const QByteArray path = home()->path().toUtf8();
    qputenv("HOME", path);
    qputenv("XDG_CONFIG_HOME", path + "/.config");
    qputenv("XDG_DATA_HOME", path + "/.local/share");
    qputenv("XDG_CACHE_HOME", path + "/.cache");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("http_proxy");
    qunsetenv("KWDPERSONAL_CONF");
    if (qEnvironmentVariableIsEmpty("KWD_FUZZ_VERBOSE"))
        qInstallMessageHandler(quietHandler);
    static int argc = 1;
    static char name[] = "kwdfuzz";
    static char* argv[] = {name, nullptr};
#ifdef KWD_LSAN
    // Qt keeps its font database, freetype faces and glyph caches for the whole process and frees
    // some only at thread end (never, for the main thread), so they would be reported as leaks.
    // Made here, with the checker looking away, they and what hangs off them count as reachable.
    __lsan_disable();
#endif
    static QApplication app(argc, argv);
    kwdStore::instance()->dataPath();
    kwdStore::instance()->screenDpi();
    QImage canvas(360, 64, QImage::Format_RGB32);
    QPainter painter(&canvas);
    for (const QFont& font : {qvmListItem::titleFont(), qvmListItem::textFont(), QApplication::font()}) {
        painter.setFont(font);
        painter.drawText(canvas.rect(), Qt::TextWordWrap, QStringLiteral("北京 东城区 Abc 123 ¥ …"));
    }
    painter.end();
#ifdef KWD_LSAN
    __lsan_enable();
#endif
}

QByteArray kwdFuzzHarness::bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

void kwdFuzzHarness::check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "property violated: %s\n", what);
        std::abort();
    }
}

qvmListItem* kwdFuzzHarness::newRow(int category)
{
    if (category == 5)
        return new qvmItemRegion;
    if (category == 6)
        return new qvmItemRoad;
    return qvmListItem::createForKind(category);
}

void kwdFuzzHarness::exerciseRow(qvmListItem* row, int category)
{
    // A window's worth of pixels: what lies below is clipped, as in the view.
    QImage canvas(360, 640, QImage::Format_RGB32);
    QPainter painter(&canvas);
    for (int width : {360, 90}) {
        for (int mode = 0; mode < 3; ++mode) {
            const int h = row->height(width, mode);
            check(h >= 0, "a row's height is not negative");
            row->paint(&painter, QRect(0, 0, width, h), mode);
        }
        for (const qvmLink& link : row->links())
            check(link.action >= qvmListItem::LinkPictures && link.action <= qvmListItem::LinkRelated,
                  "a link opens a known page");
    }
    row->phoneNumbers();
    row->displayName();

    // The favourites file keeps rows in their stream form: what was written must read back the same.
    QByteArray first;
    {
        QDataStream out(&first, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_4_6);
        row->write(out);
    }
    qvmListItem* copy = newRow(category);
    {
        QDataStream in(first);
        in.setVersion(QDataStream::Qt_4_6);
        check(copy->read(in) && in.status() == QDataStream::Ok, "a written row reads back");
    }
    QByteArray second;
    {
        QDataStream out(&second, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_4_6);
        copy->write(out);
    }
    check(first == second, "a row read back writes the same bytes");
    copy->assign(row);
    delete copy;
}

void kwdFuzzHarness::detail(const QByteArray& body, int category)
{
    kwdResultDocument doc;
    if (!doc.read(body, category))
        return;
    const QDomElement element = doc.firstRecord();
    if (element.isNull())
        return;
    qvmListItem* row = newRow(category);
    if (row->read(element)) {
        row->complete = true;
        row->invalidate();
        // A detail reply read again into the same row (a second opening) must not pile up.
        row->read(element);
        exerciseRow(row, category);
    }
    delete row;
}

void kwdFuzzHarness::placeDataFile(const QByteArray& body, const QString& name)
{
    QFile file(kwdStore::instance()->dataFile(name));
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the data file can be written");
    file.write(body);
}
