#include "KeptChanges.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>
#include <cstdio>

namespace {

const char *const kindNames[] = {"file", "row", "record", "admin"};
constexpr int kKinds = int(sizeof kindNames / sizeof *kindNames);

QJsonValue stateValue(const QString &state)
{
    return state.isNull() ? QJsonValue(QJsonValue::Null) : QJsonValue(state);
}

QString stateOf(const QJsonValue &value)
{
    return value.isString() ? value.toString() : QString();
}

bool kindOf(const QString &name, KeptChanges::Kind *kind)
{
    for (int k = 0; k < kKinds; ++k) {
        if (name == QLatin1String(kindNames[k])) {
            *kind = KeptChanges::Kind(k);
            return true;
        }
    }
    return false;
}

QString tr(const char *text)
{
    return QCoreApplication::translate("KeptChanges", text);
}

} // namespace

QString KeptChanges::path(const QString &work, const QString &name)
{
    return work + QLatin1String("TEMP/KEPT-") + name + QLatin1String(".json");
}

KeptChanges::KeptChanges(const QString &path)
    : m_path(path)
{
}

bool KeptChanges::load(QString *error)
{
    m_changes.clear();
    QFile file(m_path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = tr("Impossible de lire le fichier %1: %2.").arg(m_path, file.errorString());
        return false;
    }
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parse);
    file.close();
    QList<Change> read;
    bool whole = parse.error == QJsonParseError::NoError && doc.isArray();
    for (const QJsonValue &value : doc.array()) {
        const QJsonObject o = value.toObject();
        Change c;
        if (!value.isObject() || !kindOf(o.value(QLatin1String("kind")).toString(), &c.kind)
            || !o.value(QLatin1String("key")).isString()) {
            whole = false;
            break;
        }
        c.key = o.value(QLatin1String("key")).toString();
        c.before = stateOf(o.value(QLatin1String("before")));
        c.after = stateOf(o.value(QLatin1String("after")));
        for (const QJsonValue &e : o.value(QLatin1String("extra")).toArray())
            c.extra << e.toString();
        read << c;
    }
    if (whole) {
        m_changes = read;
        return true;
    }
    // Kept aside for whoever looks into it; the next save starts afresh.
    const QString aside = m_path + QLatin1String(".damaged");
    QFile::remove(aside);
    QFile::rename(m_path, aside);
    if (error)
        *error = tr("Le fichier %1 est endommagé: il a été mis de côté (%2).").arg(m_path, aside);
    return false;
}

bool KeptChanges::save(QString *error) const
{
    if (m_changes.isEmpty()) {
        if (!QFile::exists(m_path) || QFile::remove(m_path))
            return true;
        if (error)
            *error = tr("Impossible de supprimer le fichier %1.").arg(m_path);
        return false;
    }
    QJsonArray all;
    for (const Change &c : m_changes) {
        QJsonObject o;
        o.insert(QLatin1String("kind"), QLatin1String(kindNames[c.kind]));
        o.insert(QLatin1String("key"), c.key);
        o.insert(QLatin1String("before"), stateValue(c.before));
        o.insert(QLatin1String("after"), stateValue(c.after));
        if (!c.extra.isEmpty())
            o.insert(QLatin1String("extra"), QJsonArray::fromStringList(c.extra));
        all.append(o);
    }
    const QByteArray bytes = QJsonDocument(all).toJson(QJsonDocument::Compact);
    // Written beside it, then put in its place by one rename over it.
    const QString fresh = m_path + QLatin1String(".new");
    QFile out(fresh);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error)
            *error = tr("Impossible de créer le fichier %1: %2.").arg(fresh, out.errorString());
        return false;
    }
    const bool written = out.write(bytes) == bytes.size() && out.flush();
    const QString why = out.errorString();
    out.close();
    if (!written) {
        QFile::remove(fresh);
        if (error)
            *error = tr("Impossible d'écrire le fichier %1: %2.").arg(fresh, why);
        return false;
    }
    if (std::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(m_path).constData()) == 0)
        return true;
    const QString renameWhy = qt_error_string(errno);
    QFile::remove(fresh);
    if (error)
        *error = tr("Impossible de remplacer le fichier %1: %2.").arg(m_path, renameWhy);
    return false;
}

QList<KeptChanges::Change> KeptChanges::changes(Kind kind) const
{
    QList<Change> out;
    for (const Change &c : m_changes) {
        if (c.kind == kind)
            out << c;
    }
    return out;
}

int KeptChanges::indexOf(Kind kind, const QString &key) const
{
    for (int i = 0; i < m_changes.size(); ++i) {
        if (m_changes.at(i).kind == kind && m_changes.at(i).key == key)
            return i;
    }
    return -1;
}

KeptChanges::Change KeptChanges::find(Kind kind, const QString &key) const
{
    const int at = indexOf(kind, key);
    return at < 0 ? Change() : m_changes.at(at);
}

void KeptChanges::keep(const Change &change)
{
    const int at = indexOf(change.kind, change.key);
    if (at < 0) {
        m_changes << change;
        return;
    }
    Change merged = change;
    merged.before = m_changes.at(at).before;
    m_changes[at] = merged;
}

void KeptChanges::replace(const Change &change)
{
    const int at = indexOf(change.kind, change.key);
    if (at < 0)
        m_changes << change;
    else
        m_changes[at] = change;
}

void KeptChanges::drop(Kind kind, const QString &key)
{
    const int at = indexOf(kind, key);
    if (at >= 0)
        m_changes.removeAt(at);
}

void KeptChanges::drop(const QList<Change> &changes)
{
    for (const Change &c : changes)
        drop(c.kind, c.key);
}

namespace {

bool sameState(const QString &a, const QString &b)
{
    return a.isNull() == b.isNull() && a == b;
}

} // namespace

KeptChanges::Verdict KeptChanges::judge(const Change &change, const QString &fetched)
{
    if (sameState(fetched, change.after))
        return Shown;
    if (sameState(fetched, change.before))
        return Missing;
    return Overtaken;
}

KeptChanges::Check KeptChanges::check(Kind kind, const std::function<QString(const Change &)> &stateOf) const
{
    Check out;
    for (const Change &c : m_changes) {
        if (c.kind != kind)
            continue;
        switch (judge(c, stateOf(c))) {
        case Shown:
            out.shown << c;
            break;
        case Missing:
            out.missing << c;
            break;
        case Overtaken:
            out.overtaken << c;
            break;
        }
    }
    return out;
}
