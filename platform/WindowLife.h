#pragma once
// Windows that go away when they are closed, and the waits of a command in a
// message box or a dialog. A command that shows a box runs a nested event
// loop with its own window and its own objects still on the stack; closing
// that window meanwhile (its close box, a close-all as a desktop's log-out
// sends) must not delete it under the command. Such a window is hidden at
// once and deleted only once every waiting command has returned.

class QDialog;
class QWidget;

namespace platform {

// Marks one wait of a command in a message box, a dialog or any other nested
// event loop: construct it before exec() and let it go when exec() returns.
// The message boxes, file dialogs and print dialogs of Dialogs.h hold one
// themselves, also while a test answers in place of a person; a window's
// own modal dialog is shown through execDialog below.
class CommandWait {
public:
    CommandWait();
    ~CommandWait();
    CommandWait(const CommandWait&) = delete;
    CommandWait& operator=(const CommandWait&) = delete;

    // Whether a command waits in a box or dialog now.
    static bool active();
};

// Shows `dialog` modally (QDialog::exec) as one wait of the command that
// shows it, and returns exec's result.
int execDialog(QDialog& dialog);

// What Qt::WA_DeleteOnClose does, held back while a command waits: the
// window is deleted when it is closed, but a window closed (or deleted
// later) while a CommandWait is active is only hidden; it is deleted once the
// last wait has ended and control is back in the event loop below the
// command that waited. Every window of the programs that goes when closed is
// marked through here.
void deleteOnClose(QWidget* window);

// Whether `window` is closed and waits to be deleted.
bool deletionHeldBack(const QWidget* window);

} // namespace platform
