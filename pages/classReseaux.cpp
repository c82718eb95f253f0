#include "classReseaux.h"

#include "AppGlobals.h"
#include "PosterEntries.h"
#include "SettingsPageLook.h"
#include "ShareLink.h"
#include "SharePicture.h"
#include "TypedValue.h"
#include "classVersion.h"

#include <QComboBox>
#include <QDebug>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QTextOption>
#include <QToolButton>

classReseaux::classReseaux(QWidget *parent)
    : QWidget(parent)
    , m_workFolder(ApplicationPath)
    , m_file(m_param, m_workFolder)
    , m_keys(m_writer, m_workFolder)
{
    setMinimumSize(1024, 720);
    m_background = SettingsPageLook::background();
    m_title = SettingsPageLook::title(tr("Sélectionnez l'affiche à publier:"));
    m_posterChoice = new QComboBox;
    m_posterChoice->setObjectName(QStringLiteral("posterChoice"));
    // Fixed height: a list one line high must not take the preview's room.
    m_posterChoice->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    m_pictureLayer = new QLabel;
    m_textLayer = new QLabel;
    m_previewFrame = SettingsPageLook::previewFrame({m_pictureLayer, m_textLayer});

    m_instruction =
        SettingsPageLook::title(tr("Vous devez copier le lien unique et l'incorporer dans votre site web"));
    m_instruction->setAlignment(Qt::AlignCenter);
    m_linkBox = new QTextEdit;
    m_linkBox->setObjectName(QStringLiteral("linkBox"));
    m_linkBox->setReadOnly(true);
    m_linkBox->document()->setDefaultTextOption(QTextOption(Qt::AlignCenter));
    m_linkBox->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    m_webToggle = SettingsPageLook::toolButton(tr("Site web"), QStringLiteral(":/images/WwwOFF.png"),
                                               SettingsPageLook::largeIcon());
    m_socialToggle = SettingsPageLook::toolButton(tr("Facebook"), QStringLiteral(":/images/FacebookOFF.png"),
                                                  SettingsPageLook::largeIcon());
    m_instagram = SettingsPageLook::toolButton(tr("Instagram"), QStringLiteral(":/images/InstagramOFF.png"),
                                               SettingsPageLook::largeIcon());
    m_twitter = SettingsPageLook::toolButton(tr("Twitter"), QStringLiteral(":/images/TwitterOFF.png"),
                                             SettingsPageLook::largeIcon());
    m_instagram->setEnabled(false);
    m_twitter->setEnabled(false);

    m_valider = SettingsPageLook::validateButton();
    m_retour = SettingsPageLook::backButton();

    auto *main = new QGridLayout;
    main->setContentsMargins(20, 20, 20, 20);
    main->setSpacing(20);
    main->addWidget(m_title, 0, 0, 1, 2, Qt::AlignRight);
    main->addWidget(m_posterChoice, 0, 2, 1, 2);
    main->addWidget(m_previewFrame, 1, 0, 1, 4, Qt::AlignCenter);
    main->addWidget(m_instruction, 2, 0, 1, 4, Qt::AlignCenter);
    main->addWidget(m_linkBox, 3, 0, 1, 4);
    int column = 0;
    for (QToolButton *toggle : {m_webToggle, m_socialToggle, m_instagram, m_twitter})
        main->addWidget(toggle, 4, column++, Qt::AlignCenter);
    SettingsPageLook::layOut(this, m_background, main, m_retour, m_valider);

    connect(m_webToggle, &QToolButton::clicked, this, &classReseaux::slotWeb);
    connect(m_socialToggle, &QToolButton::clicked, this, &classReseaux::slotFacebook);
    connect(m_posterChoice, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &classReseaux::slotUpdatePreviewImage);
    connect(m_valider, &QPushButton::clicked, this, &classReseaux::slotValider);
    connect(m_retour, &QPushButton::clicked, this, &classReseaux::slotAnnuler);
}

classReseaux::~classReseaux() = default;

void classReseaux::slotResize(int w, int h, int rotation)
{
    const QFont small = SettingsPageLook::heightFont(height(), 55);
    const QFont large = SettingsPageLook::heightFont(height(), 45);
    m_geometry = SettingsPageLook::resizePage(this, m_background, w, h, rotation);
    const int side = h / 10;
    for (QToolButton *toggle : {m_webToggle, m_socialToggle, m_instagram, m_twitter})
        toggle->setIconSize(QSize(side, side));
    m_title->setFont(small);
    m_posterChoice->setFont(small);
    m_linkBox->setFont(small);
    m_linkBox->setFixedHeight(QFontMetrics(small).lineSpacing() * 2 + 12);
    m_instruction->setFont(large);
    slotUpdatePreviewImage(m_posterChoice->currentIndex());
}

void classReseaux::slotUpdateReseaux(QString NomDuCompte, QString Dossier)
{
    m_account = NomDuCompte;
    m_folder = Dossier;
    m_file.load();
    const QStringList entries = ShareLink::posterEntries(m_file.value(QStringLiteral("SLIDENAMEIMAGE")),
                                                         m_file.value(QStringLiteral("NOMAFFICHE")));
    m_posterChoice->clear();
    m_posterChoice->addItems(entries);
    const int stored = ShareLink::storedPoster(m_file.value(QStringLiteral("WEBSITE")), m_posterChoice->count());
    if (stored >= 0)
        m_posterChoice->setCurrentIndex(stored);
    // No poster: no index change refreshed the toggles for this folder.
    if (m_posterChoice->count() == 0)
        slotUpdatePreviewImage(-1);

    const QString link = m_file.value(QStringLiteral("LINKSITE"));
    if (!link.isEmpty() && link != QLatin1String("NULL") && ShareLink::isUsableFolder(m_folder))
        m_linkBox->setPlainText(link);
    else
        slotWebLink();

    bool web = false;
    bool social = false;
    ShareLink::readNetwork(m_file.value(QStringLiteral("NETWORK")), &web, &social);
    setWeb(web);
    setSocial(social);
}

