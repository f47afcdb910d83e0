#pragma once

#include <QString>
#include <QWidget>

#include <functional>

class clsControl;
class clsDesigner;
class iPrompter;
class QLayout;
class QLineEdit;
class QTreeWidget;

// A content editor on a page of the property sheet: it loads an object's compound content
// into its headless model, checks it when the sheet is confirmed and writes it back through
// the design item when the sheet is applied.
class ContentEditorPage : public QWidget
{
public:
    ContentEditorPage(iPrompter &prompter, QWidget *parent) : QWidget(parent), m_prompter(prompter) {}

    // Loads the object's content (item is nullptr while an object is being created).
    virtual void Load(clsControl *item, int type) = 0;
    // True when the content may be applied; otherwise the problem has been shown and the
    // focus put on the field to mend.
    virtual bool Check() = 0;
    // Writes what changed to the item.
    virtual void Apply(clsControl &item, clsDesigner &designer) = 0;

    // The icon chooser (a file dialog unless a test sets it): caption and filter in, the
    // chosen file out (empty when cancelled).
    std::function<QString(const QString &caption, const QString &filter)> ChooseFile;

protected:
    // The icon field with a "..." button beside it that offers the icon chooser; a chosen
    // file goes into the field as if typed.
    QWidget *WithIconChooser(QLineEdit *field, const QString &caption);
    // Lets the user retype an entry's caption in place (F2 or a double click): the editor
    // starts from the caption alone, not the shown label, and a finished edit goes to
    // setCaption. Only items made editable take part (the index is read from indexRole).
    void EditCaptionsInPlace(QTreeWidget *tree, int indexRole, std::function<QString(int)> caption,
                             std::function<void(int, const QString &)> setCaption);
    // The tree editors' page: the tree beside the entry's fields, the buttons below both.
    void LayOutTreeBeside(QTreeWidget *tree, QLayout *fields, QLayout *buttons);
    // Leaving an entry whose ID cannot stand brings the user back to it: commitId checks and
    // stores the shown entry's ID (shown < 0: none is shown), showEntry shows the entry that
    // became current. While showing is set the tree is being filled and nothing is checked.
    void KeepEntryWhileIdRefused(QTreeWidget *tree, bool &showing, const int &shown,
                                 QWidget *idField, std::function<bool()> commitId,
                                 std::function<void()> showEntry);
    // Whether the focus went to the tree or one of the buttons, which check the ID themselves
    // when they take it.
    static bool ChecksIdItself(const QWidget *next, const QTreeWidget *tree,
                               std::initializer_list<const QWidget *> buttons);
    // Asks for an icon file; empty when cancelled.
    QString ChooseIcon(const QString &caption);
    // Shows the repairs made while loading: the first ten one by one, the rest counted.
    void ShowRepairs(const QStringList &messages);
    iPrompter &m_prompter;
};
