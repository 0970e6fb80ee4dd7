#include "shell/frmSCalc.h"

#include "platform/Arith.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"
#include "shell/ControlColours.h"
#include "shell/ProgramShell.h"
#include "shell/Resize.h"
#include "shell/ScreenFit.h"
#include "shell/TextBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <cmath>
#include <cstring>

namespace shell {

namespace {

QFont buttonFont()
{
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSize(12);
    f.setBold(true);
    return f;
}

// Key codes of the keys the calculator answers on release.
int keyCodeOf(const QKeyEvent* e)
{
    const int k = e->key();
    if (k == Qt::Key_Backspace)
        return 8;
    if (k == Qt::Key_Delete)
        return 46;
    if (!(e->modifiers() & Qt::KeypadModifier))
        return 0;
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return 96 + (k - Qt::Key_0);
    switch (k) {
    case Qt::Key_Asterisk: return 106;
    case Qt::Key_Plus: return 107;
    case Qt::Key_Enter: return 108;
    case Qt::Key_Minus: return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma: return 110;
    case Qt::Key_Slash: return 111;
    default: return 0;
    }
}

} // namespace

SCalcState& frmSCalc::programState()
{
    static SCalcState s;
    return s;
}

frmSCalc::frmSCalc(SCalcState* state, QWidget* parent)
    : QWidget(parent, Qt::Window), s_(state ? state : &programState())
{
    setObjectName(QStringLiteral("frmSCalc"));
    setWindowTitle(programShell() ? programShell()->calculatorCaption : QString());

    txtDisplay_ = shell::newLineBox(this);
    txtDisplay_->setObjectName(QStringLiteral("txtDisplay"));
    txtDisplay_->setGeometry(px(240), px(240), px(2055), px(390));
    {
        ControlColours::SetBackColor(txtDisplay_, ControlColours::ColourValue(QColor(0, 0, 128)));
        ControlColours::SetForeColor(txtDisplay_, ControlColours::ColourValue(Qt::white));
        txtDisplay_->setFont(buttonFont());
    }
    connect(txtDisplay_, &QLineEdit::textChanged, this, [this] { caretToEnd(); });

    auto makeButton = [this](const QString& name, const QString& caption, int left, int top) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setGeometry(px(left), px(top), px(615), px(495));
        b->setFont(buttonFont());
        b->setAutoDefault(false);
        return b;
    };

    const int lefts[] = {240, 960, 1680};
    const int tops[] = {720, 1320, 1920, 2520};
    for (int d = 0; d <= 9; ++d) {
        int left = 240, top = 2520;
        if (d > 0) {
            left = lefts[(d - 1) % 3];
            top = tops[2 - (d - 1) / 3];
        }
        auto* b = makeButton(QStringLiteral("cmdNumber(%1)").arg(d), QString::number(d), left, top);
        connect(b, &QPushButton::clicked, this, [this, d] { cmdNumber_Click(d); });
    }
    const char* ops[] = {"+", "-", "x", "/"};
    for (int k = 1; k <= 4; ++k) {
        auto* b = makeButton(QStringLiteral("cmdOperator(%1)").arg(k), QString::fromLatin1(ops[k - 1]), 2520,
                             tops[k - 1]);
        connect(b, &QPushButton::clicked, this, [this, k] { cmdOperator_Click(k); });
    }
    connect(makeButton(QStringLiteral("cmdPlusMinus"), QStringLiteral("+/-"), 960, 2520), &QPushButton::clicked,
            this, [this] { cmdPlusMinus_Click(); });
    connect(makeButton(QStringLiteral("cmdDecimal"), QStringLiteral("."), 1680, 2520), &QPushButton::clicked, this,
            [this] { cmdDecimal_Click(); });
    connect(makeButton(QStringLiteral("cmdExit"), QStringLiteral("Exit"), 3240, 720), &QPushButton::clicked, this,
            [this] { cmdExit_Click(); });
    connect(makeButton(QStringLiteral("cmdClearEntry"), QStringLiteral("CE"), 3240, 1320), &QPushButton::clicked,
            this, [this] { cmdClearEntry_Click(); });
    connect(makeButton(QStringLiteral("cmdClear"), QStringLiteral("C"), 3240, 1920), &QPushButton::clicked, this,
            [this] { cmdClear_Click(); });
    connect(makeButton(QStringLiteral("cmdEquals"), QStringLiteral("="), 3240, 2520), &QPushButton::clicked, this,
            [this] { cmdEquals_Click(); });

