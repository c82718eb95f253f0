#pragma once

#include <QColor>
#include <QPair>
#include <QString>
#include <QVector>
#include <QWidget>

class QPainter;

// Square round progress indicator that fills clockwise from nullPosition
// as the value grows, with a formatted value in its middle.
class QRoundProgressBar : public QWidget
{
    Q_OBJECT
public:
    enum BarStyle { StyleDonut = 0, StylePie = 1, StyleLine = 2, StyleExpand = 3 };
    using ColorStops = QVector<QPair<double, QColor>>;

    explicit QRoundProgressBar(QWidget *parent = nullptr);
    ~QRoundProgressBar() override;

    double minimum() const { return m_min; }
    double maximum() const { return m_max; }
    double value() const { return m_value; }
    double nullPosition() const { return m_nullPosition; }
    BarStyle barStyle() const { return BarStyle(m_barStyle); }
    double outlinePenWidth() const { return m_outlinePenWidth; }
    double dataPenWidth() const { return m_dataPenWidth; }
    QString format() const { return m_format; }
    int decimals() const { return m_decimals; }

    void setNullPosition(double position);
    void setBarStyle(BarStyle style);
    void setOutlinePenWidth(double width);
    void setDataPenWidth(double width);
    void setDataColors(const ColorStops &stops);
    void setFormat(const QString &format);
    void resetFormat();
    void setDecimals(int count);

    QSize minimumSizeHint() const override;
    int heightForWidth(int w) const override;
    bool hasHeightForWidth() const override;

public slots:
    void setRange(double min, double max);
    void setMinimum(double min);
    void setMaximum(double max);
    void setValue(double value);
    void setValue(int value);

protected:
    void paintEvent(QPaintEvent *event) override;

    virtual void drawBackground(QPainter &p, const QRectF &baseRect);
    virtual void drawBase(QPainter &p, const QRectF &baseRect);
    virtual void drawValue(QPainter &p, const QRectF &baseRect, double value, double delta);
    virtual void calculateInnerRect(const QRectF &baseRect, double outerRadius, QRectF &innerRect,
                                    double &innerRadius);
    virtual void drawInnerBackground(QPainter &p, const QRectF &innerRect);
    virtual void drawText(QPainter &p, const QRectF &innerRect, double innerRadius, double value);
    virtual QString valueToText(double value) const;
    virtual void valueFormatChanged();

private:
    void normaliseRange();
    void rebuildDataBrushIfNeeded();

    enum FormatFlag { HasValue = 1, HasPercent = 2, HasMax = 4 };

    double m_min = 0;
    double m_max = 100;
    double m_value = 25;
    double m_nullPosition = 90;
    int m_barStyle = StyleDonut;
    double m_outlinePenWidth = 1;
    double m_dataPenWidth = 1;
    ColorStops m_gradientData;
    bool m_rebuildBrush = false;
    QString m_format = QStringLiteral("%p%");
    int m_decimals = 1;
    int m_updateFlags = HasPercent;
};
