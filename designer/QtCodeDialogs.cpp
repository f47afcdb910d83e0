#include "designer/QtCodeDialogs.h"

#include "designer/frmDecoderQuestion.h"
#include "designer/frmLoadCode.h"
#include "designer/frmUpdateCode.h"

#include <QWidget>

bool QtCodeDialogs::ShowLoadCode(LoadCodeModel &model)
{
    return frmLoadCode::Ask(model, m_settings, m_owner);
}

void QtCodeDialogs::ShowUpdate(UpdateCodeModel &model)
{
    frmUpdateCode::Show(model, m_settings, m_owner);
}

int QtCodeDialogs::ShowDecoderQuestion() { return frmDecoderQuestion::Ask(m_owner); }

bool BringWindowToFront(QWidget &window)
{
    if (window.isActiveWindow())
        return true;
    if (window.isMinimized())
        window.showNormal();
    else
        window.show();
    window.raise();
    window.activateWindow();
    return window.isActiveWindow();
}
