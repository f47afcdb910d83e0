#include "designer/frmAbout.h"

#include "support/ProgramTitle.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#ifndef CORVANE_VERSION
#define CORVANE_VERSION "0.0.0"
#endif

QString frmAbout::VersionText() { return QStringLiteral(CORVANE_VERSION); }

QString frmAbout::Comments()
{
    return QStringLiteral("Lays out the graphical user interface of BASIC applications on "
                          "MultiValue hosts and generates the support code that drives it.");
}

QString frmAbout::LegalNotice()
{
    return QStringLiteral("Copyright \u00A9 the Corvane GUI Designer developers. All rights reserved.");
}

frmAbout::frmAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    const QString title = QString::fromUtf8(ProgramTitle);
    setWindowTitle(QStringLiteral("About %1").arg(title));

    auto *grid = new QGridLayout(this);
    m_title = new QLabel(title, this);
    QFont big = m_title->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    m_title->setFont(big);
    grid->addWidget(m_title, 0, 0);
    m_version = new QLabel(QStringLiteral("Version %1").arg(VersionText()), this);
    m_version->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(m_version, 1, 0);
    m_comments = new QLabel(Comments(), this);
    m_comments->setWordWrap(true);
    grid->addWidget(m_comments, 2, 0);
    m_legal = new QLabel(LegalNotice(), this);
    m_legal->setWordWrap(true);
    QFont small = m_legal->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    m_legal->setFont(small);
    grid->addWidget(m_legal, 3, 0);
    grid->setVerticalSpacing(10);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    grid->addWidget(buttons, 4, 0);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    setFixedWidth(460);
    adjustSize();
}

void frmAbout::Show(QWidget *parent)
{
    frmAbout box(parent);
    box.exec();
}
