#pragma once

// Two desks, A and B, of the multi-console tests: whole consoles on one
// account `zo_<name>` of the stand-in, each in its own work folder. Every
// modal box of both consoles is answered and its text recorded as
// "desk: text". A test class derives from it next to QObject.
#include "../sync/ParamFixture.h"
#include "../transfer/StandIn.h"
#include "BoxFolderDownload.h"
#include "ClassMedia.h"
#include "ClassParam.h"
#include "ConsoleDesk.h"
#include "MediaDeployment.h"
#include "MessageOverlay.h"
#include "ModalAnswerer.h"
#include "PageCodes.h"
#include "ServerDesk.h"
#include "ServerMediaTree.h"
#include "ServerMediaUsage.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QtTest>

#include <functional>

class TwoDesks
{
public:
    virtual ~TwoDesks() = default;

protected:
    // The widgets set up and both desks' work folders made, logged in to
    // `zo_<prefix><pid>`, whose server tree is the demo account's.
    bool makeDesks(const QString &prefix)
    {
        zoInitWidgetTest();
        Q_INIT_RESOURCE(qml);
        m_name = prefix + QString::number(QCoreApplication::applicationPid());
        m_account = "zo_" + m_name;
        m_a.name = "A";
        m_b.name = "B";
        for (Desk *d : {&m_a, &m_b}) {
            d->work = m_dir.filePath(d->name);
            if (!makeServerDesk(d->work, m_name))
                return false;
        }
        return copyServerAccount(m_a.work, server());
    }
    // The boxes answered from now on (in the event loop of `context`), and
    // both consoles started.
    bool startDesks(QObject *context)
    {
        m_context = context;
        QObject::connect(&m_poll, &QTimer::timeout, context, [this] { answer(); });
        m_poll.start(10);
        qputenv("ZOMANAGER_BASE_URL", StandIn::url().toUtf8());
        return startDesk(m_a) && startDesk(m_b);
    }
    void closeDesks()
    {
        m_poll.stop();
        m_a.window.reset();
        m_b.window.reset();
        qunsetenv("ZOMANAGER_WORKDIR");
        qunsetenv("ZOMANAGER_BASE_URL");
        if (StandIn::running() && !m_account.isEmpty())
            QDir(server()).removeRecursively();
    }

    QString server(const QString &relative = QString()) const { return StandIn::root() + "/" + m_account + "/" + relative; }

    // `keepDialogs`: what the console says while it logs in is kept (always,
    // unless m_dialogsFromLogin is false).
    bool startDesk(Desk &d, bool keepDialogs = false)
    {
        if (!startServerConsole(d.window, d.work))
            return false;
        if (!keepDialogs && !m_dialogsFromLogin)
            m_dialogs.clear();
        return true;
    }
    // Both consoles logged in again with the account's quota set to `mo`.
    bool restartWithQuota(int mo)
    {
        for (Desk *d : {&m_a, &m_b}) {
            d->window.reset();
            if (!ClassParam().setParamCrypt(d->work + "/CONNEXION.txt", "MEDIASIZE", QString::number(mo)))
                return false;
        }
        return startDesk(m_a) && startDesk(m_b);
    }

    // The box `serial` selected on the desk's panel, its folder arrived and
    // nothing shown over the panel any more.
    bool select(Desk &d, const QString &serial)
    {
        QListWidget *groups = d.panel()->findChild<QListWidget *>("groupList");
        QListWidget *screens = d.panel()->findChild<QListWidget *>("screensList");
        for (int g = 0; g < groups->count(); ++g) {
            groups->setCurrentRow(g);
            QTest::qWait(50);
            const QList<QListWidgetItem *> found = screens->findItems(serial, Qt::MatchExactly);
            if (found.isEmpty())
                continue;
            if (screens->currentItem() == found.first())
                screens->setCurrentItem(nullptr);
            QSignalSpy arrived(d.panel()->boxDownload(), &BoxFolderDownload::signalArrived);
            screens->setCurrentItem(found.first());
            const bool in = QTest::qWaitFor([&] {
                return arrived.count() > 0 && !d.panel()->boxDownload()->running()
                    && !d.panel()->messageOverlay()->isVisible();
            }, 40000);
            if (!in)
                qWarning() << d.name << serial << "arrived" << arrived.count() << "running"
                           << d.panel()->boxDownload()->running() << "overlay"
                           << d.panel()->messageOverlay()->isVisible() << m_dialogs;
            return in;
        }
        return false;
    }
    // The desk's list of the selected box marked with the desk's name.
    static bool mark(Desk &d) { return ClassParam().setParamCrypt(d.work + "/DATA/PLAYER.orvex", "MARK", d.name); }

