#include "kwdmultipartparser.h"

#include <QRegularExpression>

QByteArray kwdMultipartParser::boundaryOf(const QByteArray& contentType)
{
    const QList<QByteArray> params = contentType.split(';');
    if (params.isEmpty() || params.first().trimmed().toLower() != "multipart/form-data")
        return QByteArray();
    for (int i = 1; i < params.size(); ++i) {
        const QByteArray p = params[i].trimmed();
        if (!p.toLower().startsWith("boundary="))
            continue;
        QByteArray b = p.mid(9).trimmed();
        if (b.size() >= 2 && b.startsWith('"') && b.endsWith('"'))
            b = b.mid(1, b.size() - 2);
        return b.size() <= 70 ? b : QByteArray();
    }
    return QByteArray();
}

bool kwdMultipartParser::parse(const QByteArray& body, const QByteArray& boundary, QList<Part>* parts,
                               QString* error)
{
    parts->clear();
    if (boundary.isEmpty()) {
        *error = QStringLiteral("no boundary");
        return false;
    }
    const QByteArray delimiter = "--" + boundary;
    int pos = body.startsWith(delimiter) ? 0 : body.indexOf("\r\n" + delimiter);
    if (pos < 0) {
        *error = QStringLiteral("no opening delimiter");
        return false;
    }
    if (pos > 0)
        pos += 2;
    pos += delimiter.size();
    static const QRegularExpression param(QStringLiteral("(\\w+)\\s*=\\s*(?:\"([^\"]*)\"|([^;\\s]*))"));
    for (;;) {
        if (body.mid(pos, 2) == "--")
            return true; // closing delimiter
        if (body.mid(pos, 2) != "\r\n") {
            *error = QStringLiteral("bad delimiter line");
            return false;
        }
        pos += 2;
        const int headEnd = body.indexOf("\r\n\r\n", pos);
        const int next = body.indexOf("\r\n" + delimiter, pos);
        if (next < 0) {
            *error = QStringLiteral("no closing delimiter");
            return false;
        }
        if (headEnd < 0 || headEnd > next) {
            *error = QStringLiteral("part without headers");
            return false;
        }
        Part part;
        const QList<QByteArray> lines = body.mid(pos, headEnd - pos).split('\n');
        for (const QByteArray& raw : lines) {
            const QByteArray line = raw.trimmed();
            const int colon = line.indexOf(':');
            if (colon <= 0)
                continue;
            const QByteArray name = line.left(colon).trimmed().toLower();
            const QByteArray value = line.mid(colon + 1).trimmed();
            if (name == "content-type") {
                part.contentType = value;
            } else if (name == "content-disposition") {
                auto it = param.globalMatch(QString::fromUtf8(value));
                while (it.hasNext()) {
                    const auto m = it.next();
                    const QString key = m.captured(1).toLower();
                    const QString v = m.capturedStart(2) >= 0 ? m.captured(2) : m.captured(3);
                    if (key == QLatin1String("name")) {
                        part.name = v;
                    } else if (key == QLatin1String("filename")) {
                        part.fileName = v;
                        part.hasFileName = true;
                    }
                }
            }
        }
        if (part.name.isEmpty()) {
            *error = QStringLiteral("part without name");
            return false;
        }
        part.data = body.mid(headEnd + 4, next - headEnd - 4);
        parts->append(part);
        pos = next + 2 + delimiter.size();
    }
}

const kwdMultipartParser::Part* kwdMultipartParser::find(const QList<Part>& parts, const QString& name)
{
    for (const Part& p : parts) {
        if (p.name == name)
            return &p;
    }
    return nullptr;
}
