#pragma once

#include <QStringList>
#include <QWidget>

class PagePlaceholder;

// Text-poster editor page: text laid over a picture or video background.
class TextEditSimple : public QWidget
{
    Q_OBJECT
public:
    explicit TextEditSimple(QWidget *parent = nullptr);
    ~TextEditSimple() override;

public slots:
    void slotResize(int width, int height, int rotation);
    // The first nine values of the current poster's record.
    void slotGetString(QStringList ListInfoSlide);

signals:
    void signalButton(int code);
    void signalNewImageTexte(QString oldNameFile, QString NameFile);
    void signalSupprImageTexte(QString NameFile);

private:
    PagePlaceholder *m_body;
    QStringList m_slide;
};
