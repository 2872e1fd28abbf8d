#include "kwdfaultplan.h"

#include "kwdformfields.h"

bool kwdFaultPlan::parse(const kwdFormFields& fields, Fault* fault, QString* error)
{
    Fault f;
    f.host = fields.value(QStringLiteral("host")).trimmed().toLower();
    f.path = fields.value(QStringLiteral("path")).trimmed();
    const QString kind = fields.value(QStringLiteral("kind")).trimmed().toLower();
    bool ok = true;
    if (kind == QLatin1String("refuse"))
        f.kind = Refuse;
    else if (kind == QLatin1String("reset"))
        f.kind = Reset;
    else if (kind == QLatin1String("stall"))
        f.kind = Stall;
    else if (kind == QLatin1String("truncate"))
        f.kind = Truncate;
    else if (kind == QLatin1String("malformed"))
        f.kind = Malformed;
    else if (kind == QLatin1String("huge"))
        f.kind = Huge;
    else {
        const int status = kind.toInt(&ok);
        if (!ok || status < 100 || status > 599) {
            *error = QStringLiteral("unknown fault kind \"%1\"").arg(kind);
            return false;
        }
        f.kind = Status;
        f.status = status;
    }
    auto number = [&](const char* key, qint64 low, qint64 high, auto* target) {
        const QString text = fields.value(QLatin1String(key)).trimmed();
        if (text.isEmpty())
            return true;
        bool numOk = false;
        const qint64 v = text.toLongLong(&numOk);
        if (!numOk || v < low || v > high) {
            *error = QStringLiteral("bad %1 \"%2\"").arg(QLatin1String(key), text);
            return false;
        }
        *target = static_cast<std::remove_pointer_t<decltype(target)>>(v);
        return true;
    };
    if (!number("ms", 0, 3600 * 1000, &f.ms) || !number("times", 1, 1000000, &f.times) ||
        !number("bytes", 1, qint64(512) * 1024 * 1024, &f.bytes))
        return false;
    *fault = f;
    return true;
}

QString kwdFaultPlan::kindName(Kind kind)
{
    switch (kind) {
    case None:
        return QStringLiteral("none");
    case Refuse:
        return QStringLiteral("refuse");
    case Reset:
        return QStringLiteral("reset");
    case Status:
        return QStringLiteral("status");
    case Stall:
        return QStringLiteral("stall");
    case Truncate:
        return QStringLiteral("truncate");
    case Malformed:
        return QStringLiteral("malformed");
    case Huge:
        return QStringLiteral("huge");
    }
    return QString();
}

void kwdFaultPlan::add(const Fault& fault)
{
    faults.append(fault);
}

void kwdFaultPlan::clear()
{
    faults.clear();
}

bool kwdFaultPlan::matches(const Fault& f, const QString& host, const QString& path)
{
    if (!f.host.isEmpty() && f.host != host)
        return false;
    if (f.path.isEmpty())
        return true;
    if (f.path.endsWith(QLatin1Char('*')))
        return path.startsWith(f.path.left(f.path.size() - 1));
    return f.path == path;
}

kwdFaultPlan::Fault kwdFaultPlan::take(const QString& host, const QString& path)
{
    for (int i = 0; i < faults.size(); ++i) {
        if (!matches(faults[i], host, path))
            continue;
        const Fault f = faults[i];
        if (faults[i].times > 0 && --faults[i].times == 0)
            faults.removeAt(i);
        return f;
    }
    return Fault();
}

QString kwdFaultPlan::describe() const
{
    QString out;
    for (const Fault& f : faults) {
        out += QStringLiteral("host=%1 path=%2 kind=%3 status=%4 ms=%5 times=%6\n")
                   .arg(f.host.isEmpty() ? QStringLiteral("*") : f.host,
                        f.path.isEmpty() ? QStringLiteral("*") : f.path, kindName(f.kind))
                   .arg(f.status)
                   .arg(f.ms)
                   .arg(f.times);
    }
    return out;
}
