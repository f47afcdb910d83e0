#pragma once

#include "model/ExtensionProfile.h"
#include "support/DynamicArray.h"

#include <QString>
#include <QStringList>
#include <vector>

// The model of the "Custom properties" page: it loads an object's extension value, lays the
// profile's fields out as grid rows of caption and value, takes the user's edits and collects
// them back into an extension value. The page widget (ucExtProps, in the property sheet)
// shows Rows() and Messages() and passes edits to SetRowValue.
class ExtPropsPage
{
public:
    struct Row {
        QString Caption;
        QString Value;
        int Pos = 0; // where the value lives in the extension value; 0 for the "N/A" row
    };

    QString Caption() const { return m_caption; }
    void SetCaption(const QString &caption) { m_caption = caption; }
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }
    int CtlType() const { return m_ctlType; }
    void SetCtlType(int typeCode) { m_ctlType = typeCode; }

    // Reads the profile; true when it has both a name and a page caption. The page caption
    // becomes Caption.
    bool Init(const QString &profileFile);
    bool Init(const ExtensionProfile &profile);
    // True when the profile declares fields for the type (its own or the "gxAny" ones).
    bool IsDefined(int typeCode) const;

    // The extension value as the page holds it. While the page shows no fields of the object
    // (not yet activated, or written under another profile) this is the loaded value itself,
    // so showing the page can never lose what the object carries.
    QString GetExtProp() const;
    // Loads the object's value; the rows of the previous object are dropped.
    void SetExtProp(const QString &value);
    // Fills the rows (or the messages) for CtlType from the loaded value.
    void Activate();
    // True when the rows can be collected as they are.
    bool Validate() const;

    const std::vector<Row> &Rows() const { return m_rows; }
    const QStringList &Messages() const { return m_messages; }
    bool IsRowEditable(int index) const;
    // Sets the value of a row. Marks that separate fields or records would shift every
    // later field, so they are turned into subvalue marks and the value stays in its field.
    // False when the page is disabled or the row is not an editable field.
    bool SetRowValue(int index, const QString &value);
    // True when a row was edited since the value was loaded.
    bool IsChanged() const { return m_changed; }
    const ExtensionProfile &Profile() const { return m_profile; }

private:
    static QString CleanFieldValue(const QString &value);

    ExtensionProfile m_profile;
    QString m_caption;
    bool m_enabled = true;
    int m_ctlType = 0;

    DynamicArray m_value{QString(), DynamicArray::RecordDelimiters()};
    bool m_mismatch = false;
    bool m_activated = false;
    bool m_changed = false;
    std::vector<Row> m_rows;
    QStringList m_messages;
};
