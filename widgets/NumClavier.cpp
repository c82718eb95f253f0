#include "NumClavier.h"

#include "AppGlobals.h"
#include "InputDialogGuard.h"
#include "KeyStyles.h"
#include "PlatformType.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalMapper>
#include <QTimer>
#include <QVBoxLayout>

NumClavier::NumClavier(int mode, int width, int height, QDialog *parent)
    : QDialog(parent)
    , m_x(width / 4)
    , m_y(height / 8)
{
    const int w = width;
    const int h = height;
    setGeometry(m_x, m_y, w - 2 * m_x, h - 2 * m_y);
    if (isMobilePlatform())
        setMinimumSize(w, h);
    else
        setMinimumSize(w - 2 * m_x, h - 2 * m_y);

    const QFont captionFont = avenirFont(20, 50);
    const QFont editFont = avenirFont(25, 50);
    const QFont keyFont = avenirFont(30, 75);

    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("titre"));
    m_caption->setFont(captionFont);
    m_caption->setStyleSheet(QStringLiteral("color: white"));
    m_caption->setFocusPolicy(Qt::NoFocus);

    m_edit = new QLineEdit(this);
    m_edit->setFont(editFont);
    m_edit->setStyleSheet(KeyStyles::edit());
    m_edit->setEchoMode(mode == 0 ? QLineEdit::Password : QLineEdit::Normal);

    auto *topFrame = new QFrame(this);
    topFrame->setFrameShape(QFrame::StyledPanel);
    topFrame->setStyleSheet(KeyStyles::frame());
    auto *topBox = new QVBoxLayout(topFrame);
    topBox->addWidget(m_caption);
    topBox->addWidget(m_edit);

    auto *keyFrame = new QFrame(this);
    keyFrame->setFrameShape(QFrame::StyledPanel);
    keyFrame->setFrameShadow(QFrame::Sunken);
    keyFrame->setStyleSheet(KeyStyles::frame());

    const QString keyStyle = KeyStyles::key(false, KeyStyles::KeypadHover);
    auto makeKey = [&](const QString &caption, const QString &style) {
        return KeyStyles::makeKey(caption, keyFont, style, this);
    };

    m_ok = makeKey(QStringLiteral("OK"), KeyStyles::key(true, KeyStyles::KeypadHover));
    m_ok->setObjectName(QStringLiteral("valider"));
    m_ok->setCheckable(true);
    m_ok->setAutoDefault(true);
    m_ok->setDefault(true);
    m_ok->setFocusPolicy(Qt::NoFocus);

    m_digitMapper = new QSignalMapper(this);
    m_symbolMapper = new QSignalMapper(this);
    for (int digit = 0; digit < 10; ++digit) {
        QPushButton *key = makeKey(QString::number(digit), keyStyle);
        m_digits.append(key);
        connect(key, &QPushButton::clicked, m_digitMapper, qOverload<>(&QSignalMapper::map));
        m_digitMapper->setMapping(key, digit);
    }
    m_backSpace = makeKey(QStringLiteral("<--"), keyStyle);
    m_backSpace->setFocusPolicy(Qt::NoFocus);
    m_plus = makeKey(QStringLiteral("+"), keyStyle);
    m_star = makeKey(QStringLiteral("*"), keyStyle);
    m_hash = makeKey(QStringLiteral("#"), keyStyle);
    m_dot = makeKey(QStringLiteral("."), keyStyle);
    for (QPushButton *key : {m_plus, m_star, m_dot, m_hash}) {
        connect(key, &QPushButton::clicked, m_symbolMapper, qOverload<>(&QSignalMapper::map));
        m_symbolMapper->setMapping(key, key->text());
    }
    connect(m_digitMapper, &QSignalMapper::mappedInt, this, qOverload<int>(&NumClavier::slotNumber));
    connect(m_symbolMapper, &QSignalMapper::mappedString, this, qOverload<QString>(&NumClavier::slotNumber));
    connect(m_backSpace, &QPushButton::clicked, this, &NumClavier::slotBackSpace);
    // Closing on press answers at the first touch, before the release.
    connect(m_ok, &QPushButton::pressed, this, &QDialog::close);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::close);

    const QList<QList<QPushButton *>> rows = {
        {m_digits[1], m_digits[2], m_digits[3], m_ok},
        {m_digits[4], m_digits[5], m_digits[6], m_backSpace},
        {m_digits[7], m_digits[8], m_digits[9], m_digits[0]},
        {m_plus, m_star, m_dot, m_hash},
    };
    auto *keyBox = new QVBoxLayout(keyFrame);
    for (const auto &row : rows) {
        auto *line = new QHBoxLayout;
        for (QPushButton *key : row)
            line->addWidget(key);
        keyBox->addLayout(line);
    }

    auto *grid = new QGridLayout;
    grid->addWidget(topFrame, 0, 0);
    grid->addWidget(keyFrame, 1, 0, 2, 1);

    auto *background = new QLabel(this);
    const QPixmap picture(QStringLiteral(":/images/BackgroundMessage.png"));
    if (!picture.isNull())
        background->setPixmap(
            picture.scaled(minimumSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    background->setLayout(grid);

    setStyleSheet(KeyStyles::dialog());
    setContentsMargins(0, 0, 0, 0);
    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(background);

    m_focusTimer = new QTimer(this);
    m_focusTimer->setSingleShot(true);
    m_focusTimer->setInterval(200);
    connect(m_focusTimer, &QTimer::timeout, this, &NumClavier::slotFocus);
    m_focusTimer->start();
    if (!isMobilePlatform())
        m_edit->setFocus();
    setFocus();

    new InputDialogGuard(this, [this] { m_cancelled = true; });
}

NumClavier::~NumClavier() = default;

void NumClavier::setChampClavier(QString caption, QString value, QString inputMask)
{
    m_caption->setText(caption);
    m_edit->setText(value);
    m_edit->setInputMask(inputMask);
    m_edit->setCursorPosition(0);
    m_initialValue = m_edit->text();
}

void NumClavier::setTextClavier(QString caption)
{
    m_caption->setText(caption);
}

QString NumClavier::text()
{
    return m_cancelled ? m_initialValue : m_edit->text();
}

void NumClavier::slotNumber(int digit)
{
    m_edit->insert(QString::number(digit));
}

void NumClavier::slotNumber(QString text)
{
    m_edit->insert(text);
}

void NumClavier::slotBackSpace()
{
    m_edit->backspace();
}

void NumClavier::slotFocus()
{
    if (!isMobilePlatform())
        m_edit->setFocus();
}
