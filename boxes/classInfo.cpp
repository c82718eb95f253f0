#include "classInfo.h"

#include "AppGlobals.h"
#include "BoxFiles.h"
#include "BoxPageLayout.h"
#include "InfoValueEdit.h"
#include "SettingsPageLook.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// setText leaves the cursor at the end, so a value wider than its field
// would show only its last letters.
void showFromStart(QLineEdit *edit, const QString &text)
{
    edit->setText(text);
    edit->setCursorPosition(0);
}

const char *const kLabelStyle = "color:white;border:none;background-color:transparent;";
const char *const kValueStyle = "color:white;border:none;background-color:rgba(0,0,0,20%);";

QStringList labelsOf(const QList<BoxFiles::Field> &fields)
{
    QStringList labels;
    for (const BoxFiles::Field &f : fields)
        labels << QCoreApplication::translate("BoxFiles", f.label);
    return labels;
}

QFont avenir(int base, int weight)
{
    return QFont(QStringLiteral("Avenir"), qMax(1, int(base * FontRatio)), weight);
}

} // namespace

classInfo::classInfo(QWidget *parent)
    : QWidget(parent)
    , m_path(ApplicationPath)
{
    setMinimumSize(1024, 720);
    const QFont valueFont = avenir(13, 75);

    QList<QWidget *> factory;
    for (int i = 0; i < BoxFiles::factoryFields().size(); ++i) {
        auto *value = new QLabel;
        value->setObjectName(QStringLiteral("factory%1").arg(i));
        value->setStyleSheet(QLatin1String(kValueStyle));
        value->setFont(valueFont);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_factoryValues << value;
        factory << value;
    }
    const auto makeFields = [&](int count, QList<QLineEdit *> *list, const char *prefix) {
        QList<QWidget *> widgets;
        for (int i = 0; i < count; ++i) {
            auto *edit = new InfoValueEdit;
            edit->setObjectName(QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(i));
            edit->setStyleSheet(QLatin1String(kValueStyle));
            edit->setFont(valueFont);
            edit->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
            *list << edit;
            widgets << edit;
        }
        return widgets;
    };
    const QList<QWidget *> owner = makeFields(BoxFiles::ownerFields().size(), &m_ownerFields, "owner");
    const QList<QWidget *> position = makeFields(BoxFiles::positionFields().size(), &m_positionFields, "position");

    m_frameBox = panel(QStringLiteral(":/images/dir.png"), labelsOf(BoxFiles::factoryFields()), &m_factoryLabels,
                       factory);
    m_frameOwner = panel(QStringLiteral(":/images/user.png"), labelsOf(BoxFiles::ownerFields()), &m_ownerLabels,
                         owner);
    m_framePosition = panel(QStringLiteral(":/images/Position.png"), labelsOf(BoxFiles::positionFields()),
                            &m_positionLabels, position);

    m_valider = SettingsPageLook::validateButton();
    m_retour = SettingsPageLook::backButton();
    m_grid = BoxPageLayout::mainGrid(this, &m_background, 10);
    m_grid->addWidget(m_frameBox, 0, 0);
    m_grid->addWidget(m_frameOwner, 0, 1);
    m_grid->addWidget(m_framePosition, 0, 2);
    // The factory record is read-only and short; the editable panels get the room.
    m_grid->setColumnStretch(1, 1);
    m_grid->setColumnStretch(2, 1);
    BoxPageLayout::addButtons(m_grid, 1, 3, m_retour, m_valider, 20);

    AfficheINFO();
    connect(m_valider, &QPushButton::clicked, this, &classInfo::slotValider);
    connect(m_retour, &QPushButton::clicked, this, &classInfo::slotAnnuler);
}

classInfo::~classInfo() = default;

