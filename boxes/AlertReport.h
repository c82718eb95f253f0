#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// Texts and file of a support report, free of widgets.
class AlertReport
{
public:
    // "URGENT", "DYSFONCTIONNMENT", "AMELIORATION", "INFORMATION".
    static QStringList categories();

    static QString systemText();

    struct UserRows {
        QStringList users;
        QStringList types;
        QStringList names;
        QStringList emails;
        QStringList phones;
    };
    static QString userText(const QString &account, const QString &mediaSize, const QString &user,
                            const UserRows &rows);
    static QString descriptionText(const QString &brand, const QString &model, const QString &version,
                                   const QDateTime &when, const QString &message);

    // The report: headers, the three panels, then one section per "*.log"
    // of `logFolder` (bodies only for the daily "OrvexLog" files).
    static QString reportText(const QString &system, const QString &user, const QString &description,
                              const QString &logFolder);

    // category + "-MessageAlerte-" + account, the account without "/", "\\" or "..".
    static QString logName(const QString &category, const QString &account);

    // Appends the report to LOG/ through the logging service; returns the
    // file name written to, empty when nothing could be written (`error`
    // then names the file and the reason).
    static QString write(const QString &logName, const QString &text, QString *error = nullptr);
};
