#pragma once

#include <QLineEdit>

// A field of the box information page. Without the focus, a value wider
// than the field shows its start and "…" and the tooltip holds the whole
// value; with the focus the field edits the text as it is.
class InfoValueEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit InfoValueEdit(QWidget *parent = nullptr);

    // What the field shows without the focus.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QRect textArea() const;
    void updateTip();
};
