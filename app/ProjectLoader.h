#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <vector>

class clsControl;
class clsItems;
class iLoadProgress;
class iPrompter;

// Replays a project or macro text into design items: validates the document kind and the
// version, creates an item per create record, sets properties, invokes methods, asks for a
// new ID when an object cannot be created under its own, and reports every problem in the
// error-report layout. Minor problems are reported and the load goes on; the others stop it
// and leave what was created so far in place.
class ProjectLoader
{
public:
    struct Result
    {
        bool Valid = false;   // the text is a project or macro
        bool Stopped = false; // the load ended before the last record
        // The user cancelled through the load's progress (Stopped too).
        bool Cancelled = false;
        // The closing record was read: a text cut short has none.
        bool Closed = false;
        // The first application created: the project's application.
        clsControl *Application = nullptr;
        // Every application the load created, in order.
        std::vector<clsControl *> Applications;
        int Version = 14; // in tenths
        int Scale = 0;
        int Reports = 0;
        int MaxSeverity = 0;
        int Created = 0;
        // The applications that gained items (new ones included).
        std::vector<clsControl *> Touched;
    };

    // Containers nested deeper than this are refused (error 5012); the item tree and its
    // writer recurse over containers.
    static constexpr int MaxContainerDepth = 100;
    // Reports of one load shown one by one before the prompter offers to stop the load or to
    // go on without messages.
    static constexpr int ReportsBeforeWayOut = 10;
    static constexpr const char *Label = "<clsDesigner SetTemplate>";

    ProjectLoader(clsItems &items, iPrompter &prompter);

    Result Load(const QString &text);

    // One problem of a load, before it is composed into a report. A loader given a sink
    // hands its problems there instead of to the prompter (the GUI runtime turns them into
    // status rows).
    struct Problem
    {
        int Severity = 1;
        int Number = 0;
        QString Source; // the ID path of the current object, or the procedure label
        int Extra = 0;  // the property code, or the method code for 5054 and 5055
        QString Description;
    };
    using ProblemSink = std::function<void(const Problem &)>;
    void SetProblemSink(ProblemSink sink) { m_sink = std::move(sink); }
    // A load given a progress reports the forms it made to it as it goes, and stops when the
    // progress answers that the user cancelled.
    void SetProgress(iLoadProgress *progress) { m_progress = progress; }

    // The rename list: upper-cased old ID path to new ID path; an empty new path marks an
    // object the user chose to skip.
    using RenameList = QHash<QString, QString>;
    // Maps an ID path through the rename list: the longest leading run of parts that was
    // renamed is replaced by its new path. Sets skipped (and gives "") when that entry marks
    // a skipped object.
    static QString MapPath(const RenameList &renames, const QString &path, bool &skipped);

    // "-100000000" is how an "auto" position is written.
    static QString PositionText(const QString &field);

    // The create records among a project's records, at a glance at each one's function field:
    // a capacity to make room for, not a count to trust.
    static int CountCreateRecords(const QList<QStringView> &records);

    // A record's first fields (split at value marks) and everything after them, as views
    // into its text.
    struct Fields
    {
        static constexpr int MaxHead = 9;
        QStringView Field[MaxHead];
        int Count = 0;    // fields present among the head
        QStringView Rest; // after the head, marks included
        bool HasRest = false;

        QStringView Get(int n) const { return n >= 1 && n <= Count ? Field[n - 1] : QStringView(); }
        QString Text(int n) const { return Get(n).toString(); }
    };
    // The first `head` fields of a record (at most MaxHead) and the rest.
    static Fields SplitRecord(QStringView text, int head);

private:
    class Session;

    clsItems &m_items;
    iPrompter &m_prompter;
    ProblemSink m_sink;
    iLoadProgress *m_progress = nullptr;
};
