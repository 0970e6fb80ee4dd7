#include "personchange/frmMain.h"

#include "frame/KeyFilters.h"
#include "personchange/ChangeFileCommands.h"
#include "personchange/Trace.h"
#include "personchange/ChangeReport.h"
#include "personchange/ReliableChange.h"
#include "platform/AppInfo.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Settings.h"
#include "shell/Twips.h"

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextDocument>
#include <QTextOption>

namespace morvane {

namespace {

frame::FrameConfig makeConfig()
{
    return frame::smallProgramFrameConfig(
        {QStringLiteral("Morvane.html"), QStringLiteral("Morvane - reliable and clinically significant change"), true});
}

// 12360 x 10740 twips.
constexpr int kWidthPx = shell::px(12360);
constexpr int kHeightPx = shell::px(10740);

// A rectangle of the area under the toolbar, given in twips of the whole
// client area (the toolbar takes the top 480 twips).
QRect tw(int left, int top, int width, int height)
{
    return QRect(shell::px(left), shell::px(top - 480), shell::px(width), shell::px(height));
}

const QColor DarkBlue(0, 0, 192);
const QColor DarkGrey(64, 64, 64);
const QColor LightRed(255, 128, 128);
const QColor LightBlue(128, 128, 255);
const QColor LightOrange(255, 192, 128);
const QColor LightMagenta(255, 128, 255);

void setColour(QWidget* w, QPalette::ColorRole role, const QColor& c)
{
    QPalette p = w->palette();
    p.setColor(role, c);
    if (role == QPalette::Base)
        p.setColor(QPalette::Window, c);
    w->setPalette(p);
}

void setBold(QWidget* w)
{
    QFont f = w->font();
    f.setBold(true);
    w->setFont(f);
}

void setUnderlined(QWidget* w)
{
    QFont f = w->font();
    f.setUnderline(true);
    w->setFont(f);
}

QLabel* addLabel(QWidget* parent, const QString& text, const QRect& r, const QString& name = {})
{
    auto* l = new QLabel(text, parent);
    if (!name.isEmpty())
        l->setObjectName(name);
    l->setGeometry(r);
    l->setWordWrap(text.size() > 30);
    return l;
}

// A question label of the upper area: right-aligned beside its box.
QLabel* addQuestion(QWidget* parent, const QString& name, const QString& text, const QRect& r, const QColor& colour)
{
    QLabel* l = addLabel(parent, text, r, name);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setColour(l, QPalette::WindowText, colour);
    return l;
}

QPushButton* addButton(QWidget* parent, const QString& name, const QString& caption, const QString& tip,
                       const QRect& r)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    if (!tip.isEmpty())
        b->setToolTip(tip);
    b->setGeometry(r);
    return b;
}

// A thin vertical rule.
void addRule(QWidget* parent, const QString& name, const QRect& r)
{
    QLabel* l = addLabel(parent, QString(), r, name);
    l->setAutoFillBackground(true);
    setColour(l, QPalette::Window, DarkBlue);
}

QPlainTextEdit* addMultiLine(QWidget* parent, const QString& name, const QRect& r)
{
    auto* e = new QPlainTextEdit(parent);
    e->setObjectName(name);
    e->setGeometry(r);
    return e;
}

void centreText(QPlainTextEdit* e)
{
    QTextOption o = e->document()->defaultTextOption();
    o.setAlignment(Qt::AlignHCenter);
    e->document()->setDefaultTextOption(o);
}

// Grey result box outside the tab order.
void makeResultBox(QLineEdit* e)
{
    setColour(e, QPalette::Base, e->palette().color(QPalette::Button));
    e->setFocusPolicy(Qt::ClickFocus);
}

} // namespace

const frame::FrameConfig& frameConfig()
{
    static const frame::FrameConfig c = makeConfig();
    return c;
}

int startTab()
{
    const QString tab = platform::getSetting(QStringLiteral("Settings"), QStringLiteral("Tab"), QString());
    for (int i = 0; i < 4; ++i)
        if (tab == QStringLiteral("op%1").arg(i))
            return i;
    return 0;
}

