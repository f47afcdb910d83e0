#pragma once

#include <QWidget>

// The timer has nothing to show at run time; on a design form it is a small clock icon.
class TimerIcon : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Side = 28;
    explicit TimerIcon(QWidget *parent = nullptr);
    QSize sizeHint() const override { return {Side, Side}; }

protected:
    void paintEvent(QPaintEvent *event) override;
};
