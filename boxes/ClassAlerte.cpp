#include "ClassAlerte.h"

#include "AlertReport.h"
#include "AppGlobals.h"
#include "ClassBox.h"
#include "ClassClavier.h"
#include "ClassParamS.h"
#include "SettingsPageLook.h"
#include "classVersion.h"

#include <QComboBox>
#include <QDateTime>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace {

enum Panel { System = 0, User = 1, Description = 2 };

QStringList rows(ClassParam &param, const char *key)
{
    return param.getInfoBalise(QLatin1String(key)).split(QLatin1Char('|'));
}

} // namespace

ClassAlerte::ClassAlerte(QWidget *parent)
    : QWidget(parent)
{
    setMinimumSize(1024, 720);
    m_work = ApplicationPath;
    const QFont titleFont(QStringLiteral("Avenir"), int(FontRatio * 15), 75);
    m_background = new QLabel(this);

    const QStringList titles{tr("Informations du système"), tr("Informations de l'utilisateur"),
                             tr("Description de votre Alerte")};
    for (int i = 0; i < 3; ++i) {
        m_frames[i] = new QFrame;
        m_frames[i]->setFrameShape(QFrame::NoFrame);
        m_titles[i] = new QLabel(titles.at(i));
        m_titles[i]->setFont(titleFont);
        m_titles[i]->setStyleSheet(QStringLiteral("background-color:rgba(200,200,200,90%);color: black;"));
        m_titles[i]->setAlignment(Qt::AlignCenter);
        m_texts[i] = new QLabel;
        m_texts[i]->setAlignment(Qt::AlignCenter);
        m_texts[i]->setStyleSheet(QStringLiteral("color:white;background-color:rgba(0,0,0,0%);"));
    }
    m_category = new QComboBox;
    m_category->addItems(AlertReport::categories());
    m_category->setCurrentIndex(0);
    m_messageButton = SettingsPageLook::toolButton(tr("Message"), QStringLiteral(":/images/Message.png"));
    connect(m_messageButton, &QToolButton::clicked, this, &ClassAlerte::slotMessage);

    for (int i : {System, User}) {
        auto *grid = new QGridLayout(m_frames[i]);
        grid->addWidget(m_titles[i], 0, 0);
        grid->addWidget(m_texts[i], 1, 0);
        grid->setRowStretch(0, 1);
        grid->setRowStretch(1, 10);
    }
    auto *grid = new QGridLayout(m_frames[Description]);
    grid->addWidget(m_titles[Description], 0, 0);
    grid->addWidget(m_category, 1, 0);
    grid->addWidget(m_texts[Description], 2, 0);
    grid->addWidget(m_messageButton, 3, 0, Qt::AlignTop);
    grid->setRowStretch(0, 1);
    grid->setRowStretch(1, 1);
    grid->setRowStretch(2, 1);
    grid->setRowStretch(3, 10);

    m_back = SettingsPageLook::backButton();
    m_valider = SettingsPageLook::validateButton();
    connect(m_back, &QPushButton::clicked, this, &ClassAlerte::slotFermer);
    connect(m_valider, &QPushButton::clicked, this, &ClassAlerte::slotValider);

    auto *page = new QGridLayout(m_background);
    page->setContentsMargins(20, 20, 20, 20);
    page->setSpacing(10);
    page->addWidget(m_frames[System], 0, 0);
    page->addWidget(m_frames[User], 0, 1);
    page->addWidget(m_frames[Description], 1, 0, 1, 2);
    page->addWidget(m_back, 2, 0);
    page->addWidget(m_valider, 2, 1);
}

ClassAlerte::~ClassAlerte() = default;

QString ClassAlerte::systemText() const { return m_texts[System]->text(); }
QString ClassAlerte::userText() const { return m_texts[User]->text(); }
QString ClassAlerte::descriptionText() const { return m_texts[Description]->text(); }

