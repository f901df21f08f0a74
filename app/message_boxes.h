#pragma once

class QString;
class QWidget;

// The question before the program closes: "Вы абсолютно уверены?" with Yes
// and No, Yes the default, after a warning when measured values would be
// lost unsaved. True when the user answers Yes.
bool ConfirmExit(QWidget* parent, bool measurementsUnsaved);

// Asks whether the file of that name may be replaced, under the program's
// title; No is the default. True when the user answers Yes.
bool ConfirmReplace(QWidget* parent, const QString& fileName);

// A box with a title, a text and the single button OK, no icon. A carriage
// return in the text breaks the line, alone or followed by a line feed.
void ShowNotice(QWidget* parent, const QString& title, const QString& text);

// Tells the user why the program cannot do what was asked, under the
// program's title.
void ShowProblem(QWidget* parent, const QString& text);

// The text with every CR LF and every lone CR turned into a line feed, the
// line break that Qt's labels show.
QString WithLineFeeds(QString text);
