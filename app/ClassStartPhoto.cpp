#include "ClassStartPhoto.h"

#include "classVersion.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

namespace {
const char *const kTransparentText = "color:white;background-color:rgba(0,0,0,0%);";
}

ClassStartPhoto::ClassStartPhoto(QWidget *parent)
    : QWidget(parent)
{
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    setFixedSize(screen);

    m_logo = new QLabel(QStringLiteral(" "), this);
    m_logo->setFont(QFont(QStringLiteral("JK Abode"), 90, 75));
    m_logo->setStyleSheet(QString::fromLatin1(kTransparentText));
    m_logo->setText(QStringLiteral("ZoManager"));
    m_logo->setPixmap(QPixmap(classVersion().LogoDemarrage())
                          .scaled(550, 175, Qt::KeepAspectRatio, Qt::SmoothTransformation));

    m_message = new QLabel(QStringLiteral(" "));
    m_message->setFont(QFont(QStringLiteral("Avenir"), 15, 50));
    m_message->setStyleSheet(QString::fromLatin1(kTransparentText));
    m_message->setText(tr("Chargement en cours..."));

    m_grid = new QGridLayout;
    m_grid->addWidget(m_logo, 0, 0, Qt::AlignHCenter | Qt::AlignVCenter | Qt::AlignBottom);
    m_grid->addWidget(m_message, 1, 0, Qt::AlignCenter);
    m_grid->setRowMinimumHeight(0, 10);
    m_grid->setRowMinimumHeight(1, 1);

    m_background = new QLabel(this);
    m_background->setPixmap(QPixmap(QStringLiteral(":/images/BackgroundMessage.png"))
                                .scaled(screen, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    m_background->setLayout(m_grid);

    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addWidget(m_background);
}

ClassStartPhoto::~ClassStartPhoto() = default;
