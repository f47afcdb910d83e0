#pragma once

#include "model/ListContent.h"
#include "model/cWrapperBase.h"

// An option group: Items holds one caption per option, in display order; Value is the
// selected option's value. Columns, Rows and Arrange are plain layout settings.
class cOptionWrapper final : public cWrapperBase
{
public:
    cOptionWrapper();
    const ListContent &Content() const { return m_content; }

protected:
    std::span<const DefaultRule> Defaults() const override;
    bool IsListValued(int code) const override { return code == Vocabulary::Prop::Items; }
    QString GetListEntry(int code, int index1, int index2, const QString &itemId) const override;
    void SetListEntry(int code, int index1, int index2, const QString &value,
                      const QString &itemId) override;
    void ApplyList(int code) override;
    bool IsContentDefault(int code) const override;
    void ShowValue(const QString &value) override;

private:
    ListContent m_content;
};
