#pragma once

#include <QAbstractListModel>
#include <QString>
#include <QStringList>
#include <QVector>

// The screens of the box choice as checkable rows: "Tous" first, then one
// row per screen; no row at all without screens. The ticked screens are
// counted as they change, so that the confirm state and "Tous" cost one
// pass or less whatever the number of screens.
class ScreenChoiceModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Role {
        // The screen's serial; empty on "Tous".
        SerialRole = Qt::UserRole,
        // True on "Tous".
        AllRole,
    };

    struct Screen {
        QString serial;
        QString label;
        bool checked = false;
    };

    explicit ScreenChoiceModel(QObject *parent = nullptr);

    // The rows of `screens`, in their order, "Tous" unticked.
    void setScreens(QVector<Screen> screens);
    // Ticks or unticks "Tous" and every screen with it.
    void setAllChecked(bool checked);

    bool allChecked() const { return m_all; }
    int checkedCount() const { return m_checked; }
    // The ticked screens' serials, in the rows' order.
    QStringList checkedSerials() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

signals:
    // A row was ticked or unticked ("Tous" included).
    void checksChanged();

private:
    QVector<Screen> m_screens;
    bool m_all = false;
    int m_checked = 0;
};
