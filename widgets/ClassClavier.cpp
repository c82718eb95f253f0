#include "ClassClavier.h"

#include "AppGlobals.h"
#include "InputDialogGuard.h"
#include "KeyStyles.h"
#include "PlatformType.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalMapper>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const int kDot = 26;
const int kComma = 27;

// Symbol page captions of the letter keys a to z, in alphabetical order
// (a gives 1, b an apostrophe, c a question mark...).
const QString kSymbols = QStringLiteral("1'?:3;()8{}%@\"90-4/57!_#62");

QString symbolFor(int index)
{
    return kSymbols.mid(index, 1);
}

} // namespace

ClassClavier::ClassClavier(int width, int height, QDialog *parent, int mode)
    : QDialog(parent)
{
    const int w = width;
    const int h = height;

    const QFont captionFont = avenirFont(10, 50);
    const QFont editFont = avenirFont(20, 50);
    const QFont keyFont = avenirFont(30, 75);

    m_marginX = w / 8;
    m_marginY = h / 8;
    setGeometry(m_marginX, m_marginY, w - 2 * m_marginX, h - 2 * m_marginY);
    setStyleSheet(KeyStyles::dialog());

    const QString blue = KeyStyles::key(false, KeyStyles::KeyboardHover);
    const QString white = KeyStyles::key(true, KeyStyles::KeyboardHover);
    auto makeKey = [&](const QString &caption, const QString &style) {
        return KeyStyles::makeKey(caption, keyFont, style, this);
    };

    m_caption = new QLabel(tr("Nom :"), this);
    m_caption->setObjectName(QStringLiteral("titre"));
    m_caption->setFont(captionFont);
    m_caption->setFocusPolicy(Qt::NoFocus);
    m_edit = new QLineEdit(QStringLiteral("edit ici"), this);
    m_edit->setFont(editFont);
    m_edit->setStyleSheet(KeyStyles::edit());
    if (mode == 0)
        m_edit->setEchoMode(QLineEdit::Password);

    m_ok = makeKey(QStringLiteral("OK"), white);
    m_ok->setObjectName(QStringLiteral("valider"));
    m_ok->setCheckable(true);
    m_esc = makeKey(QStringLiteral("ESC"), white);
    m_esc->setObjectName(QStringLiteral("annuler"));
    m_backSpace = makeKey(QStringLiteral("<--"), blue);

    auto *topFrame = new QFrame(this);
    topFrame->setFrameShape(QFrame::StyledPanel);
    topFrame->setStyleSheet(KeyStyles::frame());
    auto *topBox = new QVBoxLayout(topFrame);
    auto *grid1 = new QGridLayout;
    grid1->addWidget(m_caption, 0, 0, 1, 4);
    grid1->addWidget(m_ok, 0, 4);
    grid1->addWidget(m_esc, 0, 5);
    auto *grid2 = new QGridLayout;
    grid2->addWidget(m_edit, 0, 0, 1, 4);
    grid2->addWidget(m_backSpace, 0, 4);
    topBox->addLayout(grid1);
    topBox->addLayout(grid2);

    auto *keyFrame = new QFrame(this);
    keyFrame->setFrameShape(QFrame::StyledPanel);
    keyFrame->setFrameShadow(QFrame::Sunken);
    keyFrame->setStyleSheet(KeyStyles::frame());

    m_mapper = new QSignalMapper(this);
    for (int i = 0; i < 26; ++i) {
        QPushButton *key = makeKey(QString(QChar('a' + i)), blue);
        m_keys.append(key);
        connect(key, &QPushButton::clicked, m_mapper, qOverload<>(&QSignalMapper::map));
        m_mapper->setMapping(key, i);
    }
    connect(m_mapper, &QSignalMapper::mappedInt, this, qOverload<int>(&ClassClavier::slotLetter));

    m_space = makeKey(tr("espace"), white);
    m_digits = makeKey(QStringLiteral("123"), white);
    m_shift = makeKey(QStringLiteral("ABC"), white);
    m_keys.append(makeKey(QStringLiteral("."), blue));
    m_keys.append(makeKey(QStringLiteral(","), blue));
    // Stable names for tests and style sheets; captions change with the page.
    for (int i = 0; i < m_keys.size(); ++i)
        m_keys.at(i)->setObjectName(QStringLiteral("touche%1").arg(i));
    m_space->setObjectName(QStringLiteral("espace"));
    m_digits->setObjectName(QStringLiteral("chiffres"));
    m_shift->setObjectName(QStringLiteral("majuscules"));
    m_backSpace->setObjectName(QStringLiteral("effacer"));

    auto keyRow = [this](const char *letters) {
        auto *row = new QHBoxLayout;
        for (const char *c = letters; *c; ++c)
            row->addWidget(m_keys.at(*c == '.' ? kDot : (*c == ',' ? kComma : *c - 'a')));
        return row;
    };
    auto *row3 = new QHBoxLayout;
    // Blank space at both ends centres the short row.
    row3->addWidget(new QLabel(this));
    for (const char *c = "wxcvbn.,"; *c; ++c)
        row3->addWidget(m_keys.at(*c == '.' ? kDot : (*c == ',' ? kComma : *c - 'a')));
    row3->addWidget(new QLabel(this));
    auto *bottom = new QGridLayout;
    bottom->addWidget(m_shift, 0, 0);
    bottom->addWidget(m_space, 0, 1, 1, 5);
    bottom->addWidget(m_digits, 0, 6);

    auto *keyBox = new QVBoxLayout(keyFrame);
    keyBox->addLayout(keyRow("azertyuiop"));
    keyBox->addLayout(keyRow("qsdfghjklm"));
    keyBox->addLayout(row3);
    keyBox->addLayout(bottom);

    auto *mainGrid = new QGridLayout;
    mainGrid->addWidget(topFrame, 0, 0);
    mainGrid->addWidget(keyFrame, 1, 0, 2, 1);

    connect(m_ok, &QPushButton::clicked, this, &ClassClavier::slotValider);
    connect(m_esc, &QPushButton::clicked, this, &ClassClavier::slotAnnuler);
    connect(m_backSpace, &QPushButton::clicked, this, &ClassClavier::slotBackSpace);
    connect(m_space, &QPushButton::clicked, this, &ClassClavier::slotSpace);
    connect(m_digits, &QPushButton::clicked, this, &ClassClavier::slotNumber);
    connect(m_shift, &QPushButton::clicked, this, &ClassClavier::slotMajus);
    connect(m_keys.at(kDot), &QPushButton::clicked, this, qOverload<>(&ClassClavier::slotLetter));
    connect(m_keys.at(kComma), &QPushButton::clicked, this, qOverload<>(&ClassClavier::slotLetter));

    // Keys that only edit must leave the focus in the field.
    for (QPushButton *key : {m_ok, m_backSpace, m_space, m_shift, m_digits, m_keys.at(kDot), m_keys.at(kComma)})
        key->setFocusPolicy(Qt::NoFocus);

    m_focusTimer = new QTimer(this);
    m_focusTimer->setInterval(200);
    m_focusTimer->setSingleShot(true);
    connect(m_focusTimer, &QTimer::timeout, this, &ClassClavier::slotFocus);
    m_focusTimer->start();
    if (!isMobilePlatform())
        m_edit->setFocus();

    if (isMobilePlatform())
        setMinimumSize(w, h);
    else
        setMinimumSize(w - 2 * m_marginX, h - 2 * m_marginY);

    auto *background = new QLabel(this);
    const QPixmap picture(QStringLiteral(":/images/BackgroundMessage.png"));
    if (!picture.isNull() && !minimumSize().isEmpty())
        background->setPixmap(picture.scaled(minimumSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    background->setLayout(mainGrid);
    setContentsMargins(0, 0, 0, 0);
    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(background);
    setFocus();

    // The window manager's close is a cancel, as the ESC key.
    new InputDialogGuard(this, [this] {
        m_confirmed = false;
        m_edit->setText(m_initialText);
    });
}

ClassClavier::~ClassClavier() = default;

void ClassClavier::setTextClavier(QString title, QString text)
{
    m_caption->setText(title);
    m_edit->setText(text);
    m_initialText = text;
}

void ClassClavier::setTextClavier(QString title, QString text, int maxLength)
{
    setTextClavier(title, text);
    m_edit->setMaxLength(maxLength);
}

QString ClassClavier::text()
{
    return m_edit->text();
}

bool ClassClavier::isBoutonOkCheck()
{
    return m_ok->isChecked();
}

void ClassClavier::slotLetter(int index)
{
    if (index >= 0 && index < m_keys.size())
        m_edit->insert(m_keys.at(index)->text());
}

void ClassClavier::slotLetter()
{
    if (auto *key = qobject_cast<QPushButton *>(sender()))
        m_edit->insert(key->text());
}

void ClassClavier::slotSpace()
{
    m_edit->insert(QStringLiteral(" "));
}

void ClassClavier::slotBackSpace()
{
    m_edit->backspace();
}

void ClassClavier::setLetterCase(bool upper)
{
    for (int i = 0; i < 26; ++i)
        m_keys.at(i)->setText(QString(QChar((upper ? 'A' : 'a') + i)));
}

void ClassClavier::slotMajus()
{
    // The shift key names the case it switches to.
    if (m_shift->text() == QLatin1String("abc")) {
        setLetterCase(false);
        m_shift->setText(QStringLiteral("ABC"));
    } else {
        setLetterCase(true);
        m_shift->setText(QStringLiteral("abc"));
    }
}

void ClassClavier::slotNumber()
{
    if (m_digits->text() == QLatin1String("123")) {
        for (int i = 0; i < 26; ++i)
            m_keys.at(i)->setText(symbolFor(i));
        m_keys.at(kDot)->setText(QStringLiteral("\\"));
        m_keys.at(kComma)->setText(QStringLiteral("*"));
        m_digits->setText(m_shift->text());
    } else {
        m_digits->setText(QStringLiteral("123"));
        setLetterCase(m_shift->text() == QLatin1String("abc"));
        m_keys.at(kDot)->setText(QStringLiteral("."));
        m_keys.at(kComma)->setText(QStringLiteral(","));
    }
}

void ClassClavier::slotFocus()
{
    if (!isMobilePlatform())
        m_edit->setFocus();
}

void ClassClavier::slotValider()
{
    m_confirmed = true;
    close();
}

void ClassClavier::slotAnnuler()
{
    m_confirmed = false;
    m_edit->setText(m_initialText);
    close();
}

void ClassClavier::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        m_confirmed = false;
        // A physical Escape keeps the edits; only the ESC key restores.
        close();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_confirmed = true;
        close();
        break;
    default:
        break;
    }
    event->accept();
}
