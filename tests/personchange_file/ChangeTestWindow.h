#pragma once
#include "testkit/QtTestKit.h"
// A stand-in for Morvane's main window: the eleven record boxes and the
// result boxes as line boxes, the extra information as a multi-line box,
// each named as on the real window.
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QStringList>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>
#include <ostream>


namespace changefile_test {

// The record boxes in file order (the last is the multi-line box).
inline QStringList recordBoxes()
{
    return {"TxtID",       "TxtAssess",   "TxtDevice", "TxtTime1Answer", "TxtTime2Answer", "TxtReliabilityAnswer",
            "TxtAnswerSD", "TxtClinMean", "TxtClinSD", "TxtNormMean",    "TxtNormSD",      "TxtExtraInfo"};
}

inline QStringList resultBoxes()
{
    return {"TxtSEM",      "TxtSED",      "Txt1sdConf", "Txt95Conf", "Txt99Conf", "TxtChangeScore", "TxtClient68",
            "TxtClient95", "TxtClient99", "txtClinStatus", "TxtPointA", "TxtPointB", "TxtPointC", "TxtAAnswer",
            "TxtBAnswer",  "TxtCAnswer",  "TxtCNI",     "txtChange", "txtConfidence", "txtZ", "txtSEM2", "txtSED2"};
}

inline std::unique_ptr<QWidget> makeChangeWindow()
{
    auto w = std::make_unique<QWidget>();
    w->setObjectName(QStringLiteral("frmMain"));
    auto* layout = new QVBoxLayout(w.get());
    for (const QString& name : recordBoxes().mid(0, 11) + resultBoxes()) {
        auto* e = new QLineEdit(w.get());
        e->setObjectName(name);
        layout->addWidget(e);
    }
    auto* extra = new QPlainTextEdit(w.get());
    extra->setObjectName(QStringLiteral("TxtExtraInfo"));
    layout->addWidget(extra);
    return w;
}

inline void setBox(QWidget* w, const QString& name, const QString& text)
{
    if (auto* e = w->findChild<QLineEdit*>(name))
        e->setText(text);
    else if (auto* p = w->findChild<QPlainTextEdit*>(name))
        p->setPlainText(text);
}

inline QString boxText(QWidget* w, const QString& name)
{
    if (auto* e = w->findChild<QLineEdit*>(name))
        return e->text();
    if (auto* p = w->findChild<QPlainTextEdit*>(name))
        return p->toPlainText();
    return QStringLiteral("<missing>");
}

inline void fill(QWidget* w, const QStringList& names, const QStringList& texts)
{
    for (int i = 0; i < names.size(); ++i)
        setBox(w, names[i], texts.value(i));
}

inline QStringList texts(QWidget* w, const QStringList& names)
{
    QStringList out;
    for (const QString& n : names)
        out << boxText(w, n);
    return out;
}

inline QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

inline void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

// One person's record: accents, a dash, CJK and an emoji in the free texts,
// an empty field, and a two-line extra text.
inline QStringList sampleRecord()
{
    return {"Client 7 – Müller",     "pre- to post-tx", "BDI-II", "31", "12", "0.84", "3.2", "25.5", "7.1", "",
            "4.4", "Seen at Łódź clinic.\nFollow-up 日本語 🙂 in March."};
}

// The same record as its file's bytes.
inline QByteArray sampleBytes()
{
    return QByteArray("\"Client 7 – Müller\",\"pre- to post-tx\",\"BDI-II\",\"31\",\"12\",\"0.84\",\"3.2\","
                      "\"25.5\",\"7.1\",\"\",\"4.4\",\"Seen at Łódź clinic.\r\nFollow-up 日本語 🙂 in March.\"\r\n");
}

} // namespace changefile_test