// Writes the computations' results into the window's boxes as they come.
class frmMain::Writer : public ChangeWriter {
public:
    explicit Writer(frmMain& w) : w_(w) {}
    void write(const QString& box, const QString& text) override
    {
        if (auto* b = w_.box(box)) {
            b->setText(text);
            b->setCursorPosition(0);   // a long answer shows its start
        }
    }
    void mark(const QString& picture, Mark m) override { w_.showPicture(picture, markFile(m)); }
    void setStatus(const QString& text, StatusColour colour) override
    {
        const QColor c = colour == StatusColour::Red    ? QColor(255, 0, 0)
                         : colour == StatusColour::Blue ? QColor(0, 0, 255)
                                                        : QColor(0, 0, 0);
        setColour(w_.txtClinStatus, QPalette::Text, c);
        w_.txtClinStatus->setPlainText(text);
    }
    void inform(const QString& message) override
    {
        platform::msgBox(message, platform::MsgButtons::OK, platform::MsgIcon::None, {}, &w_);
    }
    void selectStartTab() override { w_.SSTab1->setCurrentIndex(startTab()); }

private:
    frmMain& w_;
};

frmMain::frmMain(QWidget* parent) : frame::MainFrame(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Morvane"));
    buildControls();
    files_ = std::make_unique<ChangeFileCommands>(this, frameFileHooks([this] { cmdClear_Click(); }));
    Form_Load();
}

frmMain::~frmMain() = default;

const frame::FrameConfig& frmMain::frameConfig() const { return morvane::frameConfig(); }

QLabel* frmMain::addLabel(QWidget* parent, const QString& text, const QRect& r, const QString& name)
{
    return morvane::addLabel(parent, text, r, name);
}

void frmMain::buildControls()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("MainArea"));
    setCentralWidget(central);
    QFont font = central->font();
    font.setFamily(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    central->setFont(font);

    // The status line is the window's first control (File > New keeps it).
    txtClinStatus = addMultiLine(central, QStringLiteral("txtClinStatus"), tw(120, 3360, 11895, 390));
    txtClinStatus->setReadOnly(true);
    txtClinStatus->setFrameShape(QFrame::NoFrame);
    txtClinStatus->setFocusPolicy(Qt::ClickFocus);
    txtClinStatus->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setColour(txtClinStatus, QPalette::Base, txtClinStatus->palette().color(QPalette::Button));
    centreText(txtClinStatus);
    txtClinStatus->document()->setDocumentMargin(0);

    buildUpperArea(central);

    SSTab1 = new QTabWidget(central);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->setGeometry(tw(105, 4515, 12045, 5190));
    const char* const tabTitles[] = {"Reliable Change", "Clinical Change", "Exact Confidence Rates",
                                     "Extra Information"};
    QWidget* pages[4];
    for (int i = 0; i < 4; ++i) {
        pages[i] = new QWidget;
        SSTab1->addTab(pages[i], QString::fromLatin1(tabTitles[i]));
    }
    buildReliableChangeTab(pages[0]);
    buildClinicalChangeTab(pages[1]);
    buildExactConfidenceTab(pages[2]);
    buildExtraInfoTab(pages[3]);
    SSTab1->setCurrentIndex(0);

    // Key filters: no score, mean or SD can be typed negative, and no typed
    // text field of the data file holds a double quote.
    using frame::KeyFilter;
    for (const char* name : {"TxtReliabilityAnswer", "TxtAnswerSD", "TxtClinMean", "TxtClinSD", "TxtNormMean",
                             "TxtNormSD", "txtPercentage", "txtPointChange", "TxtTime1Answer", "TxtTime2Answer"})
        frame::installKeyFilter(box(QString::fromLatin1(name)), KeyFilter::Unsigned);
    for (const char* name : {"TxtID", "TxtAssess", "TxtDevice"})
        frame::installKeyFilter(box(QString::fromLatin1(name)), KeyFilter::NoQuote);
    frame::installKeyFilter(TxtExtraInfo, KeyFilter::NoQuote);
    // Installed after the key filter, so it sees every key press first.
    box(QStringLiteral("TxtTime1Answer"))->installEventFilter(this);
    box(QStringLiteral("TxtTime2Answer"))->installEventFilter(this);

    // Tab order of the upper area and the command buttons.
    QWidget* prev = chainBoxes(nullptr, {"TxtReliabilityAnswer", "TxtAnswerSD", "TxtTime1Answer", "TxtTime2Answer",
                                         "TxtDevice", "TxtAssess", "TxtID", "TxtClinMean", "TxtClinSD",
                                         "TxtNormMean", "TxtNormSD"});
    for (const char* name : {"CmdClever", "cmdClear", "cmdCancel"}) {
        QWidget* w = findChild<QWidget*>(QString::fromLatin1(name));
        setTabOrder(prev, w);
        prev = w;
    }

    // Open at the designed size of the control area.
    central->setMinimumSize(shell::px(12270), shell::px(9960 - 480) - 22);
    adjustSize();
    central->setMinimumSize(0, 0);
}

