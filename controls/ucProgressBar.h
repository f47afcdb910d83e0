#pragma once

#include <QFrame>

// The gauge: a bar filled from the left in proportion to its value between Min and Max.
class ucProgressBar : public QFrame
{
    Q_OBJECT
public:
    explicit ucProgressBar(QWidget *parent = nullptr);

    void SetValue(double value);
    // A number as text; anything else counts as 0.
    void SetValueText(const QString &value);
    double Value() const { return m_value; }
    void SetRange(double min, double max);
    double Min() const { return m_min; }
    double Max() const { return m_max; }
    // The filled part of a bar `width` pixels wide.
    int FilledWidth(int width) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double m_value = 0;
    double m_min = 0;
    double m_max = 100;
};
