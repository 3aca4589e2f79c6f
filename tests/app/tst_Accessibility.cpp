// What a screen reader finds on each page: every control a student uses
// with its name, role and state, read in-process through Qt's
// accessibility; and the notices it is sent when a reading, a state or a
// name changes.

#include "support/WindowDriver.h"
#include "app/Unit1.h"
#include "widgets/controls/TStaticText.h"
#include "widgets/controls/TTrackBar.h"
#include "widgets/common/AccessibleNotice.h"
#include "widgets/dxfCheckBox/TdxfCheckBox.h"

#include <QAccessible>
#include <QtTest>

namespace {

// The interface's state as words: "checked", "unchecked" (checkable, not
// checked), "selected", "focusable".
QStringList stateWords(const QAccessibleInterface* iface)
{
    const QAccessible::State s = iface->state();
    QStringList words;
    if (s.checkable)
        words << (s.checked ? "checked" : "unchecked");
    if (s.selected)
        words << "selected";
    if (s.focusable)
        words << "focusable";
    return words;
}

// The events the controls send, as "<object> <type>".
struct Notices
{
    Notices()
    {
        AccessibleNotice::setListener([this](const QAccessibleEvent& e) {
            QObject* o = e.object();
            if (!o && e.accessibleInterface() && e.accessibleInterface()->parent())
                o = e.accessibleInterface()->parent()->object();
            QString line = (o ? o->objectName() : QString("?")) + ' ';
            if (e.type() == QAccessible::ValueChanged)
                line += "value " + static_cast<const QAccessibleValueChangeEvent&>(e).value().toString();
            else if (e.type() == QAccessible::StateChanged)
                line += "state";
            else if (e.type() == QAccessible::NameChanged)
                line += "name";
            else
                line += QString::number(int(e.type()));
            Seen << line;
        });
    }
    ~Notices() { AccessibleNotice::setListener({}); }
    QStringList Seen;
};

} // namespace

