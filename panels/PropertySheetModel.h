#pragma once

#include "model/iPropertySource.h"
#include "model/ExtPropsPage.h"
#include "panels/PropertySheetDragDrop.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class clsDesignerSettings;
class EditCommands;
class clsControl;
class clsDesigner;
class iPrompter;

// Everything the property sheet knows without a window: which pages and fields an object
// type offers (labels and fixed choices as the sheet shows them), the values loaded from the
// item or from a default item of the type, what the user changed, the composition and checks
// of the ID, the checks of every field, the questions some changes ask, and what is written
// when the user confirms. The dialog reads this model and forwards the user's edits to it.
class PropertySheetModel final : public iPropertySource
{
public:
    enum class Mode { Create, Modify };
    enum class Page {
        General, Application, Traits, List, Options, Events, Colors, Font, Picture, Icon,
        Tabs, Tree, DragDrop, Menu, Private, Custom,
    };
    static constexpr int PageCount = int(Page::Custom) + 1;
    // The tab titles in tab order ("Drag && Drop" shows as "Drag & Drop").
    static QString PageTitle(Page page);

    enum class Kind {
        Text,    // free text
        Number,  // a number, or the field's word ("auto", "none") where it has one
        Check,   // "1"/"0"
        Choice,  // one of Choices, stored as its value
        Colour,  // a colour value; "Use default color" leaves it unset
        Picture, // a file name or a stored picture's marker; Browse and Clear
        Icon,    // as Picture; "none" means no icon; "Default icon" leaves it unset
        Font,    // the font name; the other font codes follow it
    };
    struct Choice
    {
        QString Label;
        QString Value;
    };
    struct Field
    {
        int Code = 0;
        Page OnPage = Page::General;
        Kind Type = Kind::Text;
        QString Label;
        QString Group; // the frame the field sits in, if any
        std::vector<Choice> Choices;
        QString Word;  // "auto" or "none": what an unset number shows and accepts
        double Min = 0;
        double Max = 0;
        bool Integer = false;
        bool ReadOnly = false; // shown for reference only
    };
    struct StyleOption
    {
        QString Label;
        int Type = 0;   // the object type the option selects
        int Style = -1; // the Style value it writes; -1 writes none
    };
    // A field that failed its check: Code is the field's (IdCode for the ID field).
    struct Problem
    {
        int Code = 0;
        QString Message;
    };

    // Pseudo codes of fields that are not properties of their own.
    static constexpr int IdCode = -2;
    static constexpr int NodeStyleCode = -100; // the tree's node style, part of its Style
    static constexpr int CacheIdCode = -101;   // shown for the application, not stored
    static constexpr int SelCellStyleCode = -102; // a grid's focus style 0, as a tick
    static constexpr int MaxIdLength = 64;
    static constexpr int MaxTextLength = 32767;

    PropertySheetModel();
    ~PropertySheetModel() override;

    // ---- Set-up ------------------------------------------------------------------------
    // A new object of the type. app is the application it goes into (none for an
    // application), form the form (none for the application, forms and application bars),
    // selected the current selection, which becomes the parent when it is a frame, tab group
    // or tab panel of that form. defaultId is the ID offered.
    // The preferences whose author, copyright, logo, Enter key, auto-select and tooltip
    // choices a new application starts with; none: the object's own defaults.
    void SetNewApplicationDefaults(const clsDesignerSettings *settings)
    {
        m_newAppDefaults = settings;
    }
    void SetupCreate(clsDesigner &designer, int type, clsControl *app, clsControl *form,
                     clsControl *selected, const QString &defaultId);
    // Create mode: Left and Top at that point (twips in the container, snapped by the
    // caller), shown in the application's unit; nothing in modify mode or for an object
    // without a position.
    void SetCreatePosition(int leftTwips, int topTwips);
    // An existing item.
    void SetupModify(clsDesigner &designer, clsControl &item);
    // Forgets the object and drops the temporary item once the sheet has closed, so nothing
    // points into a project that may change before the next use.
    void Close() { Reset(); }
    // The extension profile the Custom page serves; none hides the page.
    void SetExtensionProfile(std::shared_ptr<const ExtensionProfile> profile);

