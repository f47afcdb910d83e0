#pragma once

#include <QString>
#include <QStringList>

class clsDesignerSettings;

// The settings dialog without its widgets: a working copy of the editable settings, the
// Enter-key choice, the recent-list size as typed, and the template folder kept relative to
// the program folder when it lies inside it. Nothing reaches the settings until Apply.
class SettingsDialogModel
{
public:
    // programFolder ends in "/"; relative template folders are taken from it.
    SettingsDialogModel(const clsDesignerSettings &settings, QString programFolder);

    static constexpr int EnterKeyOptions = 3;
    // The captions of the three Enter-key choices, by stored value.
    static QStringList EnterKeyCaptions();

    int EnterKey = 1;
    bool AutoSelect = false;
    bool NoAutoTips = false;
    bool RecordLocking = false;
    int AutosaveMinutes = 2; // 0 off
    QString Author;
    QString Copyright;
    QString Logo;
    QString TemplatePath;
    QString RecentSizeText;

    // The recent-list size the text stands for (a negative number counts as 0), or -1 when
    // the text is no number or above the largest size.
    int RecentSize() const;
    // What is wrong with the entries, naming the field; empty when they may be applied.
    QString Problem() const;
    enum class Field { None, RecentSize };
    Field ProblemField() const;

    // The template folder as an absolute path, where the folder browser starts; when that is
    // no folder, the installed templates (../share/corvane/GuiLib beside the program) if any.
    QString TemplateFolderAbsolute() const;
    // Takes a folder chosen in the browser: relative to the program folder when inside it.
    void SetTemplateFolder(const QString &folder);

    // Copies the entries into the settings; false (settings untouched) when Problem() is not
    // empty. A smaller recent-list size drops the oldest entries.
    bool Apply(clsDesignerSettings &settings) const;

private:
    QString m_programFolder;
};
