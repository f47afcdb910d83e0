#pragma once

#include <QDialog>

class QLabel;

// The about box: the program's title, a short description, the legal notice and the version
// (major.minor.revision).
class frmAbout final : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);

    // Shows the about box modally over parent.
    static void Show(QWidget *parent = nullptr);

    // "major.minor.revision" of this build.
    static QString VersionText();
    static QString Comments();
    static QString LegalNotice();

    QLabel *TitleLabel() const { return m_title; }
    QLabel *VersionLabel() const { return m_version; }
    QLabel *CommentsLabel() const { return m_comments; }
    QLabel *LegalLabel() const { return m_legal; }

private:
    QLabel *m_title = nullptr;
    QLabel *m_version = nullptr;
    QLabel *m_comments = nullptr;
    QLabel *m_legal = nullptr;
};