    // ---- What the sheet shows -------------------------------------------------------
    Mode SheetMode() const { return m_mode; }
    // The object edited, or the one made by Apply in create mode; none before.
    clsControl *Item() const { return m_item; }
    // The application the edited (or new) object belongs to; null when there is none.
    clsControl *Application() const;
    int ObjType() const; // as the style option currently selects it
    int OriginalType() const { return m_type; }
    QString Caption() const;     // "Text Box", "Application" ...
    QString PageHeading() const; // "Menu properties" ... for bars, else empty
    QString ConfirmLabel() const { return m_mode == Mode::Create ? "&Create" : "&Apply"; }
    bool HasPage(Page page) const { return m_pages.contains(page); }
    QList<Page> Pages() const;
    const std::vector<Field> &Fields() const { return m_fields; }
    const Field *FindField(int code) const;
    std::vector<const Field *> FieldsOn(Page page) const;

    // Identity. The editable ID is the form's for applications and forms ("App Name" or
    // "Form ID"), else the control's; the others are shown for reference.
    QString IdLabel() const;
    bool EditsFormId() const;
    QString AppIdText() const { return m_appId; }
    QString FormIdText() const { return m_formId; }
    QString IdText() const { return m_id; }
    // A new button, label, check box or frame is captioned with its ID until the user types
    // a caption of their own.
    void SetIdText(const QString &id);
    // The full ID the sheet's fields compose.
    QString FullId() const;
    // Whether a short ID names an object of the edited object's form, or is the ID the sheet
    // gives the object itself: what the tabs of a tab group must not take.
    bool IdTakenOnForm(const QString &id) const;

    const std::vector<StyleOption> &StyleOptions() const { return m_styles; }
    // The label of the style options: "Tree style:" for trees, else "Style:".
    QString StyleLabel() const;
    int StyleIndex() const { return m_styleIndex; }
    void SetStyleIndex(int index);

    // ---- Values -------------------------------------------------------------------------
    // The text a field shows: numbers in the application's unit with the word where unset.
    QString Text(int code) const;
    // True while the field shows a value that is only the default.
    bool IsDefault(int code) const;
    // The user's edit of a field (checked on confirm, not here).
    void SetText(int code, const QString &text);
    // The "Use default ..." ticks of colours, fonts and icons: the property is left unset.
    bool UsesDefault(int code) const;
    void SetUseDefault(int code, bool useDefault);
    // Font: one call for the five font codes, from a chosen font.
    void SetFont(const QString &name, double size, bool bold, bool italic, bool underline);

    // Events: the codes the type offers, in code order; whether each is on; whether the page
    // may change it (the application's required events are always on).
    std::vector<int> Events() const;
    bool EventOn(int code) const;
    bool EventLocked(int code) const;
    void SetEvent(int code, bool on);
    qint32 EventMask() const;
    // Tab groups: whether events are raised by the individual tabs or by the group.
    bool TabEventsOnGroup() const { return m_tabEventsOnGroup; }
    void SetTabEventsOnGroup(bool onGroup) { m_tabEventsOnGroup = onGroup; }
    // Gives the chosen events to the group or to each of its tabs (the others get none).
    // Apply does it for the tabs the group has; the sheet runs it again once the Tabs page
    // has made the tabs it adds, so a new tab reports what the page shows.
    void WriteTabEvents(clsControl &group) const;

    // The application's help type; choosing an HTML type without the Help event asks whether
    // to switch it on (Yes does). Index into the help-type list.
    void ChooseHelpType(int index, iPrompter &prompter);
    static QString HelpQuestion(int helpType);

    // Drag and drop (the page's state, PropertySheetDragDrop). Unticking a side that holds IDs
    // asks first; No keeps the tick. Returns the tick as it is afterwards.
    PropertySheetDragDrop &DragDrop() { return m_dragDrop; }
    bool DragSource() const { return m_dragDrop.Source(); }
    bool DropTarget() const { return m_dragDrop.Target(); }
    bool SetDragSource(bool on, iPrompter &prompter) { return m_dragDrop.SetSource(on, prompter); }
    bool SetDropTarget(bool on, iPrompter &prompter) { return m_dragDrop.SetTarget(on, prompter); }
    QString DragIdText() const { return m_dragDrop.DragId(); }
    void SetDragIdText(const QString &id) { m_dragDrop.SetDragId(id); }
    bool UseControlIdAsDragId() const { return m_dragDrop.UsesControlId(m_id); }
    void SetUseControlIdAsDragId(bool on) { m_dragDrop.SetUseControlId(on, m_id); }
    QStringList DropIds() const { return m_dragDrop.DropIds(); }
    void AddDropId(const QString &id) { m_dragDrop.AddDropId(id); }
    void RemoveDropId(const QString &id) { m_dragDrop.RemoveDropId(id); }
    // The drag IDs of the other objects of the application, for the drop-target list.
    QStringList ProjectDragIds() const;

