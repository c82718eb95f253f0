#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

// Shows the QR code of a text, centred in the widget. The code is rendered
// once into a square picture that follows the widget's smaller side.
class QRWidget : public QWidget
{
    Q_OBJECT
public:
    explicit QRWidget(QWidget *parent = nullptr);

    // Renders the picture at once: qrPixmap() matches `data` on return.
    void setQRData(QString data);
    QString qrData() const { return m_data; }
    // Owned by the widget, valid while it lives.
    QPixmap *qrPixmap() { return &m_pixmap; }

    static QColor foreground() { return QColor(59, 89, 152); }

signals:
    void qrRedraw();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Renders the cached picture when needed; returns its side, 0 for no data.
    int render();

    QString m_data;
    QPixmap m_pixmap;
    bool m_needsRedraw = true;
};
