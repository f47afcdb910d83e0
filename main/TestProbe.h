#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

class DesignerRoot;
class QLocalServer;
class QLocalSocket;

// A query port for the end-to-end tests, which drive the real window with real input events
// and need to know where things are and what the designer holds. It listens on a local
// socket and answers one-line requests with one line of JSON. It changes nothing the
// designer keeps; at most it scrolls the project tree to a node it is asked about.
// It exists only when CORVANE_TEST_PROBE names the socket's path: a designer started
// without the variable has no probe at all. It is made before the main window (whose
// command line may ask a question at once) and finds the window by its object name.
//
// Requests (names are object names, IDs full IDs, case as the designer keeps them):
//   idle                 {"ok":true} once the event loop gets to it
//   rect NAME            the global rectangle of a visible widget, menu or action
//   node ID              the global rectangle of the project-tree node of an item
//   control ID           the global rectangle of an item on its design form
//   geometry ID          left, top, width and height of an item in twips
//   selected             the full ID of the selected item
//   projects             every open project: ID, Changed, read-only, document name
//   items                the full IDs of every item, in tree order
//   modal                the active modal window, its text and its buttons with rectangles
//   popup                the open pop-up menu and its entries with rectangles
//   forms                the design forms' windows: title, rectangle, visible, active
//   windows              every visible top-level window
//   focus                the widget with the keyboard focus and the active window
//   title                the main window's title and status text
//   shot PATH            writes a picture of the main window to PATH (PNG)
//   screen PATH          writes a picture of the whole screen to PATH (PNG)
class TestProbe : public QObject
{
    Q_OBJECT

public:
    explicit TestProbe(DesignerRoot &root);
    ~TestProbe() override;

    // A listening probe when the environment asks for one, else none. Keep it no longer
    // than the root.
    static std::unique_ptr<TestProbe> InstallFromEnvironment(DesignerRoot &root);

    bool Listen(const QString &path);
    // One request, one answer (compact JSON, no line break).
    QByteArray Answer(const QString &request) const;

private:
    void Serve(QLocalSocket *socket);

    DesignerRoot &m_root;
    QLocalServer *m_server = nullptr;
};
