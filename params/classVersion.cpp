#include "classVersion.h"

#include <QByteArray>

namespace {

static const char *const kMainRules[] = {
    "QPushButton {background-color:hsva(200,150,40,80%);color: white;border-radius: 2px;border-style: outset;border-width: 1px;border-color: rgba(50,50,50,80%);}",
    "QPushButton:disabled {background-color:rgba(127,127,127,50%);}",
    "QPushButton:pressed {background-color:rgba(0,128,255,50%);}",
    "QPushButton:focus:pressed {background-color:rgba(0,128,255,100%);}",
    "QPushButton:focus {background-color:hsva(200,150,40,80%);}",
    "QPushButton:hover {background-color:rgba(0,128,255,50%);}",
    "QPushButton:checked {background-color:rgba(0,128,255,90%);}",
    "QToolButton {background-color:hsva(200,150,40,0%);color: white;border-radius: 2px;border-style: outset;border-width: 1px;border-color: rgba(50,50,50,0%);}",
    // Greyer than an enabled caption, but still readable on the dark pages.
    "QToolButton:disabled {background-color:rgba(127,127,127,10%);color:rgba(150,150,150,100%);}",
    "QToolButton:pressed {border-image: url(:/images/Button-Pressed.png)   3 10 3 10;border-top: 3px transparent;border-bottom: 3px transparent;border-right: 10px transparent;border-left: 10px transparent;background-color:rgba(0,128,255,10%);color: white;border-radius: 2px;border-style: outset;border-width: 1px;border-color: rgba(50,50,50,0%);}",
    "QToolButton:focus:pressed {background-color:rgba(0,128,255,100%);}",
    "QToolButton:focus {background-color:hsva(200,150,40,80%);}",
    "QToolButton:hover {background-color:rgba(0,128,255,50%);}",
    "QToolButton:checked {background-color:green;}",
    "QSlider {background-color:rgba(0,128,255,0%);}",
    "QSlider::groove:vertical {border: 1px solid #999999;width: 20px;background: grey;margin: 2px 0;}",
    "QSlider::handle:vertical {background: rgb(0,128,255);border: 1px solid #5c5c5c;height:40px;margin: 0px 0;border-radius: 0px;}",
    ".QFrame {color:rgba(200,200,200,100%);background-color:rgba(0,0,0,70%);border: 1px solid rgba(0,128,255,100%);border-radius: 5px;}",
    ".QWidget {color: black;background-color:rgba(0,0,0,0%);}",
    "QListWidget {color:rgba(0,128,255,100%);padding: 1px;border: 1px solid rgba(127,127,127,30%);border-radius: 2px;background-color:rgba(0,0,0,50%);}",
    "QScrollBar:vertical {width:20px;border: 1px darkgrey;background-color:grey;}",
    "QScrollBar::handle:vertical {background-color:rgba(0,128,255,100%);}",
    "QScrollBar::add-line:vertical {background:rgba(0,0,0,100%);border: 0px solid white;}",
    "QScrollBar::sub-line:vertical {background:rgba(0,0,0,100%);border: 0px solid white;}",
    "QScrollBar:horizontal {width:20px;border: 1px darkgrey;background-color:grey;}",
    "QScrollBar::handle:horizontal {background-color:rgba(0,128,255,100%);}",
    "QScrollBar::add-line:horizontal {background:rgba(0,0,0,100%);border: 0px solid white;}",
    "QScrollBar::sub-line:horizontal {background:rgba(0,0,0,100%);border: 0px solid white;}",
    "QScrollBar::up-arrow:vertical {width:20px;height:20px;image: url(:/images/upArrow.png);}",
    "QScrollBar::down-arrow:vertical {width:20px;height:20px;image: url(:/images/downArrow.png);}",
    "QListWidget::item {background-color:transparent;}",
    "QListWidget::item:selected {color:white;background-color:rgba(0,128,255,90%);border-radius: 2px;}",
    "QListWidget:hover {background-color:rgba(0,128,255,10%);}",
    "QLabel {color:white;background-color:rgba(0,128,255,0%);}",
    "QMessageBox {color:black;background-color:rgba(0,128,255,100%);}",
    "QComboBox {background-color:rgba(0,128,255,80%);color:white;border-radius: 2px;border-style: outset;border-width: 1px;border-color: rgba(50,50,50,80%);margin-right: 2px;}",
    "QComboBox QListView {background: hsva(200,150,40,100%);color:white;}",
    "QComboBox:disabled {background-color:rgba(127,127,127,80%);}",
    "QComboBox:pressed {background-color:rgba(0,128,255,50%);}",
    "QComboBox:focus:pressed {background-color:rgba(0,128,255,100%);}",
    "QComboBox:focus {background-color:hsva(200,150,40,80%);}",
    "QComboBox:hover {background-color:rgba(0,128,255,50%);}",
    "QCheckBox {background-color:rgba(0,0,0,0%);color: white;}",
    "QGroupBox {background-color:rgba(0,0,0,40%);color: white;}",
    "QTextEdit {background-color:rgba(0,0,0,80%);color: white;}",
};
static const char *const kPlayerRules[] = {
    "QSlider::groove:horizontal {border: 1px solid #999999;height: 30px;}",
    "QSlider {background: rgba(0,0,0,0%);border: 1px solid #777;height: 30px;border-radius: 1px;}",
    "QSlider::sub-page:horizontal {background: qlineargradient(x1: 0, y1: 1,x2: 1, y2: 1,stop: 0 rgba(0,0,0,100%), stop: 1 rgba(0,128,255,100%));}",
    "QSlider::add-page:horizontal {background: qlineargradient(x1: 0, y1: 1,x2: 1, y2: 1,stop: 0 rgba(0,128,255,100%), stop: 1 rgba(0,0,0,100%));height: 30px;border-radius: 1px;}",
    "QSlider::handle:horizontal:hover {background: grey;border: 1px solid black;width: 30px;border-radius: 5px;}",
    "QSlider::handle:horizontal {background: lightgray;border: 0px solid black;width: 30px;border-radius: 5px;}",
    "QSlider::sub-page:horizontal:disabled {background: #bbb;border-color: #999;}",
    "QSlider::add-page:horizontal:disabled {background: #eee;border-color: #999;}",
    "QSlider::handle:horizontal:disabled {background: #eee;border: 1px solid #aaa;border-radius: 4px;}",
    "QDateEdit {background-color:rgba(0,128,255,100%);color: white;border-radius: 5px;border-style: outset;border-width: 1px;border-color: white;}",
    "QDateEdit::drop-down {image: url(:/images/Editer/calendrier.png);width:30px;height:30px;subcontrol-position: right center;subcontrol-origin:margin;background-color: rgba(0,0,0,0%);border-style: solid;border-color: rgba(0,255,0,100%);spacing: 2px;}",
    "QTimeEdit {background-color:rgba(0,128,255,100%);color: white;border-radius: 5px;border-style: outset;border-width: 1px;border-color: white;}",
};

template <size_t N>
QString joined(const char *const (&rules)[N])
{
    QString sheet;
    for (const char *rule : rules)
        sheet += QString::fromUtf8(rule);
    return sheet;
}

} // namespace

