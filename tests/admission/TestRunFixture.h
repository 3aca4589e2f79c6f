#pragma once

// Helpers of the admission test's window tests: question banks whose every
// record tells its bank and number, and a session that builds the real main
// window with fake message boxes, clock and program end in a scratch lab
// folder and walks a student through it as a student would, by clicks.

#include "support/JournalFixture.h"

#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeProgramEnd.h"
#include "support/LabFolder.h"
#include "admission/QuestionRecord.h"
#include "platform/controls/TNotebook.h"
#include "widgets/dxfCheckBox/TdxfCheckBox.h"
#include "widgets/dxfTimer/TdxfTimer.h"
#include "widgets/glLabel/TglStaticText.h"
#include "app/Unit1.h"

#include <QByteArray>
#include <QFile>
#include <QLineEdit>
#include <QString>
#include <QStringList>
#include <QtTest>

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace testrun {

using Bank = std::vector<QuestionRecord>;

// A question "<name>, запись k" with the answers "<name>, запись k, ответ a"
// and the right answer given. Reserved and the bytes behind every text hold
// junk, which must not reach the screen.
inline QuestionRecord question(const QString& name, int k, int right)
{
    QuestionRecord r;
    std::memset(&r, 0xA5, sizeof r);
    r.RightAnswer = right;
    r.Question.set(QStringLiteral("%1, запись %2").arg(name).arg(k));
    for (int a = 1; a <= 4; ++a)
        r.answer(a).set(QStringLiteral("%1, запись %2, ответ %3").arg(name).arg(k).arg(a));
    return r;
}

// A bank of `count` records named `name`; record k has the right answer
// right(k), by default 1, 2, 3, 4, 1, ... so that every box is needed.
inline Bank bank(const QString& name, int count, const std::function<int(int)>& right = {})
{
    Bank b;
    for (int k = 0; k < count; ++k)
        b.push_back(question(name, k, right ? right(k) : k % 4 + 1));
    return b;
}

inline QByteArray bytesOf(const QuestionRecord& r)
{
    return QByteArray(reinterpret_cast<const char*>(&r), int(sizeof r));
}

inline QByteArray bytesOf(const Bank& b)
{
    QByteArray out;
    for (const QuestionRecord& r : b)
        out += bytesOf(r);
    return out;
}

// The draws of the test for the seed of a UTC time of day: the seed is the
// time in milliseconds; each draw steps it to seed * 134775813 + 1 mod 2^32
// and takes the integer part of n * seed / 2^32.
class Draws
{
public:
    explicit Draws(const QTime& utc)
        : Seed(std::uint32_t(((utc.hour() * 60 + utc.minute()) * 60 + utc.second()) * 1000 + utc.msec()))
    {
    }
    int next(int n)
    {
        Seed = Seed * 134775813u + 1u;
        return int((std::uint64_t(n) * Seed) >> 32);
    }

private:
    std::uint32_t Seed;
};

// The byte offset and size of Verdict in a journal record.
constexpr int VerdictAt = 41;
constexpr int VerdictSize = 9;

// A journal record with its Verdict field replaced by the bytes given
// (length byte and all eight character bytes, left-overs included).
inline QByteArray withVerdictField(QByteArray record, const char* hex)
{
    const QByteArray field = QByteArray::fromHex(hex);
    Q_ASSERT(field.size() == VerdictSize);
    record.replace(VerdictAt, VerdictSize, field);
    return record;
}

// The real main window in a scratch lab folder holding "1.htm" and "1.rtf",
// with the fakes it is built on. Start-up messages are dropped.
class Session
{
public:
    Session()
        : lab({QStringLiteral("1.htm"), QStringLiteral("1.rtf")})
    {
        form = std::make_unique<TForm1>(dialogs, clock, programEnd);
        form->show();
        dialogs.take();
    }

    LabFolder lab;
    FakeDialogs dialogs;
    FakeClock clock;
    FakeProgramEnd programEnd;
    Bank first;
    Bank second;
    std::unique_ptr<TForm1> form;

    template <class T>
    T* control(const char* name) const
    {
        T* found = form->findChild<T*>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

    void press(const char* name) const
    {
        QWidget* button = control<QWidget>(name);
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    }

    // Writes both banks and remembers them, so that the question on show
    // can be told by its text.
    void writeBanks(const Bank& firstBank, const Bank& secondBank, const QByteArray& firstTail = {},
                    const QByteArray& secondTail = {})
    {
        first = firstBank;
        second = secondBank;
        fixture::writeFile(lab.file(QStringLiteral("Qest.txt")), bytesOf(first) + firstTail);
        fixture::writeFile(lab.file(QStringLiteral("Qest1.txt")), bytesOf(second) + secondTail);
    }

    // Intro page, then the name and code typed and "Регистрация" pressed.
    void registerStudent(const QString& fio = QStringLiteral("Иванов И.И."),
                         const QString& code = QStringLiteral("42"))
    {
        if (page() == QLatin1String("1_1"))
            press("dxfColorButton2");
        control<QLineEdit>("EFIO")->setText(fio);
        control<QLineEdit>("EShifr")->setText(code);
        press("dxfColorButton4");
    }

    // Registered and on to the test page by "Далее...".
    void startTest(const QString& fio = QStringLiteral("Иванов И.И."), const QString& code = QStringLiteral("42"))
    {
        registerStudent(fio, code);
        QCOMPARE(page(), QStringLiteral("1_2"));
        press("dxfColorButton3");
        QCOMPARE(page(), QStringLiteral("2"));
    }

    QString page() const { return control<TNotebook>("Nb1")->ActivePage(); }
    QString number() const { return control<TglStaticText>("ST1")->Caption(); }
    QString text() const { return control<TglStaticText>("ST2")->Caption(); }
    QStringList answers() const
    {
        return {control<TglStaticText>("glStaticText1")->Caption(), control<TglStaticText>("glStaticText2")->Caption(),
                control<TglStaticText>("glStaticText3")->Caption(), control<TglStaticText>("glStaticText4")->Caption()};
    }
    TdxfTimer* timer() const { return control<TdxfTimer>("dxfTimer1"); }
    TdxfCheckBox* box(int n) const
    {
        static const char* names[] = {"dxf1", "dxf2", "dxf3", "dxf4"};
        return control<TdxfCheckBox>(names[n - 1]);
    }

    // The record on show, found by its question text in the banks written.
    const QuestionRecord* onShow() const
    {
        for (const Bank* b : {&first, &second})
            for (const QuestionRecord& r : *b)
                if (r.Question.text() == text())
                    return &r;
        return nullptr;
    }
    int rightAnswerOnShow() const
    {
        const QuestionRecord* r = onShow();
        if (!r)
            qFatal("the question on show is in no bank: %s", qPrintable(text()));
        return r->RightAnswer;
    }

    // Checks box n by a click, unless it is checked already; the group
    // releases the others.
    void choose(int n) const
    {
        if (!box(n)->Checked())
            press(QByteArray("dxf" + QByteArray::number(n)).constData());
    }
    // Leaves no box checked: a click on the checked one lets it up.
    void chooseNone() const
    {
        for (int n = 1; n <= 4; ++n)
            if (box(n)->Checked())
                press(QByteArray("dxf" + QByteArray::number(n)).constData());
    }
    // Checks the right box, or one next to it.
    void chooseAnswer(bool right) const
    {
        const int r = rightAnswerOnShow();
        choose(right ? r : r % 4 + 1);
    }
    void ok() const { press("glSpeedButton1"); }
    void answer(bool right) const
    {
        chooseAnswer(right);
        ok();
    }

    // The wall clock moves on by whole seconds.
    void pass(int seconds) { clock.advance(seconds * 1000); }

    QByteArray journal() const { return fixture::readFile(lab.file(QStringLiteral("Students.DAT"))); }
};

} // namespace testrun