void frmMain::buildUpperArea(QWidget* central)
{
    QLabel* step1 = addLabel(central, QStringLiteral("Step 1. You MUST Complete The White Boxes."), QRect(6, 2, 250, 30),
                             QStringLiteral("LblStep1"));
    QLabel* step2 = addLabel(central, QStringLiteral("Step 2. Shaded Boxes Are Optional"), QRect(276, 2, 300, 18),
                             QStringLiteral("LblStep2"));
    for (QLabel* l : {step1, step2}) {
        setUnderlined(l);
        setColour(l, QPalette::WindowText, DarkBlue);
    }
    addRule(central, QStringLiteral("Label1"), QRect(268, 2, 1, 156));

    struct Input {
        const char* box;
        const char* label;
        const char* question;
        QRect labelRect;
        QRect boxRect;
        QColor back;
        const char* tip;
        bool step1;
    };
    const Input inputs[] = {
        {"TxtReliabilityAnswer", "LblReliabilityQuestion",
         "What is the test-retest reliability of the instrument you used (e.g., 0.84)?", QRect(4, 34, 150, 52),
         tw(2370, 1200, 855, 375), Qt::white, "r=?", true},
        {"TxtAnswerSD", "LblQuestionSD",
         "From the sample which you used to estimate the test-retest reliability (above), what was the standard "
         "deviation (e.g., 3.2)?",
         QRect(2, 84, 154, 76), tw(2370, 2280, 855, 375), Qt::white, "SD=?", true},
        {"TxtTime1Answer", "LblTime1Question", "Client's score at Time 1?", QRect(276, 32, 104, 26),
         tw(5760, 960, 855, 375), LightRed, "Score=?", false},
        {"TxtTime2Answer", "LblTime2Question", "Client's score at Time 2?", QRect(276, 80, 104, 26),
         tw(5760, 1680, 855, 375), LightRed, "Score=?", false},
    };
    for (const Input& in : inputs) {
        addQuestion(central, QString::fromLatin1(in.label), QString::fromLatin1(in.question), in.labelRect,
                    in.step1 ? QColor(Qt::black) : DarkGrey);
        QLineEdit* e = addBox(central, QString::fromLatin1(in.box), in.boxRect);
        setColour(e, QPalette::Base, in.back);
        e->setToolTip(QString::fromLatin1(in.tip));
    }

    // Study details.
    struct Detail {
        const char* box;
        const char* label;
        const char* caption;
        const char* exampleLabel;
        const char* example;
        QRect labelRect;
        QRect exampleRect;
        QRect boxRect;
    };
    const Detail details[] = {
        {"TxtDevice", "LblDevice", "Device", "Label16", "(e.g., BDI)", QRect(492, 28, 96, 14),
         QRect(492, 42, 96, 14), tw(8880, 960, 3165, 285)},
        {"TxtAssess", "LblAssess", "Assessment Details", "LblAssessEG", " (e.g., pre- to post-tx)",
         QRect(482, 76, 106, 14), QRect(482, 90, 106, 14), tw(8880, 1680, 3165, 285)},
        {"TxtID", "LblID", "Study / Client ID", "LblIDRef",
         "(e.g., Smith & Jones (2001). Journal of Change, 3, 12-34.)",
         QRect(336, 130, 100, 14), QRect(440, 146, 363, 13), tw(6600, 2400, 5445, 285)},
    };
    for (const Detail& d : details) {
        addQuestion(central, QString::fromLatin1(d.label), QString::fromLatin1(d.caption), d.labelRect, DarkGrey)
            ->setWordWrap(false);
        QLabel* ex = addQuestion(central, QString::fromLatin1(d.exampleLabel), QString::fromLatin1(d.example),
                                 d.exampleRect, DarkGrey);
        QFont f = ex->font();
        f.setPointSizeF(f.pointSizeF() * 0.85);
        ex->setFont(f);
        QLineEdit* e = addBox(central, QString::fromLatin1(d.box), d.boxRect);
        setColour(e, QPalette::Base, LightBlue);
    }
    box(QStringLiteral("TxtID"))->setToolTip(QString());

    // Clinical and normative samples.
    struct Sample {
        const char* box;
        const char* label;
        const char* caption;
        QRect labelRect;
        QRect boxRect;
        QColor back;
        const char* tip;
    };
    const Sample samples[] = {
        {"TxtClinMean", "Label2", "Clinical Sample Mean:", QRect(4, 162, 104, 26), tw(1680, 2910, 855, 375),
         LightOrange, "Clinical Sample Mean = ?"},
        {"TxtClinSD", "Label3", "Clinical Sample S.D:", QRect(174, 162, 124, 25), tw(4515, 2910, 855, 375),
         LightOrange, "Clinical Sample Standard Deviation = ?"},
        {"TxtNormMean", "Label7", "Normative Sample Mean:", QRect(362, 162, 162, 25), tw(7905, 2910, 855, 375),
         LightMagenta, "Normal Sample Mean = ?"},
        {"TxtNormSD", "Label8", "Normative Sample S.D:", QRect(590, 162, 138, 25), tw(10965, 2910, 975, 375),
         LightMagenta, "Normal Sample Standard Deviation = ?"},
    };
    for (const Sample& s : samples) {
        addQuestion(central, QString::fromLatin1(s.label), QString::fromLatin1(s.caption), s.labelRect, DarkGrey);
        QLineEdit* e = addBox(central, QString::fromLatin1(s.box), s.boxRect);
        setColour(e, QPalette::Base, s.back);
        e->setToolTip(QString::fromLatin1(s.tip));
    }
    for (QLineEdit* e : boxes())
        e->setAlignment(Qt::AlignCenter);

    // Help buttons beside the Step 1 and score boxes.
    struct Help {
        const char* name;
        const char* tip;
        QRect rect;
        void (frmMain::*handler)();
    };
    const Help helps[] = {
        {"CmdHelpReliability", "Click for help on test-retest reliability.", QRect(219, 48, 40, 25),
         &frmMain::CmdHelpReliability_Click},
        {"CmdHelpSD", "Click for help on which standard deviation to use.", QRect(219, 120, 40, 25),
         &frmMain::CmdHelpSD_Click},
        {"CmdHelpTime1", "Click for help on which score to enter.", QRect(444, 32, 36, 25),
         &frmMain::CmdHelpTime1_Click},
        {"CmdHelpTime2", "Click for help on which score to enter.", QRect(444, 80, 36, 25),
         &frmMain::CmdHelpTime2_Click},
    };
    for (const Help& h : helps) {
        QPushButton* b = addButton(central, QString::fromLatin1(h.name), QStringLiteral("Help"),
                                   QString::fromLatin1(h.tip), h.rect);
        b->setFocusPolicy(Qt::ClickFocus);
        connect(b, &QPushButton::clicked, this, h.handler);
    }

    // Step 3: the command buttons.
    auto* frame = new QGroupBox(QStringLiteral("Step 3. Click \"OK\" (All answers given to 5 decimal places)"),
                                central);
    frame->setObjectName(QStringLiteral("FraClever"));
    frame->setGeometry(4, 214, 810, 52);
    setColour(frame, QPalette::WindowText, DarkBlue);
    const QPoint origin = frame->pos();
    auto inFrame = [&](int l, int t, int w, int h) { return tw(l, t, w, h).translated(-origin); };
    QPushButton* clever = addButton(frame, QStringLiteral("CmdClever"), QStringLiteral("&OK, Do The Clever Stuff!"),
                                    QStringLiteral("Click here to compute results."), inFrame(480, 3960, 2415, 375));
    setBold(clever);
    QPushButton* clear = addButton(
        frame, QStringLiteral("cmdClear"), QStringLiteral("&Clear All And Start Again"),
        QStringLiteral("OK, I now need to enter another client's score - clear all and start again."),
        inFrame(5055, 3960, 2055, 375));
    QPushButton* cancel = addButton(
        frame, QStringLiteral("cmdCancel"), QStringLiteral("Enough Already! E&xit!"),
        QStringLiteral("I don't like stats - I'm a people person and am losing the will to live. Get me back to the "
                       "real world so I can play Solitaire."),
        inFrame(9060, 3960, 2055, 375));
    connect(clever, &QPushButton::clicked, this, &frmMain::CmdClever_Click);
    connect(clear, &QPushButton::clicked, this, &frmMain::cmdClear_Click);
    connect(cancel, &QPushButton::clicked, this, &frmMain::cmdCancel_Click);
}

