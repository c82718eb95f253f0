#pragma once

#include "LoginFile.h"

#include <QString>

class QLabel;
class QPushButton;
class classAdmin;

// The current user's record on the users sub-page: name, e-mail,
// telephone and password typed on the keyboard, type, rights and limits,
// and showing them when another user is chosen. Edits go into the page's
// working lists only; validate saves them.
class UserRecordEditor
{
public:
    static const QString NewUserRights;

    explicit UserRecordEditor(classAdmin &page);

    void editField(LoginFile::List list, const QString &caption, QLabel *label);
    void editPassword();
    // At least 10 characters, a lower-case and an upper-case letter; no '|',
    // '"' or line break.
    static bool VerificationMotdePasse(const QString &password);
    void setType(const QString &type);
    // The sixteen boxes, then the two limits: "1010...;60;20".
    QString permissionString() const;
    void storePermission();
    void editLimit(QPushButton *button, const QString &caption);
    void showUser();

private:
    int currentRow() const;
    QStringList &list(LoginFile::List which);

    classAdmin &m_page;
};
