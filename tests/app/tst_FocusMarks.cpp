// The keyboard focus mark of the custom controls: a control reached with
// Tab shows a dotted frame of inverted pixels and nothing else changes;
// after a mouse press the control looks, pixel for pixel, as a mouse user
// has always seen it.

#include "support/KeyStudent.h"
#include "support/WindowDriver.h"
#include "app/Unit1.h"

#include <QtTest>

namespace {

QImage look(QWidget* control)
{
    return control->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The pixels of b that differ from a; each must be a's pixel inverted.
int invertedPixels(const QImage& a, const QImage& b, bool* onlyInverted)
{
    int count = 0;
    *onlyInverted = a.size() == b.size();
    for (int y = 0; y < a.height() && *onlyInverted; ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y) & 0xFFFFFFu;
            const QRgb q = b.pixel(x, y) & 0xFFFFFFu;
            if (p == q)
                continue;
            ++count;
            if (q != (p ^ 0xFFFFFFu))
                *onlyInverted = false;
        }
    return count;
}

} // namespace

class tst_FocusMarks : public QObject
{
    Q_OBJECT

private slots:
    void markFromTheKeyboardOnly_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("control");
        // A box with a caption frames it whenever it has the focus, a click
        // included, as it always has.
        QTest::addColumn<bool>("framedAfterClick");
        QTest::newRow("Далее... of the intro") << "1_1" << "dxfColorButton2" << false;
        QTest::newRow("Регистрация") << "1" << "dxfColorButton4" << false;
        QTest::newRow("Далее... of the theory") << "1_2" << "dxfColorButton3" << false;
        QTest::newRow("answer box") << "2" << "dxf2" << false;
        QTest::newRow("OK") << "2" << "glSpeedButton1" << false;
        QTest::newRow("Закрыть") << "2" << "dxfColorButton1" << false;
        QTest::newRow("outlook bar") << "3" << "dxfOutlookBar1" << false;
        QTest::newRow("power button") << "3" << "SpeedButton1" << false;
        QTest::newRow("switch") << "3" << "ChS3" << true;
        QTest::newRow("parameter box") << "3" << "CB2" << true;
    }
    void markFromTheKeyboardOnly()
    {
        QFETCH(QString, page);
        QFETCH(QString, control);
        QFETCH(bool, framedAfterClick);
        WindowDriver w;
        QVERIFY(w.openPage(page));
        KeyStudent keys(w);
        QWidget* c = w.widget(control);
        QWidget* pageWidget = c->window()->findChild<QWidget*>("Page" + page);
        if (!pageWidget)
            pageWidget = w.widget(QStringLiteral("Nb1"));

        // Not focused: what a mouse user sees.
        c->clearFocus();
        const QImage unfocused = look(c);
        QVERIFY(keys.reach(control));
        const QImage marked = look(c);
        bool onlyInverted = false;
        const int changed = invertedPixels(unfocused, marked, &onlyInverted);
        QVERIFY2(changed >= 8, qPrintable(QString::number(changed)));
        QVERIFY(onlyInverted);

        // A mouse press elsewhere on the page: the focus stays, the mark goes.
        QTest::mouseClick(pageWidget, Qt::LeftButton, {}, QPoint(1, pageWidget->height() - 2));
        QCOMPARE(keys.focusedName(), control);
        QCOMPARE(look(c) == marked, framedAfterClick);
        if (!framedAfterClick)
            QVERIFY(look(c) == unfocused);
    }
};

QTEST_MAIN(tst_FocusMarks)
#include "tst_FocusMarks.moc"