void frmMain::buildReliableChangeTab(QWidget* page)
{
    QLabel* heading = addLabel(page, QStringLiteral("In order to change with:"), QRect(8, 6, 300, 20),
                               QStringLiteral("LblChange"));
    setBold(heading);
    struct Row {
        const char* label;
        const char* caption;
        const char* tip;
        const char* box;
    };
    const Row rows[] = {
        {"Lbl68Conf", "68.26% confidence (1sd), there must be a change of at least:",
         "Not wonderful, but hey, it's better than the all too frequently used phrase \"in my clinical judgement.\"",
         "Txt1sdConf"},
        {"Label4", "95% confidence (1.96 sd), there must be a change of at least:",
         "Yep, something is probably happening here.", "Txt95Conf"},
        {"Label5", "99% confidence (2.58 sd), there must be a change of at least:",
         "If you meet this level of reliability - wow! What did you do - transplant their personality?",
         "Txt99Conf"},
    };
    for (int i = 0; i < 3; ++i) {
        const int y = 34 + 40 * i;
        QLabel* l = addLabel(page, QString::fromLatin1(rows[i].caption), QRect(8, y - 4, 300, 32),
                             QString::fromLatin1(rows[i].label));
        l->setToolTip(QString::fromLatin1(rows[i].tip));
        addBox(page, QString::fromLatin1(rows[i].box), QRect(312, y, 100, 24));
    }
    addRule(page, QStringLiteral("Label6"), QRect(424, 6, 1, 200));

    QLabel* changeLabel = addLabel(page, QStringLiteral("Your client's change score of"), QRect(436, 10, 200, 20),
                                   QStringLiteral("LblClientChange"));
    setBold(changeLabel);
    addBox(page, QStringLiteral("TxtChangeScore"), QRect(640, 8, 100, 24));
    QLabel* suggest = addLabel(page, QStringLiteral("Suggests that he/she: "), QRect(436, 42, 200, 20),
                               QStringLiteral("LblClientSuggest"));
    setBold(suggest);
    addBox(page, QStringLiteral("Text2"), QRect(640, 40, 100, 24));
    const char* const verdicts[][3] = {
        {"TxtClient68", "LblClient68", "changed with at least 68.26% confidence."},
        {"TxtClient95", "LblClient95", "changed with at least 95% confidence."},
        {"TxtClient99", "LblClient99", "changed with at least 99% confidence."},
    };
    for (int i = 0; i < 3; ++i) {
        const int y = 74 + 32 * i;
        addBox(page, QString::fromLatin1(verdicts[i][0]), QRect(436, y, 80, 24));
        addLabel(page, QString::fromLatin1(verdicts[i][2]), QRect(522, y + 2, 270, 20),
                 QString::fromLatin1(verdicts[i][1]));
    }
    for (const char* name : {"Txt1sdConf", "Txt95Conf", "Txt99Conf", "TxtChangeScore", "Text2", "TxtClient68",
                             "TxtClient95", "TxtClient99"}) {
        QLineEdit* e = box(QString::fromLatin1(name));
        makeResultBox(e);
        e->setReadOnly(true);
        setBold(e);
        setColour(e, QPalette::Text, QColor(255, 0, 0));
    }

    addLabel(page, QStringLiteral("Standard Error of Measurement (SEM) = "), QRect(8, 226, 250, 20),
             QStringLiteral("LblSEM"));
    addBox(page, QStringLiteral("TxtSEM"), QRect(262, 224, 110, 24));
    addLabel(page, QStringLiteral("Standard Error of The Difference (SEd) ="), QRect(8, 258, 250, 20),
             QStringLiteral("LblSED"));
    addBox(page, QStringLiteral("TxtSED"), QRect(262, 256, 110, 24));
    for (const char* name : {"TxtSEM", "TxtSED"}) {
        QLineEdit* e = box(QString::fromLatin1(name));
        makeResultBox(e);
        setBold(e);
        setColour(e, QPalette::Text, QColor(0, 0, 255));
    }
}