    // The window sees every key before its controls.
    installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);

    resize(px(4095), px(3225));
    centreOnScreen(this);
}

QString frmSCalc::resultText(double v)
{
    const double a = std::fabs(v);
    if (v == 0 || (a >= 1e-15 && a < 1e15))
        return platform::numText(v);
    // Very large and very small results in exponent form: 1.5E+20.
    QString s = QString::number(v, 'E', 14);
    const int e = s.indexOf(QLatin1Char('E'));
    QString mant = s.left(e);
    QString exp = s.mid(e + 1);
    if (mant.contains(QLatin1Char('.'))) {
        while (mant.endsWith(QLatin1Char('0')))
            mant.chop(1);
        if (mant.endsWith(QLatin1Char('.')))
            mant.chop(1);
    }
    const QChar sign = exp.at(0);
    QString digits = exp.mid(1);
    while (digits.size() > 2 && digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    return mant + QLatin1Char('E') + sign + digits;
}

void frmSCalc::caretToEnd() { txtDisplay_->setCursorPosition(txtDisplay_->text().size()); }

void frmSCalc::cmdNumber_Click(int index)
{
    const QString d = QString::number(index);
    if (s_->NewEntry) {
        txtDisplay_->setText(d);
        s_->NewEntry = false;
    } else {
        txtDisplay_->setText(txtDisplay_->text() + d);
    }
}

void frmSCalc::cmdDecimal_Click()
{
    if (txtDisplay_->text().contains(QLatin1Char('.'))) {
        QApplication::beep();
        return;
    }
    if (s_->NewEntry) {
        txtDisplay_->setText(QStringLiteral("."));
        s_->NewEntry = false;
    } else {
        txtDisplay_->setText(txtDisplay_->text() + QLatin1Char('.'));
    }
}

bool frmSCalc::displayValue(double& x) const
{
    const QString t = txtDisplay_->text();
    if (t.trimmed().isEmpty()) {
        x = 0;
        return true;
    }
    return platform::tryCdbl(t, x);
}

bool frmSCalc::tooLarge(const QString& text)
{
    try {
        platform::cdbl(text);
    } catch (const platform::RuntimeError& e) {
        return e.number() == platform::ErrOverflow;
    }
    return false;
}

void frmSCalc::failed(const QString& message)
{
    platform::msgBox(message, platform::MsgButtons::OK, platform::MsgIcon::Exclamation, {}, this);
    s_->Accumulator = 0;
    s_->PendingOp = 0;
    s_->NewEntry = true;
    txtDisplay_->setText(QStringLiteral("0"));
}

bool frmSCalc::doEquals()
{
    double x = 0;
    if (!displayValue(x)) {
        // A number too large for the calculator is told as such; "-", "."
        // and the like hold no number: the command is refused.
        if (tooLarge(txtDisplay_->text())) {
            failed(QStringLiteral("The number is too large for the calculator."));
            return false;
        }
        QApplication::beep();
        return false;
    }
    if (s_->PendingOp == 4 && x == 0) {
        failed(QStringLiteral("Cannot divide by zero."));
        return false;
    }
    double acc = s_->Accumulator;
    try {
        namespace ar = platform::arith;
        switch (s_->PendingOp) {
        case 1: acc = ar::add(acc, x); break;
        case 2: acc = ar::sub(acc, x); break;
        case 3: acc = ar::mul(acc, x); break;
        case 4: acc = ar::div(acc, x); break;
        default: acc = x; break;
        }
    } catch (const platform::RuntimeError&) {
        failed(QStringLiteral("The result is too large for the calculator."));
        return false;
    }
    s_->Accumulator = acc;
    s_->PendingOp = 0;
    s_->NewEntry = true;
    txtDisplay_->setText(resultText(acc));
    return true;
}

void frmSCalc::cmdEquals_Click() { doEquals(); }

void frmSCalc::cmdOperator_Click(int index)
{
    if (!doEquals())
        return;
    s_->NewEntry = true;
    s_->PendingOp = static_cast<short>(index);
}

void frmSCalc::cmdPlusMinus_Click()
{
    if (s_->NewEntry) {
        txtDisplay_->setText(QStringLiteral("-"));
        return;
    }
    const QString t = txtDisplay_->text();
    if (t.startsWith(QLatin1Char('-')))
        txtDisplay_->setText(t.mid(1));
    else
        txtDisplay_->setText(QLatin1Char('-') + t);
}

void frmSCalc::cmdClearEntry_Click() { txtDisplay_->setText(QString()); }

void frmSCalc::cmdClear_Click()
{
    cmdClearEntry_Click();
    s_->Accumulator = 0;
    s_->PendingOp = 0;
}

void frmSCalc::cmdExit_Click() { close(); }

void frmSCalc::DeleteLastChar()
{
    QString t = txtDisplay_->text();
    const bool neg = t.startsWith(QLatin1Char('-'));
    if ((neg && t.size() > 2) || (!neg && t.size() > 1)) {
        t.chop(1);
        txtDisplay_->setText(t);
    } else {
        txtDisplay_->setText(QStringLiteral("0"));
    }
}

void frmSCalc::txtDisplay_KeyPress(QChar ch)
{
    const char c = ch.toLatin1();
    if (c >= '0' && c <= '9') {
        cmdNumber_Click(c - '0');
        return;
    }
    switch (c) {
    case '*':
    case 'x':
    case 'X': cmdOperator_Click(3); break;
    case '+': cmdOperator_Click(1); break;
    case '-': cmdOperator_Click(2); break;
    case '/': cmdOperator_Click(4); break;
    case '=':
    case '\r': cmdEquals_Click(); break;
    case '.': cmdDecimal_Click(); break;
    case 'C':
    case 'c': cmdClearEntry_Click(); break;
    default: break;
    }
}

void frmSCalc::txtDisplay_KeyUp(int keyCode)
{
    if (keyCode >= 96 && keyCode <= 105) {
        cmdNumber_Click(keyCode - 96);
        return;
    }
    switch (keyCode) {
    case 106: cmdOperator_Click(3); break;
    case 107: cmdOperator_Click(1); break;
    case 108: cmdEquals_Click(); break;
    case 109: cmdOperator_Click(2); break;
    case 110: cmdDecimal_Click(); break;
    case 111: cmdOperator_Click(4); break;
    case 8:
    case 46: DeleteLastChar(); break;
    default: break;
    }
}

bool frmSCalc::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(event);
        const int k = ke->key();
        if (k == Qt::Key_Tab || k == Qt::Key_Backtab)
            return false;
        if (!ke->text().isEmpty()) {
            const QChar ch = ke->text().at(0);
            // A keypad key acts once: through its character when it has one
            // the calculator knows, otherwise through its key code on release.
            if (ke->modifiers() & Qt::KeypadModifier) {
                const char c = ch.toLatin1();
                const bool known = (c >= '0' && c <= '9') || std::strchr("*xX+-/=\r.cC", c) != nullptr;
                if (known && c != 0)
                    keypadCharHandled_.insert(k);
                else
                    keypadCharHandled_.remove(k);
            }
            txtDisplay_KeyPress(ch);
            return true;
        }
        if (k == Qt::Key_Backspace || k == Qt::Key_Delete)
            return true;   // the display never edits itself
        if (ke->modifiers() & Qt::KeypadModifier)
            keypadCharHandled_.remove(k);
        return false;
    }
    if (event->type() == QEvent::KeyRelease) {
        auto* ke = static_cast<QKeyEvent*>(event);
        if (ke->isAutoRepeat())
            return false;
        const int code = keyCodeOf(ke);
        if (code == 0)
            return false;
        if (code >= 96 && code <= 111 && keypadCharHandled_.contains(ke->key()))
            return true;
        txtDisplay_KeyUp(code);
        return true;
    }
    if (event->type() == QEvent::FocusIn && watched == txtDisplay_)
        QTimer::singleShot(0, this, [this] { caretToEnd(); });
    return QWidget::eventFilter(watched, event);
}

void frmSCalc::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Resize::ResizeFormControls(this);
}

} // namespace shell
