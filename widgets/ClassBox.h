#pragma once

#include <QDialog>
#include <QFont>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class QCheckBox;
class QFrame;
class QGridLayout;
class QHBoxLayout;
class QKeyEvent;
class QLabel;
class QLayout;
class QListView;
class QPushButton;
class QScrollArea;
class QSignalMapper;
class ScreenChoiceModel;

// The console's modal message box, and (second constructor) the screen and
// category selection form. text() answers 0 when confirmed, 1 otherwise.
class ClassBox : public QDialog
{
    Q_OBJECT
public:
    enum Type { Information = 1, Question = 2, Warning = 3, Error = 4, Password = 10 };

    ClassBox(QString text, int type, int width, int height, QWidget *parent);
    ClassBox(QStringList categories, QStringList members, QString preselectedCategories, QStringList serials,
             QStringList names, QString preselection, int width, int height, int mode, QWidget *parent);
    ~ClassBox() override;

    int text();
    QString password();

    // Selection form.
    QStringList BoxNumber();
    void UpdateCheckCategory(QStringList categories);
    QStringList CategoryFilter(QStringList categories, QStringList members, QStringList checked);
    void UpdateCheckBox(QStringList serials);
    void clearLayout(QLayout *layout);
    QString transPlayerToName(QString serial, QStringList serials, QStringList names);
    QString transNameToPlayer(QString label);

public slots:
    void slotValider();
    void slotAnnuler();
    void slotEtatCheckbox(int state);
    void slotCheckbox(int state);
    void updateScreens();
    void slotsignalChkCategory(QString name);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Background label and the confirm and cancel buttons of both forms.
    void buildCommon();
    void askPassword(int width, int height);
    // A screen box's label: the name, a blank and the serial in brackets.
    static QString screenLabel(const QString &name, const QString &serial);
    // Position of each screen serial in m_serials.
    QHash<QString, int> serialIndex() const;
    bool preselects(const QString &name, const QString &serial, const QString &label) const;
    void updateConfirmState();

    // A box closed by anything but its buttons or keys reads as cancelled.
    int m_result = 1;
    QString m_password;

    QHBoxLayout *m_mainLayout = nullptr;
    QLabel *m_background = nullptr;
    QGridLayout *m_grid = nullptr;
    QLabel *m_icon = nullptr;
    QLabel *m_lock = nullptr;
    QLabel *m_text = nullptr;
    QPushButton *m_passwordButton = nullptr;
    QPushButton *m_userButton = nullptr;
    QPushButton *m_confirm = nullptr;
    QPushButton *m_cancel = nullptr;
    QFont m_font;

    // Selection form.
    bool m_selection = false;
    int m_mode = 0;
    QStringList m_categories;
    QStringList m_members;
    QStringList m_preselectedCategories;
    QStringList m_serials;
    QStringList m_names;
    QString m_preselection;
    QList<QCheckBox *> m_categoryBoxes;
    // The screens, "Tous" first, as checkable rows of one view.
    ScreenChoiceModel *m_screenModel = nullptr;
    QListView *m_screenView = nullptr;
    QStringList m_checked;
    QString m_categoryStyle;
    QLabel *m_screenTitle = nullptr;
    QLabel *m_categoryTitle = nullptr;
    QFrame *m_categoryFrame = nullptr;
    QGridLayout *m_categoryGrid = nullptr;
    QScrollArea *m_categoryScroll = nullptr;
    QSignalMapper *m_categoryMapper = nullptr;
};
