#include "UserRecordEditor.h"

#include "AdminWidgets.h"
#include "ClassBox.h"
#include "ClassClavier.h"
#include "NumClavier.h"
#include "classAdmin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>

const QString UserRecordEditor::NewUserRights = QStringLiteral("0000000000000000;5;3");

namespace {

bool usable(const QStringList &rows, int r)
{
    return r >= 0 && r < rows.size();
}

} // namespace

UserRecordEditor::UserRecordEditor(classAdmin &page)
    : m_page(page)
{
}

int UserRecordEditor::currentRow() const
{
    return m_page.widgets()->usersList->currentRow();
}

QStringList &UserRecordEditor::list(LoginFile::List which)
{
    return m_page.loginFile().list(which);
}

void UserRecordEditor::editField(LoginFile::List which, const QString &caption, QLabel *label)
{
    const int r = currentRow();
    if (usable(list(which), r))
        m_page.editText() = list(which).at(r);
    m_page.slotClavier(caption);
    if (!usable(list(which), r))
        return;
    const QString refused = LoginFile::unstorableCharacters(m_page.editText());
    if (!refused.isEmpty()) {
        m_page.showMessage(LoginFile::unstorableText(refused), ClassBox::Error);
        return;
    }
    m_page.editText() = LoginFile::cleanName(m_page.editText());
    list(which)[r] = m_page.editText();
    label->setText(m_page.editText());
}

void UserRecordEditor::editPassword()
{
    // A new password is typed blind; the stored one is never shown.
    auto *keyboard = new ClassClavier(m_page.lastSize().width(), m_page.lastSize().height(), nullptr, 0);
    keyboard->setTextClavier(QCoreApplication::translate("classAdmin", "Nouveau mot de passe:"), QString());
    keyboard->setWindowFlags(keyboard->windowFlags() | Qt::FramelessWindowHint);
    keyboard->exec();
    // Stored exactly as typed, or refused: never a password the user did
    // not choose.
    const QString typed = keyboard->text();
    delete keyboard;
    if (typed.isEmpty())
        return;
    if (!VerificationMotdePasse(typed)) {
        auto *box = new ClassBox(
            QCoreApplication::translate("classAdmin", "Le mot de passe n'est pas valide, il doit être composé de 10 "
                                                      "caractères avec minuscules et majuscules"),
            ClassBox::Error, m_page.width(), m_page.height(), &m_page);
        box->exec();
        delete box;
        return;
    }
    const int r = currentRow();
    if (!usable(list(LoginFile::UserPassword), r))
        return;
    list(LoginFile::UserPassword)[r] = typed;
    m_page.widgets()->passwordLabel->setText(QStringLiteral("**********"));
}

bool UserRecordEditor::VerificationMotdePasse(const QString &password)
{
    bool lower = false;
    bool upper = false;
    for (const QChar c : password) {
        lower = lower || c.isLower();
        upper = upper || c.isUpper();
    }
    // '|' would split the row; '"' and line breaks cannot be stored in the file.
    static const QRegularExpression unstorable(QStringLiteral("[|\"\r\n]"));
    return password.size() >= 10 && lower && upper && !password.contains(unstorable);
}

void UserRecordEditor::setType(const QString &type)
{
    // The account's first user keeps its type.
    const int r = currentRow();
    if (r > 0 && usable(list(LoginFile::UserType), r))
        list(LoginFile::UserType)[r] = type;
}

QString UserRecordEditor::permissionString() const
{
    const AdminWidgets *ui = m_page.widgets();
    QString flags;
    for (const QCheckBox *c : ui->rights)
        flags += c->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    return flags + QLatin1Char(';') + ui->tempsMax->text() + QLatin1Char(';') + ui->nbreAfficheMax->text();
}

void UserRecordEditor::storePermission()
{
    const int r = currentRow();
    if (usable(list(LoginFile::UserPermission), r))
        list(LoginFile::UserPermission)[r] = permissionString();
}

void UserRecordEditor::editLimit(QPushButton *button, const QString &caption)
{
    auto *keypad = new NumClavier(1, m_page.lastSize().width(), m_page.lastSize().height(), nullptr);
    keypad->setChampClavier(caption, button->text(), QStringLiteral("000;_"));
    keypad->setWindowFlags(keypad->windowFlags() | Qt::FramelessWindowHint);
    keypad->exec();
    button->setText(keypad->text());
    delete keypad;
}

void UserRecordEditor::showUser()
{
    AdminWidgets *ui = m_page.widgets();
    const int r = currentRow();
    const QList<QPair<LoginFile::List, QLabel *>> labels = {{LoginFile::UserNom, ui->nomLabel},
                                                            {LoginFile::UserEmail, ui->emailLabel},
                                                            {LoginFile::UserTelephone, ui->telephoneLabel}};
    for (const auto &l : labels) {
        if (usable(list(l.first), r))
            l.second->setText(list(l.first).at(r));
    }
    if (!usable(list(LoginFile::UserPermission), r))
        return;
    // What the row does not hold is shown cleared, never the previous
    // user's rights.
    const QStringList fields = LoginFile::items(list(LoginFile::UserPermission).at(r));
    ui->tempsMax->setText(fields.value(1));
    ui->nbreAfficheMax->setText(fields.value(2));
    const QString flags = fields.first();
    for (int i = 0; i < ui->rights.size(); ++i)
        ui->rights.at(i)->setChecked(i < flags.size() && flags.at(i) != QLatin1Char('0'));
}
