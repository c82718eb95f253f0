#include "BoxPageLayout.h"

#include "SettingsPageLook.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QGridLayout *BoxPageLayout::mainGrid(QWidget *page, QLabel **background, int spacing)
{
    *background = SettingsPageLook::background();
    auto *grid = new QGridLayout(*background);
    grid->setContentsMargins(20, 20, 20, 20);
    grid->setSpacing(spacing);
    auto *outer = new QVBoxLayout(page);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(*background);
    return grid;
}

void BoxPageLayout::addButtons(QGridLayout *grid, int row, int columns, QPushButton *back, QPushButton *validate,
                               int margin)
{
    auto *buttons = new QGridLayout;
    buttons->setContentsMargins(margin, margin, margin, margin);
    buttons->setSpacing(20);
    buttons->addWidget(back, 0, 0);
    buttons->addWidget(validate, 0, 1);
    grid->addLayout(buttons, row, 0, 1, columns);
}
