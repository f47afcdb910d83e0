#pragma once

#include <QPointer>
#include <QUrl>
#include <QWidget>

class QListWidget;
class QTextBrowser;
class QToolButton;

// The program's own help: the user guide compiled into the program, shown in one window with
// the list of topics beside the page, Back and Forward, and links between the topics. There is
// only ever one help window; asking for it again brings it to the front.
class HelpWindow final : public QWidget
{
    Q_OBJECT
public:
    struct Topic
    {
        const char *File;
        const char *Title;
    };
    // The topics in reading order; the first is the default topic.
    static const Topic Topics[];
    static const int TopicCount;
    // Where the guide lives: "qrc:/help/".
    static QUrl TopicUrl(const QString &file);

    // Opens the help window at the default topic (creating it on first use) and returns it.
    static HelpWindow *ShowTopics(QWidget *parent = nullptr);
    static HelpWindow *ShowTopic(const QString &file, QWidget *parent = nullptr);
    // The open help window, if any.
    static HelpWindow *Current();
    // Closes every help window; the main window calls it when it unloads.
    static void CloseAll();

    QTextBrowser *Browser() const { return m_browser; }
    QListWidget *Contents() const { return m_contents; }
    QToolButton *BackButton() const { return m_back; }
    QToolButton *ForwardButton() const { return m_forward; }
    QToolButton *HomeButton() const { return m_home; }

private:
    explicit HelpWindow(QWidget *parent);
    void SyncContents(const QUrl &url);

    QTextBrowser *m_browser = nullptr;
    QListWidget *m_contents = nullptr;
    QToolButton *m_back = nullptr;
    QToolButton *m_forward = nullptr;
    QToolButton *m_home = nullptr;

    static QPointer<HelpWindow> s_window;
};