classVersion::classVersion()
{
}

QString classVersion::Marque() { return QStringLiteral("Orvex"); }
QString classVersion::Model() { return QStringLiteral("ZoManager"); }
QString classVersion::Version() { return QStringLiteral("V3.6.3"); }

QString classVersion::NomDeDomaine()
{
    QString url = QString::fromLocal8Bit(qgetenv("ZOMANAGER_BASE_URL"));
    if (url.isEmpty())
        // A reserved example domain: nothing goes to a third party by default.
        url = QStringLiteral("https://zomanager.example.net/");
    if (!url.endsWith(QLatin1Char('/')))
        url += QLatin1Char('/');
    return url;
}

QString classVersion::Background() { return QStringLiteral(":/images/Background.jpg"); }
QString classVersion::BackgroundColor() { return QStringLiteral(":/images/BackgroundColor.jpg"); }

QString classVersion::StyleQlistCustom()
{
    return QStringLiteral("QListWidget::item                {color:transparent;}"
                          "QListWidget::item:selected       {color:transparent;background-color:rgba(0,128,255,90%);border-radius: 2px;}");
}

// The host of the compiled-in server address: a reserved example domain.
QString classVersion::TitreFenetre() { return QStringLiteral("ZoManager (zomanager.example.net)"); }
QString classVersion::LogoDemarrage() { return QStringLiteral(":/images/LogoOrvex2.png"); }
QString classVersion::Logo() { return QStringLiteral(":/images/LogoOrvex.png"); }
QString classVersion::Style() { return joined(kMainRules); }
QString classVersion::StylePlayer() { return joined(kPlayerRules); }
