#include "classTactile.h"

#include "AppGlobals.h"
#include "SettingsPageStyle.h"
#include "TypedValue.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const char kWebApp[] = "WEB APPLICATION";

} // namespace

classTactile::classTactile(QWidget *parent)
    : QWidget(parent)
    , m_workFolder(ApplicationPath)
    , m_file(m_param, m_workFolder)
{
    setMinimumSize(1024, 720);
    m_background = SettingsPageStyle::background();
    m_title = SettingsPageStyle::title(tr("Sélectionnez le type de Widget:"));
    m_kindList = new QComboBox;
    m_kindList->setObjectName(QStringLiteral("kindList"));

    m_preview = new QLabel;
    m_previewFrame = SettingsPageStyle::previewFrame({m_preview});

    m_settingsFrame = SettingsPageStyle::plainFrame();
    m_urlButton = SettingsPageStyle::toolButton(tr("Adresse Web Application"), QStringLiteral(":/images/PathWeb.png"));
    m_delayButton = SettingsPageStyle::toolButton(tr("Temps entre les info.(en s)"), QStringLiteral(":/images/HeureON.png"));
    m_urlField = SettingsPageStyle::valueField();
    m_delayField = SettingsPageStyle::valueField();
    const Qt::Alignment fieldAlign = Qt::AlignHCenter | Qt::AlignVCenter | Qt::AlignTop;
    auto *settings = new QGridLayout(m_settingsFrame);
    settings->addWidget(m_urlButton, 1, 0, Qt::AlignTop);
    settings->addWidget(m_urlField, 2, 0, fieldAlign);
    settings->addWidget(m_delayButton, 3, 0, Qt::AlignTop);
    settings->addWidget(m_delayField, 4, 0, fieldAlign);

    m_valider = SettingsPageStyle::validateButton();
    m_retour = SettingsPageStyle::backButton();

    SettingsPageStyle::layOut(this, m_background,
                              SettingsPageStyle::kindGrid(m_title, m_kindList, m_previewFrame, m_settingsFrame),
                              m_retour, m_valider);

    connect(m_kindList, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &classTactile::slotComboWidget);
    connect(m_urlButton, &QToolButton::clicked, this, &classTactile::slotAppUrl);
    connect(m_delayButton, &QToolButton::clicked, this, &classTactile::slotAppTimeout);
    connect(m_valider, &QPushButton::clicked, this, &classTactile::slotValider);
    connect(m_retour, &QPushButton::clicked, this, &classTactile::slotAnnuler);
    slotComboWidget(-1);
}

classTactile::~classTactile() = default;

void classTactile::slotResize(int w, int h, int rotation)
{
    const QFont font = SettingsPageStyle::font(height(), 55);
    setMinimumSize(w, h);
    m_width = w;
    m_height = h;
    SettingsPageStyle::paintBackground(m_background, w, h);
    m_rotation = rotation;
    const QSize preview = SettingsPageStyle::previewSize(w, rotation);
    m_previewWidth = preview.width();
    m_previewHeight = preview.height();
    m_title->setFont(font);
    m_kindList->setFont(font);
    for (QWidget *widget : {static_cast<QWidget *>(m_urlButton), static_cast<QWidget *>(m_urlField),
                            static_cast<QWidget *>(m_delayButton), static_cast<QWidget *>(m_delayField)})
        widget->setFont(font);
    // The choice shown stays: a resize must not switch the web application off.
    fillKindList(m_kindList->currentText());
}

void classTactile::fillKindList(const QString &current)
{
    {
        const QSignalBlocker blocker(m_kindList);
        m_kindList->clear();
        m_kindList->addItems({QStringLiteral("OFF"), QLatin1String(kWebApp)});
        m_kindList->setCurrentText(current);
    }
    slotComboWidget(m_kindList->currentIndex());
}

void classTactile::slotUpdateWidget(int NumeroAffiche)
{
    Q_UNUSED(NumeroAffiche)
    m_file.load();
    const QString url = m_file.value(QStringLiteral("WEBAPPURL"));
    // An absent key ("NULL") is no application either.
    if (!url.isEmpty() && url != QLatin1String("NULL")) {
        m_urlField->setText(url);
        m_delayField->setText(TypedValue::secondsOf(m_file.value(QStringLiteral("WEBAPPTIMEOUT"))));
        fillKindList(QLatin1String(kWebApp));
    } else {
        fillKindList(QStringLiteral("OFF"));
    }
}

void classTactile::slotValider()
{
    if (!m_file.load()) {
        SettingsPageStyle::showError(this, m_file.errorString());
        return;
    }
    const bool on = m_kindList->currentText() == QLatin1String(kWebApp);
    const QString url = on ? m_urlField->text() : QString();
    const QString timeout = on ? TypedValue::millisecondsOf(m_delayField->text()) : QString();
    if (!m_file.write({qMakePair(QStringLiteral("WEBAPPURL"), url), qMakePair(QStringLiteral("WEBAPPTIMEOUT"), timeout)})) {
        SettingsPageStyle::showError(this, m_file.errorString());
        return;
    }
    emit signalButton(0);
}

void classTactile::slotAnnuler()
{
    emit signalButton(0);
}

void classTactile::slotComboWidget(int index)
{
    Q_UNUSED(index)
    const bool on = m_kindList->currentText() == QLatin1String(kWebApp);
    for (QWidget *widget : {static_cast<QWidget *>(m_preview), static_cast<QWidget *>(m_urlButton),
                            static_cast<QWidget *>(m_urlField), static_cast<QWidget *>(m_delayButton),
                            static_cast<QWidget *>(m_delayField)})
        widget->setVisible(on);
    if (!on || m_previewWidth <= 0)
        return;
    const QString picture = SettingsPageStyle::isPortrait(m_rotation) ? QStringLiteral(":/images/WEBAPP-Portrait.jpg")
                                                                      : QStringLiteral(":/images/WEBAPP-Paysage.jpg");
    m_preview->setPixmap(
        QPixmap(picture).scaled(m_previewWidth, m_previewHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void classTactile::slotClavier(QString Titre)
{
    m_buffer = SettingsPageStyle::typeText(Titre, m_buffer, m_width, m_height);
}

void classTactile::slotAppUrl()
{
    m_buffer = m_urlField->text();
    slotClavier(tr("Entrer l'adresse:"));
    if (!TypedValue::isStorable(m_buffer)) {
        SettingsPageStyle::showError(this, TypedValue::refusal(tr("Adresse Web Application")));
        return;
    }
    m_urlField->setText(m_buffer);
}

void classTactile::slotAppTimeout()
{
    m_buffer = SettingsPageStyle::typeNumber(tr("Entrer le délai (en s):"), m_delayField->text(),
                                             QStringLiteral("000;_"), m_width, m_height);
    m_delayField->setText(m_buffer);
}
