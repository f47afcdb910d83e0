#pragma once

#include <QString>

// The values placeholder substitution fills into template text. Code generation sets the
// fields for each piece of code it writes; a field left empty either yields "" where its
// placeholder stands or, for the project file, item ID, application, event and target,
// drops the whole text (see Placeholders::SubstituteVariables).
struct TemplateVariables
{
    QString ProjFile;  // %%PROJFILE%%  the project's file name
    QString ProjId;    // %%PROJID%%    the project's item ID
    QString App;       // %%APP%%       application ID
    QString Form;      // %%FORM%%      form ID
    QString Control;   // %%CONTROL%%   control ID
    QString Menu;      // %%MENU%%      menu item ID
    QString Event;     // %%EVENT%%     event name
    QString Target;    // %%TARGET%%    event handler label
    QString Author;    // %%AUTHOR%%
    QString Copyright; // %%COPYRIGHT%% may hold several lines
    QString Desc;      // %%DESC%%      may hold several lines
    QString Extra;     // the value of the placeholder the caller names (e.g. DECODE)
};