class tst_Accessibility : public QObject
{
    Q_OBJECT

private slots:
    // Every control a student uses, page by page. A name of "*" is any
    // text but an empty one (the question and answers drawn at random).
    void everyControlIsNamed_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QStringList>("state");
        const QStringList button {"focusable"};
        auto row = [](const char* page, const char* control, QAccessible::Role role, const QString& name,
                      const QString& description, const QStringList& state) {
            QTest::addRow("%s %s", page, control) << page << control << int(role) << name << description << state;
        };
        row("1_1", "Page1_1", QAccessible::Client, "Лабораторная работа: измерение параметров операционного усилителя", "", {});
        row("1_1", "dxfColorButton2", QAccessible::Button, "Далее...", "", button);
        row("1", "EFIO", QAccessible::EditableText, "Ф.И.О.", "", button);
        row("1", "EShifr", QAccessible::EditableText, "Шифр", "", button);
        row("1", "dxfColorButton4", QAccessible::Button, "Регистрация", "", button);
        row("1_2", "WebBrowser1", QAccessible::StaticText, "Краткие теоритические сведения", "", button);
        row("1_2", "dxfColorButton3", QAccessible::Button, "Далее...", "", button);
        row("2", "Page2", QAccessible::Client, "Тестирование", "", {});
        row("2", "ST1", QAccessible::StaticText, "Вопрос № 1", "", {});
        row("2", "ST2", QAccessible::StaticText, "*", "", {});
        row("2", "glStaticText1", QAccessible::StaticText, "*", "", {});
        row("2", "dxf1", QAccessible::RadioButton, "*", "", {"checked", "focusable"});
        row("2", "dxf4", QAccessible::RadioButton, "*", "", {"unchecked", "focusable"});
        row("2", "dxfTimer1", QAccessible::StaticText, "Осталось секунд", "45", {});
        row("2", "glSpeedButton1", QAccessible::Button, "OK", "Подтвердите ответ", button);
        row("2", "dxfColorButton1", QAccessible::Button, "Закрыть", "отказ от работы", button);
        row("3", "CB1", QAccessible::CheckBox, "Коэффициент усиления", "", {"unchecked", "focusable"});
        row("3", "CB6", QAccessible::CheckBox, "Коэфициент ослабления с.с.", "", {"unchecked", "focusable"});
        row("3", "dxfOutlookBar1", QAccessible::PageTabList, "Выполнение лабораторной работы", "", button);
        row("3", "OutlookGroup1", QAccessible::Pane, "Выполнение лабораторной работы", "", {});
        row("3", "ChS1", QAccessible::CheckBox, "S1", "S1 выкл.", {"unchecked", "focusable"});
        row("3", "ChS6", QAccessible::CheckBox, "S6", "S6 Uвх", {"unchecked", "focusable"});
        row("3", "SpeedButton1", QAccessible::Button, "Питание", "Выкл.", {"unchecked", "focusable"});
        row("3", "TB1", QAccessible::Slider, "Баланс ОУ", "", button);
        row("3", "TB2", QAccessible::Slider, "U~", "", button);
        row("3", "STP1", QAccessible::StaticText, "Вольтметр 1", "", {});
        row("3", "STP2", QAccessible::StaticText, "Вольтметр 2", "", {});
        row("3", "Label2", QAccessible::StaticText, "U вых = ", "", {});
        row("3", "Label14", QAccessible::StaticText, "Rвх= ", "", {});
        row("3", "BitBtn2", QAccessible::Button, "Печать экрана", "", button);
        row("3", "BitBtn1", QAccessible::Button, "Выход", "", button);
    }
    void everyControlIsNamed()
    {
        QFETCH(QString, page);
        QFETCH(QString, control);
        QFETCH(int, role);
        QFETCH(QString, name);
        QFETCH(QString, description);
        QFETCH(QStringList, state);
        WindowDriver w;
        QVERIFY(w.openPage(page));
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w.widget(control));
        QVERIFY(iface && iface->isValid());
        QCOMPARE(int(iface->role()), role);
        if (name == "*")
            QVERIFY(!iface->text(QAccessible::Name).trimmed().isEmpty());
        else
            QCOMPARE(iface->text(QAccessible::Name), name);
        QCOMPARE(iface->text(QAccessible::Description), description);
        QCOMPARE(stateWords(iface), state);
    }

    // Whatever the table leaves out: every control that Tab reaches on a
    // page has a name, and its place on the screen.
    void everyTabStopHasAName_data()
    {
        QTest::addColumn<QString>("page");
        for (const char* page : {"1_1", "1", "1_2", "2", "3"})
            QTest::newRow(page) << page;
    }
    void everyTabStopHasAName()
    {
        QFETCH(QString, page);
        WindowDriver w;
        QVERIFY(w.openPage(page));
        QWidget* shown = w.widget("Page" + page);
        QStringList nameless;
        for (QWidget* c : shown->findChildren<QWidget*>()) {
            if (!(c->focusPolicy() & Qt::TabFocus) || !c->isVisibleTo(shown) || c->objectName().startsWith("qt_"))
                continue;
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(c);
            if (!iface || iface->text(QAccessible::Name).trimmed().isEmpty() || iface->rect().isEmpty())
                nameless << c->objectName();
        }
        QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(' ')));
    }

    // The headers of the outlook bar as page tabs, the shown one selected;
    // pressing the other shows its group.
    void outlookHeadersArePageTabs()
    {
        WindowDriver w;
        QVERIFY(w.reachBench());
        QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(w.widget("dxfOutlookBar1"));
        QAccessibleInterface* first = bar->child(0);
        QAccessibleInterface* second = bar->child(1);
        QCOMPARE(first->role(), QAccessible::PageTab);
        QCOMPARE(first->text(QAccessible::Name), QString("Выполнение лабораторной работы"));
        QCOMPARE(second->text(QAccessible::Name), QString("Методические указания"));
        QCOMPARE(stateWords(first), QStringList({"selected", "focusable"}));
        QCOMPARE(bar->indexOfChild(second), 1);
        QCOMPARE(second->parent(), bar);
        // A header keeps its one interface, which a screen reader holds on
        // to; the panes of the groups come after the headers.
        const QAccessible::Id id = QAccessible::uniqueId(second);
        QCOMPARE(QAccessible::uniqueId(bar->child(1)), id);
        QAccessibleInterface* pane = QAccessible::queryAccessibleInterface(w.widget("OutlookGroup1"));
        QVERIFY(bar->indexOfChild(pane) >= 2);
        QCOMPARE(bar->child(bar->indexOfChild(pane)), pane);
        second->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_VERIFY(w.widget("RichEdit1")->isVisible());
        QCOMPARE(stateWords(second), QStringList({"selected", "focusable"}));
        QCOMPARE(stateWords(first), QStringList({"focusable"}));
    }

    // A screen reader's "press" and "toggle" work the controls as a click,
    // once its call has returned.
    void actionsWorkAsClicks()
    {
        WindowDriver w;
        QVERIFY(w.reachBench());
        auto act = [&](const char* control, const QString& action) {
            QAccessible::queryAccessibleInterface(w.widget(control))->actionInterface()->doAction(action);
        };
        act("ChS2", QAccessibleActionInterface::toggleAction());
        QVERIFY(!w.sw(2)->Checked());
        QTRY_COMPARE(w.sw(2)->Caption(), QString("S2 вкл."));
        act("SpeedButton1", QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(w.Dialogs.Shown.size(), 1);
        QCOMPARE(w.Dialogs.take().last(), QString("error: Неправильно установлены тумблеры."));
        QVERIFY(!w.powerOn());
    }

    // The notices a screen reader is sent: a meter's new reading, a
    // switch's state, the question's new text, the header selected.
    void changesAreAnnounced_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("notice");
        QTest::newRow("meter reading") << "balance" << "STP1 value - 0,7";
        QTest::newRow("switch") << "switch" << "ChS1 state";
        QTest::newRow("box") << "box" << "CB3 state";
        QTest::newRow("switch caption") << "switch" << "ChS1 name";
        QTest::newRow("power") << "power" << "SpeedButton1 state";
        QTest::newRow("outlook header") << "group" << "dxfOutlookBar1 state";
    }
    void changesAreAnnounced()
    {
        QFETCH(QString, action);
        QFETCH(QString, notice);
        WindowDriver w;
        QVERIFY(w.reachBench());
        Notices notices;
        if (action == "balance") {
            w.balanceSlider()->setPosition(-7);
        } else if (action == "switch") {
            w.setSwitch(1, true);
        } else if (action == "box") {
            w.tick(3);
        } else if (action == "power") {
            w.startMeasurement(1);
        } else if (action == "group") {
            w.showGroup(2);
        }
        QVERIFY2(notices.Seen.contains(notice), qPrintable(notices.Seen.join('\n')));
    }

    // The next question is told by the new texts of the question and the
    // number; the answer boxes are named by the new answers.
    void nextQuestionIsAnnounced()
    {
        WindowDriver w;
        w.startTest();
        Notices notices;
        w.ok();
        QVERIFY(notices.Seen.contains("ST1 name"));
        QVERIFY(notices.Seen.contains("ST2 name"));
        for (int n = 1; n <= 4; ++n)
            QCOMPARE(QAccessible::queryAccessibleInterface(w.answerBox(n))->text(QAccessible::Name), w.answers()[n - 1]);
        QAccessibleInterface* meter = QAccessible::queryAccessibleInterface(w.widget("ST1"));
        QCOMPARE(meter->text(QAccessible::Name), QString("Вопрос № 2"));
    }

    // A voltmeter's value: its reading as a number, none while it is empty.
    void meterValueIsItsReading()
    {
        WindowDriver w;
        QVERIFY(w.reachBench());
        QAccessibleInterface* meter = QAccessible::queryAccessibleInterface(w.meter(1));
        QVERIFY(meter->valueInterface());
        QCOMPARE(meter->valueInterface()->currentValue(), QVariant());
        w.balanceSlider()->setPosition(-7);
        QCOMPARE(meter->text(QAccessible::Value), w.meter(1)->Caption());
        QCOMPARE(meter->valueInterface()->currentValue().toDouble(), -0.7);
        w.balanceSlider()->setPosition(23);
        QCOMPARE(meter->valueInterface()->currentValue().toDouble(), 2.3);
    }
};

QTEST_MAIN(tst_Accessibility)
#include "tst_Accessibility.moc"
