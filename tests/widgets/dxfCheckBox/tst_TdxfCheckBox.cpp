#include "widgets/dxfCheckBox/TdxfCheckBox.h"

#include "widgets/dxfCheckBox/GlyphStrip.h"

#include <QSignalSpy>
#include <QTest>

namespace {

QRgb rgbOf(TColor c)
{
    return c.toQColor().rgb();
}

QImage shot(QWidget& w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The strip cell as a box of that look must show it: the cell with its
// transparent colour replaced by the box's colour.
QImage expectedCell(int index, TColor colour)
{
    const int side = GlyphStrip::cellSize();
    QImage cell = GlyphStrip::image().copy(index * side, 0, side, side).convertToFormat(QImage::Format_RGB32);
    const QRgb transparent = cell.pixel(0, side - 1);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            if (cell.pixel(x, y) == transparent)
                cell.setPixel(x, y, rgbOf(colour));
    return cell;
}

// Presses and releases the left button as the window system reports a
// double click: press, release, double click, release.
void doubleClick(QWidget& w)
{
    const QPoint at(5, 5);
    QTest::mousePress(&w, Qt::LeftButton, {}, at);
    QTest::mouseRelease(&w, Qt::LeftButton, {}, at);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(at), w.mapToGlobal(QPointF(at)), Qt::LeftButton,
                    Qt::LeftButton, {});
    QApplication::sendEvent(&w, &dbl);
    QTest::mouseRelease(&w, Qt::LeftButton, {}, at);
}

} // namespace

class tst_TdxfCheckBox : public QObject
{
    Q_OBJECT

private slots:
    void glyphStripIsBuiltIn()
    {
        QCOMPARE(GlyphStrip::image().size(), QSize(1008, 18));
        QCOMPARE(GlyphStrip::cellSize(), 18);
        QCOMPARE(GlyphStrip::groupCount(), 14);
        // Every cell: magenta at the bottom left, and something drawn.
        for (int cell = 0; cell < 56; ++cell) {
            const QImage c = GlyphStrip::image().copy(cell * 18, 0, 18, 18);
            QCOMPARE(c.pixel(0, 17), qRgb(255, 0, 255));
            int drawn = 0;
            for (int y = 0; y < 18; ++y)
                for (int x = 0; x < 18; ++x)
                    drawn += c.pixel(x, y) != qRgb(255, 0, 255);
            QVERIFY2(drawn > 20, qPrintable(QString::number(cell)));
        }
        // The four cells of a look differ from each other.
        for (int style = 0; style < 14; ++style)
            for (int a = 0; a < 4; ++a)
                for (int b = a + 1; b < 4; ++b)
                    QVERIFY(GlyphStrip::image().copy((style * 4 + a) * 18, 0, 18, 18)
                            != GlyphStrip::image().copy((style * 4 + b) * 18, 0, 18, 18));
    }

    void storedFormProperties()
    {
        QWidget page;
        TdxfCheckBox box(&page);
        QVERIFY(box.setProperty("Tag", 3));
        QVERIFY(box.setProperty("GroupIndex", 2));
        QVERIFY(box.setProperty("Checked", true));
        QVERIFY(box.setProperty("Color", "clTeal"));
        QVERIFY(box.setProperty("Alignment", "taLeftJustify"));
        QVERIFY(box.setProperty("Style", 14));
        QVERIFY(box.setProperty("AutoSize", false));
        QCOMPARE(box.property("Tag").toInt(), 3);
        QCOMPARE(box.GroupIndex(), 2);
        QVERIFY(box.Checked());
        QCOMPARE(box.Color(), clTeal);
        QVERIFY(!box.ParentColor());
        QCOMPARE(box.Alignment(), TdxfCheckBox::taLeftJustify);
        QCOMPARE(box.Style(), 14);
        QVERIFY(!box.AutoSize());

        // Pictures by path, as the form names them.
        QImage picture(46, 30, QImage::Format_RGB32);
        picture.fill(Qt::green);
        QVERIFY(picture.save("switch_on.png"));
        QVERIFY(box.setProperty("GlyphCheckedPicture", "switch_on.png"));
        QCOMPARE(box.GlyphChecked().size(), QSize(46, 30));
        QCOMPARE(box.GlyphCheckedPicture(), QStringLiteral("switch_on.png"));
        QVERIFY(box.setProperty("GlyphUnCheckedPicture", ":/dxfCheckBox/checkbox.bmp"));
        QCOMPARE(box.GlyphUnChecked().size(), QSize(1008, 18));
        // A picture set directly replaces the named one.
        box.setGlyphChecked(QImage());
        QVERIFY(box.GlyphCheckedPicture().isEmpty());
    }