void ClassAlerte::slotResize(int width, int height, int rotation)
{
    Q_UNUSED(rotation)
    m_width = width;
    m_height = height;
    setMinimumSize(width, height);
    resize(width, height);
    m_background->setPixmap(QPixmap(classVersion().BackgroundColor())
                                .scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    m_background->resize(width, height);
    const int h = this->height();
    const QFont categoryFont(QStringLiteral("Avenir"), qMax(1, int((h / 90) * FontRatio)), 75);
    const QFont titleFont(QStringLiteral("Avenir"), qMax(1, int((h / 70) * FontRatio)), 75);
    const QFont textFont(QStringLiteral("Avenir"), qMax(1, int((h / 70) * FontRatio)), 50);
    m_messageButton->setIconSize(QSize(h / 20, h / 20));
    for (int i = 0; i < 3; ++i) {
        m_titles[i]->setFont(titleFont);
        m_texts[i]->setFont(textFont);
    }
    m_messageButton->setFont(titleFont);
    m_category->setFont(categoryFont);
}

QString ClassAlerte::account()
{
    // A user account's connection file names the account under COMPTEUSER.
    const QString admin = m_accountFile.getInfoBalise(QStringLiteral("COMPTEADMIN"));
    if (admin == QLatin1String("NULL"))
        return m_accountFile.getInfoBalise(QStringLiteral("COMPTEUSER"));
    return admin;
}

void ClassAlerte::slotUpdateInfoAlerte()
{
    m_login.getParamCrypt(m_work + QLatin1String("LoginCrypt.orvex"), QStringList{QStringLiteral("ALL")}, 0);
    m_accountFile.getParamCrypt(m_work + QLatin1String("CONNEXION.txt"), QStringList{QStringLiteral("ALL")}, 0);

    m_texts[System]->setText(AlertReport::systemText());
    AlertReport::UserRows userRows{rows(m_login, "USERLIST"), rows(m_login, "USERTYPE"), rows(m_login, "USERNOM"),
                                   rows(m_login, "USEREMAIL"), rows(m_login, "USERTELEPHONE")};
    m_texts[User]->setText(AlertReport::userText(account(),
                                                 m_accountFile.getInfoBalise(QStringLiteral("MEDIASIZE")),
                                                 m_userName, userRows));
    classVersion version;
    m_texts[Description]->setText(AlertReport::descriptionText(version.Marque(), version.Model(), version.Version(),
                                                               QDateTime::currentDateTime(), m_message));
}

void ClassAlerte::slotUserLogin(QString User, QString Type)
{
    Q_UNUSED(Type)
    m_userName = User;
}

void ClassAlerte::slotMessage()
{
    auto *keyboard = new ClassClavier(m_width, m_height, nullptr, 1);
    keyboard->setTextClavier(tr("Message :"), m_message);
    keyboard->setWindowFlags(keyboard->windowFlags() | Qt::FramelessWindowHint);
    keyboard->exec();
    m_message = keyboard->text();
    delete keyboard;
    slotUpdateInfoAlerte();
}

QString ClassAlerte::MessageAlerte(QString *error)
{
    const QString text = AlertReport::reportText(systemText(), userText(), descriptionText(),
                                                 ClassParamS::getNewPath(QStringLiteral("LOG/")));
    return AlertReport::write(AlertReport::logName(m_category->currentText(), account()), text, error);
}

void ClassAlerte::slotValider()
{
    // Support cannot act on a report that says nothing.
    if (m_message.trimmed().isEmpty()) {
        ClassBox box(tr("Le message de l'alerte est vide!!!") + QLatin1Char('\n')
                         + tr("Décrivez le problème avec le bouton \"Message\" avant de valider."),
                     4, m_width, m_height, this);
        box.exec();
        return;
    }
    QString error;
    const QString name = MessageAlerte(&error);
    // A report that could not be written is not announced: the user is told
    // and the page stays with the text.
    if (name.isEmpty()) {
        ClassBox box(error, 4, m_width, m_height, this);
        box.exec();
        return;
    }
    emit signalEnvoiAlerte(name);
    emit signalButton(0);
}

void ClassAlerte::slotFermer() { emit signalButton(0); }
