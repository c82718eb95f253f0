#pragma once

#include "ClassParam.h"

#include <QList>
#include <QWidget>

class QFrame;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// Box information page: the chosen box's factory record (read only) and its
// owner and position record, edited and saved into DATA/INFO.orvex.
class classInfo : public QWidget
{
    Q_OBJECT
public:
    explicit classInfo(QWidget *parent = nullptr);
    ~classInfo() override;

    QList<QLabel *> factoryValues() const { return m_factoryValues; }
    QList<QLineEdit *> ownerFields() const { return m_ownerFields; }
    QList<QLineEdit *> positionFields() const { return m_positionFields; }

public slots:
    void slotResize(int w, int h, int rotation);
    // Loads BOX.orvex and INFO.orvex of DATA/ into the page.
    void AfficheINFO();
    void slotValider();
    void slotAnnuler();

signals:
    void signalButton(int code);

private:
    QFrame *panel(const QString &picture, const QStringList &labels, QList<QLabel *> *labelList,
                  QList<QWidget *> values);

    ClassParam m_paramInfo;
    ClassParam m_paramBox;
    QString m_path;
    QLabel *m_background;
    QFrame *m_frameBox;
    QFrame *m_frameOwner;
    QFrame *m_framePosition;
    QList<QLabel *> m_factoryLabels;
    QList<QLabel *> m_factoryValues;
    QList<QLabel *> m_ownerLabels;
    QList<QLineEdit *> m_ownerFields;
    QList<QLabel *> m_positionLabels;
    QList<QLineEdit *> m_positionFields;
    QPushButton *m_valider;
    QPushButton *m_retour;
    QGridLayout *m_grid;
};