    void styleIsClamped_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("stored");
        QTest::newRow("0") << 0 << 1;
        QTest::newRow("-5") << -5 << 1;
        QTest::newRow("7") << 7 << 7;
        QTest::newRow("14") << 14 << 14;
        QTest::newRow("20") << 20 << 14;
    }

    void styleIsClamped()
    {
        QFETCH(int, value);
        QFETCH(int, stored);
        TdxfCheckBox box;
        box.setStyle(value);
        QCOMPARE(box.Style(), stored);
    }

    void codeRaisesOnClickOnlyForAChange()
    {
        TdxfCheckBox box;
        bool stateInHandler = false;
        int clicks = 0;
        connect(&box, &TdxfCheckBox::OnClick, this, [&](QObject* sender) {
            QCOMPARE(sender, &box);
            stateInHandler = box.Checked();
            ++clicks;
        });
        box.setChecked(true);
        QCOMPARE(clicks, 1);
        QVERIFY(stateInHandler);
        box.setChecked(true);
        QCOMPARE(clicks, 1);
        box.setChecked(false);
        QCOMPARE(clicks, 2);
        QVERIFY(!stateInHandler);
    }

    void groupOfFour()
    {
        QWidget page, otherPage;
        TdxfCheckBox* boxes[4];
        for (auto*& b : boxes) {
            b = new TdxfCheckBox(&page);
            b->setGroupIndex(2);
        }
        TdxfCheckBox independent(&page);
        TdxfCheckBox elsewhere(&otherPage);
        elsewhere.setGroupIndex(2);
        independent.setChecked(true);
        elsewhere.setChecked(true);
        boxes[0]->setChecked(true);

        QSignalSpy first(boxes[0], &TdxfCheckBox::OnClick);
        QSignalSpy third(boxes[2], &TdxfCheckBox::OnClick);
        boxes[2]->setChecked(true);
        QVERIFY(!boxes[0]->Checked());
        QVERIFY(boxes[2]->Checked());
        QCOMPARE(first.count(), 0); // released without its handler
        QCOMPARE(third.count(), 1);
        QVERIFY(independent.Checked());
        QVERIFY(elsewhere.Checked());

        // A user click on another member moves the check.
        boxes[1]->Click();
        QVERIFY(boxes[1]->Checked());
        QVERIFY(!boxes[2]->Checked());
        QCOMPARE(third.count(), 1);

        // AllowAllUp (the default): the checked box may be clicked off.
        QSignalSpy second(boxes[1], &TdxfCheckBox::OnClick);
        boxes[1]->Click();
        QVERIFY(!boxes[1]->Checked());
        QCOMPARE(second.count(), 1);
        for (auto* b : boxes)
            QVERIFY(!b->Checked());
    }

    void groupWithoutAllowAllUp()
    {
        QWidget page;
        TdxfCheckBox a(&page), b(&page);
        for (TdxfCheckBox* box : {&a, &b}) {
            box->setGroupIndex(2);
            box->setAllowAllUp(false);
        }
        a.setChecked(true);
        QSignalSpy clicks(&a, &TdxfCheckBox::OnClick);
        // Clicking the checked box leaves it checked, but still clicks.
        a.Click();
        QVERIFY(a.Checked());
        QCOMPARE(clicks.count(), 1);
        // Code asking to uncheck is refused too, and still raises OnClick.
        a.setChecked(false);
        QVERIFY(a.Checked());
        QCOMPARE(clicks.count(), 2);
        // Checking the other one still releases it.
        b.setChecked(true);
        QVERIFY(!a.Checked());
        QCOMPARE(clicks.count(), 2);
    }

    void negativeGroup()
    {
        QWidget page;
        TdxfCheckBox a(&page), b(&page);
        a.setGroupIndex(-1);
        b.setGroupIndex(-1);
        a.setChecked(true);
        b.setChecked(true);
        // No release among negative groups, and no way back up.
        QVERIFY(a.Checked());
        QSignalSpy clicks(&a, &TdxfCheckBox::OnClick);
        a.Click();
        QVERIFY(a.Checked());
        QCOMPARE(clicks.count(), 1);
    }

    void mouseAndKeyboard()
    {
        TdxfCheckBox box;
        box.setCaption("S1 выкл.");
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QSignalSpy clicks(&box, &TdxfCheckBox::OnClick);

        QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(box.Checked());
        QCOMPARE(clicks.count(), 1);
        QVERIFY(box.hasFocus());

        // A press released outside is no click; nor is the right button.
        QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(500, 5));
        QTest::mouseClick(&box, Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(clicks.count(), 1);

        // Each press of a double click toggles.
        doubleClick(box);
        QVERIFY(box.Checked());
        QCOMPARE(clicks.count(), 3);

        // The space bar toggles when it is let go.
        QTest::keyPress(&box, Qt::Key_Space);
        QVERIFY(box.Checked());
        QTest::keyRelease(&box, Qt::Key_Space);
        QVERIFY(!box.Checked());
        QCOMPARE(clicks.count(), 4);
        QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ", true);
        QApplication::sendEvent(&box, &repeat);
        QCOMPARE(clicks.count(), 4);

        // A disabled box takes no clicks.
        box.setEnabled(false);
        QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(clicks.count(), 4);
    }

    void autoSize()
    {
        QWidget page;
        QFont font = page.font();
        font.setPixelSize(11);
        page.setFont(font);
        TdxfCheckBox box(&page);
        box.setAutoSize(false);
        box.setAutoSize(true);
        QCOMPARE(box.size(), QSize(22, 18));

        // A caption set before the window exists leaves the stored size.
        box.resize(142, 18);
        box.setCaption("Коэффициент усиления");
        QCOMPARE(box.size(), QSize(142, 18));
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        box.setCaption("Напряжение смещения");
        const int textWidth = QFontMetrics(box.font()).horizontalAdvance("Напряжение смещения");
        QCOMPARE(box.size(), QSize(textWidth + 22, 18));

        // Own pictures set the height; a larger font the width.
        QImage lever(46, 30, QImage::Format_RGB32);
        lever.fill(Qt::red);
        box.setGlyphUnChecked(lever);
        QCOMPARE(box.size(), QSize(textWidth + 50, 30));
        font.setPixelSize(40);
        box.setFont(font);
        QCOMPARE(box.height(), QFontMetrics(font).height() + 2);

        // Without AutoSize nothing moves.
        box.setAutoSize(false);
        box.resize(95, 30);
        box.setCaption("S1 вкл.");
        box.setGlyphChecked(lever);
        QCOMPARE(box.size(), QSize(95, 30));
    }

    void paintsTheLookOfItsStyle()
    {
        QWidget page;
        TdxfCheckBox box(&page);
        box.setAutoSize(false);
        box.resize(60, 24);
        box.setColor(clTeal);
        for (int style = 1; style <= 14; ++style) {
            box.setStyle(style);
            for (bool enabled : {true, false}) {
                box.setEnabled(enabled);
                for (bool checked : {false, true}) {
                    box.setChecked(checked);
                    const int cell = 4 * (style - 1) + (checked ? 1 : 0) + (enabled ? 0 : 2);
                    const QImage face = shot(box);
                    // The picture at the left, centred in the height.
                    const int top = (box.height() - 18) / 2;
                    QCOMPARE(face.copy(0, top, 18, 18), expectedCell(cell, clTeal));
                    QCOMPARE(face.pixel(box.width() - 1, 0), rgbOf(clTeal));
                }
            }
        }
    }

    void ownPicturesOverrideTheStrip()
    {
        TdxfCheckBox box;
        box.setAutoSize(false);
        box.resize(60, 20);
        box.setColor(clWhite);
        box.setStyle(9);
        // Bottom-left pixel red: red is transparent; the rest blue.
        QImage picture(10, 6, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        picture.setPixel(0, 5, qRgb(255, 0, 0));
        picture.setPixel(4, 2, qRgb(255, 0, 0));
        box.setGlyphChecked(picture);
        box.setChecked(true);

        // gw x gh is the larger of the own picture and a strip cell.
        QImage face = shot(box);
        const int top = (20 - 18) / 2 + (18 - 6) / 2;
        const int left = (18 - 10) / 2;
        QCOMPARE(face.pixel(left + 1, top + 1), qRgb(0, 0, 255));
        QCOMPARE(face.pixel(left + 4, top + 2), rgbOf(clWhite));
        QCOMPARE(face.pixel(left, top + 5), rgbOf(clWhite));
        QCOMPARE(face.pixel(left + 9, top + 5), qRgb(0, 0, 255));
        // Unchecked still takes the strip.
        box.setChecked(false);
        face = shot(box);
        QCOMPARE(face.copy(0, 1, 18, 18), expectedCell(32, clWhite));

        // At the right edge with the caption on the left.
        box.setAlignment(TdxfCheckBox::taLeftJustify);
        box.setChecked(true);
        face = shot(box);
        QCOMPARE(face.pixel(60 - 18 + left + 1, top + 1), qRgb(0, 0, 255));
        QCOMPARE(face.pixel(left + 1, top + 1), rgbOf(clWhite));
    }

    void withoutStripNoPicture()
    {
        const QImage saved = GlyphStrip::image();
        GlyphStrip::setImage(QImage());
        TdxfCheckBox box;
        box.setColor(clTeal);
        box.setChecked(true);
        box.setStyle(20);
        QCOMPARE(box.Style(), 20);
        const QImage face = shot(box);
        for (int y = 0; y < face.height(); ++y)
            for (int x = 0; x < face.width(); ++x)
                QCOMPARE(face.pixel(x, y), rgbOf(clTeal));
        box.setAutoSize(false);
        box.setAutoSize(true);
        QCOMPARE(box.width(), 4);
        GlyphStrip::setImage(saved);
        QCOMPARE(GlyphStrip::groupCount(), 14);
    }

    void engravedCaptionWhenDisabled()
    {
        TdxfCheckBox box;
        box.setAutoSize(false);
        box.resize(150, 20);
        QFont font = box.font();
        font.setPixelSize(14);
        font.setStyleStrategy(QFont::NoAntialias);
        box.setFont(font);
        box.setColor(clTeal);
        box.setCaption("Входные токи");
        auto count = [](const QImage& face, QRgb colour) {
            int n = 0;
            for (int y = 0; y < face.height(); ++y)
                for (int x = 22; x < face.width(); ++x)
                    n += face.pixel(x, y) == colour;
            return n;
        };
        QImage face = shot(box);
        QVERIFY(count(face, qRgb(0, 0, 0)) > 20);
        QCOMPARE(count(face, rgbOf(clGray)), 0);
        box.setEnabled(false);
        face = shot(box);
        QCOMPARE(count(face, qRgb(0, 0, 0)), 0);
        QVERIFY(count(face, rgbOf(clGray)) > 20);
        QVERIFY(count(face, rgbOf(clWhite)) > 5);
    }

    void focusRectangleAroundTheCaption()
    {
        QWidget window;
        TdxfCheckBox box(&window);
        TdxfCheckBox other(&window);
        other.move(0, 40);
        box.setColor(clTeal);
        box.setCaption("Входные токи");
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        other.setFocus();
        QTRY_VERIFY(other.hasFocus());
        const QImage unfocused = shot(box);
        box.setFocus();
        QTRY_VERIFY(box.hasFocus());
        const QImage focused = shot(box);

        // The rectangle's top-left corner: right of the picture, a pixel
        // above the text; the colour there is inverted.
        const int th = QFontMetrics(box.font()).height();
        const int top = std::max((box.height() - th) / 2 - 1, 0);
        const QRgb teal = rgbOf(clTeal);
        const QRgb inverted = qRgb(255 - qRed(teal), 255 - qGreen(teal), 255 - qBlue(teal));
        QCOMPARE(unfocused.pixel(20, top), teal);
        QCOMPARE(focused.pixel(20, top), inverted);
        // Nothing changes over the picture.
        QCOMPARE(focused.copy(0, 0, 19, box.height()), unfocused.copy(0, 0, 19, box.height()));

        // Without a caption there is no rectangle.
        box.setCaption(QString());
        const QImage bare = shot(box);
        other.setFocus();
        QTRY_VERIFY(other.hasFocus());
        QCOMPARE(shot(box), bare);
    }

    void parentColour()
    {
        QWidget page;
        page.setProperty("Color", QVariant::fromValue(clAqua));
        QWidget panel(&page);
        TdxfCheckBox box(&panel);
        QCOMPARE(box.Color(), clAqua);
        box.setColor(clTeal);
        QCOMPARE(box.Color(), clTeal);
        box.setParentColor(true);
        QCOMPARE(box.Color(), clAqua);

        TdxfCheckBox orphan;
        QCOMPARE(orphan.Color(), clBtnFace);
    }
};

QTEST_MAIN(tst_TdxfCheckBox)
#include "tst_TdxfCheckBox.moc"
