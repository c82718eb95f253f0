#pragma once

// Answers the modal dialogs that the code under test opens with exec():
// ClassBox (message and selection forms), ClassClavier, NumClavier,
// NumCalendar, QMessageBox, any QDialog.
//
//   ModalAnswerer answerer;
//   answerer.enterText("1234");                       // 1st dialog: the keypad
//   answerer.grabAs("box-password.png").confirm();    // 2nd dialog: the box
//   page.slotSomething();             // returns once both dialogs are answered
//   QVERIFY(answerer.done());         // every step used, nothing unexpected
//   QCOMPARE(answerer.texts().last(), QStringLiteral("Mot de passe"));
//
// Steps are used in order, one per dialog, on the innermost dialog first
// (the keypad that a ClassBox opens in its constructor comes before the
// box). A dialog that shows up when no step is left is cancelled with
// Escape and counted in unexpected(), so a forgotten question fails the
// test instead of hanging it. For dialogs opened later by a step machine,
// call waitUntilDone() after starting it.
//
// Buttons are found by object name: "valider" (OK, confirm) and "annuler"
// (ESC, cancel); the message or caption label is "texte" or "titre".

#include "ZoScreenshot.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCalendarWidget>
#include <QDate>
#include <QDeadlineTimer>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

class ModalAnswerer
{
public:
    using Action = std::function<void(QDialog *)>;

    explicit ModalAnswerer(int pollMs = 10, int settleMs = 30)
        : m_timer(new QTimer)
        , m_settleMs(settleMs)
    {
        m_timer->setInterval(pollMs);
        QObject::connect(m_timer.get(), &QTimer::timeout, [this] { poll(); });
        m_timer->start();
    }

    ModalAnswerer(const ModalAnswerer &) = delete;
    ModalAnswerer &operator=(const ModalAnswerer &) = delete;

    // The next step saves a PNG of its dialog before answering it.
    ModalAnswerer &grabAs(const QString &pngName)
    {
        m_nextGrab = pngName;
        return *this;
    }

    ModalAnswerer &answer(Action action, const QString &description = QStringLiteral("custom"))
    {
        m_steps.append({std::move(action), m_nextGrab, description});
        m_nextGrab.clear();
        return *this;
    }

    ModalAnswerer &clickButton(const QString &objectName)
    {
        return answer([this, objectName](QDialog *d) { click(d, objectName); }, objectName);
    }

    ModalAnswerer &confirm() { return clickButton(QStringLiteral("valider")); }
    ModalAnswerer &cancel() { return clickButton(QStringLiteral("annuler")); }

    // A key of the physical keyboard, sent where the dialog's focus is.
    ModalAnswerer &pressKey(Qt::Key key)
    {
        return answer(
            [key](QDialog *d) {
                QWidget *target = d->focusWidget();
                if (!target || (target != d && !d->isAncestorOf(target)))
                    target = d;
                QTest::keyClick(target, key);
            },
            QStringLiteral("key %1").arg(int(key), 0, 16));
    }

    // Replaces the line of a keyboard or keypad as typing would (mask and
    // maximum length apply), then presses its OK key.
    ModalAnswerer &enterText(const QString &text)
    {
        return answer(
            [this, text](QDialog *d) {
                auto *edit = d->findChild<QLineEdit *>();
                if (!edit) {
                    fail(d, QStringLiteral("no line to type \"%1\" into").arg(text));
                    return;
                }
                edit->selectAll();
                edit->insert(text);
                click(d, QStringLiteral("valider"));
            },
            QStringLiteral("enter \"%1\"").arg(text));
    }

    ModalAnswerer &pickDate(const QDate &date)
    {
        return answer(
            [this, date](QDialog *d) {
                auto *calendar = d->findChild<QCalendarWidget *>();
                if (!calendar) {
                    fail(d, QStringLiteral("no calendar"));
                    return;
                }
                calendar->setSelectedDate(date);
                click(d, QStringLiteral("valider"));
            },
            QStringLiteral("pick %1").arg(date.toString(Qt::ISODate)));
    }

    int pending() const { return m_steps.size(); }
    int answered() const { return m_texts.size(); }
    int unexpected() const { return m_unexpected; }
    QStringList errors() const { return m_errors; }
    // Message or caption of each dialog answered, in order.
    QStringList texts() const { return m_texts; }
    QStringList classNames() const { return m_classNames; }
    bool done() const { return m_steps.isEmpty() && m_unexpected == 0 && m_errors.isEmpty(); }

