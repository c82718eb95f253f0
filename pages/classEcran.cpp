#include "classEcran.h"

#include "AppGlobals.h"
#include "ScreenLayouts.h"
#include "SettingsPageLook.h"

#include <QDebug>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalMapper>

namespace {

const QString Auto = QStringLiteral("AUTO.");
const QString Manual = QStringLiteral("MANUEL");
const QString LabelStyle = QStringLiteral("background-color:rgba(200,200,200,0%);color: white;");

QFrame *plainFrame(QGridLayout **grid)
{
    QFrame *frame = SettingsPageLook::plainFrame();
    *grid = new QGridLayout(frame);
    return frame;
}

} // namespace

classEcran::classEcran(QWidget *parent)
    : QWidget(parent)
    , m_path(ApplicationPath)
{
    setMinimumSize(1024, 720);
    m_background = SettingsPageLook::background(this);
    m_mapper = new QSignalMapper(this);
    for (int i = 0; i < ScreenLayouts::Count; ++i) {
        auto *button = new QPushButton;
        button->setObjectName(QStringLiteral("layout%1").arg(i));
        button->setCheckable(true);
        button->setIcon(QIcon(ScreenLayouts::icon(i)));
        button->setIconSize(QSize(144, 144));
        connect(button, &QPushButton::clicked, m_mapper, QOverload<>::of(&QSignalMapper::map));
        m_mapper->setMapping(button, i);
        m_layouts.append(button);
    }
    connect(m_mapper, &QSignalMapper::mappedInt, this, &classEcran::slotButton);

    auto addLabel = [this](QGridLayout *grid, const QString &text, int row, int column, bool styled) {
        auto *label = new QLabel(text);
        if (styled) {
            label->setAlignment(Qt::AlignCenter);
            label->setStyleSheet(LabelStyle);
        } else {
            label->setStyleSheet(QStringLiteral("color: white;"));
        }
        grid->addWidget(label, row, column, Qt::AlignRight);
        m_labels.append(label);
        return label;
    };

    QGridLayout *landscapeGrid;
    QFrame *landscape = plainFrame(&landscapeGrid);
    addLabel(landscapeGrid, QStringLiteral("Ecran orienté en paysage:"), 0, 0, true);
    QGridLayout *portraitGrid;
    QFrame *portrait = plainFrame(&portraitGrid);
    addLabel(portraitGrid, QStringLiteral("Ecran orienté en portrait:"), 0, 0, true);
    for (int i = 0; i < 3; ++i) {
        landscapeGrid->addWidget(m_layouts.at(i), 0, i + 1);
        portraitGrid->addWidget(m_layouts.at(i + 3), 0, i + 1);
    }
    m_sens = new QPushButton(ScreenLayouts::clockwise());
    m_sens->setObjectName(QStringLiteral("sens"));
    m_sens->setEnabled(false);
    connect(m_sens, &QPushButton::clicked, this, &classEcran::slotSensRotation);
    portraitGrid->addWidget(m_sens, 1, 1, 1, 3);

    QGridLayout *sizeGrid;
    QFrame *size = plainFrame(&sizeGrid);
    m_mode = new QPushButton(Auto);
    m_mode->setObjectName(QStringLiteral("mode"));
    connect(m_mode, &QPushButton::clicked, this, &classEcran::slotAutoManual);
    m_largeur = new QPushButton(QStringLiteral("0"));
    m_largeur->setObjectName(QStringLiteral("largeur"));
    m_hauteur = new QPushButton(QStringLiteral("0"));
    m_hauteur->setObjectName(QStringLiteral("hauteur"));
    connect(m_largeur, &QPushButton::clicked, this, &classEcran::slotManualLargeur);
    connect(m_hauteur, &QPushButton::clicked, this, &classEcran::slotManualHauteur);
    sizeGrid->addWidget(m_mode, 0, 0);
    addLabel(sizeGrid, QStringLiteral("Largeur(pixels):"), 0, 1, false);
    sizeGrid->addWidget(m_largeur, 0, 2);
    addLabel(sizeGrid, QStringLiteral("Hauteur(pixels):"), 0, 3, false);
    sizeGrid->addWidget(m_hauteur, 0, 4);

    m_conseil = new QLabel(ScreenLayouts::advice(0));
    m_conseil->setObjectName(QStringLiteral("conseil"));
    m_conseil->setAlignment(Qt::AlignCenter);
    m_conseil->setStyleSheet(LabelStyle);
    m_labels.append(m_conseil);

    QPushButton *back = SettingsPageLook::backButton();
    QPushButton *validate = SettingsPageLook::validateButton();
    connect(back, &QPushButton::clicked, this, &classEcran::slotFermer);
    connect(validate, &QPushButton::clicked, this, &classEcran::slotValider);

    auto *main = new QGridLayout(m_background);
    main->setContentsMargins(20, 20, 20, 20);
    main->setSpacing(10);
    main->addWidget(landscape, 0, 0, 1, 2);
    main->addWidget(portrait, 1, 0, 1, 2);
    main->addWidget(size, 2, 0, 1, 2);
    main->addWidget(m_conseil, 3, 0, 1, 2);
    main->addWidget(back, 4, 0);
    main->addWidget(validate, 4, 1);

    setManual(false);
    SettingsPageLook::paintBackground(m_background, m_width, m_height);
}

classEcran::~classEcran() = default;

QString classEcran::file() const
{
    return m_path + QStringLiteral("DATA/PLAYER.orvex");
}

QString classEcran::ButtonToSensRotation()
{
    return ScreenLayouts::rotationOfSense(m_sens->text());
}

