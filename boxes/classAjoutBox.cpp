#include "classAjoutBox.h"

#include "AddBoxRules.h"
#include "AppGlobals.h"
#include "ClassBox.h"
#include "SettingsPageLook.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>


classAjoutBox::classAjoutBox(QWidget *parent)
    : QWidget(parent)
    , m_work(ApplicationPath)
{
    setMinimumSize(1024, 720);
    const QFont messageFont(QStringLiteral("Avenir"), int(FontRatio * 25), 50);
    const QFont fieldFont(QStringLiteral("Avenir"), int(FontRatio * 20), 75);
    const QString labelStyle = QStringLiteral("color:rgba(255,255,255,100%);background-color:rgba(0,0,0,0%);");
    const QString fieldStyle = QStringLiteral("color:rgba(0,0,0,100%);background-color:rgba(255,255,255,80%);");

    m_background = new QLabel(this);
    m_frame = new QFrame;
    m_frame->setFrameShape(QFrame::StyledPanel);
    m_frame->setFocusPolicy(Qt::NoFocus);

    m_message = new QLabel;
    m_message->setFont(messageFont);
    m_message->setStyleSheet(labelStyle);
    m_message->setFocusPolicy(Qt::NoFocus);
    m_serialLabel = new QLabel(tr("Numéro de série:"));
    m_codeLabel = new QLabel(tr("Code:"));
    for (QLabel *label : {m_serialLabel, m_codeLabel}) {
        label->setFont(fieldFont);
        label->setStyleSheet(labelStyle);
    }
    m_serial = new QLineEdit;
    m_code = new QLineEdit;
    m_serial->setValidator(new QRegularExpressionValidator(QRegularExpression(AddBoxRules::serialPattern()), m_serial));
    m_code->setValidator(new QRegularExpressionValidator(QRegularExpression(AddBoxRules::codePattern()), m_code));
    for (QLineEdit *field : {m_serial, m_code}) {
        field->setFont(fieldFont);
        field->setStyleSheet(fieldStyle);
    }

    auto *entries = new QGridLayout(m_frame);
    entries->addWidget(m_message, 0, 0, 1, 2, Qt::AlignCenter);
    entries->addWidget(m_serialLabel, 1, 0, Qt::AlignRight);
    entries->addWidget(m_serial, 1, 1, Qt::AlignLeft);
    entries->addWidget(m_codeLabel, 2, 0, Qt::AlignRight);
    entries->addWidget(m_code, 2, 1, Qt::AlignLeft);

    m_valider = SettingsPageLook::validateButton();
    m_annuler = SettingsPageLook::backButton();
    m_annuler->setIcon(QIcon(QStringLiteral(":/images/annuler.png")));
    m_annuler->setObjectName(QStringLiteral("annuler"));
    m_valider->setFocusPolicy(Qt::NoFocus);
    m_annuler->setFocusPolicy(Qt::NoFocus);
    auto *buttons = new QGridLayout;
    buttons->setContentsMargins(20, 20, 20, 20);
    buttons->setSpacing(20);
    buttons->addWidget(m_annuler, 0, 0);
    buttons->addWidget(m_valider, 0, 1);

    auto *main = new QGridLayout(m_background);
    main->setContentsMargins(20, 20, 20, 20);
    main->setSpacing(20);
    main->addWidget(m_frame, 0, 0);
    main->addLayout(buttons, 1, 0);

    m_procedure = new AddBoxProcedure(m_work, this, this);
    connect(m_procedure, &AddBoxProcedure::signalGetListFile, this, &classAjoutBox::signalGetListFile);
    connect(m_procedure, &AddBoxProcedure::signalPutFile, this, &classAjoutBox::signalPutFile);
    connect(m_procedure, &AddBoxProcedure::signalMkdir, this, &classAjoutBox::signalMkdir);
    connect(m_procedure, &AddBoxProcedure::signalGetFile, this, &classAjoutBox::signalGetFile);
    connect(m_procedure, &AddBoxProcedure::signalClearListFile, this, &classAjoutBox::signalClearListFile);
    connect(m_procedure, &AddBoxProcedure::signalMessage, m_message, &QLabel::setText);
    connect(m_procedure, &AddBoxProcedure::signalFieldsVisible, this, &classAjoutBox::showFields);
    connect(m_valider, &QPushButton::clicked, this, &classAjoutBox::slotValider);
    connect(m_annuler, &QPushButton::clicked, this, &classAjoutBox::slotAnnuler);
    // The procedure reads the entries as they stand at each step.
    const auto entriesChanged = [this] { m_procedure->setEntries(m_serial->text(), m_code->text()); };
    connect(m_serial, &QLineEdit::textChanged, this, entriesChanged);
    connect(m_code, &QLineEdit::textChanged, this, entriesChanged);
    hide();
}

classAjoutBox::~classAjoutBox() = default;

void classAjoutBox::slotResize(int width, int height, int rotation)
{
    Q_UNUSED(rotation)
    setMinimumSize(width, height);
    resize(width, height);
    m_background->setPixmap(QPixmap(QStringLiteral(":/images/BackgroundMessage.png"))
                                .scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    m_background->resize(width, height);
}

void classAjoutBox::slotVisible()
{
    m_procedure->start();
    move(0, 0);
    show();
    raise();
}

void classAjoutBox::slotProcedure() { m_procedure->tick(); }

void classAjoutBox::showFields(bool visible)
{
    for (QWidget *w : {static_cast<QWidget *>(m_serialLabel), static_cast<QWidget *>(m_serial),
                       static_cast<QWidget *>(m_codeLabel), static_cast<QWidget *>(m_code)}) {
        w->setVisible(visible);
        w->setEnabled(visible);
    }
    if (visible)
        m_serial->setFocus();
    // Failure and success end the run with the dialog closed.
    if (!visible && !m_procedure->running())
        hide();
}

void classAjoutBox::slotListFichier(QStringList Fichiers) { m_procedure->slotListFichier(Fichiers); }
void classAjoutBox::slotPutFileFinish() { m_procedure->slotPutFileFinish(); }
void classAjoutBox::slotMkdirFinish() { m_procedure->slotMkdirFinish(); }
void classAjoutBox::slotGetFileFinish() { m_procedure->slotGetFileFinish(); }
void classAjoutBox::slotPresenceBOX() { m_procedure->slotPresenceBOX(); }
void classAjoutBox::slotSelectionCategory(QString current) { m_procedure->slotSelectionCategory(current); }
void classAjoutBox::slotValider() { m_procedure->slotValider(); }
void classAjoutBox::slotTransferEnded(int operation, bool ok) { m_procedure->slotTransferEnded(operation, ok); }

void classAjoutBox::slotAnnuler()
{
    m_procedure->stop();
    hide();
}

void classAjoutBox::information(const QString &title, const QString &text)
{
    QMessageBox::information(this, title, text, QMessageBox::Ok);
}

bool classAjoutBox::entryError(const QString &text)
{
    setFocus();
    auto *box = new ClassBox(text, 4, width(), height(), this);
    box->exec();
    const bool ok = box->text() == 0;
    delete box;
    return ok;
}

void classAjoutBox::finished()
{
    emit signalMessageOnlyOFF();
    MessageTermine();
}

void classAjoutBox::MessageTermine()
{
    QMessageBox::information(this, tr("Félicitations"),
                             tr("Création terminée avec succés, l'application va s'éteindre!!"), QMessageBox::Ok);
    QCoreApplication::quit();
}
