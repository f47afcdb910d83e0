#include "panels/SettingsDialogModel.h"

#include "app/PictureNames.h"
#include "app/clsDesignerSettings.h"
#include "app/clsRecentList.h"

#include <QDir>
#include <QFileInfo>

SettingsDialogModel::SettingsDialogModel(const clsDesignerSettings &settings, QString programFolder)
    : m_programFolder(std::move(programFolder))
{
    // A stored value the dialog has no choice for shows the middle choice.
    EnterKey = settings.EnterKey >= 0 && settings.EnterKey < EnterKeyOptions ? settings.EnterKey : 1;
    AutoSelect = settings.AutoSelect;
    NoAutoTips = settings.NoAutoTips;
    RecordLocking = settings.RecordLocking;
    AutosaveMinutes = settings.AutosaveMinutes;
    Author = settings.Author;
    Copyright = settings.Copyright;
    Logo = settings.Logo;
    TemplatePath = settings.TemplatePath;
    RecentSizeText = QString::number(settings.RecentList.ListSize());
}

QStringList SettingsDialogModel::EnterKeyCaptions()
{
    return {QStringLiteral("&Normal - activates the default command button"),
            QStringLiteral("Same as &Tab key - cannot use default command button"),
            QStringLiteral("Same as Tab, e&xcept for multiline text or command button")};
}

int SettingsDialogModel::RecentSize() const
{
    bool ok = false;
    const long long n = RecentSizeText.trimmed().toLongLong(&ok);
    if (!ok || n > clsRecentList::MaxSize)
        return -1;
    return n < 0 ? 0 : int(n);
}

SettingsDialogModel::Field SettingsDialogModel::ProblemField() const
{
    return RecentSize() < 0 ? Field::RecentSize : Field::None;
}

QString SettingsDialogModel::Problem() const
{
    if (ProblemField() == Field::RecentSize)
        return QStringLiteral("The size of the recent file list must be a whole number from 0 to %1.")
            .arg(clsRecentList::MaxSize);
    return {};
}

QString SettingsDialogModel::TemplateFolderAbsolute() const
{
    const QString path = TemplatePath.trimmed().isEmpty() ? QStringLiteral("GuiLib") : TemplatePath.trimmed();
    const QString folder = QDir::cleanPath(PictureNames::MakeAbsolute(path, m_programFolder));
    // An installed program has no GuiLib beside it: the browser starts where its templates are.
    const QString shared = QDir::cleanPath(m_programFolder + QStringLiteral("/../share/corvane/GuiLib"));
    if (!QFileInfo(folder).isDir() && QFileInfo(shared).isDir())
        return shared;
    return folder;
}

void SettingsDialogModel::SetTemplateFolder(const QString &folder)
{
    const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(folder));
    if (clean.isEmpty())
        return;
    // The program folder itself has no relative name; keep it absolute then.
    TemplatePath = PictureNames::MakeRelative(clean, m_programFolder);
}

bool SettingsDialogModel::Apply(clsDesignerSettings &settings) const
{
    const int size = RecentSize();
    if (size < 0)
        return false;
    settings.EnterKey = EnterKey;
    settings.AutoSelect = AutoSelect;
    settings.NoAutoTips = NoAutoTips;
    settings.RecordLocking = RecordLocking;
    settings.AutosaveMinutes = qBound(0, AutosaveMinutes, clsDesignerSettings::MaxAutosaveMinutes);
    settings.Author = Author;
    settings.Copyright = Copyright;
    settings.Logo = Logo;
    settings.TemplatePath = TemplatePath;
    settings.RecentList.SetListSize(size);
    return true;
}
