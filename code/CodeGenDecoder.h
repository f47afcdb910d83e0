#pragma once

#include "code/EventList.h"
#include "code/TemplateVariables.h"

#include <QString>
#include <functional>
#include <vector>

// The event decoder of a template: the tagged line templates of its decoder section and the
// frame the dispatch block is put into, and the dispatch block itself.
//
// A tagged line ends in "__" + tag + "_" (BEGIN, END, APP, FORM, CONTROL, EVENT, MENU,
// MENUVAR, ACTION, ELSE); the text before the "__", trimmed, is the line template and a
// later line with the same tag replaces an earlier one. Every other line belongs to the
// frame, which holds the placeholder %%DECODE%% where the block goes.
class CodeGenDecoder
{
public:
    struct LineTemplates
    {
        QString Begin, End, App, Form, Control, Event, Menu, MenuVar, Action, Else;
        bool HasElse = false; // an ELSE line with text was given
        QString Frame;        // the untagged lines joined by CR LF
    };

    static LineTemplates ParseSection(const QString &section);

    using LabelFunction = std::function<QString(const EventRow &row)>;

    // The nested dispatch block for the rows, one blank of indentation per nesting level, each
    // line ending in CR LF except the last. vars supplies the project-wide values; the row's
    // values and its handler label (from label) are filled in per line. Empty for no rows.
    static QString DispatchBlock(const std::vector<EventRow> &rows, const LineTemplates &lines,
                                 const TemplateVariables &vars, const LabelFunction &label);

    // The frame with the block put in place of %%DECODE%%.
    static QString Decoder(const LineTemplates &lines, const QString &block,
                           const TemplateVariables &vars);
};
