#pragma once

#include "code/clsPreview.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;
class QTimer;
class clsDesignerSettings;

// The preview window: a title line, the list of status messages and events, "Clea&r" and
// "&Cancel"/"&Close". A thin view over clsPreview, which drives the GUI runtime. The
// window remembers its position ("PreviewLeft"/"PreviewTop") in the designer's settings.
class frmPreview final : public QWidget, private iPreviewView
{
    Q_OBJECT

public:
    frmPreview(clsDesigner &designer, iPrompter &prompter, iGuiRuntimeFactory &factory,
               clsDesignerSettings *settings = nullptr, QWidget *parent = nullptr);
    ~frmPreview() override;

    // The main window's Preview command with the project-tree selection.
    bool Preview(const clsControl *selected);

    clsPreview &Model() { return m_model; }
    QLabel *TitleLabel() const { return m_title; }
    QListWidget *Messages() const { return m_messages; }
    QPushButton *ClearButton() const { return m_clear; }
    QPushButton *CloseButton() const { return m_close; }
    QTimer *StartupTimer() const { return m_timer; }
    // The selected message lines, or all of them when none is selected, one per line.
    QString SelectedText() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void TitleChanged(const QString &title) override;
    void CloseCaptionChanged(const QString &caption) override;
    void MessagesCleared() override;
    void MessageAdded(const QString &line) override;
    void StartTimer(int milliseconds) override;
    void ShowWindow() override;

    void RestorePosition();
    void StorePosition();

    clsPreview m_model;
    clsDesignerSettings *m_settings;
    QLabel *m_title = nullptr;
    QListWidget *m_messages = nullptr;
    QPushButton *m_clear = nullptr;
    QPushButton *m_close = nullptr;
    QTimer *m_timer = nullptr;
    bool m_positioned = false;
};
