#pragma once

#include "code/CodeEditorLink.h"

class QWidget;
class clsDesignerSettings;

// Brings a window to the front for the editor's "&GUI Designer" command: restored when
// minimised, raised and activated. True when it is the active window afterwards (or was).
bool BringWindowToFront(QWidget &window);

// The code commands' dialogs as Qt windows over the main window.
class QtCodeDialogs final : public iCodeDialogs
{
public:
    QtCodeDialogs(clsDesignerSettings *settings, QWidget *owner) : m_settings(settings), m_owner(owner) {}
    bool ShowLoadCode(LoadCodeModel &model) override;
    void ShowUpdate(UpdateCodeModel &model) override;
    int ShowDecoderQuestion() override;

private:
    clsDesignerSettings *m_settings;
    QWidget *m_owner;
};
