#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QToolButton;

// Body of a page whose content is still to come: the brand background, the
// page's title and purpose, and a "Retour" button back to the control panel.
class PagePlaceholder : public QWidget
{
    Q_OBJECT
public:
    PagePlaceholder(const QString &title, const QString &text, QWidget *parent);
    ~PagePlaceholder() override;

    QToolButton *backButton() const { return m_back; }

public slots:
    void slotResize(int width, int height, int rotation);

signals:
    void backRequested();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QLabel *m_background;
    QFrame *m_frame;
    QLabel *m_title;
    QLabel *m_text;
    QToolButton *m_back;
};
