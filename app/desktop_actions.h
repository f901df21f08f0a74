#pragma once

class QString;

// What the help menu asks of the desktop. The window receives it from outside,
// so that tests can put a double in its place.
class DesktopActions {
public:
    virtual ~DesktopActions() = default;

    // Opens a document of the current working directory with the desktop's
    // default application. The outcome is not examined.
    virtual void openDocument(const QString& fileName) = 0;

    // Starts a text editor on a file of the current working directory without
    // waiting for it. False when no editor could be started.
    virtual bool startTextEditor(const QString& fileName) = 0;
};
