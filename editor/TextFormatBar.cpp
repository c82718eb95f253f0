#include "TextFormatBar.h"

#include "AppGlobals.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QFontComboBox>
#include <QFontInfo>
#include <QPixmap>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextList>

namespace {

const char *const kListStyle =
    "background-color:rgba(200,200,200,80%);color:black;border-radius: 2px;border-style: outset;"
    "border-width: 1px;border-color: rgba(50,50,50,80%);margin-right: 2px;margin-top: 2px;"
    "margin-bottom: 2px;";

} // namespace

TextFormatBar::Options TextFormatBar::Options::page(int pageWidth)
{
    Options o;
    o.title = QStringLiteral("Format Actions");
    // Dark enough for the white icons to stand out (3:1 at least).
    o.styleSheet = QStringLiteral("color:rgba(0,0,0,100%);background-color:rgba(140,140,140,100%);");
    o.colourText = QStringLiteral("&Couleur");
    o.sizes << QStringLiteral("5");
    for (int size = 20; size <= 200; size += 10)
        o.sizes << QString::number(size);
    o.listStyleSheet = QLatin1String(kListStyle);
    o.listFont = QFont(QStringLiteral("Avenir"), qMax(1, int(FontRatio * 13)), QFont::Normal);
    o.fontListWidth = qMax(1, pageWidth / 6);
    return o;
}

TextFormatBar::Options TextFormatBar::Options::sibling()
{
    Options o;
    o.title = QStringLiteral("Text Actions");
    o.styleSheet = QStringLiteral("color:rgba(0,0,0,100%);");
    o.buttonStyle = Qt::ToolButtonIconOnly;
    o.colourText = QStringLiteral("&Couleur...");
    o.backgroundColour = false;
    o.pageCommands = false;
    for (int size = 20; size <= 140; size += 10)
        o.sizes << QString::number(size);
    o.listFont = QFont(QStringLiteral("Avenir"), qMax(1, int(FontRatio * 13)), 75);
    o.fontListWidth = 130;
    return o;
}

TextFormatBar::TextFormatBar(QTextEdit *editor, QWidget *page)
    : TextFormatBar(editor, page, Options::page(page->width()))
{
}

TextFormatBar::TextFormatBar(QTextEdit *editor, QWidget *page, const Options &options)
    : QToolBar(page)
    , m_editor(editor)
    , m_page(page)
{
    setWindowTitle(options.title);
    setStyleSheet(options.styleSheet);
    setToolButtonStyle(options.buttonStyle);
    setIconSize(QSize(m_iconSize, m_iconSize));

    m_bold = addFormatAction(QStringLiteral("format-text-bold"), QStringLiteral("textbold.png"), tr("&Gras"),
                             Qt::CTRL + Qt::Key_B);
    QFont bold;
    bold.setWeight(75);
    m_bold->setFont(bold);
    connect(m_bold, &QAction::triggered, this, &TextFormatBar::textBold);

    m_italic = addFormatAction(QStringLiteral("format-text-italic"), QStringLiteral("textitalic.png"),
                               tr("&Italic"), Qt::CTRL + Qt::Key_I);
    QFont italic;
    italic.setItalic(true);
    m_italic->setFont(italic);
    connect(m_italic, &QAction::triggered, this, &TextFormatBar::textItalic);

    m_underline = addFormatAction(QStringLiteral("format-text-underline"), QStringLiteral("textunder.png"),
                                  tr("&Souligner"), Qt::CTRL + Qt::Key_U);
    QFont underline;
    underline.setUnderline(true);
    m_underline->setFont(underline);
    connect(m_underline, &QAction::triggered, this, &TextFormatBar::textUnderline);

    m_alignGroup = new QActionGroup(this);
    connect(m_alignGroup, &QActionGroup::triggered, this, &TextFormatBar::textAlign);
    auto alignAction = [this](const QString &theme, const QString &resource, const QString &text, int key) {
        QAction *a = addFormatAction(theme, resource, text, Qt::CTRL + key);
        m_alignGroup->addAction(a);
        return a;
    };
    if (QApplication::isLeftToRight()) {
        m_left = alignAction(QStringLiteral("format-justify-left"), QStringLiteral("textleft.png"), tr("&Gauche"),
                             Qt::Key_L);
        m_center = alignAction(QStringLiteral("format-justify-center"), QStringLiteral("textcenter.png"),
                               tr("Centrer"), Qt::Key_E);
        m_right = alignAction(QStringLiteral("format-justify-right"), QStringLiteral("textright.png"),
                              tr("&Droite"), Qt::Key_R);
    } else {
        m_right = alignAction(QStringLiteral("format-justify-right"), QStringLiteral("textright.png"), tr("&Right"),
                              Qt::Key_R);
        m_center = alignAction(QStringLiteral("format-justify-center"), QStringLiteral("textcenter.png"),
                               tr("C&enter"), Qt::Key_E);
        m_left = alignAction(QStringLiteral("format-justify-left"), QStringLiteral("textleft.png"), tr("&Left"),
                             Qt::Key_L);
    }
    m_justify = alignAction(QStringLiteral("format-justify-fill"), QStringLiteral("textjustify.png"),
                            tr("&Justifier"), Qt::Key_J);

    m_color = addAction(swatch(Qt::white), options.colourText, this, &TextFormatBar::textColor);
    m_color->setPriority(QAction::LowPriority);
    if (options.backgroundColour) {
        m_background = addAction(swatch(Qt::white), tr("&Couleur Fond"), this, &TextFormatBar::textBackgroundColor);
        m_background->setPriority(QAction::LowPriority);
    }

    m_fontList = new QFontComboBox(this);
    m_fontList->setEditable(false);
    m_fontList->setStyleSheet(options.listStyleSheet);
    m_fontList->setFont(options.listFont);
    m_fontList->setMaximumWidth(options.fontListWidth);
    addWidget(m_fontList);
    connect(m_fontList, &QComboBox::textActivated, this, &TextFormatBar::textFamily);

    m_sizeList = new QComboBox(this);
    m_sizeList->setObjectName(QStringLiteral("comboSize"));
    m_sizeList->setEditable(true);
    m_sizeList->setStyleSheet(options.listStyleSheet);
    m_sizeList->setFont(options.listFont);
    m_sizeList->addItems(options.sizes);
    m_sizeList->setCurrentIndex(0);
    addWidget(m_sizeList);
    connect(m_sizeList, &QComboBox::textActivated, this, &TextFormatBar::textSize);

    if (options.pageCommands) {
        m_save = addAction(QIcon(QStringLiteral(":/images/Editer/Sauvegarder.png")), tr("&Sauvegarder"));
        m_delete = addAction(QIcon(QStringLiteral(":/images/Editer/Supprimer.png")), tr("&Supprimer"));
        m_quit = addAction(QIcon(QStringLiteral(":/images/Editer/Fermer.png")), tr("&Quitter"));
        for (QAction *a : {m_save, m_delete, m_quit})
            a->setPriority(QAction::LowPriority);
    }
    raise();
}

