#pragma once

#include "app/desktop_actions.h"

// The desktop actions of the real desktop. Documents go to the desktop's
// default application. The text editor is "notepad" where it is on the search
// path; elsewhere the desktop's default application for text files, which is
// the editor the user has chosen.
class SystemDesktopActions final : public DesktopActions {
public:
    void openDocument(const QString& fileName) override;
    bool startTextEditor(const QString& fileName) override;
};
