#pragma once
// A stand-in for the database window: a window whose summary panel holds the
// boxes the result windows read, and a way to look into a modal window.
#include "testkit/QtTestKit.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <functional>
#include <memory>

namespace metatest {

// The database window with its summary panel `picMeta`; boxes are made on
// demand, named as the panel names them.
class MetDataStandIn {
public:
    MetDataStandIn() : window_(std::make_unique<QWidget>())
    {
        window_->setObjectName(QStringLiteral("frmMetData"));
        panel_ = new QWidget(window_.get());
        panel_->setObjectName(QStringLiteral("picMeta"));
    }
    QWidget* window() const { return window_.get(); }
    void set(const QString& name, const QString& text)
    {
        auto* box = panel_->findChild<QLineEdit*>(name);
        if (!box) {
            box = new QLineEdit(panel_);
            box->setObjectName(name);
        }
        box->setText(text);
    }

private:
    std::unique_ptr<QWidget> window_;
    QWidget* panel_ = nullptr;
};

// Runs open(), which shows a modal window; once that window is up, inspect
// gets it, then it is closed. Returns whether a modal window came up.
inline bool inspectModal(const std::function<void()>& open, const std::function<void(QWidget*)>& inspect)
{
    bool came = false;
    std::function<void()> look;
    look = [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            came = true;
            inspect(modal);
            modal->close();
            return;
        }
        QTimer::singleShot(10, look);
    };
    QTimer::singleShot(10, look);
    open();
    return came;
}

inline QColor textColour(QWidget* root, const QString& name)
{
    auto* box = testkit::find<QLineEdit>(root, name);
    return box ? box->palette().color(QPalette::Text) : QColor();
}

} // namespace metatest
