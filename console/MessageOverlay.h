#pragma once

#include <QWidget>

class PanelMetrics;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QProgressIndicator;
class QPushButton;
class QRoundProgressBar;

// The band across the middle third of the control panel that long
// operations show their progress in: a text with one or two round bars
// (overall and current file), or with a busy spinner, or alone.
class MessageOverlay : public QWidget
{
    Q_OBJECT
public:
    // `dimming` is the panel's backdrop, shown and hidden with the band.
    MessageOverlay(QLabel *dimming, QWidget *parent);
    ~MessageOverlay() override;

    // `overall` and `file` are percentages; 0 stands for no value.
    void showMessage(const QString &text, double overall, double file, bool progress, bool busy);
    void hideMessage();
    void relayout(const PanelMetrics &metrics);

    QLabel *mainLabel() const { return m_mainLabel; }
    QLabel *secondLabel() const { return m_secondLabel; }
    QRoundProgressBar *fileBar() const { return m_fileBar; }
    QRoundProgressBar *overallBar() const { return m_overallBar; }
    QProgressIndicator *spinner() const { return m_spinner; }
    QLabel *deployIcon() const { return m_deployIcon; }
    QLabel *titleLabel() const { return m_titleLabel; }
    QPushButton *cancelButton() const { return m_cancelButton; }
    QGridLayout *progressGrid() const { return m_grid; }

private:
    void place(QWidget *widget, int row, int column, int rowSpan, int columnSpan, Qt::Alignment alignment);
    void stopSpinner();

    QLabel *m_dimming;
    QLabel *m_mainLabel;
    QLabel *m_secondLabel;
    QRoundProgressBar *m_fileBar;
    QRoundProgressBar *m_overallBar;
    QProgressIndicator *m_spinner;
    QLabel *m_emptyLabel;
    QLabel *m_background;
    QGridLayout *m_grid;
    QGridLayout *m_titleGrid;
    QLabel *m_deployIcon;
    QLabel *m_titleLabel;
    QPushButton *m_cancelButton;
    QHBoxLayout *m_layout;
};
