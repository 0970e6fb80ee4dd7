#include "calculators/CalcControls.h"
#include "shell/ControlColours.h"
#include "shell/ScreenFit.h"
#include "shell/TextBox.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QWidget>

namespace calculators {

namespace {
template <class T>
T* place(T* w, const QString& name, const QRect& r)
{
    if (!name.isEmpty())
        w->setObjectName(name);
    w->setGeometry(r);
    return w;
}

QRect twipsRect(int left, int top, int width, int height) { return {px(left), px(top), px(width), px(height)}; }

void colourBox(QWidget* box, const QColor& base, const QColor& text)
{
    shell::ControlColours::SetBackColor(box, shell::ControlColours::ColourValue(base));
    shell::ControlColours::SetForeColor(box, shell::ControlColours::ColourValue(text));
}

// A radio button that takes a click anywhere in its box, caption or not.
class OptionButton : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};
} // namespace

QLabel* labelAt(QWidget* parent, const QString& name, const QString& text, const QRect& r)
{
    return place(new QLabel(text, parent), name, r);
}

QLineEdit* inputBoxAt(QWidget* parent, const QString& name, const QRect& r, const QColor& textColour)
{
    auto* e = place(shell::newLineBox(parent), name, r);
    colourBox(e, Qt::white, textColour);
    return e;
}

QLineEdit* resultBoxAt(QWidget* parent, const QString& name, const QRect& r, const QColor& textColour)
{
    auto* e = place(shell::newLineBox(parent), name, r);
    colourBox(e, e->palette().color(QPalette::Button), textColour);
    e->setFocusPolicy(Qt::ClickFocus);
    return e;
}

QPushButton* buttonAt(QWidget* parent, const QString& name, const QString& text, const QRect& r)
{
    return place(new QPushButton(text, parent), name, r);
}

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, int left, int top, int width, int height)
{
    return labelAt(parent, name, text, twipsRect(left, top, width, height));
}

QLineEdit* addInputBox(QWidget* parent, const QString& name, int left, int top, int width, int height)
{
    return inputBoxAt(parent, name, twipsRect(left, top, width, height));
}

void setButtonFaceBackground(QWidget* box)
{
    shell::ControlColours::SetBackColor(box, shell::ControlColours::ColourValue(box->palette().color(QPalette::Button)));
}

QLineEdit* addResultBox(QWidget* parent, const QString& name, int left, int top, int width, int height,
                        const QColor& textColour)
{
    return resultBoxAt(parent, name, twipsRect(left, top, width, height), textColour);
}

QPushButton* addButton(QWidget* parent, const QString& name, const QString& text, int left, int top, int width,
                       int height)
{
    return buttonAt(parent, name, text, twipsRect(left, top, width, height));
}

QRadioButton* addOption(QWidget* parent, const QString& name, const QString& text, int left, int top, int width,
                        int height)
{
    return optionAt(parent, name, text, twipsRect(left, top, width, height));
}

QRadioButton* optionAt(QWidget* parent, const QString& name, const QString& text, const QRect& r)
{
    return place(new OptionButton(text, parent), name, r);
}

QStatusBar* addStatusBar(QWidget* window, const QString& panel1, const QString& panel2)
{
    auto* bar = new QStatusBar(window);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    QFont small = bar->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    bar->setFont(small);
    auto* first = new QLabel(panel1, bar);
    first->setObjectName(QStringLiteral("Panel(1)"));
    auto* second = new QLabel(panel2, bar);
    second->setObjectName(QStringLiteral("Panel(2)"));
    bar->addWidget(first);
    bar->addWidget(second, 1);
    const int h = bar->sizeHint().height();
    bar->setGeometry(0, window->height() - h, window->width(), h);
    return bar;
}

void setWindowFrame(QWidget* window, int widthTwips, int heightTwips, bool minimiseBox)
{
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowCloseButtonHint;
    if (minimiseBox)
        flags |= Qt::WindowMinimizeButtonHint;
    window->setWindowFlags(flags);
    window->resize(px(widthTwips), px(heightTwips));
}

void bringForward(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

void centreOnScreen(QWidget* window) { shell::centreOnScreen(window); }

QString benchmarkCitation()
{
    return QStringLiteral("Cohen (1988)");
}

} // namespace calculators
