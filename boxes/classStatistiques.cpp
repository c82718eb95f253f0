#include "classStatistiques.h"

#include "AppGlobals.h"
#include "BoxFiles.h"
#include "BoxPageLayout.h"
#include "SettingsPageLook.h"
#include "TimeScale.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

namespace {

const char *const kLabelStyle = "color:white;border:none;background-color:transparent;";
const char *const kValueStyle = "color:white;border:none;background-color:rgba(0,0,0,20%);";

struct Command {
    const char *text;
    const char *icon;
    const char *word;
    bool shown;
};

const Command kCommands[] = {
    {QT_TRANSLATE_NOOP("classStatistiques", "Redémarrer l'écran?"), ":/images/Status/Reboot.png", "REBOOT", true},
    {QT_TRANSLATE_NOOP("classStatistiques", "Mise à jour du sytème ?"), ":/images/Status/UpdateSystem.png",
     "RESEARCHSYST", false},
    {QT_TRANSLATE_NOOP("classStatistiques", "Revenir à la version antérieure ?"), ":/images/Status/BackSystem.png",
     "BACKUPSYST", false},
    {QT_TRANSLATE_NOOP("classStatistiques", "Stop Hdmi?"), ":/images/Status/StopHdmi.png", "STOPHDMI", false},
};

QString searchingText()
{
    return QCoreApplication::translate("classStatistiques", "Recherche en cours... Veuillez patienter s.v.p...");
}

} // namespace

classStatistiques::classStatistiques(QWidget *parent)
    : QWidget(parent)
    , m_path(ApplicationPath)
{
    setMinimumSize(1024, 720);

    m_check = new QPushButton(tr("Vérifier"));
    m_check->setObjectName(QStringLiteral("verifier"));
    m_check->setIcon(QIcon(QStringLiteral(":/images/update.png")));
    m_check->setLayoutDirection(Qt::LeftToRight);
    m_check->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding);
    m_check->setFocusPolicy(Qt::NoFocus);
    connect(m_check, &QPushButton::clicked, this, &classStatistiques::slotDemandeStatus);

    m_commandPanel = new QFrame;
    m_commandPanel->setFrameShape(QFrame::NoFrame);
    auto *commandGrid = new QGridLayout(m_commandPanel);
    commandGrid->setContentsMargins(2, 2, 2, 2);
    void (classStatistiques::*const handlers[])() = {&classStatistiques::slotReboot, &classStatistiques::slotUpdateSystem,
                                                     &classStatistiques::slotBackSystem, &classStatistiques::slotStopHdmi};
    for (int i = 0; i < 4; ++i) {
        auto *button = new QPushButton(tr(kCommands[i].text));
        button->setObjectName(QLatin1String(kCommands[i].word));
        button->setIcon(QIcon(QLatin1String(kCommands[i].icon)));
        button->setLayoutDirection(Qt::LeftToRight);
        button->setVisible(kCommands[i].shown);
        connect(button, &QPushButton::clicked, this, handlers[i]);
        commandGrid->addWidget(button, i, 0);
        m_commands << button;
    }

    m_statusPanel = new QFrame;
    m_statusPanel->setFrameShape(QFrame::NoFrame);
    auto *statusGrid = new QGridLayout(m_statusPanel);
    statusGrid->setContentsMargins(2, 2, 2, 2);
    for (int row = 0; row < 3; ++row) {
        auto *picture = new QLabel;
        auto *text = new QLabel;
        picture->setObjectName(QStringLiteral("statusPicture%1").arg(row));
        text->setObjectName(QStringLiteral("statusText%1").arg(row));
        text->setStyleSheet(QLatin1String(kLabelStyle));
        statusGrid->addWidget(picture, row, 0, Qt::AlignCenter);
        statusGrid->addWidget(text, row, 1, Qt::AlignLeft);
        m_statusPictures << picture;
        m_statusTexts << text;
    }

    m_factoryPanel = new QFrame;
    m_factoryPanel->setFrameShape(QFrame::StyledPanel);
    auto *factoryGrid = new QGridLayout(m_factoryPanel);
    // CODE is shown on the information page only.
    for (int i = 0; i < 6; ++i) {
        auto *name = new QLabel(QCoreApplication::translate("BoxFiles", BoxFiles::factoryFields().at(i).label));
        auto *value = new QLabel;
        value->setObjectName(QStringLiteral("factory%1").arg(i));
        name->setStyleSheet(QLatin1String(kLabelStyle));
        value->setStyleSheet(QLatin1String(kValueStyle));
        factoryGrid->addWidget(name, i + 1, 0, Qt::AlignRight);
        factoryGrid->addWidget(value, i + 1, 1);
        m_factoryNames << name;
        m_factoryValues << value;
    }

    m_eventPanel = new QFrame;
    m_eventPanel->setFrameShape(QFrame::StyledPanel);
    auto *eventLayout = new QGridLayout(m_eventPanel);
    m_events = new QTextEdit;
    m_events->setObjectName(QStringLiteral("events"));
    // A log is read, not edited: nothing typed here would be kept.
    m_events->setReadOnly(true);
    m_events->setAcceptRichText(false);
    eventLayout->addWidget(m_events, 0, 0);

    m_valider = SettingsPageLook::validateButton();
    m_retour = SettingsPageLook::backButton();
    connect(m_valider, &QPushButton::clicked, this, &classStatistiques::slotValider);
    connect(m_retour, &QPushButton::clicked, this, &classStatistiques::slotAnnuler);
    m_grid = BoxPageLayout::mainGrid(this, &m_background, 20);
    m_grid->addWidget(m_factoryPanel, 0, 0);
    m_grid->addWidget(m_eventPanel, 0, 1, 1, 2);
    m_grid->addWidget(m_statusPanel, 1, 0);
    m_grid->addWidget(m_check, 1, 1);
    m_grid->addWidget(m_commandPanel, 1, 2);
    BoxPageLayout::addButtons(m_grid, 2, 3, m_retour, m_valider, 5);
    m_grid->setRowStretch(0, 3);
    m_grid->setRowStretch(1, 1);
    m_grid->setRowStretch(2, 1);

    m_giveUp = new QTimer(this);
    m_giveUp->setSingleShot(true);
    // The download's wait is scaled in tests, its tries are not.
    m_giveUp->setInterval(TimeScale::ms(CheckWaitMs) + TimeScale::timeoutMs(CheckGiveUpMs - CheckWaitMs));
    connect(m_giveUp, &QTimer::timeout, this, &classStatistiques::checkGaveUp);
    m_progress = new QTimer(this);
    m_progress->setInterval(TimeScale::ms(1000));
    connect(m_progress, &QTimer::timeout, this, &classStatistiques::slotCheckProgress);
}