QAction *TextFormatBar::addFormatAction(const QString &theme, const QString &resource, const QString &text,
                                        const QKeySequence &shortcut)
{
    const QIcon icon = QIcon::fromTheme(theme, QIcon(QStringLiteral(":/images/Editer/") + resource));
    QAction *a = addAction(icon, text);
    a->setShortcut(shortcut);
    a->setPriority(QAction::LowPriority);
    a->setCheckable(true);
    return a;
}

void TextFormatBar::applyPageMetrics(int iconSize, int fontListWidth, const QFont &fontA, const QFont &fontB)
{
    m_iconSize = qMax(1, iconSize);
    m_fontList->setMaximumWidth(qMax(1, fontListWidth));
    m_fontList->setFont(fontB);
    m_sizeList->setFont(fontA);
    for (QAction *a : {m_color, m_background, m_save, m_delete, m_quit}) {
        if (a)
            a->setFont(fontA);
    }
    setIconSize(QSize(m_iconSize, m_iconSize));
}

QIcon TextFormatBar::swatch(const QColor &color) const
{
    QPixmap square(m_iconSize, m_iconSize);
    square.fill(color);
    return QIcon(square);
}

void TextFormatBar::mergeFormatOnWordOrSelection(const QTextCharFormat &format)
{
    QTextCursor cursor = m_editor->textCursor();
    if (!cursor.hasSelection())
        cursor.select(QTextCursor::WordUnderCursor);
    cursor.mergeCharFormat(format);
    m_editor->mergeCurrentCharFormat(format);
}

void TextFormatBar::textBold()
{
    emit touched();
    emit edited();
    QTextCharFormat fmt;
    fmt.setFontWeight(m_bold->isChecked() ? 75 : 50);
    mergeFormatOnWordOrSelection(fmt);
}

void TextFormatBar::textItalic()
{
    emit touched();
    emit edited();
    QTextCharFormat fmt;
    fmt.setFontItalic(m_italic->isChecked());
    mergeFormatOnWordOrSelection(fmt);
}

void TextFormatBar::textUnderline()
{
    emit touched();
    emit edited();
    QTextCharFormat fmt;
    fmt.setFontUnderline(m_underline->isChecked());
    mergeFormatOnWordOrSelection(fmt);
}

