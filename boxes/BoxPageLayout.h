#pragma once

class QGridLayout;
class QLabel;
class QPushButton;
class QWidget;

// The frame of the two box pages: the background label filling the page
// and carrying the main grid, and the back / validate pair below it.
class BoxPageLayout
{
public:
    // The main grid (margin 20, `spacing`) on a new background label of `page`.
    static QGridLayout *mainGrid(QWidget *page, QLabel **background, int spacing);
    // Back in column 0, validate in column 1, spacing 20, at `row` of `grid`
    // across `columns`.
    static void addButtons(QGridLayout *grid, int row, int columns, QPushButton *back, QPushButton *validate,
                           int margin);
};
