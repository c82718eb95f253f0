#pragma once

#include <QColor>
#include <QFont>
#include <QToolBar>

class QAction;
class QActionGroup;
class QComboBox;
class QFontComboBox;
class QTextCharFormat;
class QTextEdit;

// Formatting tool bar of an editor page: character and paragraph formats of
// one text area, plus the page's save, delete and quit actions. Every format
// operation and every refresh reports touched(); only the user's own format
// operations report edited().
class TextFormatBar : public QToolBar
{
    Q_OBJECT
public:
    // What differs between the editor page's bar and the rich-text sibling's.
    struct Options
    {
        QString title;
        QString styleSheet;
        Qt::ToolButtonStyle buttonStyle = Qt::ToolButtonTextUnderIcon;
        QString colourText;
        bool backgroundColour = true;
        // "&Sauvegarder", "&Supprimer", "&Quitter" at the end of the bar.
        bool pageCommands = true;
        QStringList sizes;
        QString listStyleSheet;
        QFont listFont;
        int fontListWidth = 0;

        static Options page(int pageWidth);
        static Options sibling();
    };

    TextFormatBar(QTextEdit *editor, QWidget *page);
    TextFormatBar(QTextEdit *editor, QWidget *page, const Options &options);

    // Icon size, list width and fonts after the page was resized: font A for
    // the size list and the colour and command actions, font B for the
    // font list.
    void applyPageMetrics(int iconSize, int fontListWidth, const QFont &fontA, const QFont &fontB);

    QAction *boldAction() const { return m_bold; }
    QAction *italicAction() const { return m_italic; }
    QAction *underlineAction() const { return m_underline; }
    QAction *leftAction() const { return m_left; }
    QAction *centerAction() const { return m_center; }
    QAction *rightAction() const { return m_right; }
    QAction *justifyAction() const { return m_justify; }
    QAction *colorAction() const { return m_color; }
    // Null on a bar built without them.
    QAction *backgroundAction() const { return m_background; }
    QAction *saveAction() const { return m_save; }
    QAction *deleteAction() const { return m_delete; }
    QAction *quitAction() const { return m_quit; }
    QFontComboBox *fontList() const { return m_fontList; }
    QComboBox *sizeList() const { return m_sizeList; }

    // A square of the icon size filled with `color`.
    QIcon swatch(const QColor &color) const;

public slots:
    void textBold();
    void textItalic();
    void textUnderline();
    void textFamily(const QString &f);
    void textSize(const QString &p);
    void textColor();
    void textBackgroundColor();
    void textAlign(QAction *a);
    void textStyle(int styleIndex);
    void currentCharFormatChanged(const QTextCharFormat &format);
    void cursorPositionChanged();

public:
    void mergeFormatOnWordOrSelection(const QTextCharFormat &format);
    void fontChanged(const QFont &f);
    void alignmentChanged(Qt::Alignment a);
    void colorChanged(const QColor &c);
    void colorBackgroundChanged(const QColor &c);

signals:
    void touched();
    void edited();

private:
    QAction *addFormatAction(const QString &theme, const QString &resource, const QString &text,
                             const QKeySequence &shortcut);

    QTextEdit *m_editor;
    QWidget *m_page;
    int m_iconSize = 30;
    QActionGroup *m_alignGroup;
    QAction *m_bold;
    QAction *m_italic;
    QAction *m_underline;
    QAction *m_left;
    QAction *m_center;
    QAction *m_right;
    QAction *m_justify;
    QAction *m_color;
    QAction *m_background = nullptr;
    QAction *m_save = nullptr;
    QAction *m_delete = nullptr;
    QAction *m_quit = nullptr;
    QFontComboBox *m_fontList;
    QComboBox *m_sizeList;
};