    // The Custom page (extension fields); none when no profile applies to the type.
    ExtPropsPage *Extension() { return m_ext ? m_ext.get() : nullptr; }
    // The Private page, shown with the Custom page: the values the object's extension holds
    // at positions the profile declares no field of the type for (left by an extension
    // component or an earlier profile), one row each, "N/A" when there are none. Its edits
    // are written with the Custom page's into the one extension value.
    ExtPropsPage *PrivateExtension() { return m_private ? m_private.get() : nullptr; }

    // ---- Confirm ------------------------------------------------------------------------
    // The first problem of the sheet, in tab order, or none. The duplicate-ID message when
    // the composed ID names another object.
    std::optional<Problem> Validate() const;
    // Writes the sheet: in create mode adds the item (through the designer's add-item
    // operation, at the position entered) and returns it; in modify mode renames, changes
    // the type and sets the changed properties, in that order. Raises GuiError; whatever was
    // written before the error stays. Undo records go through edit when given.
    clsControl *Apply(EditCommands *edit);

    // The file-chooser filters (Qt's form) for icons and tool, node and tab images, for
    // pictures, for the application logo and for the help file. They list what the picture
    // helpers can load.
    enum class Chooser { Icon, Picture, Logo, HelpFile };
    static QString FileFilter(Chooser chooser);

    // The container a new control goes into (its own ID), empty when it goes onto the form.
    QString ParentId() const;
    // Default size of a new object of the type, in twips (0 for none).
    static std::pair<int, int> DefaultSizeTwips(int type);
    // Where a new control of that size goes in the container when no point is given.
    QPoint FreePlace(const clsControl &container, int width, int height) const;

    // ---- iPropertySource (the extension object's view of the pending values) --------------
    QString GetPendingValue(int propertyCode, int column = 0) const override;
    void SetPendingValue(int propertyCode, const QString &value) override;

private:
    void Reset();
    void RememberPaths();
    bool StillThere(const clsControl *item, const QString &fullId) const;
    // Whether the object and the objects around it are still those the sheet opened with.
    bool ObjectsStillThere() const;
    void BuildFields();
    void BuildStyles();
    void Load(clsControl &source, bool allDefault);
    void AddField(Field field);
    void PresetFromPreferences(const clsDesignerSettings &settings);
    std::optional<Problem> CheckId() const;
    std::optional<Problem> CheckField(const Field &field) const;
    QString ValueToWrite(const Field &field) const;
    void WriteProperties(clsControl &item, EditCommands *edit);
    double ScaleX() const;
    double ScaleY() const;
    QString Name(const Field &field) const;

    Mode m_mode = Mode::Modify;
    clsDesigner *m_designer = nullptr;
    clsControl *m_item = nullptr;
    clsControl *m_app = nullptr;
    clsControl *m_form = nullptr;
    clsControl *m_parent = nullptr;
    QString m_itemFullId; // the IDs the objects above had when the sheet opened
    QString m_parentFullId;
    QString m_appFullId;
    QString m_formFullId;
    std::unique_ptr<clsControl> m_defaults; // the temporary item of create mode
    int m_type = 0;
    QString m_appId;
    QString m_formId;
    QString m_id;
    QString m_originalId;

    std::vector<Field> m_fields;
    QSet<Page> m_pages;
    std::vector<StyleOption> m_styles;
    int m_styleIndex = -1;
    int m_originalStyleIndex = -1;

    QHash<int, QString> m_loaded;  // as the sheet opened (shown form)
    QHash<int, QString> m_values;  // as the user left them
    QSet<int> m_defaultMarks;      // loaded values that are only defaults
    const clsDesignerSettings *m_newAppDefaults = nullptr;
    QSet<int> m_useDefault;        // codes whose "Use default" tick is set
    QSet<int> m_loadedUseDefault;

    std::vector<int> m_events;
    qint32 m_mask = 0;
    qint32 m_loadedMask = 0;
    bool m_tabEventsOnGroup = false;
    bool m_captionFollowsId = false;

    PropertySheetDragDrop m_dragDrop;

    std::shared_ptr<const ExtensionProfile> m_profile;
    std::unique_ptr<ExtPropsPage> m_ext;
    std::unique_ptr<ExtPropsPage> m_private;
    void LoadPrivate(const QString &value);
    QString ExtensionToWrite() const;
    QString m_loadedExtension;
    bool m_extensionSet = false; // written through the extension object
};