void TextFormatBar::textFamily(const QString &f)
{
    emit touched();
    emit edited();
    QTextCharFormat fmt;
    fmt.setFontFamily(f);
    mergeFormatOnWordOrSelection(fmt);
    m_editor->setFont(QFont(f));
}

void TextFormatBar::textSize(const QString &p)
{
    emit touched();
    emit edited();
    bool ok = false;
    const qreal pointSize = p.toFloat(&ok);
    if (!ok || pointSize <= 0)
        return;
    QTextCharFormat fmt;
    fmt.setFontPointSize(pointSize);
    mergeFormatOnWordOrSelection(fmt);
}

void TextFormatBar::textColor()
{
    emit touched();
    emit edited();
    const QColor col = QColorDialog::getColor(m_editor->textColor(), m_page);
    if (!col.isValid())
        return;
    QTextCharFormat fmt;
    fmt.setForeground(col);
    mergeFormatOnWordOrSelection(fmt);
    colorChanged(col);
}

void TextFormatBar::textBackgroundColor()
{
    emit touched();
    emit edited();
    const QColor col = QColorDialog::getColor(m_editor->textBackgroundColor(), m_page);
    if (!col.isValid())
        return;
    QTextCharFormat fmt;
    fmt.setBackground(col);
    mergeFormatOnWordOrSelection(fmt);
    colorBackgroundChanged(col);
}

void TextFormatBar::textAlign(QAction *a)
{
    emit touched();
    emit edited();
    if (a == m_left)
        m_editor->setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    else if (a == m_center)
        m_editor->setAlignment(Qt::AlignHCenter);
    else if (a == m_right)
        m_editor->setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    else if (a == m_justify)
        m_editor->setAlignment(Qt::AlignJustify);
}

void TextFormatBar::textStyle(int styleIndex)
{
    emit touched();
    emit edited();
    QTextCursor cursor = m_editor->textCursor();
    if (styleIndex == 0) {
        QTextBlockFormat plain;
        plain.setObjectIndex(-1);
        cursor.mergeBlockFormat(plain);
        return;
    }
    static const QTextListFormat::Style styles[] = {
        QTextListFormat::ListDisc,       QTextListFormat::ListCircle,     QTextListFormat::ListSquare,
        QTextListFormat::ListDecimal,    QTextListFormat::ListLowerAlpha, QTextListFormat::ListUpperAlpha,
        QTextListFormat::ListLowerRoman, QTextListFormat::ListUpperRoman,
    };
    const QTextListFormat::Style style =
        styleIndex >= 1 && styleIndex <= 8 ? styles[styleIndex - 1] : QTextListFormat::ListDisc;
    cursor.beginEditBlock();
    QTextBlockFormat blockFmt = cursor.blockFormat();
    QTextListFormat listFmt;
    if (cursor.currentList()) {
        listFmt = cursor.currentList()->format();
    } else {
        listFmt.setIndent(blockFmt.indent() + 1);
        blockFmt.setIndent(0);
        cursor.setBlockFormat(blockFmt);
    }
    listFmt.setStyle(style);
    cursor.createList(listFmt);
    cursor.endEditBlock();
}

void TextFormatBar::currentCharFormatChanged(const QTextCharFormat &format)
{
    emit touched();
    fontChanged(format.font());
}

void TextFormatBar::cursorPositionChanged()
{
    emit touched();
    alignmentChanged(m_editor->alignment());
}

void TextFormatBar::fontChanged(const QFont &f)
{
    emit touched();
    m_fontList->setCurrentIndex(m_fontList->findText(QFontInfo(f).family(), Qt::MatchExactly | Qt::MatchCaseSensitive));
    m_sizeList->setCurrentIndex(m_sizeList->findText(QString::number(int(f.pointSizeF())), Qt::MatchExactly));
    m_bold->setChecked(f.bold());
    m_italic->setChecked(f.italic());
    m_underline->setChecked(f.underline());
}

void TextFormatBar::alignmentChanged(Qt::Alignment a)
{
    emit touched();
    if (a & Qt::AlignLeft)
        m_left->setChecked(true);
    else if (a & Qt::AlignHCenter)
        m_center->setChecked(true);
    else if (a & Qt::AlignRight)
        m_right->setChecked(true);
    else if (a & Qt::AlignJustify)
        m_justify->setChecked(true);
}

void TextFormatBar::colorChanged(const QColor &c)
{
    emit touched();
    m_color->setIcon(swatch(c));
}

void TextFormatBar::colorBackgroundChanged(const QColor &c)
{
    emit touched();
    if (m_background)
        m_background->setIcon(swatch(c));
}