QFrame *classInfo::panel(const QString &picture, const QStringList &labels, QList<QLabel *> *labelList,
                         QList<QWidget *> values)
{
    auto *frame = new QFrame;
    frame->setFrameShape(QFrame::StyledPanel);
    auto *grid = new QGridLayout(frame);
    auto *icon = new QLabel;
    icon->setStyleSheet(QLatin1String(kLabelStyle));
    icon->setPixmap(QPixmap(picture).scaled(102, 102, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    grid->addWidget(icon, 0, 0, 1, 2, Qt::AlignHCenter);
    const QFont labelFont = avenir(10, 50);
    for (int i = 0; i < labels.size(); ++i) {
        auto *label = new QLabel(labels.at(i));
        label->setStyleSheet(QLatin1String(kLabelStyle));
        label->setFont(labelFont);
        *labelList << label;
        grid->addWidget(label, i + 1, 0, Qt::AlignRight);
        grid->addWidget(values.at(i), i + 1, 1);
    }
    return frame;
}

void classInfo::AfficheINFO()
{
    BoxFiles::readRecord(m_paramBox, m_path + BoxFiles::boxFile());
    const QStringList factoryKeys = BoxFiles::keysOf(BoxFiles::factoryFields());
    for (int i = 0; i < factoryKeys.size(); ++i)
        m_factoryValues.at(i)->setText(m_paramBox.getInfoBalise(factoryKeys.at(i)));

    BoxFiles::readRecord(m_paramInfo, m_path + BoxFiles::infoFile());
    const QStringList ownerKeys = BoxFiles::keysOf(BoxFiles::ownerFields());
    for (int i = 0; i < ownerKeys.size(); ++i)
        showFromStart(m_ownerFields.at(i), m_paramInfo.getInfoBalise(ownerKeys.at(i)));
    const QStringList positionKeys = BoxFiles::keysOf(BoxFiles::positionFields());
    for (int i = 0; i < positionKeys.size(); ++i)
        showFromStart(m_positionFields.at(i), m_paramInfo.getInfoBalise(positionKeys.at(i)));
}

void classInfo::slotValider()
{
    const QStringList keys = BoxFiles::infoKeys();
    const QList<QLineEdit *> fields = m_ownerFields + m_positionFields;
    const QStringList labels = labelsOf(BoxFiles::ownerFields()) + labelsOf(BoxFiles::positionFields());
    QList<QPair<QString, QString>> values;
    for (int i = 0; i < keys.size(); ++i) {
        const QString value = BoxFiles::typedValue(fields.at(i)->text());
        const QChar bad = BoxFiles::unstorable(value);
        if (!bad.isNull()) {
            fields.at(i)->setFocus();
            SettingsPageLook::showError(
                this, tr("Le caractère « %1 » du champ %2 ne peut pas être enregistré.").arg(bad, labels.at(i)));
            return;
        }
        values << qMakePair(keys.at(i), value);
    }
    QString error;
    if (!BoxFiles::saveInfo(m_path + BoxFiles::infoFile(), values, &error)) {
        SettingsPageLook::showError(this, tr("La fiche de l'écran n'a pas pu être enregistrée: %1.").arg(error));
        return;
    }
    // The fields show what was stored.
    for (int i = 0; i < fields.size(); ++i)
        showFromStart(fields.at(i), values.at(i).second);
    emit signalButton(0);
}

void classInfo::slotAnnuler()
{
    emit signalButton(0);
}

void classInfo::slotResize(int w, int h, int rotation)
{
    Q_UNUSED(rotation)
    setMinimumSize(w, h);
    const QFont font(QStringLiteral("Avenir"), qMax(1, int(float(width() / 90) * FontRatio)), QFont::Normal);
    SettingsPageLook::paintBackground(m_background, w, h);
    for (QLabel *label : m_ownerLabels + m_factoryLabels + m_positionLabels)
        label->setFont(font);
    for (QLineEdit *edit : m_ownerFields)
        edit->setFont(font);
    for (QLabel *value : m_factoryValues)
        value->setFont(font);
    for (QLineEdit *edit : m_positionFields)
        edit->setFont(font);
}