void frmMain::buildClinicalChangeTab(QWidget* page)
{
    QLabel* met = addLabel(page, QStringLiteral("Met Criteria?"), QRect(520, 4, 272, 18), QStringLiteral("Label33"));
    met->setAlignment(Qt::AlignCenter);
    setColour(met, QPalette::WindowText, QColor(0, 0, 255));

    struct Criterion {
        const char* picture;
        const char* question;
    };
    struct Block {
        const char* label;
        const char* caption;
        const char* point;
        const char* answer;
        std::initializer_list<Criterion> criteria;
    };
    const Block blocks[] = {
        {"Label14", "A. Cut-off = 1.96 SD away from the clinical mean:", "TxtPointA", "TxtAAnswer",
         {{"picAwithin", "Did the person score within 1.96 SD of the clinical range at Time 1?"},
          {"picAover", "Did the person score over 1.96 SD away from the mean for the clinical group at Time 2?"},
          {"picAreliable", "Has the person reliably changed (95% confidence)?"}}},
        {"Label12", "B. Cut-off = within 1.96 SD of the 'normal' mean:", "TxtPointB", "TxtBAnswer",
         {{"picBawayNorm", "Did the person score over 1.96 SD away from the normative mean at Time 1?"},
          {"picBwithinNorm", "Did the person score within 1.96 SD of the normative mean at Time 2?"},
          {"picBreliable", "Has the person reliably changed (95% confidence)?"}}},
        {"Label15", "C. Cut-off = midway between the 'normal' and clinical mean:", "TxtPointC", "TxtCAnswer",
         {{"picCtime1", "Did the person score towards the clincal mean from the intersection at Time 1?"},
          {"picCtime2", "Did the person score towards the normative mean from the intersection at Time 2?"},
          {"picCreliable", "Has the person reliably changed (95% confidence)?"},
          {"picCintersect", "Do the two distributions intersect within 1.96 sd of both the clincal and normative "
                            "means?"}}},
    };
    int y = 22;
    for (const Block& b : blocks) {
        QLabel* l = addLabel(page, QString::fromLatin1(b.caption), QRect(8, y + 2, 364, 20),
                             QString::fromLatin1(b.label));
        l->setWordWrap(false);
        QLineEdit* point = addBox(page, QString::fromLatin1(b.point), QRect(374, y, 80, 22));
        setColour(point, QPalette::Text, QColor(0, 0, 255));
        QLineEdit* answer = addBox(page, QString::fromLatin1(b.answer), QRect(520, y, 272, 22));
        setColour(answer, QPalette::Text, QColor(255, 0, 0));
        y += 24;
        for (const Criterion& c : b.criteria) {
            auto* pic = new QLabel(page);
            pic->setObjectName(QString::fromLatin1(c.picture));
            pic->setGeometry(24, y, 16, 16);
            pictures_.insert(pic->objectName(), pic);
            addLabel(page, QString::fromLatin1(c.question), QRect(46, y, 506, 16));
            y += 18;
        }
        y += 4;
    }
    QLineEdit* ni = addBox(page, QStringLiteral("TxtCNI"), QRect(458, 22 + 2 * (24 + 3 * 18 + 4), 44, 22));
    setColour(ni, QPalette::Text, QColor(255, 0, 0));
    for (const char* name : {"TxtPointA", "TxtPointB", "TxtPointC", "TxtAAnswer", "TxtBAnswer", "TxtCAnswer",
                             "TxtCNI"})
        makeResultBox(box(QString::fromLatin1(name)));

    QLabel* noteLabel = addLabel(page, QStringLiteral("Note:"), QRect(8, y + 2, 40, 16), QStringLiteral("Label38"));
    setUnderlined(noteLabel);
    // Low enough to stay on the page when the window is made smaller (the
    // tab strip keeps its height).
    txtNote = addMultiLine(page, QStringLiteral("txtNote"), QRect(50, y, 742, 26));
    txtNote->setFrameShape(QFrame::NoFrame);
    txtNote->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setColour(txtNote, QPalette::Base, txtNote->palette().color(QPalette::Button));
    txtNote->setPlainText(ChangeText::Note + QStringLiteral("\n"));

    for (QLabel* pic : pictures_) {
        try {
            showPicture(pic->objectName(), markFile(Mark::Help));
        } catch (const platform::RuntimeError& e) {
            // An empty picture until a computation or Clear All reports it.
            qCWarning(tracePersonchange) << "the help picture:" << e.description();
        }
    }
}

