#include "PanelDialogs.h"

#include "ClassBox.h"
#include "ClassClavier.h"
#include "StandardFileDialog.h"

#include <QLabel>
#include <QMessageBox>

PanelDialogs::PanelDialogs(QWidget *panel, QLabel *backdrop)
    : m_panel(panel)
    , m_backdrop(backdrop)
{
}

QString PanelDialogs::askText(const QString &caption, bool password)
{
    auto *keyboard = new ClassClavier(m_panel->width(), m_panel->height(), nullptr, password ? 0 : 1);
    keyboard->setWindowFlags(Qt::FramelessWindowHint);
    keyboard->setTextClavier(caption, QString());
    keyboard->exec();
    const QString text = keyboard->text();
    delete keyboard;
    m_panel->setFocus(Qt::OtherFocusReason);
    return text;
}

int PanelDialogs::box(const QString &text, int type)
{
    m_backdrop->show();
    auto *dialog = new ClassBox(text, type, m_panel->width(), m_panel->height(), m_panel);
    dialog->exec();
    const int answer = dialog->text();
    delete dialog;
    m_backdrop->hide();
    m_panel->setFocus(Qt::OtherFocusReason);
    return answer;
}

bool PanelDialogs::ask(const QString &question)
{
    return box(question, ClassBox::Question) == 0;
}

void PanelDialogs::error(const QString &text)
{
    box(text, ClassBox::Error);
}

void PanelDialogs::message(const QString &title, const QString &text, bool critical)
{
    if (critical)
        QMessageBox::critical(nullptr, title, text);
    else
        QMessageBox::information(m_panel, title, text);
}

QString PanelDialogs::openFile(const QString &caption, const QString &folder, const QString &filter)
{
    return StandardFileDialog::openFileName(m_panel, caption, folder, filter);
}
