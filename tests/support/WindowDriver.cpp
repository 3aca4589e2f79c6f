#include "support/WindowDriver.h"

#include "support/Draws.h"
#include "support/JournalFixture.h"
#include "app/Unit1.h"
#include "journal/StudentRecord.h"
#include "platform/Cp1251.h"
#include "widgets/controls/TImage.h"
#include "widgets/controls/TLabel.h"
#include "widgets/controls/TNotebook.h"
#include "widgets/controls/TSpeedButton.h"
#include "widgets/controls/TStaticText.h"
#include "widgets/controls/TTrackBar.h"
#include "widgets/common/ControlZoom.h"
#include "widgets/dxfCheckBox/TdxfCheckBox.h"
#include "widgets/dxfOutlookBar/TdxfOutlookBar.h"
#include "widgets/dxfOutlookBar/TdxfOutlookGroup.h"
#include "widgets/dxfTimer/TdxfTimer.h"
#include "widgets/glLabel/TglStaticText.h"

#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QSet>
#include <QTest>
#include <QTimer>

namespace {

// Counts the paint events of the widgets it watches.
class PaintWatch : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            Painted.insert(watched);
        return false;
    }
    QSet<QObject*> Painted;
};

// Every event due now, repaints included.
void runEventLoop()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

} // namespace

WindowDriver::WindowDriver()
    : WindowDriver(Setup {})
{
}

WindowDriver::WindowDriver(const Setup& setup)
{
    if (!setup.CurrentFolder)
        Lab.emplace(setup.LabFiles);
    if (setup.StartNow)
        start();
}

WindowDriver::~WindowDriver() = default;

void WindowDriver::start()
{
    Form = std::make_unique<TForm1>(Dialogs, Clock, ProgramEnd);
    Form->setPrintSetup(Print);
    Form->show();
}

// ---- The lab folder ---------------------------------------------------------

QString WindowDriver::file(const QString& name) const
{
    return Lab ? Lab->file(name) : QDir::current().filePath(name);
}

bool WindowDriver::copyFromLab(const QString& name) const
{
    return Lab && Lab->copyFromLab(name);
}

QByteArray WindowDriver::journalBytes() const
{
    return fixture::readFile(file(QStringLiteral("Students.DAT")));
}

void WindowDriver::writeBanks(const fixture::Bank& first, const fixture::Bank& second, const QByteArray& firstTail,
                              const QByteArray& secondTail) const
{
    fixture::writeFile(file(QStringLiteral("Qest.txt")), fixture::bytesOf(first) + firstTail);
    fixture::writeFile(file(QStringLiteral("Qest1.txt")), fixture::bytesOf(second) + secondTail);
}

// ---- Controls ---------------------------------------------------------------

