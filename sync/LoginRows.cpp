#include "LoginRows.h"

#include "ClassParam.h"

#include <QCoreApplication>
#include <QList>
#include <QPair>

#include <algorithm>

namespace {

const QChar kRows = QLatin1Char('|');
const QChar kName = QLatin1Char(':');

bool noRows(const QString &value)
{
    return value.isEmpty() || value == QLatin1String("NULL");
}

// A row's text as a state: enciphered as the file itself is, so that no
// password lies in clear in the work folder's kept records. Never null.
QString seal(const QString &text)
{
    return QLatin1Char('#') + ClassParam().CryptRC4(text);
}

QString unseal(const QString &state)
{
    return QString::fromLatin1(QByteArray::fromHex(ClassParam().DeCryptRC4(state.mid(1)).toLatin1()));
}

} // namespace

const QList<QStringList> &LoginRows::tables()
{
    static const QList<QStringList> all{
        {QStringLiteral("USERLIST"), QStringLiteral("USERPERMISSION"), QStringLiteral("USERTYPE"),
         QStringLiteral("USERNOM"), QStringLiteral("USEREMAIL"), QStringLiteral("USERTELEPHONE"),
         QStringLiteral("USERPASSWORD"), QStringLiteral("PLAYPERMISSION")},
        {QStringLiteral("PLAYERLIST"), QStringLiteral("PLAYERLISTNAME"), QStringLiteral("PLAYERLISTTOPLAYLIST")},
        {QStringLiteral("PLAYLISTNAME"), QStringLiteral("PLAYLISTELEMENTS")},
        {QStringLiteral("CATEGORYLIST"), QStringLiteral("CATEGORYELEMENTS")},
        {QStringLiteral("FILTRESLIST"), QStringLiteral("FILTRESELEMENTS")},
    };
    return all;
}

QStringList LoginRows::tableOf(const QString &key)
{
    if (!key.contains(kName))
        return {};
    const QString first = key.section(kName, 0, 0);
    for (const QStringList &table : tables()) {
        if (table.first() == first)
            return table;
    }
    return {};
}

bool LoginRows::read(const QString &file)
{
    ClassParam param;
    m_lists.clear();
    m_plain.clear();
    if (!param.getParamCrypt(file, QStringList{QStringLiteral("ALL")}, 0))
        return false;
    for (const QStringList &table : tables()) {
        for (const QString &key : table) {
            const QString value = param.getInfoBalise(key);
            m_lists.insert(key, noRows(value) ? QStringList() : value.split(kRows));
        }
    }
    const QList<QString> names = param.BALISE.value(0);
    for (int k = 0; k < names.size(); ++k) {
        const QString &key = names.at(k);
        const bool listed = std::any_of(tables().cbegin(), tables().cend(),
                                        [&key](const QStringList &table) { return table.contains(key); });
        if (key != QLatin1String("EMPREINTE") && !key.isEmpty() && !key.contains(kName) && !listed
            && !m_plain.contains(key))
            m_plain.insert(key, param.BALISE.value(1).value(k));
    }
    m_read = m_lists;
    m_plainRead = m_plain;
    return true;
}

QStringList LoginRows::keys() const
{
    QStringList all;
    for (const QStringList &table : tables()) {
        for (const QString &name : m_lists.value(table.first()))
            all.append(table.first() + kName + name);
    }
    all.removeDuplicates();
    return all + m_plain.keys();
}

QString LoginRows::state(const QString &key) const
{
    const QStringList table = tableOf(key);
    if (table.isEmpty())
        return m_plain.contains(key) ? seal(m_plain.value(key)) : QString();
    const int row = m_lists.value(table.first()).indexOf(key.section(kName, 1));
    if (row < 0)
        return QString();
    QStringList items;
    for (int l = 1; l < table.size(); ++l)
        items.append(m_lists.value(table.at(l)).value(row));
    return seal(items.join(kRows));
}

void LoginRows::setState(const QString &key, const QString &state)
{
    const QStringList table = tableOf(key);
    if (table.isEmpty()) {
        // A key of its own: a whole key is never removed from the file.
        if (!key.contains(kName) && !key.isEmpty() && key != QLatin1String("EMPREINTE") && !state.isNull()
            && std::none_of(tables().cbegin(), tables().cend(),
                            [&key](const QStringList &table) { return table.contains(key); }))
            m_plain.insert(key, unseal(state));
        return;
    }
    const QString name = key.section(kName, 1);
    QStringList &names = m_lists[table.first()];
    int row = names.indexOf(name);
    if (state.isNull()) {
        if (row < 0)
            return;
        for (const QString &list : table) {
            QStringList &rows = m_lists[list];
            if (row < rows.size())
                rows.removeAt(row);
        }
        return;
    }
    if (row < 0) {
        row = names.size();
        names.append(name);
    }
    const QStringList items = unseal(state).split(kRows);
    for (int l = 1; l < table.size(); ++l) {
        QStringList &rows = m_lists[table.at(l)];
        while (rows.size() <= row)
            rows.append(QString());
        rows[row] = items.value(l - 1);
    }
}

bool LoginRows::write(const QString &file, QString *why) const
{
    QList<QPair<QString, QString>> staged;
    for (const QStringList &table : tables()) {
        for (const QString &key : table) {
            if (m_lists.value(key) != m_read.value(key))
                staged.append(qMakePair(key, m_lists.value(key).join(kRows)));
        }
    }
    for (auto it = m_plain.cbegin(); it != m_plain.cend(); ++it) {
        if (it.value() != m_plainRead.value(it.key()) || !m_plainRead.contains(it.key()))
            staged.append(qMakePair(it.key(), it.value()));
    }
    return staged.isEmpty() || ClassParam().setParamsCrypt(file, staged, why);
}

QStringList LoginRows::changed(const LoginRows &before, const LoginRows &after)
{
    QStringList keys = after.keys();
    for (const QString &key : before.keys()) {
        if (!keys.contains(key))
            keys.append(key);
    }
    QStringList differ;
    for (const QString &key : qAsConst(keys)) {
        const QString was = before.state(key);
        const QString now = after.state(key);
        if (was != now || was.isNull() != now.isNull())
            differ.append(key);
    }
    return differ;
}

QString LoginRows::lostText(const QString &key, const QString &server)
{
    if (server.isNull())
        return QCoreApplication::translate("LoginRows", "%1 n'est plus dans le fichier du serveur").arg(rowName(key));
    return QCoreApplication::translate("LoginRows", "%1 a été modifié depuis par un autre administrateur: votre "
                                                    "modification n'y figure pas")
        .arg(rowName(key));
}

QString LoginRows::rowName(const QString &key)
{
    if (!key.contains(kName))
        return QCoreApplication::translate("LoginRows", "la clé %1").arg(key);
    const QString first = key.section(kName, 0, 0);
    const QString name = key.section(kName, 1);
    const char *what = first == QLatin1String("USERLIST")       ? QT_TRANSLATE_NOOP("LoginRows", "l'utilisateur %1")
        : first == QLatin1String("PLAYERLIST")                  ? QT_TRANSLATE_NOOP("LoginRows", "l'écran %1")
        : first == QLatin1String("PLAYLISTNAME")                ? QT_TRANSLATE_NOOP("LoginRows", "la liste de lecture %1")
        : first == QLatin1String("CATEGORYLIST")                ? QT_TRANSLATE_NOOP("LoginRows", "la catégorie %1")
                                                                : QT_TRANSLATE_NOOP("LoginRows", "le filtre %1");
    return QCoreApplication::translate("LoginRows", what).arg(name);
}
