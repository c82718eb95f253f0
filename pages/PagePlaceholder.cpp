#include "PagePlaceholder.h"

#include "AppGlobals.h"
#include "classVersion.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QResizeEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QFont avenir(int base, int weight)
{
    return QFont(QStringLiteral("Avenir"), qMax(1, int(float(base) * FontRatio)), weight);
}

} // namespace

PagePlaceholder::PagePlaceholder(const QString &title, const QString &text, QWidget *parent)
    : QWidget(parent)
{
    m_background = new QLabel;
    m_background->setAlignment(Qt::AlignCenter);
    m_background->setMinimumSize(1, 1);

    m_frame = new QFrame;
    m_frame->setFrameShape(QFrame::StyledPanel);

    m_title = new QLabel(title);
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setFont(avenir(20, 75));

    m_text = new QLabel(text);
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setWordWrap(true);
    m_text->setFont(avenir(12, 50));

    m_back = new QToolButton;
    m_back->setText(tr("Retour"));
    m_back->setIcon(QIcon(QStringLiteral(":/images/Retour.png")));
    m_back->setIconSize(QSize(64, 64));
    m_back->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_back->setFocusPolicy(Qt::NoFocus);
    m_back->setFont(avenir(10, 50));
    connect(m_back, &QToolButton::clicked, this, &PagePlaceholder::backRequested);

    auto *frameLayout = new QVBoxLayout(m_frame);
    frameLayout->setContentsMargins(40, 30, 40, 30);
    frameLayout->setSpacing(20);
    frameLayout->addWidget(m_title);
    frameLayout->addWidget(m_text);
    frameLayout->addWidget(m_back, 0, Qt::AlignHCenter);

    auto *grid = new QGridLayout(m_background);
    grid->addWidget(m_frame, 0, 0, Qt::AlignCenter);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_background);
}

PagePlaceholder::~PagePlaceholder() = default;

void PagePlaceholder::slotResize(int width, int height, int rotation)
{
    Q_UNUSED(rotation)
    m_title->setFont(avenir(height / 40, 75));
    m_text->setFont(avenir(height / 60, 50));
    m_back->setFont(avenir(height / 100, 50));
    m_back->setIconSize(QSize(width / 20, width / 20));
    m_frame->setMinimumWidth(width / 3);
    m_frame->setMaximumWidth(width * 2 / 3);
}

void PagePlaceholder::resizeEvent(QResizeEvent *event)
{
    m_background->setPixmap(QPixmap(classVersion().Background())
                                .scaled(event->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    QWidget::resizeEvent(event);
}
