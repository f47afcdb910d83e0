#pragma once

#include <QFrame>

#include <memory>

class QAbstractScrollArea;

// A control on a design form that holds what it shows and draws exactly what a widget of the
// toolkit set up the same way draws, without being one: that widget (its "drawer") is made
// only to draw, when the control is painted, and only the controls painted last keep theirs.
// Nobody uses a list or a grid on a design form (the designer takes a design form's input),
// and a live one is a dozen widgets, models and timers: for a big project, most of the time
// and memory of opening it went into them.
class DrawnFrame : public QFrame
{
    Q_OBJECT
public:
    ~DrawnFrame() override;

    // How many drawers are kept, the most recently used: 256 unless told. Lists and grids
    // share them, and a form of 500 mixed controls shows over 130; with fewer kept than a
    // form shows, every repaint of it made its drawers again.
    static void KeepDrawers(size_t count);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    explicit DrawnFrame(QWidget *parent);

    // The drawer, set up as this control is now: good until the next control is drawn.
    QAbstractScrollArea &Drawer() const;

    // Sets what the control shows; a new value makes the control set up its drawer again.
    template <typename T>
    void Set(T &field, const T &value)
    {
        if (field == value)
            return;
        field = value;
        Changed();
    }
    // What the control shows has changed in a way `Set` cannot see.
    void Changed();

    // A new drawer of the kind, and what this control tells a new one, in the order a load
    // tells a live widget.
    virtual std::unique_ptr<QAbstractScrollArea> MakeDrawer() const = 0;
    virtual void SetUp(QAbstractScrollArea &drawer) const = 0;

    void paintEvent(QPaintEvent *event) override;

private:
    static quint64 NextVersion();
    static void Settle(QAbstractScrollArea &drawer);

    // Counts the changes of what the control shows, for the drawers to tell whether they are
    // still set up for it.
    quint64 m_version = 0;
};