void classEcran::slotButton(int index)
{
    if (index < 0 || index >= ScreenLayouts::Count)
        index = 0;
    for (QPushButton *button : qAsConst(m_layouts))
        button->setChecked(false);
    m_layout = index;
    m_sens->setEnabled(ScreenLayouts::isPortrait(index));
    m_layouts.at(index)->setChecked(true);
    m_rotation = ScreenLayouts::isPortrait(index) ? ButtonToSensRotation() : QStringLiteral("0");
    m_zones = ScreenLayouts::zones(index);
    m_conseil->setText(ScreenLayouts::advice(index));
}

void classEcran::slotSensRotation()
{
    m_sens->setText(m_sens->text() == ScreenLayouts::clockwise() ? ScreenLayouts::anticlockwise()
                                                                : ScreenLayouts::clockwise());
    m_rotation = ButtonToSensRotation();
}

void classEcran::setManual(bool manual)
{
    m_mode->setText(manual ? Manual : Auto);
    m_largeur->setEnabled(manual);
    m_hauteur->setEnabled(manual);
}

void classEcran::slotAutoManual()
{
    setManual(m_mode->text() == Auto);
}

void classEcran::typePixels(QPushButton *target, const QString &title)
{
    // The mask would drop the '-' of the automatic -1 and open on "1".
    const QString shown = target->text() == QLatin1String("-1") ? QString() : target->text();
    target->setText(SettingsPageLook::typeNumber(title, shown, QStringLiteral("0000;_"), m_width, m_height));
}

void classEcran::slotManualLargeur() { typePixels(m_largeur, QStringLiteral("Largeur (en pixels):")); }
void classEcran::slotManualHauteur() { typePixels(m_hauteur, QStringLiteral("Hauteur (en pixels):")); }

void classEcran::transQStringToEcran(QString rotation, QString zones)
{
    m_sens->setText(ScreenLayouts::senseOfRotation(rotation));
    const int index = ScreenLayouts::recognise(rotation, zones);
    if (index >= 0) {
        slotButton(index);
        return;
    }
    // A layout the page does not know: nothing is shown as chosen, so that
    // validating keeps it instead of writing another screen's layout.
    for (QPushButton *button : qAsConst(m_layouts))
        button->setChecked(false);
    m_layout = -1;
    m_sens->setEnabled(false);
    m_zones.clear();
    m_rotation = rotation;
}

void classEcran::slotUpdateInfoEcran(int AfficheNumero)
{
    Q_UNUSED(AfficheNumero)
    if (!m_param.getParamCrypt(file(), QStringList{QStringLiteral("ALL")}, 0))
        qDebug() << "classEcran: cannot read" << file();
    QString rotation = m_param.getInfoBalise(QStringLiteral("ROTATION2"));
    QString zones = m_param.getInfoBalise(QStringLiteral("CONFIGECRAN"));
    const ScreenLayouts::Values migration =
        ScreenLayouts::migration(zones, m_param.getInfoBalise(QStringLiteral("SLIDEDELAY")));
    if (!migration.isEmpty()) {
        zones = migration.first().second;
        QString why;
        if (!m_param.setParamsCrypt(file(), migration, &why))
            qDebug() << "classEcran: zone layout not stored:" << why;
    }
    if (rotation == QLatin1String("NULL"))
        rotation = QStringLiteral("0");
    transQStringToEcran(rotation, zones);

    const QString largeur = m_param.getInfoBalise(QStringLiteral("ECRANLARGEUR"));
    const QString hauteur = m_param.getInfoBalise(QStringLiteral("ECRANHAUTEUR"));
    m_largeur->setText(largeur == QLatin1String("NULL") ? QStringLiteral("-1") : largeur);
    m_hauteur->setText(hauteur == QLatin1String("NULL") ? QStringLiteral("-1") : hauteur);
    setManual(m_largeur->text() != QLatin1String("-1") && m_hauteur->text() != QLatin1String("-1"));
}

void classEcran::slotValider()
{
    ScreenLayouts::Choice choice;
    choice.layout = m_layout;
    choice.rotation = m_rotation;
    choice.manual = m_mode->text() == Manual;
    choice.width = m_largeur->text();
    choice.height = m_hauteur->text();
    const QString refusal = ScreenLayouts::refusal(choice);
    if (!refusal.isEmpty()) {
        SettingsPageLook::showError(this, refusal);
        return;
    }
    QString why;
    const ScreenLayouts::Values values =
        ScreenLayouts::writes(choice, m_param.getInfoBalise(QStringLiteral("SLIDEDELAY")));
    if (!m_param.setParamsCrypt(file(), values, &why)) {
        SettingsPageLook::showError(this, SettingsPageLook::saveFailure(file(), why));
        return;
    }
    emit signalEnvoiEcran();
    emit signalButton(0);
}

void classEcran::slotFermer()
{
    emit signalButton(0);
}

void classEcran::slotResize(int w, int h, int rotation)
{
    Q_UNUSED(rotation)
    m_width = w;
    m_height = h;
    SettingsPageLook::fitPage(this, m_background, w, h);
    const int height = this->height();
    const QFont font = SettingsPageLook::font(height / 60, 75);
    for (QLabel *label : qAsConst(m_labels))
        label->setFont(font);
    for (QPushButton *button : {m_sens, m_mode, m_largeur, m_hauteur})
        button->setFont(font);
    for (QPushButton *button : qAsConst(m_layouts))
        button->setIconSize(QSize(height / 5, height / 5));
}
