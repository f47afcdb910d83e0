#pragma once

#include <QPoint>

#include <optional>

#include "designer/SheetDragDropPage.h"
#include "designer/SheetEditors.h"
#include "designer/SheetFontPage.h"
#include "panels/PropertySheetModel.h"

#include <QDialog>
#include <QHash>
#include <QPointer>
#include <functional>
#include <memory>

class EditCommands;
class ExtensionProfile;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QListWidget;
class ContentEditorPage;
class clsControl;
class clsDesigner;
class clsDesignerSettings;
class iPrompter;

// The one dialog in which every object of a project is created and edited. It shows what its
// model (PropertySheetModel) says about the object: identity, style options and the pages of
// the type; it forwards every edit to the model and, once the model accepts the sheet, lets
// the model write the object. Closing the window is Cancel; the dialog is only hidden, so one
// instance serves every use.
class frmProperties final : public QDialog
{
    Q_OBJECT

public:
    struct Result
    {
        bool Confirmed = false;
        QString FullId;
    };

    frmProperties(clsDesigner &designer, iPrompter &prompter, QWidget *parent = nullptr);
    ~frmProperties() override;

    // Undo records for renames, moves and new objects; none leaves no records.
    void SetEditCommands(EditCommands *edit) { m_edit = edit; }
    // Where "PropertiesLeft"/"PropertiesTop" are kept; none keeps nothing.
    // The window position keys, and the preferences a new application starts with.
    void SetSettings(clsDesignerSettings *settings)
    {
        m_settings = settings;
        m_model.SetNewApplicationDefaults(settings);
    }
    void SetExtensionProfile(std::shared_ptr<const ExtensionProfile> profile);
    // Refreshes the command states and status text after a change.
    void SetRefresh(std::function<void()> refresh) { m_refresh = std::move(refresh); }

    // A new object of the type in app (none for an application) and form (for controls and
    // form bars); the ID offered is defaultId.
    Result ShowCreate(int type, clsControl *app, clsControl *form, const QString &defaultId);
    // Where the next object ShowCreate makes goes (twips in its container), as the user
    // pointed at it; used once.
    void SetCreatePoint(std::optional<QPoint> twips) { m_createPoint = twips; }
    // The object with that full ID; nothing happens for an empty or unknown ID.
    Result ShowModify(const QString &fullId);

    PropertySheetModel &Model() { return m_model; }

    // ---- The widgets, for tests and keyboard wiring ---------------------------------------
    QLineEdit *IdEdit() const { return m_idEdit; }
    QComboBox *StyleCombo() const { return m_styleCombo; }
    QPushButton *ConfirmButton() const { return m_confirm; }
    QPushButton *CancelButton() const { return m_cancel; }
    QTabWidget *Pages() const { return m_tabs; }
    // The editor of a field (line edit, check box, combo box) or nullptr.
    QWidget *FieldWidget(int code) const { return m_editors.Field(code); }
    QCheckBox *UseDefaultBox(int code) const { return m_editors.UseDefault(code); }
    QLabel *ColourDescription(int code) const { return m_editors.ColourDescription(code); }
    QCheckBox *EventBox(int code) const { return m_eventBoxes.value(code); }
    QPushButton *FontButton() const { return m_fontPage ? m_fontPage->ChangeButton() : nullptr; }
    QLabel *FontSummary() const { return m_fontPage ? m_fontPage->Summary() : nullptr; }
    QCheckBox *DragSourceBox() const
    {
        return m_dragDropPage ? m_dragDropPage->SourceBox() : nullptr;
    }
    QCheckBox *DropTargetBox() const
    {
        return m_dragDropPage ? m_dragDropPage->TargetBox() : nullptr;
    }
    QListWidget *DropList() const { return m_dragDropPage ? m_dragDropPage->DropList() : nullptr; }
    QTableWidget *ExtensionGrid() const { return m_extGrid; }
    QTableWidget *PrivateGrid() const { return m_privateGrid; }
    // The content editor on a page (menu, tree, tabs, options, list), or nullptr.
    ContentEditorPage *ContentEditor(PropertySheetModel::Page page) const
    {
        return m_contentPages.value(int(page));
    }
    // The tab index of a page, -1 when the type does not show it.
    int PageIndex(PropertySheetModel::Page page) const;

    // Hooks tests use instead of the modal system dialogs.
    std::function<bool(qint32 &colour)> ChooseColour;
    std::function<bool(QFont &font)> ChooseFont;
    std::function<QString(const QString &filter)> ChooseFile;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Result Run(const QString &label);
    void Rebuild();
    void ClearPages();
    QWidget *BuildFieldsPage(PropertySheetModel::Page page);
    void AddContentEditor(PropertySheetModel::Page page, QWidget *widget);
    QWidget *BuildEventsPage();
    QWidget *BuildCustomPage();
    QWidget *BuildPrivatePage();
    void RefreshEvents();
    void Confirm();
    void FocusField(int code);

    clsDesigner &m_designer;
    iPrompter &m_prompter;
    EditCommands *m_edit = nullptr;
    clsDesignerSettings *m_settings = nullptr;
    std::function<void()> m_refresh;
    PropertySheetModel m_model;
    bool m_positionRestored = false;

    QLabel *m_typeLabel = nullptr;
    QLabel *m_appIdLabel = nullptr;
    QLabel *m_appIdText = nullptr;
    QLabel *m_formIdLabel = nullptr;
    QLabel *m_formIdText = nullptr;
    QLabel *m_idLabel = nullptr;
    QLineEdit *m_idEdit = nullptr;
    QComboBox *m_styleCombo = nullptr;
    QTabWidget *m_tabs = nullptr;
    QPushButton *m_confirm = nullptr;
    QPushButton *m_cancel = nullptr;

    SheetEditors m_editors; // the pages' shared editors, after the model and the choosers
    QHash<int, QCheckBox *> m_eventBoxes;
    SheetFontPage *m_fontPage = nullptr;
    SheetDragDropPage *m_dragDropPage = nullptr;
    QTableWidget *m_extGrid = nullptr;
    QTableWidget *m_privateGrid = nullptr;
    QLabel *m_styleLabel = nullptr;
    QHash<int, int> m_pageIndex;
    QHash<int, ContentEditorPage *> m_contentPages; // by page
    std::optional<QPoint> m_createPoint;
};