classStatistiques::~classStatistiques() = default;

void classStatistiques::setWaiting(bool waiting)
{
    m_waiting = waiting;
    disconnect(m_check, &QPushButton::clicked, this, &classStatistiques::slotDemandeStatus);
    if (!waiting)
        connect(m_check, &QPushButton::clicked, this, &classStatistiques::slotDemandeStatus);
    m_check->setEnabled(!waiting);
    if (waiting) {
        m_giveUp->start();
        m_checkText = m_check->text();
        m_seconds = 0;
        showProgress();
        m_progress->start();
    } else {
        m_giveUp->stop();
        if (m_progress->isActive())
            m_check->setText(m_checkText);
        m_progress->stop();
    }
}

void classStatistiques::slotCheckProgress()
{
    ++m_seconds;
    showProgress();
}

// A check lasts a minute or more: the button shows it is still under way.
void classStatistiques::showProgress()
{
    m_check->setText(tr("Vérification en cours... %1 s (%2 s au plus)").arg(m_seconds).arg(CheckGiveUpMs / 1000));
}

void classStatistiques::slotDemandeStatus()
{
    if (m_waiting)
        return;
    setWaiting(true);
    emit signalCommandZobox(QStringLiteral("UPLOADEVENTS"));
    emit signalDownloadStatus();
    m_events->setPlainText(searchingText());
}

void classStatistiques::slotStatusEstAJour()
{
    m_progress->stop();
    m_check->setText(BoxFiles::checkedText(QDateTime::currentDateTime()));
    AfficheSTATUS();
    BoxFiles::readRecord(m_paramBox, m_path + BoxFiles::boxFile());
    for (int i = 0; i < m_factoryValues.size(); ++i)
        m_factoryValues.at(i)->setText(m_paramBox.getInfoBalise(QLatin1String(BoxFiles::factoryFields().at(i).key)));
    setWaiting(false);
    QString text;
    if (BoxFiles::readEvents(m_path + BoxFiles::eventsFile(), &text) != BoxFiles::Events::Missing)
        m_events->setPlainText(text);
}

void classStatistiques::checkGaveUp()
{
    if (!m_waiting)
        return;
    setWaiting(false);
    showRow(2, BoxFiles::updatePicture(BoxFiles::Update::NoInformation),
            BoxFiles::updateText(BoxFiles::Update::NoInformation));
    if (m_events->toPlainText() == searchingText())
        m_events->setPlainText(BoxFiles::updateText(BoxFiles::Update::NoInformation));
}

