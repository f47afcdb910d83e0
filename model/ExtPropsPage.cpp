#include "model/ExtPropsPage.h"

#include "support/Marks.h"

bool ExtPropsPage::Init(const QString &profileFile)
{
    return Init(ExtensionProfile::Load(profileFile));
}

bool ExtPropsPage::Init(const ExtensionProfile &profile)
{
    m_profile = profile;
    m_caption = m_profile.Caption();
    return m_profile.IsOffered();
}

bool ExtPropsPage::IsDefined(int typeCode) const
{
    return !m_profile.FieldNames(typeCode).isEmpty();
}

QString ExtPropsPage::GetExtProp() const
{
    if (!m_activated || m_mismatch)
        return m_value.Text();

    DynamicArray collected(QString(), DynamicArray::RecordDelimiters());
    collected.Replace({1}, m_profile.Name());
    // Empty values are not written: a field far out at an empty position would otherwise
    // drag hundreds of empty fields into the value.
    for (const Row &row : m_rows) {
        if (ExtensionProfile::IsValidPos(row.Pos) && !row.Value.isEmpty())
            collected.Replace({row.Pos}, row.Value);
    }
    return collected.Text();
}

void ExtPropsPage::SetExtProp(const QString &value)
{
    m_value.Initialise(value, DynamicArray::RecordDelimiters());
    m_rows.clear();
    m_messages.clear();
    m_mismatch = false;
    m_activated = false;
    m_changed = false;
}

void ExtPropsPage::Activate()
{
    m_rows.clear();
    m_messages.clear();
    m_activated = true;

    const QString current = m_profile.Name();
    const QString stored = m_value.Extract({1});
    m_mismatch = !stored.isEmpty() && stored.compare(current, Qt::CaseInsensitive) != 0;
    if (m_mismatch) {
        m_messages.append(QStringLiteral("Extension profile '") + stored
                          + QStringLiteral("' used when object was created does not match "
                                           "current profile '")
                          + current + QStringLiteral("'."));
        return;
    }

    for (const QString &field : m_profile.FieldNames(m_ctlType)) {
        const QString caption = m_profile.FieldCaption(field);
        if (caption.isEmpty())
            continue;
        const int pos = m_profile.FieldPos(field);
        if (!ExtensionProfile::IsValidPos(pos)) {
            m_messages.append(QStringLiteral("Field definition '") + field
                              + QStringLiteral("' has invalid position ") + QString::number(pos)
                              + QStringLiteral("."));
            continue;
        }
        m_rows.push_back({caption, m_value.Extract({pos}), pos});
    }
    if (m_rows.empty())
        m_rows.push_back({QStringLiteral("N/A"), QString(), 0});
}

bool ExtPropsPage::Validate() const
{
    for (const Row &row : m_rows) {
        if (row.Pos != 0 && !ExtensionProfile::IsValidPos(row.Pos))
            return false;
        if (row.Value != CleanFieldValue(row.Value))
            return false;
    }
    return true;
}

bool ExtPropsPage::IsRowEditable(int index) const
{
    return m_enabled && index >= 0 && index < int(m_rows.size())
           && ExtensionProfile::IsValidPos(m_rows[size_t(index)].Pos);
}

bool ExtPropsPage::SetRowValue(int index, const QString &value)
{
    if (!IsRowEditable(index))
        return false;
    Row &row = m_rows[size_t(index)];
    const QString clean = CleanFieldValue(value);
    if (row.Value != clean) {
        row.Value = clean;
        // Keep the loaded value in step so that activating the page again shows the edit.
        m_value.Replace({row.Pos}, clean);
        m_changed = true;
    }
    return true;
}

QString ExtPropsPage::CleanFieldValue(const QString &value)
{
    QString clean = value;
    for (QChar &c : clean) {
        if (Marks::IsMark(c))
            c = QChar(Marks::SubValue);
    }
    return clean;
}
