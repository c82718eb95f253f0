#pragma once

#include "../sync/ParamFixture.h"
#include "AppGlobals.h"
#include "ModalAnswerer.h"
#include "classAdmin.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(ParamList)

namespace admintest {

const ParamList kAccountOnly = {{"UTILISATEUR", "alice"}, {"MOTDEPASSE", "Secret12345"}, {"TYPECOMPTE", "ADMIN"}};

// Two users, two categories, a filter, a playlist, three boxes.
const ParamList kAccount = kAccountOnly + ParamList{
    {"USERLIST", "alice|bob"},
    {"USERPASSWORD", "Secret12345|Bobby12345X"},
    {"USERTYPE", "ADMINISTRATEUR|UTILISATEUR"},
    {"USERPERMISSION", "1111111111111111;60;20|1010000000000001;30;7"},
    {"USERNOM", "Alice A|Bob B"},
    {"USEREMAIL", "alice@example.com|bob@example.com"},
    {"USERTELEPHONE", "0102|"},
    {"PLAYPERMISSION", "Hall;PLAYLIST-promo|Bar"},
    {"CATEGORYLIST", "Hall|Bar"},
    {"CATEGORYELEMENTS", "S1;S2|S3"},
    {"FILTRESLIST", "Rez"},
    {"FILTRESELEMENTS", "S1;S3"},
    {"PLAYLISTNAME", "PLAYLIST-promo"},
    {"PLAYLISTELEMENTS", "S1"},
    {"PLAYERLIST", "S1|S2|S3"},
    {"PLAYERLISTNAME", "Entrée|Borne|Bar"},
    {"PLAYERLISTTOPLAYLIST", "PLAYLIST-promo||"},
};

inline QByteArray bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline QStringList texts(QComboBox *c)
{
    QStringList all;
    for (int i = 0; i < c->count(); ++i)
        all.append(c->itemText(i));
    return all;
}

inline QStringList texts(QListWidget *l)
{
    QStringList all;
    for (int i = 0; i < l->count(); ++i)
        all.append(l->item(i)->text());
    return all;
}

// A work folder with the page built over it, shown at 1280 x 800, its
// deploy and page requests recorded in order, and a dialog answerer.
class PageFixture
{
public:
    bool setUp(QObject *context)
    {
        m_dir.reset(new QTemporaryDir);
        if (!m_dir->isValid())
            return false;
        QDir(m_dir->path()).mkpath(QStringLiteral("TEMP"));
        QDir(m_dir->path()).mkpath(QStringLiteral("LOG"));
        ApplicationPath = m_dir->path() + QLatin1Char('/');
        page.reset(new classAdmin);
        // As the login of an administrator leaves it.
        page->slotAdministrator(true);
        page->slotResize(1280, 800, 0);
        page->show();
        events.clear();
        QObject::connect(page.get(), &classAdmin::signalEnvoiDeploy, context,
                         [this](int s) { events.append(QStringLiteral("deploy %1").arg(s)); });
        QObject::connect(page.get(), &classAdmin::signalButton, context,
                         [this](int c) { events.append(QStringLiteral("button %1").arg(c)); });
        QObject::connect(page.get(), &classAdmin::signalFolder, context,
                         [this](int s, const QString &f, const QString &n) {
                             events.append(QStringLiteral("folder %1 %2 %3").arg(s).arg(f, n).trimmed());
                         });
        answerer.reset(new ModalAnswerer);
        return QTest::qWaitForWindowExposed(page.get());
    }

    void tearDown()
    {
        answerer.reset();
        page.reset();
    }

    QString path(const QString &relative) const { return m_dir->filePath(relative); }
    QString file() const { return path(QStringLiteral("LoginCrypt.orvex")); }
    QString stored(const QString &key) const { return ClassParam().getParamCrypt(file(), key, 0); }

    // Loads the page as the panel's "Administration" button does.
    void open(const QStringList &screens = {})
    {
        QListWidget list;
        list.addItems(screens);
        page->slotUpdateAdmin(&list);
    }

    QStringList &list(LoginFile::List which) { return page->loginFile().list(which); }

    std::unique_ptr<classAdmin> page;
    std::unique_ptr<ModalAnswerer> answerer;
    QStringList events;

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

} // namespace admintest
