#include "designer/ListColumnsPage.h"

#include "model/Vocabulary.h"
#include "panels/ListPropsModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// The data-type choices; the number before the dash is the stored code.
const char *const DataTypes[] = {"0-Any", "1-Alpha", "2-Alpha Numeric", "8-Numeric",
                                 "5-Currency", "7-Financial", "9-Percent", "3-Boolean", "6-Date",
                                 "13-Time", "10-Phone", "11-SSN", "12-State", "4-Country",
                                 "14-Zip Code"};

int Code(const QString &text)
{
    return text.section(QLatin1Char('-'), 0, 0).toInt();
}

QString Tick(const QCheckBox *box)
{
    return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

ListColumnsPage::ListColumnsPage(ListPropsModel &model) : m_model(model)
{
    auto *cf = new QFormLayout;
    m_column = new QSpinBox(this);
    m_heading = new QLineEdit(this);
    m_fieldType = new QComboBox(this);
    m_fieldType->addItems({tr("Label"), tr("Text box"), tr("Check box"), tr("Dropdown list"),
                           tr("Dropdown combo"), tr("Label+ellipsis"), tr("Label+icon"),
                           tr("Label+button")});
    m_align = new QComboBox(this);
    m_align->addItems({tr("Left"), tr("Right"), tr("Center")});
    m_dataType = new QComboBox(this);
    for (const char *t : DataTypes)
        m_dataType->addItem(QString::fromLatin1(t));
    m_width = new QLineEdit(this);
    m_locked = new QSpinBox(this);
    m_hint = new QLineEdit(this);
    m_sizable = new QCheckBox(tr("Si&zable"), this);
    m_maxLen = new QLineEdit(this);
    m_maxLen->setValidator(new QIntValidator(0, 1000000, m_maxLen));
    m_required = new QCheckBox(tr("Re&quired"), this);
    m_readOnly = new QCheckBox(tr("&Read only"), this);
    m_dataColumn = new QCheckBox(tr("Data col&umn"), this);
    cf->addRow(tr("C&olumn:"), m_column);
    cf->addRow(tr("&Heading:"), m_heading);
    cf->addRow(tr("Column &type:"), m_fieldType);
    cf->addRow(tr("A&lignment:"), m_align);
    cf->addRow(tr("&Data type:"), m_dataType);
    m_widthLabel = new QLabel(tr("&Width:"), this);
    m_widthLabel->setBuddy(m_width);
    cf->addRow(m_widthLabel, m_width);
    cf->addRow(tr("Max len&gth:"), m_maxLen);
    cf->addRow(tr("Loc&ked columns:"), m_locked);
    cf->addRow(tr("Column help hint te&xt:"), m_hint);
    auto *checks = new QHBoxLayout;
    checks->addWidget(m_required);
    checks->addWidget(m_sizable);
    checks->addWidget(m_readOnly);
    checks->addWidget(m_dataColumn);
    checks->addStretch(1);
    cf->addRow(checks);
    auto *cb = new QHBoxLayout;
    for (auto [button, text] : {std::pair{&m_addColumn, tr("Add colum&n")},
                                std::pair{&m_insertColumn, tr("Ins&ert column")},
                                std::pair{&m_deleteColumn, tr("Delete colu&mn")}}) {
        *button = new QPushButton(text, this);
        cb->addWidget(*button);
    }
    cb->addStretch(1);
    auto *cl = new QVBoxLayout(this);
    cl->addLayout(cf);
    cl->addStretch(1);
    cl->addLayout(cb);
}

void ListColumnsPage::Load(int ctlType)
{
    const bool grid = m_model.IsGrid();
    for (QWidget *w : std::initializer_list<QWidget *>{m_fieldType, m_locked, m_hint, m_sizable,
                                                       m_maxLen, m_required, m_readOnly})
        w->setEnabled(grid);
    m_dataColumn->setEnabled(ctlType == 23);
    m_locked->setValue(m_model.Scalar(ListPropsModel::FixedCols).toInt());
}

void ListColumnsPage::SetColumnCount(int columns)
{
    m_column->setRange(1, std::max(columns, 1));
    m_locked->setRange(0, std::max(columns, 0));
}

int ListColumnsPage::LockedColumns() const { return m_locked->value(); }

void ListColumnsPage::ShowScale()
{
    const QString name = Vocabulary::ScaleUnitName(m_model.ScaleMode());
    m_widthLabel->setText(name.isEmpty() ? tr("&Width:") : tr("&Width (%1):").arg(name));
    m_width->setPlaceholderText(m_model.DefaultWidthText());
}

void ListColumnsPage::Show(int c)
{
    m_heading->setText(m_model.ColumnValue(ListPropsModel::ColHeading, c));
    const QString fieldType = m_model.ColumnValue(ListPropsModel::ColFieldType, c);
    m_fieldType->setCurrentIndex(std::clamp(fieldType.isEmpty() ? 1 : fieldType.toInt(), 0, 7));
    m_align->setCurrentIndex(
        std::clamp(m_model.ColumnValue(ListPropsModel::ColAlign, c).toInt(), 0, 2));
    const int dataType = m_model.ColumnValue(ListPropsModel::ColDataType, c).toInt();
    m_dataType->setCurrentIndex(0);
    for (int i = 0; i < m_dataType->count(); ++i)
        if (Code(m_dataType->itemText(i)) == dataType)
            m_dataType->setCurrentIndex(i);
    m_width->setText(m_model.ColumnValue(ListPropsModel::ColWidth, c));
    m_width->setPlaceholderText(m_model.DefaultWidthText());
    m_hint->setText(m_model.ColumnValue(ListPropsModel::ColHint, c));
    m_sizable->setChecked(m_model.ColumnValue(ListPropsModel::ColSizable, c)
                          != QLatin1String("0"));
    const QString maxLen = m_model.ColumnValue(ListPropsModel::MaxLen, c);
    m_maxLen->setText(maxLen == QLatin1String("0") ? QString() : maxLen);
    m_required->setChecked(m_model.ColumnValue(ListPropsModel::Required, c)
                           == QLatin1String("1"));
    m_readOnly->setChecked(m_model.ColumnValue(ListPropsModel::ReadOnly, c)
                           == QLatin1String("1"));
    m_dataColumn->setChecked(m_model.DataColumn() == c + 1);
}

void ListColumnsPage::Store(int c)
{
    auto set = [&](int code, const QString &text, const QString &byDefault) {
        // A value equal to the default is written only where one was stored.
        if (text == byDefault && m_model.ColumnValue(code, c).isEmpty())
            return;
        m_model.SetColumnValue(code, c, text);
    };
    const QString zero = QStringLiteral("0");
    const QString one = QStringLiteral("1");
    set(ListPropsModel::ColHeading, m_heading->text(), QString());
    set(ListPropsModel::ColAlign, QString::number(m_align->currentIndex()), zero);
    set(ListPropsModel::ColDataType, QString::number(Code(m_dataType->currentText())), zero);
    set(ListPropsModel::ColWidth, m_width->text().trimmed(), QString());
    if (m_model.IsGrid()) {
        set(ListPropsModel::ColFieldType, QString::number(m_fieldType->currentIndex()), one);
        set(ListPropsModel::ColHint, m_hint->text(), QString());
        set(ListPropsModel::ColSizable, Tick(m_sizable), one);
        const QString maxLen = m_maxLen->text().trimmed();
        set(ListPropsModel::MaxLen, maxLen.isEmpty() ? zero : maxLen, zero);
        set(ListPropsModel::Required, Tick(m_required), zero);
        set(ListPropsModel::ReadOnly, Tick(m_readOnly), zero);
    }
    if (m_model.CtlType() == 23) {
        if (m_dataColumn->isChecked() && m_model.DataColumn() != c + 1)
            m_model.SetScalar(ListPropsModel::DataCol, QString::number(c + 1));
        else if (!m_dataColumn->isChecked() && m_model.DataColumn() == c + 1)
            m_model.SetScalar(ListPropsModel::DataCol, QString());
    }
}