QWidget* WindowDriver::widget(const QString& name) const
{
    QWidget* found = Form->findChild<QWidget*>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

QString WindowDriver::page() const
{
    return control<TNotebook>(QStringLiteral("Nb1"))->ActivePage();
}

QString WindowDriver::number() const
{
    return control<TglStaticText>(QStringLiteral("ST1"))->Caption();
}

QString WindowDriver::questionText() const
{
    return control<TglStaticText>(QStringLiteral("ST2"))->Caption();
}

QStringList WindowDriver::answers() const
{
    QStringList texts;
    for (int a = 1; a <= 4; ++a)
        texts << control<TglStaticText>(QStringLiteral("glStaticText%1").arg(a))->Caption();
    return texts;
}

TdxfCheckBox* WindowDriver::answerBox(int n) const
{
    return control<TdxfCheckBox>(QStringLiteral("dxf%1").arg(n));
}

TdxfTimer* WindowDriver::timer() const
{
    return control<TdxfTimer>(QStringLiteral("dxfTimer1"));
}

TdxfCheckBox* WindowDriver::sw(int n) const
{
    return control<TdxfCheckBox>(QStringLiteral("ChS%1").arg(n));
}

TImage* WindowDriver::overlay(int n) const
{
    return control<TImage>(QStringLiteral("IS%1").arg(n));
}

TdxfCheckBox* WindowDriver::box(int k) const
{
    return control<TdxfCheckBox>(QStringLiteral("CB%1").arg(k));
}

TLabel* WindowDriver::label(int n) const
{
    return control<TLabel>(QStringLiteral("Label%1").arg(n));
}

TStaticText* WindowDriver::meter(int n) const
{
    return control<TStaticText>(QStringLiteral("STP%1").arg(n));
}

TSpeedButton* WindowDriver::powerButton() const
{
    return control<TSpeedButton>(QStringLiteral("SpeedButton1"));
}

TTrackBar* WindowDriver::balanceSlider() const
{
    return control<TTrackBar>(QStringLiteral("TB1"));
}

TTrackBar* WindowDriver::inputSlider() const
{
    return control<TTrackBar>(QStringLiteral("TB2"));
}

void WindowDriver::click(QWidget* control)
{
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
}

// ---- Registration and the test ------------------------------------------------

void WindowDriver::registerStudent(const QString& name, const QString& code)
{
    if (page() == QLatin1String("1_1"))
        click(QStringLiteral("dxfColorButton2"));
    control<QLineEdit>(QStringLiteral("EFIO"))->setText(name);
    control<QLineEdit>(QStringLiteral("EShifr"))->setText(code);
    click(QStringLiteral("dxfColorButton4"));
}

bool WindowDriver::openPage(const QString& page)
{
    if (page == QLatin1String("1"))
        click(QStringLiteral("dxfColorButton2"));
    else if (page == QLatin1String("1_2"))
        registerStudent();
    else if (page == QLatin1String("2"))
        startTest();
    else if (page == QLatin1String("3"))
        return reachBench();
    return this->page() == page;
}

void WindowDriver::startTest(const QString& name, const QString& code)
{
    registerStudent(name, code);
    openTest();
}

std::optional<QuestionRecord> WindowDriver::questionOnShow() const
{
    const int q = number().mid(QStringLiteral("Вопрос № ").size()).toInt();
    const QString bankName = q <= 5 ? QStringLiteral("Qest.txt") : QStringLiteral("Qest1.txt");
    for (const QuestionRecord& r : fixture::recordsOf(fixture::readFile(file(bankName))))
        if (r.Question.text() == questionText())
            return r;
    return std::nullopt;
}

int WindowDriver::rightAnswerOnShow() const
{
    const std::optional<QuestionRecord> r = questionOnShow();
    if (!r)
        qFatal("the question on show is in no bank: %s", qPrintable(questionText()));
    return r->RightAnswer;
}

void WindowDriver::choose(int n) const
{
    if (!answerBox(n)->Checked())
        click(answerBox(n));
}

void WindowDriver::chooseNone() const
{
    for (int n = 1; n <= 4; ++n)
        if (answerBox(n)->Checked())
            click(answerBox(n));
}

void WindowDriver::chooseAnswer(bool right) const
{
    const int r = rightAnswerOnShow();
    if (r >= 1 && r <= 4)
        choose(right ? r : r % 4 + 1);
}

void WindowDriver::ok(int times) const
{
    for (int i = 0; i < times; ++i)
        click(QStringLiteral("glSpeedButton1"));
}

void WindowDriver::answer(bool right) const
{
    chooseAnswer(right);
    ok();
}

void WindowDriver::takeTest(int rightAnswers) const
{
    for (int q = 0; q < 10; ++q)
        answer(q < rightAnswers);
}

void WindowDriver::passTest() const
{
    openTest();
    takeTest(10);
}

bool WindowDriver::reachBench(const QString& name, const QString& code)
{
    registerStudent(name, code);
    passTest();
    const QStringList shown = Dialogs.take();
    return page() == QLatin1String("3") && shown == QStringList {QStringLiteral("message: Правильных ответов - 10")};
}

bool WindowDriver::countdownTicks() const
{
    const QTimer* interval = timer()->findChild<QTimer*>();
    return interval && interval->isActive();
}

// ---- The bench --------------------------------------------------------------------

void WindowDriver::showGroup(int n) const
{
    auto* bar = control<TdxfOutlookBar>(QStringLiteral("dxfOutlookBar1"));
    auto* group = control<TdxfOutlookGroup>(QStringLiteral("OutlookGroup%1").arg(n));
    // The header where the bar shows it (zoomed with its page).
    QTest::mouseClick(bar, Qt::LeftButton, {}, ControlZoom::toShown(bar, bar->HeaderRect(group)).center());
}

void WindowDriver::setSwitch(int n, bool on) const
{
    if (sw(n)->Checked() != on)
        click(sw(n));
}

void WindowDriver::setSwitches(const char* pattern) const
{
    for (int n = 1; n <= 9; ++n)
        if (pattern[n - 1] != '-')
            setSwitch(n, pattern[n - 1] == '1');
}

void WindowDriver::tick(int k) const
{
    if (!box(k)->Checked())
        click(box(k));
}

void WindowDriver::tickOnly(int k) const
{
    for (int other = 1; other <= 6; ++other)
        if (box(other)->Checked() != (other == k))
            click(box(other));
}

const char* WindowDriver::powerOnSet(int k)
{
    // S7 stands on Uвх for the offset voltage and the input currents.
    return k == 2 || k == 3 ? "011111000" : "011111100";
}

void WindowDriver::powerOnFor(int k, int drawn)
{
    tick(k);
    setSwitches(powerOnSet(k));
    steerDraw(50, drawn);
    pressPower();
}

namespace {

void moveSlider(TTrackBar* slider, int position)
{
    slider->setFocus();
    while (slider->Position() > position)
        QTest::keyClick(slider, Qt::Key_Left);
    while (slider->Position() < position)
        QTest::keyClick(slider, Qt::Key_Right);
}

} // namespace

void WindowDriver::balance() const
{
    moveSlider(balanceSlider(), 0);
}

void WindowDriver::moveInput(int q) const
{
    moveSlider(inputSlider(), q);
}

void WindowDriver::steerDraw(int n, int value)
{
    for (int ms = 0; ms < 24 * 3600 * 1000; ++ms) {
        const QTime utc = QTime::fromMSecsSinceStartOfDay(ms);
        if (Draws(utc).next(n) == value) {
            Clock.Utc = utc;
            return;
        }
    }
    qFatal("no time of day draws %d below %d", value, n);
}

void WindowDriver::startMeasurement(int k) const
{
    tickOnly(k);
    setSwitches(powerOnSet(k));
    pressPower();
    balance();
}

void WindowDriver::firstReading(int k, int drawn, int input)
{
    powerOnFor(k, drawn);
    balance();
    steerDraw(100, input);
    setSwitch(1, true);
}

void WindowDriver::measureOffsetVoltage() const
{
    startMeasurement(2);
    setSwitch(6, false);
}

void WindowDriver::measureInputCurrents() const
{
    startMeasurement(3);
    setSwitch(3, false);
    balance();
    setSwitch(6, false);
    setSwitch(3, true);
    setSwitch(4, false);
    setSwitch(6, true);
    balance();
    setSwitch(6, false);
}

void WindowDriver::measureInputResistance() const
{
    startMeasurement(4);
    setSwitch(1, true);
    setSwitch(1, false);
    setSwitch(3, false);
    setSwitch(4, false);
    balance();
    setSwitch(1, true);
}

void WindowDriver::measureOutputResistance() const
{
    startMeasurement(5);
    setSwitch(1, true);
    setSwitch(5, false);
}

void WindowDriver::measureCommonModeRejection() const
{
    startMeasurement(6);
    setSwitch(1, true);
    setSwitch(8, true);
    setSwitch(9, true);
    setSwitch(7, false);
}

// ---- What the window shows ----------------------------------------------------------

QString WindowDriver::switchStates() const
{
    QString states;
    for (int n = 1; n <= 9; ++n)
        states += sw(n)->Checked() ? QLatin1Char('1') : QLatin1Char('0');
    return states;
}

QString WindowDriver::meterColour(int n) const
{
    return meter(n)->Color().name();
}

bool WindowDriver::powerOn() const
{
    return powerButton()->Down();
}

bool WindowDriver::switchedOff() const
{
    return !powerOn() && meterColour(1) == QLatin1String("clGray") && meterColour(2) == QLatin1String("clGray");
}

QString WindowDriver::doneFlags(int record) const
{
    const QByteArray bytes = journalBytes().mid(record * int(sizeof(StudentRecord)), int(sizeof(StudentRecord)));
    if (bytes.size() != int(sizeof(StudentRecord)))
        return QString();
    QString flags;
    for (int k = 0; k < 6; ++k) {
        const int at = int(offsetof(StudentRecord, Done1)) + 2 * k;
        flags += bytes[at] == 1 ? QChar::fromLatin1(bytes[at + 1]) : QLatin1Char('?');
    }
    return flags;
}

QString WindowDriver::workMark(int record) const
{
    const QByteArray bytes = journalBytes().mid(record * int(sizeof(StudentRecord)), int(sizeof(StudentRecord)));
    if (bytes.size() != int(sizeof(StudentRecord)))
        return QString();
    const int at = int(offsetof(StudentRecord, WorkMark));
    return Cp1251::decode(bytes.constData() + at + 1, std::min<int>(quint8(bytes[at]), 10));
}

QStringList WindowDriver::repainted(const std::function<void()>& action, const QStringList& names) const
{
    runEventLoop();
    PaintWatch watch;
    for (const QString& name : names)
        widget(name)->installEventFilter(&watch);
    action();
    runEventLoop();
    QStringList painted;
    for (const QString& name : names) {
        widget(name)->removeEventFilter(&watch);
        if (watch.Painted.contains(widget(name)))
            painted << name;
    }
    return painted;
}

void WindowDriver::addSeparatorRows(const char* name, const std::function<void(QTestData&)>& row)
{
    for (QChar separator : {QLatin1Char(','), QLatin1Char('.')}) {
        QTestData& data = QTest::addRow("%s, %s", name, separator == QLatin1Char(',') ? "comma" : "point");
        data << separator;
        row(data);
    }
}
