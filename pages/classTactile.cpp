#include "classTactile.h"

#include "AppGlobals.h"
#include "SettingsPageLook.h"
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
    , m_page(SettingsPageLook::kindPage(this))
{
    setMinimumSize(1024, 720);

    m_urlButton = SettingsPageLook::toolButton(tr("Adresse Web Application"), QStringLiteral(":/images/PathWeb.png"),
                                               SettingsPageLook::largeIcon());
    m_urlField = SettingsPageLook::valueField();
    m_delayButton =
        SettingsPageLook::toolButton(tr("Temps entre les info.(en s)"), QStringLiteral(":/images/HeureON.png"),
                                     SettingsPageLook::largeIcon());
    m_delayField = SettingsPageLook::valueField();
    int row = 1;
    for (QWidget *w : std::initializer_list<QWidget *>{m_urlButton, m_urlField, m_delayButton, m_delayField})
        SettingsPageLook::addSetting(m_page.settings, w, row++);

    connect(m_page.kindList, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &classTactile::slotComboWidget);
    connect(m_urlButton, &QToolButton::clicked, this, &classTactile::slotAppUrl);
    connect(m_delayButton, &QToolButton::clicked, this, &classTactile::slotAppTimeout);
    connect(m_page.valider, &QPushButton::clicked, this, &classTactile::slotValider);
    connect(m_page.retour, &QPushButton::clicked, this, &classTactile::slotAnnuler);
    slotComboWidget(-1);
}

classTactile::~classTactile() = default;

void classTactile::slotResize(int w, int h, int rotation)
{
    const QFont font = SettingsPageLook::heightFont(height(), 55);
    m_geometry = SettingsPageLook::resizePage(this, m_page.background, w, h, rotation);
    m_page.title->setFont(font);
    m_page.kindList->setFont(font);
    for (QWidget *widget : std::initializer_list<QWidget *>{m_urlButton, m_urlField, m_delayButton, m_delayField})
        widget->setFont(font);
    // The choice shown stays: a resize must not switch the web application off.
    fillKindList(m_page.kindList->currentText());
}

void classTactile::fillKindList(const QString &current)
{
    {
        const QSignalBlocker blocker(m_page.kindList);
        m_page.kindList->clear();
        m_page.kindList->addItems({QStringLiteral("OFF"), QLatin1String(kWebApp)});
        m_page.kindList->setCurrentText(current);
    }
    slotComboWidget(m_page.kindList->currentIndex());
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
        SettingsPageLook::showError(this, m_file.errorString());
        return;
    }
    const bool on = m_page.kindList->currentText() == QLatin1String(kWebApp);
    const QString url = on ? m_urlField->text() : QString();
    const QString timeout = on ? TypedValue::millisecondsOf(m_delayField->text()) : QString();
    if (!m_file.write({qMakePair(QStringLiteral("WEBAPPURL"), url),
                       qMakePair(QStringLiteral("WEBAPPTIMEOUT"), timeout)})) {
        SettingsPageLook::showError(this, m_file.errorString());
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
    const bool on = m_page.kindList->currentText() == QLatin1String(kWebApp);
    for (QWidget *widget : std::initializer_list<QWidget *>{m_urlButton, m_urlField, m_delayButton, m_delayField})
        widget->setVisible(on);
    if (!on || m_geometry.preview.isEmpty()) {
        SettingsPageLook::hidePreview(m_page);
        return;
    }
    const QString picture = SettingsPageLook::isPortrait(m_geometry.rotation)
        ? QStringLiteral(":/images/WEBAPP-Portrait.jpg")
        : QStringLiteral(":/images/WEBAPP-Paysage.jpg");
    SettingsPageLook::showPreview(m_page, picture, m_geometry.preview);
}

void classTactile::slotClavier(QString Titre)
{
    m_buffer = SettingsPageLook::typeText(Titre, m_buffer, m_geometry.width, m_geometry.height);
}

void classTactile::slotAppUrl()
{
    m_buffer = m_urlField->text();
    slotClavier(tr("Entrer l'adresse:"));
    if (!TypedValue::isStorable(m_buffer)) {
        SettingsPageLook::showError(this, TypedValue::refusal(tr("Adresse Web Application")));
        return;
    }
    m_urlField->setText(m_buffer);
}

void classTactile::slotAppTimeout()
{
    m_buffer = SettingsPageLook::typeNumber(tr("Entrer le délai (en s):"), m_delayField->text(),
                                             QStringLiteral("000;_"), m_geometry.width, m_geometry.height);
    m_delayField->setText(m_buffer);
}