void classStatistiques::showRow(int row, const QString &picture, const QString &text)
{
    const int side = qMax(1, width() / 10);
    m_statusPictures.at(row)->setPixmap(
        QPixmap(picture).scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    m_statusPictures.at(row)->setProperty("picture", picture);
    m_statusTexts.at(row)->setText(text);
}

void classStatistiques::AfficheSTATUS()
{
    BoxFiles::readRecord(m_paramStatus, m_path + BoxFiles::statusFile());
    const QString state = m_paramStatus.getInfoBalise(QStringLiteral("STATE"));
    const QString statusPrint = BoxFiles::cleanFingerprint(m_paramStatus.getInfoBalise(QStringLiteral("EMPREINTE")));
    const QString playerPrint = m_paramPlayer.getParamCrypt(m_path + BoxFiles::playerFile(),
                                                            QStringLiteral("EMPREINTE"), 0);
    m_check->setEnabled(true);
    m_check->show();
    showRow(0, QStringLiteral(":/images/Status/BoxPowerOFF.png"), tr("L'écran est éteint."));
    showRow(1, QStringLiteral(":/images/Status/BoxHdmiOFF.png"), tr("La TV est éteinte."));
    const BoxFiles::Update update = BoxFiles::updateState(state, statusPrint, playerPrint);
    showRow(2, BoxFiles::updatePicture(update), BoxFiles::updateText(update));
}

void classStatistiques::slotClear()
{
    for (int row = 0; row < 3; ++row) {
        m_statusPictures.at(row)->clear();
        m_statusPictures.at(row)->setProperty("picture", QVariant());
        m_statusTexts.at(row)->clear();
    }
    for (QLabel *value : qAsConst(m_factoryValues))
        value->clear();
    m_events->clear();
    m_paramStatus.BALISE.clear();
    m_paramBox.BALISE.clear();
    if (m_waiting)
        m_events->setPlainText(searchingText());
    else
        m_check->setText(tr("Vérifier"));
}

void classStatistiques::sendCommand(const QString &command)
{
    emit signalCommandZobox(command);
    emit signalButton(0);
}

void classStatistiques::slotReboot() { sendCommand(QStringLiteral("REBOOT")); }
void classStatistiques::slotUpdateSystem() { sendCommand(QStringLiteral("RESEARCHSYST")); }
void classStatistiques::slotBackSystem() { sendCommand(QStringLiteral("BACKUPSYST")); }
void classStatistiques::slotStopHdmi() { sendCommand(QStringLiteral("STOPHDMI")); }
void classStatistiques::slotValider() { emit signalButton(0); }
void classStatistiques::slotAnnuler() { emit signalButton(0); }

int classStatistiques::fittedPointSize(QFont font, const QStringList &texts, int room)
{
    while (font.pointSize() > 6) {
        const QFontMetrics metrics(font);
        int widest = 0;
        for (const QString &text : texts)
            widest = qMax(widest, metrics.horizontalAdvance(text));
        if (widest <= room)
            break;
        font.setPointSize(font.pointSize() - 1);
    }
    return font.pointSize();
}

void classStatistiques::slotResize(int w, int h, int rotation)
{
    Q_UNUSED(rotation)
    const int W = width();
    QFont middle(QStringLiteral("Avenir"), qMax(1, int(float(W / 55) * FontRatio)), QFont::Normal);
    const QFont small(QStringLiteral("Avenir"), qMax(1, int(float(W / 100) * FontRatio)), QFont::Normal);
    const int side = qMax(1, W / 10);
    // Smaller when the longest text beside its picture would not fit a third
    // of the page: a clipped status or date tells nothing.
    const QStringList longest{BoxFiles::updateText(BoxFiles::Update::Waiting),
                              BoxFiles::updateText(BoxFiles::Update::NoInformation),
                              BoxFiles::checkedText(QDateTime(QDate(2000, 12, 28), QTime(20, 58))),
                              m_commands.first()->text(), tr("L'écran est éteint.")};
    const int room = (qMax(w, W) - 2 * 20 - 2 * 20) / 3 - side - 40;
    middle.setPointSize(fittedPointSize(middle, longest, room));
    setMinimumSize(w, h);
    SettingsPageLook::paintBackground(m_background, w, h);
    for (QLabel *text : qAsConst(m_statusTexts))
        text->setFont(middle);
    // The rows' room is kept from the start: the page must not shift when
    // the first check shows its pictures and texts (measured as the labels
    // measure them).
    const QFontMetrics metrics = m_statusTexts.first()->fontMetrics();
    QStringList rowTexts{tr("L'écran est éteint."), tr("La TV est éteinte.")};
    for (const BoxFiles::Update update : {BoxFiles::Update::Done, BoxFiles::Update::Waiting,
                                          BoxFiles::Update::Running, BoxFiles::Update::NoInformation})
        rowTexts << BoxFiles::updateText(update);
    int widest = 0;
    for (const QString &text : qAsConst(rowTexts))
        widest = qMax(widest, metrics.boundingRect(QRect(0, 0, 2000, 2000), Qt::AlignLeft, text).width());
    for (QLabel *picture : qAsConst(m_statusPictures))
        picture->setMinimumSize(side, side);
    for (QLabel *text : qAsConst(m_statusTexts))
        text->setMinimumWidth(widest);
    m_check->setFont(middle);
    m_check->setIconSize(QSize(side, side));
    for (QPushButton *button : qAsConst(m_commands)) {
        button->setFont(middle);
        button->setIconSize(QSize(side, side));
    }
    for (int i = 0; i < m_factoryNames.size(); ++i) {
        m_factoryNames.at(i)->setStyleSheet(QLatin1String(kLabelStyle));
        m_factoryNames.at(i)->setFont(small);
        m_factoryValues.at(i)->setStyleSheet(QLatin1String(kValueStyle));
        m_factoryValues.at(i)->setFont(small);
    }
    m_events->setFont(small);
}
