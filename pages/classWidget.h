#pragma once

#include "ClassParam.h"
#include "PosterFileTable.h"
#include "SettingsPageLook.h"
#include "WidgetKinds.h"

#include <QStringList>

#include <functional>
#include <QWidget>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QToolButton;

// Widget poster page: turns the current poster into a weather, RSS news or
// clock poster ("OFF": an ordinary poster again).
class classWidget : public QWidget
{
    Q_OBJECT
public:
    explicit classWidget(QWidget *parent = nullptr);
    ~classWidget() override;

    // Sets one poster's entry of a per-poster key; true when written.
    bool SetSlideStringToFile(QString key, int index, QString value);

public slots:
    void slotResize(int w, int h, int rotation);
    void slotUpdateWidget(int NumeroAffiche);
    void slotValider();
    void slotAnnuler();
    void slotComboWidget(int index);
    void slotLangue(QString lang);
    void slotClavier(QString Titre);
    void slotZip();
    void slotCity();
    void slotRssAdress();
    void slotRssDelay();
    void slotRssThemes();

signals:
    void signalButton(int code);
    void signalSavePictureTermine();
    // The kind just saved, as the list shows it.
    void signalNewWidget(QString ListWidget);

private:
    // Runs `edit` on the field's text; a value that cannot be stored is
    // refused with an error box and the field keeps its text.
    void editField(QLabel *field, const QString &name, const std::function<void()> &edit);
    // The offered kinds, plus the loaded poster's own kind when the list
    // does not offer it (kept while the user leaves the list alone).
    void fillKindList(const QString &current);
    WidgetKinds::Fields fields() const;

    QString m_workFolder;
    ClassParam m_param;
    PosterFileTable m_file;
    // Background, title, kind list, preview, settings frame and buttons.
    SettingsPageLook::KindPage m_page;
    int m_poster = -1;
    int m_posterCount = 0;
    SettingsPageLook::Geometry m_geometry;
    QString m_buffer;
    QStringList m_rssNames;
    QStringList m_rssAddresses;
    QStringList m_languageCodes;
    bool m_filling = false;

    QToolButton *m_zipButton;
    QLabel *m_zipField;
    QToolButton *m_cityButton;
    QLabel *m_cityField;
    QComboBox *m_languageList;
    QLabel *m_languageField;
    QComboBox *m_rssPresetList;
    QToolButton *m_rssButton;
    QLabel *m_rssField;
    QToolButton *m_delayButton;
    QLabel *m_delayField;
};
