#pragma once

#include "app/Arrangement.h"
#include "app/UndoBuffer.h"
#include "app/UndoRecords.h"

#include <QList>
#include <QPoint>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class clsControl;
class clsDesigner;
class iClipboard;
class iCreateMode;
class UndoBuffer;

// The Edit commands (Cut, Copy, Paste, Delete, Undo) and the commands that add objects,
// acting on the designer's current selection. Copy puts the selected object's project text
// on the clipboard in its plain-text form; Paste inserts such a text into the selected
// object; every removal, insertion, move, resize and rename leaves an undo record. Nothing
// escapes: problems are reported through the designer's prompter, and a paste or undo that
// fails leaves the projects as they were.
class EditCommands final : private iUndoWorld
{
public:
    static constexpr const char *CreateLabel = "<CvGuiSvrMod CreateNewItem>";
    static constexpr const char *EditLabel = "<CvGuiSvrMod Edit>";
    static constexpr const char *UndoLabel = "<CvGuiSvrMod Undo>";

    EditCommands(clsDesigner &designer, UndoBuffer &undo, iClipboard &clipboard);

    void SetCreateMode(iCreateMode *createMode) { m_createMode = createMode; }
    void SetClipboard(iClipboard &clipboard) { m_clipboard = &clipboard; }
    // Which form is active (the main window's active design form). Until one is set, the
    // form of the current selection counts as active.
    void SetActiveFormSource(std::function<clsControl *()> source)
    {
        m_activeForm = std::move(source);
    }
    clsControl *ActiveForm() const;
    // The application of the current project; nullptr when none is open.
    clsControl *CurrentApp() const;

    // ---- Adding objects ------------------------------------------------------------
    // Checks that the object has somewhere to go and opens the property sheet in create mode
    // with its default ID. True when the user created the object, which is then selected
    // (its full ID in createdId); false when refused (the user has been told why) or
    // cancelled.
    bool CreateNewItem(const QString &typeName, QString *createdId = nullptr);
    // The default ID for a new object of that type in the current application or active
    // form (see DefaultIds::ForType).
    QString DefaultId(const QString &typeName, const QSet<QString> &avoidUpper = {}) const;

    // ---- Edit menu -----------------------------------------------------------------
    // Each acts on the current selection and gives true when it changed something (Copy:
    // when it put text on the clipboard).
    bool Copy();
    bool Cut();
    bool Delete();
    bool Paste();
    // Undo puts the newest undo record back and keeps what reverses it for Redo; Redo puts
    // that back and keeps its reverse for Undo. Any other change forgets what Redo held.
    bool Undo();
    bool Redo();
    UndoBuffer &RedoRecords() { return m_redo; }

    // ---- Changes made elsewhere that leave undo records ------------------------------
    // A move (only left/top given) or resize of the item from the design surface; the
    // former rectangle is kept for undo. Strings as clsControl::Move takes them.
    bool MoveItem(clsControl &item, const QString &left, const QString &top,
                  const QString &width, const QString &height);
    // The same from a drag on the design surface, in twips (nullopt leaves a coordinate):
    // a resize when a width or height is given, else a move.
    bool MoveItemTwips(clsControl &item, std::optional<int> left, std::optional<int> top,
                       std::optional<int> width, std::optional<int> height);
    // A drag of several objects: each to its new left and top (twips), one "Undo move"
    // record of those that moved. One object makes exactly MoveItemTwips's record.
    bool MoveItemsTwips(const QList<std::pair<clsControl *, QPoint>> &topLefts);
    // Ctrl+arrow: every item moves by (dx, dy) twips, held back so none leaves its
    // container; with resize (Ctrl+Shift+arrow) the primary alone grows or shrinks by them,
    // never below the smallest size. A run of nudges of the same items with no other change
    // between them makes one record ("Undo move" or "Undo size").
    bool Nudge(const QList<clsControl *> &items, clsControl &primary, int dxTwips, int dyTwips,
               bool resize);
    // Whether a Format command can act on the items: enough of them that can be laid out
    // (controls other than timers and tab panels), all of one form.
    bool CanArrange(ArrangeCommand command, const QList<clsControl *> &items) const;
    // The same for every command at once: bit n for ArrangeCommand(n).
    quint32 ArrangeableCommands(const QList<clsControl *> &items) const;
    // A Format command on the items relative to the primary; spacing steps by one grid
    // step; every result kept in its container. One record: "Undo align" (align, to grid,
    // centre), "Undo size", "Undo spacing" or "Undo order" (front and back: the order
    // among siblings). False when nothing changed or the command cannot act.
    bool Arrange(ArrangeCommand command, const QList<clsControl *> &items, clsControl &primary,
                 int gridXTwips, int gridYTwips);
    // Tab Order mode: the user clicks controls one after another, each taking the next
    // place (1, 2, 3 ... among the controls of its container: the order among siblings,
    // which is also the z-order and the run-time tab order). The whole pass is one "Undo
    // order" record, none when nothing changed. A place outside a pass records itself.
    void BeginOrderPass();
    // The place a control has now among the controls of its container (1 for the first);
    // 0 for an object that has none (not a control, or a tab panel, which is a page).
    static int TabPlace(const clsControl &item);
    bool SetTabPlace(clsControl &item, int place);
    void EndOrderPass();
    bool InOrderPass() const { return m_orderPass.Depth > 0; }

