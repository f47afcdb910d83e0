#include "designer/frmDecoderQuestion.h"

#include "code/CodeDecoderQuestion.h"
#include "support/ProgramTitle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

frmDecoderQuestion::frmDecoderQuestion(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QString::fromLatin1(ProgramTitle));
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    auto *icon = new QLabel(this);
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this).pixmap(size, size));
    icon->setAlignment(Qt::AlignTop);
    auto *text = new QLabel(CodeDecoderQuestion::QuestionText(), this);
    text->setWordWrap(true);
    text->setMinimumWidth(320);
    top->addWidget(icon);
    top->addWidget(text, 1);
    layout->addLayout(top);

    const QStringList texts = CodeDecoderQuestion::ButtonTexts();
    const int results[4] = {CodeDecoderQuestion::Yes, CodeDecoderQuestion::No,
                            CodeDecoderQuestion::Always, CodeDecoderQuestion::Never};
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    for (int i = 0; i < 4; ++i) {
        m_buttons[i] = new QPushButton(texts.value(i), this);
        row->addWidget(m_buttons[i]);
        const int result = results[i];
        connect(m_buttons[i], &QPushButton::clicked, this, [this, result] {
            m_answer = result;
            accept();
        });
    }
    m_buttons[0]->setDefault(true);
    layout->addLayout(row);
}

int frmDecoderQuestion::Ask(QWidget *parent)
{
    frmDecoderQuestion dialog(parent);
    dialog.exec();
    return dialog.Answer();
}
