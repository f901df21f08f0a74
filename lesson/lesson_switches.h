#pragma once

#include <span>
#include <string_view>

#include "export/render_options.h"
#include "lesson/lesson.h"

// The lesson's on/off switches, one row each. The export tool's parser, the
// window's menu «Вид», the page's menu and address, the lesson file and the
// picture's description all read this table: a new switch is a row here and
// its drawing.

// Where a switch acts.
enum class SwitchScope {
    AnyGraph,     // either graph
    FieldLines,   // the field-line graph
    ExactLines,   // the field-line graph of the program's coil (a pair's lines are exact already),
                  // and the export tool's table of the exact lines
    Measurements  // the comparison with measured values
};

struct LessonSwitch {
    std::string_view key;         // the lesson file's key and the page's control: "arrows"
    std::string_view toolOption;  // "--arrows"
    std::string_view addressName; // the page's address: "arrows=1"
    std::string_view menuText;    // with its access key: "Стр&елки"
    std::string_view objectName;  // the window's and the page's control: "arrowsAction"
    std::string_view words;       // in the picture's description: "со стрелками"; empty: none
    SwitchScope scope;
    // The export tool's sentence when the switch is given for a graph it does not act on.
    std::string_view toolMisplaced;
    bool (*isOn)(const Lesson&);
    void (*turn)(Lesson&, bool on);
};

// Every switch, in the menu's order (those of the measurements after the dialogs).
std::span<const LessonSwitch> LessonSwitches();

// The row of the given tool option, address name or key; nothing when none has it.
const LessonSwitch* SwitchOfToolOption(std::string_view option);
const LessonSwitch* SwitchOfAddressName(std::string_view name);
const LessonSwitch* SwitchOfKey(std::string_view key);

// Whether the switch can be changed and acts on a run of the lesson: the
// graph it belongs to, the program's coil alone for the exact lines, and
// measured values for the fit.
bool SwitchInForce(const LessonSwitch& s, const Lesson& lesson);

// Whether the export tool accepts the switch with this graph (or table), with
// or without measured values.
bool SwitchAccepted(const LessonSwitch& s, GraphKind graph, bool measured);