    // The item's rectangle in twips in its container's client coordinates, and the client
    // area of its container (the form's less its docked bars).
    static Arrangement::Box BoxOf(const clsControl &item);
    static Arrangement::Area AreaOf(const clsControl &item);
    static Arrangement::Area ClientAreaOf(const clsControl &container);
    // A control that the layout commands move and size (not a timer or a tab panel).
    static bool CanLayOut(const clsControl &item);

    // A rename from the project tree; false when another object has the ID.
    bool RenameItem(clsControl &item, const QString &newId);
    // A move among the item's siblings (a drag in the project tree): next to the sibling with
    // the ID targetId, after it when after.
    bool RepositionItem(clsControl &item, const QString &targetId, bool after);
    // A change of the property sheet or a content editor: Begin before it writes anything,
    // End after. What it changed besides the moves and renames that keep records of their
    // own becomes one "Undo properties" record. Nested pairs count as one.
    void BeginPropertiesChange(clsControl &item);
    void EndPropertiesChange();
    // Adds an undo record, forgets what Redo held and tells the menus.
    void AddUndoRecord(int kind, const QString &first, const QString &second,
                       const QString &extra = {});

    // ---- The clipboard text ----------------------------------------------------------
    // Records by CR LF, fields by TAB, parts by U+0004, and back.
    static QString ToClipboardText(const QString &projectText);
    static QString FromClipboardText(const QString &clipboardText);

    // Inserts a project text (in-memory form) into target as Paste does: the type fit, the
    // question on an ID clash, the unit conversion and the load. On success gives the paths
    // of the top-level objects created. Leaves no undo record.
    bool InsertText(const QString &projectText, clsControl &target, QStringList *created = nullptr);

private:
    enum class Insertion { Inserted, Declined, Refused, Failed };
    // keepRootParents: objects of several containers in one text go back into their own
    // (Undo), not into target.
    Insertion Insert(const QString &projectText, clsControl &target, QStringList *created,
                     bool keepRootParents = false);
    // Moves the objects of a paste of several off the ones they were copied from.
    static void OffsetRoots(std::vector<QStringList> &records, const std::vector<int> &roots,
                            const clsControl &target);
    clsControl *Selected() const;
    bool RemoveSelected(int kind);
    // The selected controls that no other selected one contains, when several are selected.
    QList<clsControl *> SelectedTops() const;
    bool RemoveSeveral(const QList<clsControl *> &tops, int kind);
    // Copy's and Cut's text on the clipboard, remembered in both forms.
    void PutOnClipboard(const QString &projectText);
    void Refresh();
    // Puts the newest record of from back and keeps its reverse in to.
    bool PutBack(UndoBuffer &from, UndoBuffer &to);

    // iUndoWorld
    clsDesigner &Designer() override { return m_designer; }
    clsControl *Find(const QString &path) override;
    void ReportSkipped(int number, const QString &path) override;
    iUndoWorld::Insertion InsertBack(const QString &projectText, clsControl &parent,
                                     QStringList &created) override;

    clsDesigner &m_designer;
    UndoBuffer &m_undo;
    UndoBuffer m_redo{UndoBuffer::Role::Redo};
    iClipboard *m_clipboard;
    iCreateMode *m_createMode = nullptr;
    std::function<clsControl *()> m_activeForm;
    // The last text Copy put on the clipboard in both forms: a value holding a TAB or a
    // line break does not survive the plain-text form, so a paste of that same clipboard
    // text uses the exact project text.
    QString m_lastClipText;
    // The object a property change is writing, as it was before.
    struct PropertiesChange
    {
        int Depth = 0;
        clsControl *Item = nullptr;
        QString Path;
        QString Before;
        QString Order;
    } m_change;
    QString m_lastProjectText;
    // The last nudge: what it recorded and where it left its items, so the next one of the
    // same items adds to the same record.
    struct NudgeRun
    {
        int Kind = 0;
        QStringList Paths;
        UndoBuffer::Record Made;
        QStringList After;
    } m_nudge;
    bool ContinuesNudge(int kind, const QStringList &paths) const;
    // The containers a tab-order pass has reordered, with their order before it.
    struct OrderPass
    {
        int Depth = 0;
        QList<UndoRecords::Entry> Before;
    } m_orderPass;
    // Adds the record of a group change of geometry or order (nothing for no entries).
    void AddGroupRecord(int kind, const QList<UndoRecords::Entry> &entries);
};
