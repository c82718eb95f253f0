#include "MessageOverlay.h"

#include "AppGlobals.h"
#include "PanelMetrics.h"
#include "QProgressIndicator.h"
#include "QRoundProgressBar.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

namespace {

const char *const kLabelStyle = "color:black;border:none;background-color:transparent;";

QRoundProgressBar *makeBar(const QString &styleSheet, QWidget *parent)
{
    auto *bar = new QRoundProgressBar(parent);
    bar->setBarStyle(QRoundProgressBar::StyleLine);
    bar->setRange(0, 100);
    bar->setValue(0.0);
    bar->setFormat(QStringLiteral("%p%"));
    QPalette palette = bar->palette();
    palette.setColor(QPalette::All, QPalette::Highlight, QColor(0, 128, 255));
    bar->setPalette(palette);
    bar->setFont(QFont(QStringLiteral("Avenir"), qMax(1, int(8 * FontRatio)), 75));
    bar->setStyleSheet(styleSheet);
    bar->hide();
    return bar;
}

} // namespace

MessageOverlay::MessageOverlay(QLabel *dimming, QWidget *parent)
    : QWidget(parent)
    , m_dimming(dimming)
{
    m_mainLabel = new QLabel;
    m_mainLabel->setStyleSheet(QString::fromLatin1(kLabelStyle));

    m_secondLabel = new QLabel;
    m_secondLabel->setStyleSheet(QString::fromLatin1(kLabelStyle));
    m_secondLabel->setFont(QFont(QStringLiteral("Avenir"), 10, 50));
    m_secondLabel->hide();

    m_fileBar = makeBar(QStringLiteral("border:white;background-color:rgb(178,178,178);color:black"), this);
    // Same grey as the file bar; "rgba" with three values is refused by the
    // style sheet parser.
    m_overallBar = makeBar(QStringLiteral("border:white;background-color:rgb(178,178,178);color:black"), this);

    m_spinner = new QProgressIndicator;
    m_spinner->setStyleSheet(QStringLiteral("background-color:rgba(178,178,178,0%);color:black"));
    m_spinner->hide();

    m_emptyLabel = new QLabel;

    m_background = new QLabel;
    m_background->setPixmap(QPixmap(QStringLiteral(":/images/Background-box.png")));
    m_background->setScaledContents(true);

    m_grid = new QGridLayout(m_background);
    m_grid->setContentsMargins(20, 20, 20, 20);
    m_grid->setSpacing(2);
    m_grid->addWidget(m_mainLabel, 0, 0, 2, 1, Qt::AlignRight);
    m_grid->addWidget(m_spinner, 0, 1, 2, 1, Qt::AlignLeft);
    m_grid->addWidget(m_overallBar, 0, 0, Qt::AlignRight);
    m_grid->addWidget(m_fileBar, 0, 1, Qt::AlignLeft);
    m_grid->addWidget(m_emptyLabel, 0, 1, Qt::AlignLeft);
    m_grid->addWidget(m_secondLabel, 1, 0, 1, 2, Qt::AlignHCenter | Qt::AlignVCenter);

    // Deploy banner: icon and title side by side, shown by the deploy steps
    // only, under the text.
    m_deployIcon = new QLabel;
    m_deployIcon->setPixmap(QPixmap(QStringLiteral(":/images/Deploy.png"))
                                .scaled(102, 102, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    m_deployIcon->hide();
    m_titleLabel = new QLabel;
    m_titleLabel->setFont(QFont(QStringLiteral("JK Abode"), qMax(1, int(30 * FontRatio)), 75));
    // Dark on the light band: white could not be read there.
    m_titleLabel->setStyleSheet(QStringLiteral("color:rgb(0,52,110);background-color:rgba(0,0,0,0%);"));
    m_titleLabel->hide();
    m_titleGrid = new QGridLayout;
    m_titleGrid->setContentsMargins(2, 2, 2, 2);
    m_titleGrid->setSpacing(2);
    m_titleGrid->addWidget(m_deployIcon, 0, 0, Qt::AlignRight);
    m_titleGrid->addWidget(m_titleLabel, 0, 1, Qt::AlignLeft);
    m_grid->addLayout(m_titleGrid, 2, 0, 1, 2, Qt::AlignCenter);

    m_cancelButton = new QPushButton;
    m_cancelButton->setIcon(QIcon(QStringLiteral(":/images/annuler.png")));
    m_cancelButton->setIconSize(QSize(35, 35));
    m_cancelButton->setStyleSheet(QStringLiteral(
        "QPushButton {border-radius: 2px;border-style: outset;border-width: 1px;border-color: white;"
        "background-color:rgba(32,41,49,80%);}QPushButton:pressed {background-color:rgba(255,0,0,80%);}"
        "QPushButton:focus{ background-color: rgba(255,0,0,30%)}"));
    m_cancelButton->hide();

    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addWidget(m_background);
    m_layout->addWidget(m_cancelButton);

    hide();
}

MessageOverlay::~MessageOverlay() = default;

void MessageOverlay::place(QWidget *widget, int row, int column, int rowSpan, int columnSpan,
                           Qt::Alignment alignment)
{
    m_grid->removeWidget(widget);
    m_grid->addWidget(widget, row, column, rowSpan, columnSpan, alignment);
}

void MessageOverlay::stopSpinner()
{
    m_spinner->hide();
    m_spinner->stopAnimation();
}

void MessageOverlay::showMessage(const QString &text, double overall, double file, bool progress, bool busy)
{
    show();
    raise();
    if (m_dimming)
        m_dimming->show();

    if (progress) {
        place(m_mainLabel, 0, 0, 2, 1, Qt::AlignRight);
        m_fileBar->show();
        stopSpinner();
        if (overall == 0) {
            place(m_fileBar, 0, 1, 2, 1, Qt::AlignLeft);
            m_overallBar->hide();
            m_secondLabel->hide();
            m_mainLabel->show();
        } else {
            m_overallBar->show();
            place(m_fileBar, 0, 1, 1, 1, Qt::AlignLeft);
            m_secondLabel->show();
            m_mainLabel->hide();
        }
    } else {
        m_fileBar->hide();
        m_overallBar->hide();
        if (busy) {
            m_spinner->show();
            m_spinner->startAnimation();
            place(m_mainLabel, 0, 0, 2, 1, Qt::AlignRight);
        } else {
            stopSpinner();
            place(m_mainLabel, 0, 0, 2, 2, Qt::AlignHCenter | Qt::AlignVCenter);
        }
        m_secondLabel->hide();
        m_mainLabel->show();
    }

    if (file != 0)
        m_fileBar->setValue(file);
    if (overall != 0) {
        m_overallBar->show();
        m_overallBar->setValue(overall);
    } else {
        m_overallBar->hide();
    }

    m_mainLabel->setText(text);
    m_secondLabel->setText(text);
}

void MessageOverlay::hideMessage()
{
    hide();
    m_cancelButton->hide();
    if (m_dimming)
        m_dimming->hide();
    m_titleLabel->hide();
    m_deployIcon->hide();
}

void MessageOverlay::relayout(const PanelMetrics &metrics)
{
    setGeometry(metrics.overlayGeometry());
    const int side = metrics.progressBarSide();
    for (QRoundProgressBar *bar : {m_fileBar, m_overallBar}) {
        bar->setFixedSize(side, side);
        bar->setOutlinePenWidth(metrics.outlinePenWidth());
        bar->setDataPenWidth(metrics.dataPenWidth());
    }
    m_mainLabel->setFont(QFont(QStringLiteral("Avenir"), metrics.overlayTextPointSize(), 50));
}