void frmMain::buildExactConfidenceTab(QWidget* page)
{
    addLabel(page,
             QStringLiteral("If you would like to specify your own % confidence of reliable change, enter the value "
                            "below and the programme will compute the number of units / points change that must "
                            "occur for that level of confidence (given the test-retest reliability and standard "
                            "deviation entered in the white boxes in step 1)."),
             QRect(8, 6, 380, 84), QStringLiteral("Label23"));
    addLabel(page, QStringLiteral("For"), QRect(8, 102, 28, 20));
    QLineEdit* percentage = addBox(page, QStringLiteral("txtPercentage"), QRect(38, 100, 70, 24));
    percentage->setToolTip(QStringLiteral("Confidence Level"));
    addLabel(page, QStringLiteral("% confidence"), QRect(112, 102, 90, 20));
    QPushButton* compute =
        addButton(page, QStringLiteral("cmdCompute"), QStringLiteral("Compute"), {}, QRect(210, 99, 80, 26));
    addLabel(page, QStringLiteral("people must change by:"), QRect(8, 136, 150, 20));
    QLineEdit* change = addBox(page, QStringLiteral("txtChange"), QRect(160, 134, 120, 24));
    change->setToolTip(QStringLiteral("Score Change Needed"));
    addLabel(page, QStringLiteral("points / units."), QRect(286, 136, 100, 20));

    addLabel(page,
             QStringLiteral("If you would like to specify your own point difference, enter the value below and the "
                            "programme will compute the confidence level of whether the person has reliable changed "
                            "(given the test-retest reliability and standard deviation entered in the white boxes in "
                            "step 1)."),
             QRect(408, 6, 384, 84), QStringLiteral("Label29"));
    addLabel(page, QStringLiteral("A"), QRect(408, 102, 14, 20));
    QLineEdit* point = addBox(page, QStringLiteral("txtPointChange"), QRect(424, 100, 70, 24));
    point->setToolTip(QStringLiteral("Point Change"));
    addLabel(page, QStringLiteral("point change"), QRect(498, 102, 90, 20));
    QPushButton* pointButton =
        addButton(page, QStringLiteral("cmdPoint"), QStringLiteral("Compute"), {}, QRect(594, 99, 80, 26));
    addLabel(page, QStringLiteral("equates to a reliable change with:"), QRect(408, 136, 210, 20));
    QLineEdit* confidence = addBox(page, QStringLiteral("txtConfidence"), QRect(612, 134, 100, 24));
    confidence->setToolTip(QStringLiteral("Confidence Rating"));
    addLabel(page, QStringLiteral("% confidence"), QRect(716, 136, 80, 20));

    const char* const lower[][3] = {
        {"Label24", "Exact Z value of Confidence Interval = ", "txtZ"},
        {"Label22", "Standard Error of Measurement (SEM) = ", "txtSEM2"},
        {"Label21", "Standard Error of The Difference (SEd) =", "txtSED2"},
    };
    for (int i = 0; i < 3; ++i) {
        const int y = 190 + 32 * i;
        addLabel(page, QString::fromLatin1(lower[i][1]), QRect(8, y + 2, 250, 20), QString::fromLatin1(lower[i][0]));
        setColour(addBox(page, QString::fromLatin1(lower[i][2]), QRect(262, y, 160, 24)), QPalette::Text,
                  QColor(0, 0, 255));
    }
    setColour(change, QPalette::Text, QColor(255, 0, 0));
    setColour(confidence, QPalette::Text, QColor(255, 0, 0));
    for (const QString& name : exactConfidenceBoxes())
        makeResultBox(box(name));

    connect(compute, &QPushButton::clicked, this, &frmMain::cmdCompute_Click);
    connect(pointButton, &QPushButton::clicked, this, &frmMain::cmdPoint_Click);
}

