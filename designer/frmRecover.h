#pragma once

#include <QDateTime>
#include <QDialog>
#include <QList>
#include <QString>

class QPushButton;
class QTreeWidget;

// Offers the work a designer left unsaved when it ended without saving it: one row per
// project (application ID, document or "not saved yet", time of the last autosave), each
// checked to begin with. Recover takes back the checked projects, Discard deletes their
// kept work, Later (also Escape and closing the window) keeps everything for the next start.
class frmRecover final : public QDialog
{
    Q_OBJECT

public:
    enum class Choice { Recover, Discard, Later };
    struct Row
    {
        QString ApplicationID;
        QString DocumentName; // empty: never saved
        QDateTime Time;
    };

    explicit frmRecover(const QList<Row> &rows, QWidget *parent = nullptr);

    // Shows the dialog modally; chosen receives the checked rows for Recover and Discard.
    static Choice Ask(const QList<Row> &rows, QWidget *parent, QList<int> &chosen);

    Choice Result() const { return m_choice; }
    QList<int> Chosen() const;

    QTreeWidget *List() const { return m_list; }
    QPushButton *RecoverButton() const { return m_recover; }
    QPushButton *DiscardButton() const { return m_discard; }
    QPushButton *LaterButton() const { return m_later; }

    void reject() override;

private:
    void Finish(Choice choice);
    void UpdateButtons();

    QTreeWidget *m_list = nullptr;
    QPushButton *m_recover = nullptr;
    QPushButton *m_discard = nullptr;
    QPushButton *m_later = nullptr;
    Choice m_choice = Choice::Later;
};
