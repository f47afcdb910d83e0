#pragma once

#include <QTreeWidget>

// The tree: nodes given in display order with their levels (1 for a top node), each with a
// caption, an icon name, a state (bits: 1 expanded, 2 selected, 4 checked) and a hint.
class ucTreeview : public QTreeWidget
{
    Q_OBJECT
public:
    struct Node
    {
        QString ID;
        int Level = 1;
        QString Caption;
        QString Icon;
        int State = 0;
        QString Hint;
    };

    explicit ucTreeview(QWidget *parent = nullptr);

    // A node deeper than one level below its predecessor hangs under the predecessor.
    void SetNodes(const QList<Node> &nodes);
    int NodeCount() const { return m_count; }
    // The tree item of a node ID; nullptr when there is none.
    QTreeWidgetItem *Find(const QString &id) const;

private:
    int m_count = 0;
};
