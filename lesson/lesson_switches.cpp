#include "lesson/lesson_switches.h"

#include <array>

namespace {

constexpr std::array<LessonSwitch, 7> kSwitches{{
    {"exactLines", "--exact-lines", "exact", "&Точные линии", "exactLinesAction", "с точными линиями",
     SwitchScope::ExactLines,
     "Точные линии (--exact-lines) рисуются только вместе с линиями напряженности (--graph lines).",
     [](const Lesson& l) { return l.exact == ExactLines::ThroughSeeds; },
     [](Lesson& l, bool on) {
         if (on)
             l.exact = ExactLines::ThroughSeeds;
         else if (l.exact == ExactLines::ThroughSeeds)
             l.exact = ExactLines::None;
     }},
    {"equalFlux", "--equal-flux", "flux", "Линии &равного потока", "equalFluxAction", "с линиями равного потока",
     SwitchScope::ExactLines,
     "Линии равного потока (--equal-flux) строятся только для --graph lines и exact-lines.",
     [](const Lesson& l) { return l.exact == ExactLines::EqualFlux; },
     [](Lesson& l, bool on) {
         if (on)
             l.exact = ExactLines::EqualFlux;
         else if (l.exact == ExactLines::EqualFlux)
             l.exact = ExactLines::None;
     }},
    {"arrows", "--arrows", "arrows", "Стр&елки", "arrowsAction", "со стрелками", SwitchScope::FieldLines,
     "Стрелки (--arrows) рисуются только на линиях напряженности (--graph lines).",
     [](const Lesson& l) { return l.arrows; }, [](Lesson& l, bool on) { l.arrows = on; }},
    {"fieldMap", "--field-map", "map", "&Модуль поля", "fieldMapAction", "с модулем поля", SwitchScope::FieldLines,
     "Модуль поля (--field-map) рисуется только вместе с линиями напряженности (--graph lines).",
     [](const Lesson& l) { return l.fieldMap; }, [](Lesson& l, bool on) { l.fieldMap = on; }},
    {"scales", "--scales", "scales", "&Шкалы", "scalesAction", "со шкалами", SwitchScope::AnyGraph, "",
     [](const Lesson& l) { return l.scales; }, [](Lesson& l, bool on) { l.scales = on; }},
    // «К» belongs to «Размеры &катушки» of the same menu.
    {"largeLabels", "--large-labels", "big", "Крупные &надписи", "largeLabelsAction", "с крупными надписями",
     SwitchScope::AnyGraph, "", [](const Lesson& l) { return l.largeLabels; },
     [](Lesson& l, bool on) { l.largeLabels = on; }},
    // The comparison's line says whether the values are fitted.
    {"fit", "--fit", "fit", "По&догнать", "fitAction", "", SwitchScope::Measurements,
     "Подгонка (--fit) делается по измерениям: --measured ФАЙЛ.", [](const Lesson& l) { return l.fit; },
     [](Lesson& l, bool on) { l.fit = on; }},
}};

template <typename Field>
const LessonSwitch* RowWith(Field field, std::string_view value)
{
    for (const LessonSwitch& s : kSwitches)
        if (s.*field == value)
            return &s;
    return nullptr;
}

}  // namespace

std::span<const LessonSwitch> LessonSwitches()
{
    return kSwitches;
}

const LessonSwitch* SwitchOfToolOption(std::string_view option)
{
    return RowWith(&LessonSwitch::toolOption, option);
}

const LessonSwitch* SwitchOfAddressName(std::string_view name)
{
    return RowWith(&LessonSwitch::addressName, name);
}

const LessonSwitch* SwitchOfKey(std::string_view key)
{
    return RowWith(&LessonSwitch::key, key);
}

bool SwitchInForce(const LessonSwitch& s, const Lesson& lesson)
{
    switch (s.scope) {
    case SwitchScope::AnyGraph:
        return true;
    case SwitchScope::FieldLines:
        return ShowsFieldLines(lesson);
    case SwitchScope::ExactLines:
        return ShowsFieldLines(lesson) && !lesson.pairOn;
    case SwitchScope::Measurements:
        return lesson.measured != nullptr;
    }
    return false;
}

bool SwitchAccepted(const LessonSwitch& s, GraphKind graph, bool measured)
{
    switch (s.scope) {
    case SwitchScope::AnyGraph:
        return true;
    case SwitchScope::FieldLines:
        return graph == GraphKind::Lines;
    case SwitchScope::ExactLines:
        return graph == GraphKind::Lines || graph == GraphKind::ExactLines;
    case SwitchScope::Measurements:
        return measured;
    }
    return false;
}