void classReseaux::slotWebLink()
{
    if (!ShareLink::isUsableFolder(m_folder)) {
        m_linkBox->setPlainText(tr("Le nom de cet écran ne peut pas servir de lien: publication impossible."));
        return;
    }
    m_linkBox->setPlainText(ShareLink::link(classVersion().NomDeDomaine(), m_account, m_folder));
}

void classReseaux::setWeb(bool on)
{
    m_web = on;
    m_webToggle->setIcon(QIcon(on ? QStringLiteral(":/images/WwwON.png") : QStringLiteral(":/images/WwwOFF.png")));
    m_instruction->setVisible(on);
    m_linkBox->setVisible(on);
}

void classReseaux::setSocial(bool on)
{
    m_social = on;
    m_socialToggle->setIcon(
        QIcon(on ? QStringLiteral(":/images/FacebookON.png") : QStringLiteral(":/images/FacebookOFF.png")));
}

void classReseaux::slotWeb()
{
    setWeb(!m_web);
}

void classReseaux::slotFacebook()
{
    setSocial(!m_social);
}

void classReseaux::setPublishable(bool on)
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_webToggle, m_socialToggle, m_instruction, m_linkBox})
        w->setEnabled(on);
}

void classReseaux::showLayer(QLabel *layer, const QString &entry)
{
    if (entry.isEmpty()) {
        layer->clear();
        return;
    }
    layer->setPixmap(QPixmap(m_workFolder + entry)
                         .scaled(m_geometry.preview, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void classReseaux::slotUpdatePreviewImage(int index)
{
    Q_UNUSED(index)
    m_file.load();
    const QString texts = m_file.value(QStringLiteral("SLIDENAMETXT"));
    const QString pictures = m_file.value(QStringLiteral("SLIDENAMEIMAGE"));
    if (!m_geometry.preview.isEmpty())
        m_previewFrame->setFixedSize(m_geometry.preview);
    const bool folderOk = ShareLink::isUsableFolder(m_folder);
    setPublishable(folderOk);
    const int i = m_posterChoice->currentIndex();
    if (i == -1 || m_posterChoice->count() == 0)
        return;
    const QString text = PosterEntries::entry(texts, i);
    const QString picture = PosterEntries::entry(pictures, i);
    if (text != QLatin1String("NULL"))
        showLayer(m_textLayer, text);
    if (picture != QLatin1String("NULL"))
        showLayer(m_pictureLayer, picture);
    // A poster with neither picture nor text has nothing to publish.
    if (picture.isEmpty() && (text.isEmpty() || text == QLatin1String("NULL")))
        setPublishable(false);
    else
        slotWebLink();
}

QString classReseaux::sharePicturePath() const
{
    return m_workFolder + QStringLiteral("LINKS/Picture.png");
}

void classReseaux::slotUpdateHDImage(int index)
{
    m_file.load();
    const QSize full = ShareLink::fullSize(m_geometry.rotation);
    QString picture;
    QString text;
    // The file, read again, says which poster it is: the deployment may ask
    // before this page was ever filled.
    if (index >= 0) {
        const QString p = PosterEntries::entry(m_file.value(QStringLiteral("SLIDENAMEIMAGE")), index);
        const QString t = PosterEntries::entry(m_file.value(QStringLiteral("SLIDENAMETXT")), index);
        if (!p.isEmpty() && p != QLatin1String("NULL"))
            picture = m_workFolder + p;
        if (!t.isEmpty() && t != QLatin1String("NULL"))
            text = m_workFolder + t;
    }
    const QImage image = SharePicture::render(picture, text, full);
    if (SharePicture::save(image, sharePicturePath()))
        m_sharePicture = QPixmap::fromImage(image);
    else
        qDebug().noquote() << "Share picture not saved for poster" << index << ":" << sharePicturePath();
    slotUpdatePreviewImage(m_posterChoice->currentIndex());
    emit signalSavePictureTermine();
}

void classReseaux::slotValider()
{
    // Nothing to store before the panel has named a screen.
    if (m_account.isEmpty() && m_folder.isEmpty()) {
        emit signalButton(0);
        return;
    }
    const bool published = (m_web && m_webToggle->isEnabled()) || (m_social && m_socialToggle->isEnabled());
    if ((m_web || m_social) && !ShareLink::isUsableFolder(m_folder)) {
        SettingsPageLook::showError(this, tr("Le nom de cet écran (%1) ne peut pas servir de lien: "
                                              "rien n'a été enregistré.")
                                               .arg(m_folder));
        return;
    }
    const QString link = m_linkBox->toPlainText();
    if (published && !TypedValue::isStorable(link)) {
        SettingsPageLook::showError(this, TypedValue::refusal(tr("Lien unique")));
        return;
    }
    if (!m_keys.load()) {
        SettingsPageLook::showError(this, m_keys.errorString());
        return;
    }
    const int n = m_posterChoice->currentIndex();
    if (!published || n >= 0) {
        const ShareLink::Values values =
            published ? ShareLink::published(m_web, m_social, n, link) : ShareLink::unpublished();
        if (!m_keys.write(values)) {
            SettingsPageLook::showError(this, m_keys.errorString());
            return;
        }
        if (published)
            slotUpdateHDImage(n);
    }
    emit signalButton(0);
}

void classReseaux::slotAnnuler()
{
    emit signalButton(0);
}
