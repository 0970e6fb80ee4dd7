#pragma once
// The busy window: a small borderless white window with an animated bar
// ("progbar.gif" in the program folder), shown during long operations.
#include <QWidget>

namespace metadb {

class frmProgress : public QWidget {
    Q_OBJECT
public:
    explicit frmProgress(QWidget* owner);
    // True when the picture was found and its animation runs.
    bool animating() const { return animating_; }

private:
    bool animating_ = false;
};

// Shows the busy window modeless (owned by `owner`, or without owner); one
// that is shown already stays as it is.
void showProgress(QWidget* owner = nullptr);
// Unloads the busy window; nothing when it is not loaded.
void unloadProgress();
// The busy window while it is loaded, otherwise nullptr.
frmProgress* progressWindow();

} // namespace metadb
