#pragma once

#include "app/iPrompter.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Asks for a new ID when an object of a project cannot be created under its own ID while
// loading (it is taken, or it is empty). The user gives a new ID (OK), leaves the object out
// (Skip) or stops loading (Cancel). Enter is OK, Escape and closing the window are Cancel.
class frmDupID final : public QDialog
{
    Q_OBJECT

public:
    // The answer's choice type (its member of the same name hides the type's own name).
    using Choice = decltype(iPrompter::DuplicateIdAnswer::Choice);

    explicit frmDupID(const iPrompter::DuplicateIdRequest &request, QWidget *parent = nullptr);

    // Shows the dialog modally and returns the user's choice.
    static iPrompter::DuplicateIdAnswer Ask(const iPrompter::DuplicateIdRequest &request,
                                            QWidget *parent = nullptr);

    // The choice once the dialog has closed; Cancel until then.
    iPrompter::DuplicateIdAnswer Answer() const { return m_answer; }

    // An ID may hold anything but "*" (the separator of full IDs) and the four marks,
    // and may not be empty.
    static bool IsAcceptableId(const QString &id);

    QLineEdit *IdInput() const { return m_input; }
    QPushButton *OkButton() const { return m_ok; }
    QPushButton *SkipButton() const { return m_skip; }
    QPushButton *CancelButton() const { return m_cancel; }

    void reject() override;

private:
    void UpdateOk();
    void Finish(Choice choice);

    QLineEdit *m_input = nullptr;
    QLabel *m_hint = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_skip = nullptr;
    QPushButton *m_cancel = nullptr;
    iPrompter::DuplicateIdAnswer m_answer;
};