    ClassMedia *openMedia(Desk &d)
    {
        auto *page = d.window->findChild<ClassMedia *>();
        d.window->slotButtons(PageCodes::Media);
        return QTest::qWaitFor([&] { return d.window->stack()->currentWidget() == page; }, 10000) ? page : nullptr;
    }
    // The page left and its media deployment over.
    bool leaveMedia(Desk &d)
    {
        d.window->findChild<ClassMedia *>()->findChild<QAbstractButton *>("btBack")->click();
        return QTest::qWaitFor([&] {
            return d.window->stack()->currentIndex() == 0 && !d.panel()->mediaDeployment()->running()
                && ModalAnswerer::openDialogs().isEmpty();
        }, 30000);
    }
    // The page opened, the server's index counted, the page left.
    bool visitMedia(Desk &d)
    {
        auto *usage = d.window->findChild<ServerMediaUsage *>();
        QSignalSpy counted(usage, &ServerMediaUsage::counted);
        return openMedia(d) && QTest::qWaitFor([&] { return counted.count() > 0; }, 30000) && leaveMedia(d);
    }
    // The server's index as another console leaves it: `edit` changes in
    // place the values of each key but the fingerprint, given the paths the
    // index listed.
    bool rewriteServerIndex(
        const std::function<void(const QString &key, QStringList &values, const QStringList &paths)> &edit)
    {
        ClassParam index;
        if (!index.getParamCrypt(server("MEDIA.orvex"), QStringList{"ALL"}, 0))
            return false;
        const QStringList paths = index.getInfoBalise("FILEPATH").split('|');
        ParamList values;
        for (int k = 0; k < index.BALISE.value(0).size(); ++k) {
            const QString key = index.BALISE.at(0).at(k);
            if (key == "EMPREINTE")
                continue;
            QStringList rows = index.BALISE.value(1).value(k).split('|');
            edit(key, rows, paths);
            values << qMakePair(key, rows.join('|'));
        }
        return writeForeignParams(server("MEDIA.orvex"), values);
    }
    // The other console's removal, as it leaves the server: the files whose
    // path starts with `prefix` and their index entries gone.
    bool removeFromServer(const QString &prefix)
    {
        const auto drop = [&](const QString &key, QStringList &rows, const QStringList &paths) {
            if (key != "FILEPATH" && key != "FILECHK" && key != "FILESIZE" && key != "FILEPATHPERMISSION")
                return;
            for (int i = paths.size() - 1; i >= 0; --i) {
                if (paths.at(i).startsWith(prefix) && i < rows.size())
                    rows.removeAt(i);
            }
        };
        const bool rewritten = rewriteServerIndex(drop);
        if (!rewritten)
            return false;
        for (const QString &path : mediaFilesBelow(server())) {
            if (path.startsWith(prefix) && !QFile::remove(server(path)))
                return false;
        }
        return true;
    }

    // A box the test answers its own way (the box choice): true when it did.
    virtual bool answerOwn(QDialog *, Desk * /*owner*/, const QString & /*who*/) { return false; }
    // The button a box that is no message box gets, given its text.
    virtual const char *button(Desk * /*owner*/, const QString & /*text*/) { return "valider"; }

    static void click(QDialog *d, const char *name)
    {
        if (auto *b = d->findChild<QAbstractButton *>(QLatin1String(name)))
            b->click();
        else
            d->reject();
    }
    // Ticks in the box choice `d` the screens `ticked` says; false when `d`
    // is no box choice.
    static bool tickScreens(QDialog *d, const std::function<bool(const QString &serial)> &ticked)
    {
        auto *screens = d->findChild<QAbstractItemView *>("zoneEcrans");
        if (!screens)
            return false;
        QAbstractItemModel *model = screens->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            const QModelIndex index = model->index(row, 0);
            const QString serial = index.data(Qt::UserRole).toString();
            if (!serial.isEmpty())
                model->setData(index, ticked(serial) ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
        }
        return true;
    }

    QTemporaryDir m_dir;
    QString m_name;
    QString m_account;
    Desk m_a;
    Desk m_b;
    QStringList m_dialogs;
    QStringList m_typing; // texts for the next keyboards, in order
    bool m_dialogsFromLogin = true;

private:
    void answer()
    {
        // The innermost box not answered yet is the one whose loop runs.
        QDialog *d = nullptr;
        for (QDialog *candidate : ModalAnswerer::openDialogs()) {
            if (!m_answered.contains(candidate))
                d = candidate;
        }
        if (!d)
            return;
        m_answered.append(d);
        QPointer<QDialog> guard(d);
        QTimer::singleShot(30, m_context, [this, guard] {
            if (!guard || guard->isHidden())
                return;
            QDialog *d = guard.data();
            Desk *owner = nullptr;
            // A message box is a window of its own: its parents lead to the desk.
            for (Desk *k : {&m_a, &m_b}) {
                for (QWidget *w = d; k->window && w; w = w->parentWidget()) {
                    if (w == k->window.get())
                        owner = k;
                }
            }
            const QString who = owner ? owner->name : QStringLiteral("?");
            if (answerOwn(d, owner, who))
                return;
            auto *line = d->findChild<QLineEdit *>();
            if (line && !m_typing.isEmpty()) {
                line->selectAll();
                line->insert(m_typing.takeFirst());
                click(d, "valider");
                return;
            }
            const QString text = ModalAnswerer::dialogText(d);
            m_dialogs << who + ": " + text;
            if (auto *box = qobject_cast<QMessageBox *>(d))
                box->buttons().value(0)->click();
            else
                click(d, button(owner, text));
        });
    }

    QObject *m_context = nullptr;
    QTimer m_poll;
    QList<QPointer<QDialog>> m_answered;
};