    // Processes events until every step is used and no dialog is open.
    bool waitUntilDone(int timeoutMs = 5000)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (!deadline.hasExpired()) {
            if (m_steps.isEmpty() && openDialogs().isEmpty())
                return true;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            QTest::qWait(5);
        }
        return false;
    }

    static QList<QDialog *> openDialogs()
    {
        QList<QDialog *> found;
        const QWidgetList widgets = QApplication::allWidgets();
        for (QWidget *w : widgets) {
            auto *d = qobject_cast<QDialog *>(w);
            // exec() marks the dialog modal and shows it; this also catches
            // ClassBox bands, which are child widgets, not windows.
            if (d && d->testAttribute(Qt::WA_ShowModal) && !d->isHidden())
                found.append(d);
        }
        return found;
    }

    static QString dialogText(QDialog *d)
    {
        if (auto *box = qobject_cast<QMessageBox *>(d))
            return box->text();
        for (const char *name : {"texte", "titre"}) {
            if (auto *label = d->findChild<QLabel *>(QLatin1String(name)))
                return label->text();
        }
        return d->windowTitle();
    }

private:
    struct Step {
        Action action;
        QString grab;
        QString description;
    };
    struct Seen {
        QPointer<QDialog> dialog;
        QElapsedTimer since;
        bool answered = false;
    };

    void click(QDialog *d, const QString &objectName)
    {
        auto *button = d->findChild<QAbstractButton *>(objectName);
        if (!button) {
            fail(d, QStringLiteral("no button \"%1\"").arg(objectName));
            return;
        }
        if (!button->isEnabled()) {
            fail(d, QStringLiteral("button \"%1\" is disabled").arg(objectName));
            return;
        }
        button->click();
    }

    // Records the failure and closes the dialog so that the test goes on.
    void fail(QDialog *d, const QString &why)
    {
        m_errors.append(QStringLiteral("%1: %2").arg(QLatin1String(d->metaObject()->className()), why));
        QTest::keyClick(d, Qt::Key_Escape);
        if (!d->isHidden())
            d->close();
    }

    void poll()
    {
        const QList<QDialog *> open = openDialogs();
        for (QDialog *d : open) {
            bool known = false;
            for (const Seen &s : qAsConst(m_seen))
                known = known || s.dialog == d;
            if (!known) {
                Seen s;
                s.dialog = d;
                s.since.start();
                m_seen.append(s);
            }
        }
        // Innermost first: the dialog seen last is the one whose loop runs.
        for (int i = m_seen.size() - 1; i >= 0; --i) {
            Seen &s = m_seen[i];
            if (s.answered || !s.dialog || !open.contains(s.dialog))
                continue;
            if (s.since.elapsed() < m_settleMs)
                return;
            s.answered = true;
            // Answer from a timer of its own: a dialog that the answer opens
            // runs its loop inside this call, and a timer never fires again
            // while its own handler runs.
            QPointer<QDialog> target = s.dialog;
            QTimer::singleShot(0, m_timer.get(), [this, target] {
                if (target && !target->isHidden())
                    answerDialog(target);
            });
            break;
        }
        for (int i = m_seen.size() - 1; i >= 0; --i) {
            if (!m_seen.at(i).dialog)
                m_seen.removeAt(i);
        }
    }

    void answerDialog(QDialog *d)
    {
        m_texts.append(dialogText(d));
        m_classNames.append(QLatin1String(d->metaObject()->className()));
        if (m_steps.isEmpty()) {
            ++m_unexpected;
            QTest::keyClick(d, Qt::Key_Escape);
            if (!d->isHidden())
                d->close();
        } else {
            const Step step = m_steps.takeFirst();
            if (!step.grab.isEmpty())
                saveScreenshot(d, step.grab);
            step.action(d);
        }
    }

    std::unique_ptr<QTimer> m_timer;
    int m_settleMs;
    QString m_nextGrab;
    QList<Step> m_steps;
    QList<Seen> m_seen;
    QStringList m_texts;
    QStringList m_classNames;
    QStringList m_errors;
    int m_unexpected = 0;
};
