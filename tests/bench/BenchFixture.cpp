#include "bench/BenchFixture.h"

#include "platform/Cp1251.h"
#include "admission/RandomGenerator.h"
#include "journal/StudentRecord.h"
#include "platform/controls/TImage.h"
#include "platform/controls/TLabel.h"
#include "platform/controls/TNotebook.h"
#include "platform/controls/TSpeedButton.h"
#include "platform/controls/TStaticText.h"
#include "platform/controls/TTrackBar.h"
#include "widgets/dxfCheckBox/TdxfCheckBox.h"
#include "app/Unit1.h"

#include <QFile>
#include <QLineEdit>
#include <QTest>

namespace {

template <class T>
T* find(const TForm1& form, const QString& name)
{
    T* found = form.findChild<T*>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

} // namespace

BenchFixture::BenchFixture()
    : Form(std::make_unique<TForm1>(Dialogs, Clock, ProgramEnd))
    , Student(std::make_unique<StudentActions>(*Form))
{
    Form->show();
}

BenchFixture::~BenchFixture() = default;

QWidget* BenchFixture::widget(const QString& name) const
{
    return find<QWidget>(*Form, name);
}

TdxfCheckBox* BenchFixture::sw(int n) const
{
    return find<TdxfCheckBox>(*Form, QStringLiteral("ChS%1").arg(n));
}

TImage* BenchFixture::overlay(int n) const
{
    return find<TImage>(*Form, QStringLiteral("IS%1").arg(n));
}

TdxfCheckBox* BenchFixture::box(int k) const
{
    return find<TdxfCheckBox>(*Form, QStringLiteral("CB%1").arg(k));
}

TLabel* BenchFixture::label(int n) const
{
    return find<TLabel>(*Form, QStringLiteral("Label%1").arg(n));
}

TStaticText* BenchFixture::meter(int n) const
{
    return find<TStaticText>(*Form, QStringLiteral("STP%1").arg(n));
}

TSpeedButton* BenchFixture::powerButton() const
{
    return find<TSpeedButton>(*Form, QStringLiteral("SpeedButton1"));
}

TTrackBar* BenchFixture::balanceSlider() const
{
    return find<TTrackBar>(*Form, QStringLiteral("TB1"));
}

TTrackBar* BenchFixture::inputSlider() const
{
    return find<TTrackBar>(*Form, QStringLiteral("TB2"));
}

void BenchFixture::registerStudent(const QString& name, const QString& code)
{
    click(QStringLiteral("dxfColorButton2"));
    find<QLineEdit>(*Form, QStringLiteral("EFIO"))->setText(name);
    find<QLineEdit>(*Form, QStringLiteral("EShifr"))->setText(code);
    click(QStringLiteral("dxfColorButton4"));
}

void BenchFixture::passTest()
{
    click(QStringLiteral("dxfColorButton3"));
    Student->takeTest(10);
}

bool BenchFixture::reachBench(const QString& name, const QString& code)
{
    registerStudent(name, code);
    passTest();
    const QStringList shown = Dialogs.take();
    return find<TNotebook>(*Form, QStringLiteral("Nb1"))->ActivePage() == QStringLiteral("3")
        && shown == QStringList {QStringLiteral("message: Правильных ответов - 10")};
}

void BenchFixture::setSwitches(const char* pattern)
{
    for (int n = 1; n <= 9; ++n)
        if (pattern[n - 1] != '-')
            setSwitch(n, pattern[n - 1] == '1');
}

void BenchFixture::tick(int k)
{
    if (!box(k)->Checked())
        click(box(k));
}

const char* BenchFixture::powerOnSet(int k)
{
    // S7 stands on Uвх for the offset voltage and the input currents.
    return k == 2 || k == 3 ? "011111000" : "011111100";
}

void BenchFixture::powerOnFor(int k, int drawn)
{
    tick(k);
    setSwitches(powerOnSet(k));
    steerDraw(50, drawn);
    pressPower();
}

QString BenchFixture::switchStates() const
{
    QString states;
    for (int n = 1; n <= 9; ++n)
        states += sw(n)->Checked() ? QLatin1Char('1') : QLatin1Char('0');
    return states;
}

QString BenchFixture::meterColour(int n) const
{
    return meter(n)->Color().name();
}

bool BenchFixture::powerOn() const
{
    return powerButton()->Down();
}

void BenchFixture::steerDraw(int n, int value)
{
    for (int ms = 0; ms < 24 * 3600 * 1000; ++ms) {
        RandomGenerator generator;
        generator.setSeed(std::uint32_t(ms));
        if (generator.draw(n) == value) {
            Clock.Utc = QTime::fromMSecsSinceStartOfDay(ms);
            return;
        }
    }
    qFatal("no time of day draws %d below %d", value, n);
}

void BenchFixture::addSeparatorRows(const char* name, const std::function<void(QTestData&)>& row)
{
    for (QChar separator : {QLatin1Char(','), QLatin1Char('.')}) {
        QTestData& data = QTest::addRow("%s, %s", name, separator == QLatin1Char(',') ? "comma" : "point");
        data << separator;
        row(data);
    }
}

QByteArray BenchFixture::journalBytes() const
{
    QFile file(Lab.file(QStringLiteral("Students.DAT")));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

QString BenchFixture::doneFlags(int record) const
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

QString BenchFixture::workMark(int record) const
{
    const QByteArray bytes = journalBytes().mid(record * int(sizeof(StudentRecord)), int(sizeof(StudentRecord)));
    if (bytes.size() != int(sizeof(StudentRecord)))
        return QString();
    const int at = int(offsetof(StudentRecord, WorkMark));
    return Cp1251::decode(bytes.constData() + at + 1, std::min<int>(quint8(bytes[at]), 10));
}
