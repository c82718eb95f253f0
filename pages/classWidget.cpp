#include "classWidget.h"

#include "AppGlobals.h"
#include "PosterEntries.h"
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

classWidget::classWidget(QWidget *parent)
    : QWidget(parent)
    , m_workFolder(ApplicationPath)
    , m_file(m_param, m_workFolder)
    , m_page(SettingsPageLook::kindPage(this))
{
    setMinimumSize(1024, 720);
    m_rssNames = WidgetKinds::rssPresetNames();
    m_rssAddresses = WidgetKinds::rssPresetAddresses();
    m_languageCodes = WidgetKinds::languageCodes();

    m_zipButton = SettingsPageLook::toolButton(tr("Code postal"), QStringLiteral(":/images/Position.png"),
                                               SettingsPageLook::largeIcon());
    m_zipField = SettingsPageLook::valueField();
    m_cityButton = SettingsPageLook::toolButton(tr("Ville"), QStringLiteral(":/images/World.png"),
                                                SettingsPageLook::largeIcon());
    m_cityField = SettingsPageLook::valueField();
    m_languageList = new QComboBox;
    m_languageField = SettingsPageLook::valueField(QStringLiteral("fr"));
    m_rssPresetList = new QComboBox;
    m_rssPresetList->addItems(m_rssNames);
    m_rssButton = SettingsPageLook::toolButton(tr("Adresse du Flux RSS"), QStringLiteral(":/images/Rss.png"),
                                               SettingsPageLook::largeIcon());
    m_rssField = SettingsPageLook::valueField();
    m_delayButton =
        SettingsPageLook::toolButton(tr("Temps entre les info.(en s)"), QStringLiteral(":/images/HeureON.png"),
                                     SettingsPageLook::largeIcon());
    m_delayField = SettingsPageLook::valueField();
    // Weather and RSS fields share rows: one group shows at a time.
    int row = 0;
    for (QWidget *w : std::initializer_list<QWidget *>{m_zipButton, m_zipField, m_cityButton, m_cityField,
                                                       m_languageList, m_languageField})
        SettingsPageLook::addSetting(m_page.settings, w, row++);
    row = 0;
    for (QWidget *w : std::initializer_list<QWidget *>{m_rssPresetList, m_rssButton, m_rssField, m_delayButton,
                                                       m_delayField})
        SettingsPageLook::addSetting(m_page.settings, w, row++);

    connect(m_page.kindList, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &classWidget::slotComboWidget);
    connect(m_languageList, &QComboBox::currentTextChanged, this, &classWidget::slotLangue);
    connect(m_rssPresetList, &QComboBox::currentTextChanged, this, &classWidget::slotRssThemes);
    connect(m_zipButton, &QToolButton::clicked, this, &classWidget::slotZip);
    connect(m_cityButton, &QToolButton::clicked, this, &classWidget::slotCity);
    connect(m_rssButton, &QToolButton::clicked, this, &classWidget::slotRssAdress);
    connect(m_delayButton, &QToolButton::clicked, this, &classWidget::slotRssDelay);
    connect(m_page.valider, &QPushButton::clicked, this, &classWidget::slotValider);
    connect(m_page.retour, &QPushButton::clicked, this, &classWidget::slotAnnuler);
    slotComboWidget(-1);
}

classWidget::~classWidget() = default;

void classWidget::slotResize(int w, int h, int rotation)
{
    const QFont font = SettingsPageLook::heightFont(height(), 55);
    m_geometry = SettingsPageLook::resizePage(this, m_page.background, w, h, rotation);

    m_page.title->setFont(font);
    m_page.kindList->setFont(font);
    // The kind shown stays: a resize must not turn a widget poster "OFF".
    fillKindList(m_page.kindList->currentText());

    {
        // Refilling must not put a preset's address over the poster's own.
        const QSignalBlocker blocker(m_rssPresetList);
        m_rssPresetList->clear();
        m_rssPresetList->addItems(m_rssNames);
    }

    // "Code postal" and "Ville" keep their small tool-button font.
    for (QWidget *w : std::initializer_list<QWidget *>{m_zipField, m_cityField, m_languageField, m_languageList,
                                                       m_rssField, m_delayField, m_rssButton, m_delayButton,
                                                       m_rssPresetList})
        w->setFont(font);
    {
        // Refilling must not overwrite the stored language code.
        const QSignalBlocker blocker(m_languageList);
        const int language = m_languageList->currentIndex();
        m_languageList->clear();
        m_languageList->addItems(WidgetKinds::languageNames());
        m_languageList->setCurrentIndex(qMax(0, language));
    }
    m_languageCodes = WidgetKinds::languageCodes();
}

void classWidget::fillKindList(const QString &current)
{
    m_filling = true;
    m_page.kindList->clear();
    m_page.kindList->addItems(WidgetKinds::captions());
    if (!current.isEmpty() && !WidgetKinds::isOffered(current))
        m_page.kindList->addItem(current);
    m_page.kindList->setCurrentText(current.isEmpty() ? WidgetKinds::offCaption() : current);
    m_filling = false;
    slotComboWidget(m_page.kindList->currentIndex());
}

