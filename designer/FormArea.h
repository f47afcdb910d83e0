#pragma once

#include <QMdiArea>

// The main window's area for the windows of the design forms: scroll bars when the forms
// reach beyond it, the designer's grey behind them. Its preferred size does not depend on the
// forms: the toolkit's area asks every window for its size, which lays out that window's
// title, and the splitter around the area asks again whenever a window is added, so a project
// of many forms paid for every form once per form added.
class FormArea : public QMdiArea
{
public:
    explicit FormArea(QWidget *parent = nullptr);

    QSize sizeHint() const override;
};