void frmMain::buildExtraInfoTab(QWidget* page)
{
    QLabel* l = addLabel(page,
                         QStringLiteral("Enter any extra information you wish to keep associated with this file here:"),
                         QRect(8, 6, 736, 20), QStringLiteral("Label30"));
    setColour(l, QPalette::WindowText, QColor(0, 0, 255));
    TxtExtraInfo = addMultiLine(page, QStringLiteral("TxtExtraInfo"), QRect(8, 30, shell::px(11040), shell::px(3795)));
    TxtExtraInfo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void frmMain::loadProgramSteps()
{
    resize(kWidthPx, kHeightPx);
    // A file named on the command line; after a reported failure loading
    // ends here and the start tab is not chosen.
    if (!files_->loadCommandLine(platform::commandLine()))
        return;
    SSTab1->setCurrentIndex(startTab());
}

void frmMain::mnuFileOpen_Click() { files_->mnuFileOpen_Click(); }

bool frmMain::saveAs() { return files_->mnuFileSaveAs_Click(); }

void frmMain::mnuSave_Click() { files_->mnuSave_Click(); }

void frmMain::mnuFilePrint_Click() { morvane::printChangeReport(this); }

void frmMain::openRecentFile(int index, const QString& path) { files_->mnuMRU_Click(index, path); }

void frmMain::clearAll() { clearTextBoxes({QStringLiteral("txtClinStatus")}); }

void frmMain::showPicture(const QString& picture, const QString& file)
{
    QLabel* pic = pictures_.value(picture, nullptr);
    if (!pic)
        return;
    const QString path = QDir(platform::appPath()).filePath(file);
    QPixmap pixmap;
    if (!QFile::exists(path) || !pixmap.load(path))
        throw platform::errFileNotFound();
    pic->setPixmap(pixmap);
    pic->setProperty("picture", file);
}

void frmMain::reportFailure(const QString& description)
{
    platform::msgBox(ChangeText::ErrorLead + QStringLiteral("\r\n") + description, platform::MsgButtons::OK,
                     platform::MsgIcon::None, {}, this);
}

void frmMain::CmdClever_Click()
{
    ChangeInput in;
    in.reliability = box(QStringLiteral("TxtReliabilityAnswer"))->text();
    in.sd = box(QStringLiteral("TxtAnswerSD"))->text();
    in.time1 = box(QStringLiteral("TxtTime1Answer"))->text();
    in.time2 = box(QStringLiteral("TxtTime2Answer"))->text();
    in.clinMean = box(QStringLiteral("TxtClinMean"))->text();
    in.clinSD = box(QStringLiteral("TxtClinSD"))->text();
    in.normMean = box(QStringLiteral("TxtNormMean"))->text();
    in.normSD = box(QStringLiteral("TxtNormSD"))->text();
    Writer writer(*this);
    try {
        const QString message = runReliableChange(in, writer);
        if (!message.isEmpty())
            platform::msgBox(message, platform::MsgButtons::OK, platform::MsgIcon::None, {}, this);
    } catch (const platform::RuntimeError& e) {
        reportFailure(e.description());
    } catch (const std::exception& e) {
        reportFailure(QString::fromLocal8Bit(e.what()));
    }
}

void frmMain::runExact(bool pointChange)
{
    const QString r = box(QStringLiteral("TxtReliabilityAnswer"))->text();
    const QString sd = box(QStringLiteral("TxtAnswerSD"))->text();
    Writer writer(*this);
    try {
        const QString message =
            pointChange ? runConfidenceForChange(r, sd, box(QStringLiteral("txtPointChange"))->text(), writer)
                        : runChangeForLevel(r, sd, box(QStringLiteral("txtPercentage"))->text(), writer);
        if (!message.isEmpty())
            platform::msgBox(message, platform::MsgButtons::OK, platform::MsgIcon::None, {}, this);
    } catch (const platform::RuntimeError& e) {
        reportFailure(e.description());
    } catch (const std::exception& e) {
        reportFailure(QString::fromLocal8Bit(e.what()));
    }
}

void frmMain::cmdCompute_Click() { runExact(false); }

void frmMain::cmdPoint_Click() { runExact(true); }

void frmMain::cmdClear_Click()
{
    clearTextBoxes();
    QString failure;
    for (const QString& name : criterionPictures()) {
        try {
            showPicture(name, markFile(Mark::Help));
        } catch (const platform::RuntimeError& e) {
            failure = e.description();
        }
    }
    txtNote->setPlainText(ChangeText::Note);
    if (!failure.isEmpty())
        reportFailure(failure);
}

namespace {
void showHelp(QWidget* w, const QString& text)
{
    platform::msgBox(text, platform::MsgButtons::OK, platform::MsgIcon::Information, w->windowTitle(), w);
}
} // namespace

void frmMain::CmdHelpReliability_Click()
{
    showHelp(this, QStringLiteral("To estimate the error inherent to the measurement device one must know the test - "
                                  "retest reliability of the measure used. See the help file for more information on "
                                  "which sample and over what time period you should use. See the Help file for more "
                                  "information."));
}

void frmMain::CmdHelpSD_Click()
{
    showHelp(this, QStringLiteral("The standard deviation entered into this programme (and used to estimate the "
                                  "standard error of measurement) should be the standard deviation of the sample (at "
                                  "time 1) which was used to estimate the test-retest reliability. See the Help file "
                                  "for more information."));
}

void frmMain::CmdHelpTime1_Click()
{
    showHelp(this, QStringLiteral("This is the score your client got at the first time point (e.g., at intake). See "
                                  "the Help file for more information."));
}

void frmMain::CmdHelpTime2_Click()
{
    showHelp(this, QStringLiteral("This is the score your client got at the second time point (e.g., at "
                                  "post-treatment or follow-up). See the Help file for more information."));
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* e = static_cast<QKeyEvent*>(event);
        // Only a key that types a character counts (not Tab, Delete, arrows).
        const bool typesCharacter = e->key() != Qt::Key_Tab && e->key() != Qt::Key_Backtab &&
                                    e->key() != Qt::Key_Delete && !e->text().isEmpty();
        if (typesCharacter &&
            (box(QStringLiteral("TxtAnswerSD"))->text().isEmpty() ||
             box(QStringLiteral("TxtReliabilityAnswer"))->text().isEmpty()))
            platform::msgBox(QStringLiteral("To Enter Data In This Field You Must Complete ALL of Step 1."),
                             platform::MsgButtons::OK, platform::MsgIcon::Exclamation, QStringLiteral("Input Error"),
                             this);
    }
    return frame::MainFrame::eventFilter(watched, event);
}

} // namespace morvane