void classWidget::slotUpdateWidget(int NumeroAffiche)
{
    m_file.load();
    m_posterCount = m_file.posterCount();
    const int n = NumeroAffiche;
    if (n != -1 && n < m_posterCount)
        fillKindList(WidgetKinds::captionOf(PosterEntries::entry(m_file.value(QStringLiteral("SLIDETYPE")), n)));

    QStringList stored;
    for (const QString &key : WidgetKinds::loadedKeys())
        stored.append(m_file.value(key));
    WidgetKinds::Fields f = fields();
    WidgetKinds::load(stored, n, m_posterCount, &f);
    m_zipField->setText(f.zip);
    m_cityField->setText(f.city);
    m_languageField->setText(f.language);
    const int language = m_languageCodes.indexOf(f.language);
    if (language >= 0) {
        const QSignalBlocker blocker(m_languageList);
        m_languageList->setCurrentIndex(language);
    }
    m_poster = n;
    m_rssField->setText(f.rssAddress);
    m_delayField->setText(f.rssDelay);
}

WidgetKinds::Fields classWidget::fields() const
{
    WidgetKinds::Fields f;
    f.zip = m_zipField->text();
    f.language = m_languageField->text();
    f.city = m_cityField->text();
    f.rssAddress = m_rssField->text();
    f.rssDelay = m_delayField->text();
    return f;
}

void classWidget::slotValider()
{
    // Nothing to save before the panel has named a poster.
    if (m_poster < 0) {
        emit signalButton(0);
        return;
    }
    // Read again: the panel may have added or moved posters since the load.
    if (!m_file.load()) {
        SettingsPageLook::showError(this, m_file.errorString());
        return;
    }
    m_posterCount = m_file.posterCount();
    const QString kind = m_page.kindList->currentText();
    const WidgetKinds::Values values =
        WidgetKinds::toWrite([this](const QString &key) { return m_file.value(key); }, m_posterCount, m_poster,
                             WidgetKinds::slideTypeOf(kind), fields());
    if (values.isEmpty()) {
        SettingsPageLook::showError(this, tr("Cette affiche n'existe plus sur l'écran: rien n'a été enregistré."));
        return;
    }
    if (!m_file.write(values)) {
        SettingsPageLook::showError(this, m_file.errorString());
        return;
    }
    emit signalNewWidget(kind);
    emit signalButton(0);
}

void classWidget::slotAnnuler()
{
    emit signalButton(0);
}

bool classWidget::SetSlideStringToFile(QString key, int index, QString value)
{
    QString joined;
    if (!PosterEntries::replaced(m_file.value(key), m_posterCount, index, value, &joined))
        return false;
    return m_file.write({qMakePair(key, joined)});
}

void classWidget::slotComboWidget(int index)
{
    Q_UNUSED(index)
    if (m_filling)
        return;
    SettingsPageLook::hidePreview(m_page);
    for (QWidget *w : m_page.settingsFrame->findChildren<QWidget *>())
        w->hide();
    const QString kind = m_page.kindList->currentText();
    const QString slideType = WidgetKinds::slideTypeOf(kind);
    QList<QWidget *> shown;
    if (slideType == QLatin1String("WIDGETMETEO"))
        shown = {m_zipButton, m_zipField, m_cityButton, m_cityField, m_languageList, m_languageField};
    else if (slideType == QLatin1String("WIDGETRSS"))
        shown = {m_rssPresetList, m_rssButton, m_rssField, m_delayButton, m_delayField};
    for (QWidget *w : qAsConst(shown))
        w->show();
    const QString picture = WidgetKinds::picture(slideType, m_geometry.rotation);
    if (picture.isEmpty() || m_geometry.preview.isEmpty())
        return;
    SettingsPageLook::showPreview(m_page, picture, m_geometry.preview);
}

void classWidget::slotLangue(QString lang)
{
    Q_UNUSED(lang)
    const int i = m_languageList->currentIndex();
    if (i >= 0 && m_languageCodes.size() >= m_languageList->count())
        m_languageField->setText(m_languageCodes.at(i));
}

void classWidget::slotRssThemes()
{
    const int i = m_rssPresetList->currentIndex();
    if (i >= 1 && i < m_rssAddresses.size())
        m_rssField->setText(m_rssAddresses.at(i));
}

void classWidget::slotClavier(QString Titre)
{
    m_buffer = SettingsPageLook::typeText(Titre, m_buffer, m_geometry.width, m_geometry.height);
}

void classWidget::editField(QLabel *field, const QString &name, const std::function<void()> &edit)
{
    m_buffer = field->text();
    edit();
    if (!TypedValue::isStorable(m_buffer)) {
        SettingsPageLook::showError(this, TypedValue::refusal(name));
        return;
    }
    field->setText(m_buffer);
}

void classWidget::slotZip()
{
    editField(m_zipField, tr("Code postal"), [this] {
        m_buffer = SettingsPageLook::typeNumber(tr("Entrer le code postal:"), m_buffer, QStringLiteral("00000;_"),
                                                 m_geometry.width, m_geometry.height);
    });
}

void classWidget::slotCity()
{
    editField(m_cityField, tr("Ville"), [this] { slotClavier(tr("Entrer le nom de la Ville:")); });
}

void classWidget::slotRssAdress()
{
    editField(m_rssField, tr("Adresse du Flux RSS"), [this] { slotClavier(tr("Entrer l'adresse du Flux RSS:")); });
}

void classWidget::slotRssDelay()
{
    editField(m_delayField, tr("Délai"), [this] {
        m_buffer = SettingsPageLook::typeNumber(tr("Entrer le délai (en s):"), m_buffer, QStringLiteral("000;_"),
                                                 m_geometry.width, m_geometry.height);
    });
}
