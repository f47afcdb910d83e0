#pragma once

#include <QWidget>

class ExtPropsPage;
class QTableWidget;
class QVBoxLayout;

// The "Custom properties" page of the property sheet: the messages of its model and a grid
// of field captions and values. Edits go to the model, which may refuse them (the cell then
// shows the model's value again).
class ucExtProps final : public QWidget
{
    Q_OBJECT

public:
    explicit ucExtProps(ExtPropsPage &page, QWidget *parent = nullptr);

    QTableWidget *Grid() const { return m_grid; }

private:
    ExtPropsPage &m_page;
    QTableWidget *m_grid = nullptr;
};
