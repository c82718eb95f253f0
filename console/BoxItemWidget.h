#pragma once

#include <QDateTime>
#include <QFont>
#include <QWidget>

class QLabel;

// One row of the screens list: the box's name and serial, and its
// connection, screen and update indicators from its status entry. A
// playlist row has no serial and no status, so it shows its name only.
class BoxItemWidget : public QWidget
{
    Q_OBJECT
public:
    BoxItemWidget(const QString &name, const QString &serial, const QString &status, const QFont &nameFont,
                  int iconSize, const QDateTime &now = QDateTime::currentDateTime(), QWidget *parent = nullptr);

    QString name() const;
    QString serialText() const;
    // Resource paths of the three indicators, in column order; empty when
    // a column shows no icon or there are no indicators.
    QStringList iconPaths() const { return m_iconPaths; }
    QStringList captions() const;

private:
    QLabel *m_name = nullptr;
    QLabel *m_serial = nullptr;
    QList<QLabel *> m_captions;
    QStringList m_iconPaths;
};
