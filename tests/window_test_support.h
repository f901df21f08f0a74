#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <functional>

#include "app/desktop_actions.h"

// Makes every Qt warning, critical or fatal message a test failure: install
// from initTestCase() (after Qt Test has set up its own message handling) and
// check from cleanup(). Test code only; the program never installs it.
void InstallQtWarningTrap();
// The warnings caught since the last call, and forgets them.
QStringList TakeQtWarnings();

// A desktop that records what it was asked to do.
class DesktopDouble final : public DesktopActions {
public:
    void openDocument(const QString& fileName) override { openedDocuments << fileName; }
    bool startTextEditor(const QString& fileName) override
    {
        editedFiles << fileName;
        return editorStarts;
    }

    QStringList openedDocuments;
    QStringList editedFiles;
    bool editorStarts = true;
};

// What a modal message box showed before it was answered.
struct SeenMessageBox {
    bool shown = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QString defaultButtonText;
};

// Runs the action; answers the first modal message box it opens with the
// given button and reports what the box showed (shown = false when none).
SeenMessageBox AnswerMessageBox(QMessageBox::StandardButton answer, const std::function<void()>& action);
