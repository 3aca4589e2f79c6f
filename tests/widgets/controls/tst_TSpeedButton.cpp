// The latching speed button: clicks and Down in and out of groups, the
// release of group members, dragging, and the look with its glyph frames.
#include "widgets/controls/TSpeedButton.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

const QRgb Key = qRgb(255, 0, 255);
// The colours of the four frames: up, disabled, clicked, down.
const QRgb FrameColour[4] = {qRgb(0, 0, 200), qRgb(0, 200, 0), qRgb(200, 0, 0), qRgb(200, 200, 0)};

// Four 16 x 16 frames on the key colour, each with a 12 x 12 block.
QImage powerGlyph()
{
    QImage strip(64, 16, QImage::Format_RGB32);
    strip.fill(Key);
    for (int i = 0; i < 4; ++i)
        for (int y = 2; y < 14; ++y)
            for (int x = 2; x < 14; ++x)
                strip.setPixel(16 * i + x, y, FrameColour[i]);
    return strip;
}

void click(QWidget* w, QPoint at = QPoint())
{
    QTest::mouseClick(w, Qt::LeftButton, {}, at.isNull() ? w->rect().center() : at);
}

// The power button of the bench.
void makePowerButton(TSpeedButton& b)
{
    b.resize(65, 25);
    b.setCaption(QString("Выкл."));
    b.setGroupIndex(1);
    b.setAllowAllUp(true);
    b.setGlyph(powerGlyph());
    b.setNumGlyphs(4);
    b.setMargin(5);
    b.setSpacing(5);
}

} // namespace

class tst_TSpeedButton : public QObject
{
    Q_OBJECT

private slots:
    void plainButtonClicksWithoutLatching()
    {
        TSpeedButton b;
        b.resize(40, 20);
        QSignalSpy clicks(&b, &TSpeedButton::OnClick);
        click(&b);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(clicks.at(0).at(0).value<QObject*>(), &b);
        QVERIFY(!b.Down());
        b.setDown(true);
        QVERIFY(!b.Down());
        QCOMPARE(b.State(), TSpeedButton::bsUp);
    }

    void groupedClickTogglesBeforeOnClick_data()
    {
        QTest::addColumn<bool>("allowAllUp");
        QTest::addColumn<QList<bool>>("downAfterEachClick");
        QTest::newRow("all up allowed") << true << QList<bool>{true, false, true};
        QTest::newRow("one always down") << false << QList<bool>{true, true, true};
    }
    void groupedClickTogglesBeforeOnClick()
    {
        QFETCH(bool, allowAllUp);
        QFETCH(QList<bool>, downAfterEachClick);
        QWidget parent;
        TSpeedButton b(&parent);
        makePowerButton(b);
        b.setAllowAllUp(allowAllUp);
        QList<bool> seenInHandler;
        connect(&b, &TSpeedButton::OnClick, this, [&] { seenInHandler << b.Down(); });
        for (int i = 0; i < downAfterEachClick.size(); ++i)
            click(&b);
        QCOMPARE(seenInHandler, downAfterEachClick);
        QCOMPARE(b.State(), downAfterEachClick.last() ? TSpeedButton::bsExclusive : TSpeedButton::bsUp);
    }

    void downFromCodeRaisesNothing()
    {
        QWidget parent;
        TSpeedButton b(&parent);
        makePowerButton(b);
        QSignalSpy clicks(&b, &TSpeedButton::OnClick);
        b.setDown(true);
        QVERIFY(b.Down());
        b.setDown(false);
        QVERIFY(!b.Down());
        QCOMPARE(clicks.count(), 0);
    }

    void goingDownReleasesTheGroupUnderTheSameParent()
    {
        QWidget panel;
        QWidget otherPanel;
        TSpeedButton a(&panel);
        TSpeedButton b(&panel);
        TSpeedButton otherGroup(&panel);
        TSpeedButton elsewhere(&otherPanel);
        for (TSpeedButton* x : {&a, &b, &otherGroup, &elsewhere}) {
            x->resize(30, 20);
            x->setGroupIndex(1);
        }
        otherGroup.setGroupIndex(2);
        a.setDown(true);
        otherGroup.setDown(true);
        elsewhere.setDown(true);
        QSignalSpy aClicks(&a, &TSpeedButton::OnClick);

        click(&b);
        QVERIFY(b.Down());
        QVERIFY(!a.Down());
        QCOMPARE(a.State(), TSpeedButton::bsUp);
        QVERIFY(otherGroup.Down());
        QVERIFY(elsewhere.Down());

        a.setDown(true); // from code: releases b silently as well
        QVERIFY(!b.Down());
        QCOMPARE(aClicks.count(), 0);
    }

    void dragOutAndBackIn()
    {
        QWidget parent;
        TSpeedButton b(&parent);
        makePowerButton(b);
        QSignalSpy clicks(&b, &TSpeedButton::OnClick);

        QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(b.State(), TSpeedButton::bsDown);
        QTest::mouseMove(&b, QPoint(100, 10));
        QCOMPARE(b.State(), TSpeedButton::bsUp);
        QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(100, 10));
        QCOMPARE(clicks.count(), 0);
        QVERIFY(!b.Down());

        QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseMove(&b, QPoint(100, 10));
        QTest::mouseMove(&b, QPoint(20, 12));
        QCOMPARE(b.State(), TSpeedButton::bsDown);
        QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(20, 12));
        QCOMPARE(clicks.count(), 1);
        QVERIFY(b.Down());
    }

    void doubleClickTogglesTwice()
    {
        QWidget parent;
        TSpeedButton b(&parent);
        makePowerButton(b);
        QSignalSpy clicks(&b, &TSpeedButton::OnClick);
        QSignalSpy doubles(&b, &TSpeedButton::OnDblClick);
        click(&b);
        QTest::mouseDClick(&b, Qt::LeftButton, {}, b.rect().center());
        QTest::mouseRelease(&b, Qt::LeftButton, {}, b.rect().center());
        QCOMPARE(clicks.count(), 2);
        QCOMPARE(doubles.count(), 1);
        QVERIFY(!b.Down());
    }

    void disabledButtonRaisesNothing()
    {
        QWidget parent;
        TSpeedButton b(&parent);
        makePowerButton(b);
        b.setEnabled(false);
        QSignalSpy clicks(&b, &TSpeedButton::OnClick);
        click(&b);
        QCOMPARE(clicks.count(), 0);
        QVERIFY(!b.Down());
        QCOMPARE(b.State(), TSpeedButton::bsDisabled);
    }

    void lookShowsTheFrameOfTheState()
    {
        QWidget parent;
        TSpeedButton b(&parent);
        makePowerButton(b);
        // The glyph stands at the margin, centred vertically: (5, 5).
        auto shot = [&] { return b.grab().toImage(); };
        QImage up = shot();
        QCOMPARE(up.pixel(5 + 6, 5 + 6), FrameColour[0]);
        QCOMPARE(up.pixel(5, 5), clBtnFace.toQColor().rgb()); // the key colour is left out
        QCOMPARE(up.pixel(0, 0), clBtnHighlight.toQColor().rgb());
        QCOMPARE(up.pixel(64, 24), cl3DDkShadow.toQColor().rgb());

        QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(10, 10));
        QImage held = shot();
        QCOMPARE(held.pixel(6 + 6, 6 + 6), FrameColour[2]);
        QCOMPARE(held.pixel(0, 0), cl3DDkShadow.toQColor().rgb());
        QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(10, 10));

        QVERIFY(b.Down());
        QImage down = shot();
        QCOMPARE(down.pixel(6 + 6, 6 + 6), FrameColour[3]);
        QCOMPARE(down.pixel(6 + 2, 6 + 2), FrameColour[3]);
        QCOMPARE(down.pixel(5 + 2, 5 + 2) == FrameColour[3], false); // shifted one right and down

        b.setEnabled(false);
        QCOMPARE(shot().pixel(6 + 6, 6 + 6), FrameColour[1]); // disabled while down: no shift
        QCOMPARE(shot().pixel(5 + 6, 5 + 6), FrameColour[1]);
    }

    void captionFollowsGlyphAndSpacing()
    {
        QWidget parent;
        TSpeedButton b(&parent);
        makePowerButton(b);
        QFont font = b.font();
        font.setPixelSize(11);
        b.setFont(font);
        const QImage up = b.grab().toImage();
        // The caption begins at margin + glyph + spacing = 26.
        const QRgb face = clBtnFace.toQColor().rgb();
        int first = -1;
        for (int x = 3; x < 62 && first < 0; ++x)
            for (int y = 3; y < 22; ++y)
                if (up.pixel(x, y) != face && !(x >= 5 && x < 21 && y >= 5 && y < 21)) {
                    first = x;
                    break;
                }
        QVERIFY2(first >= 26 && first <= 28, qPrintable(QString::number(first)));
    }

    void disabledFrameIsEngravedWhenMissing()
    {
        TSpeedButton b;
        b.resize(30, 30);
        QImage glyph(8, 8, QImage::Format_RGB32);
        glyph.fill(Key);
        glyph.setPixel(3, 3, qRgb(0, 0, 0));
        b.setGlyph(glyph);
        b.setEnabled(false);
        const QImage shot = b.grab().toImage();
        // Glyph at ((30 - 8 + 1) / 2, (30 - 8 + 1) / 2) = (11, 11).
        QCOMPARE(shot.pixel(14, 14), clBtnShadow.toQColor().rgb());
        QCOMPARE(shot.pixel(15, 15), clBtnHighlight.toQColor().rgb());
    }

    void propertiesFromTheStoredForm()
    {
        TSpeedButton b;
        QVERIFY(b.setProperty("Layout", "blGlyphTop"));
        QCOMPARE(b.Layout(), TSpeedButton::blGlyphTop);
        QVERIFY(b.setProperty("FontColor", "clRed"));
        QCOMPARE(b.FontColor(), clRed);
        b.setNumGlyphs(9);
        QCOMPARE(b.NumGlyphs(), 4);
    }
};

QTEST_MAIN(tst_TSpeedButton)
#include "tst_TSpeedButton.moc"
