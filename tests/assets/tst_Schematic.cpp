// The bench diagram and its switch overlays as the window loads them from
// the resources: sizes, opacity, and that every overlay, shown at its place
// in the panel, continues the wires of the diagram and closes its switch.
#include <QImage>
#include <QPainter>
#include <QtTest>

namespace {

// A point (x, y) of the diagram lies at (x + 3, y + 3) of the panel PSh.
constexpr int DiagramLeftInPanel = 3;
constexpr int DiagramTopInPanel = 3;

struct Overlay {
    const char* name;
    QRect inPanel; // place and size of ISn in the panel PSh
    // Points of the diagram where a wire crosses the overlay's edge.
    QList<QPoint> wireCrossings;
    // A point between the switch's contacts: blank in the diagram, on the
    // wire once the overlay shows the switch closed (or turned to Uвых).
    QPoint bridge;
};

const QList<Overlay>& overlays()
{
    static const QList<Overlay> table = {
        {"IS1", {9, 75, 60, 113}, {{20, 72}, {65, 100}, {65, 177}}, {20, 138}},
        {"IS2", {214, 140, 36, 72}, {{225, 137}, {246, 156}, {225, 208}}, {225, 187}},
        {"IS3", {299, 113, 53, 26}, {{296, 128}, {348, 128}, {339, 135}}, {312, 128}},
        {"IS4", {271, 78, 77, 33}, {{268, 100}, {344, 100}, {288, 75}, {336, 75}}, {313, 100}},
        {"IS5", {388, 142, 70, 46}, {{426, 139}, {426, 184}}, {426, 168}},
        {"IS6", {423, 81, 66, 30},
         {{420, 100}, {426, 78}, {441, 78}, {426, 107}, {477, 107}}, {451, 100}},
        {"IS7", {402, 4, 117, 35}, {{399, 20}, {426, 35}, {515, 31}}, {464, 31}},
        {"IS8", {521, 124, 35, 64}, {{532, 121}, {532, 184}, {518, 126}, {518, 176}}, {532, 151}},
        {"IS9", {248, 109, 29, 27}, {{245, 128}, {273, 128}}, {259, 128}},
    };
    return table;
}

QRect inDiagram(const QRect& inPanel)
{
    return inPanel.translated(-DiagramLeftInPanel, -DiagramTopInPanel);
}

QImage load(const QString& name)
{
    QImage image(":/pictures/" + name);
    return image.convertToFormat(QImage::Format_ARGB32);
}

bool dark(const QImage& image, QPoint p)
{
    return qGray(image.pixel(p)) < 110;
}

bool blank(const QImage& image, QPoint p)
{
    return qGray(image.pixel(p)) > 230;
}

// The diagram with every overlay shown at its place, as the panel paints it
// when every switch is checked.
QImage composed()
{
    QImage picture = load("schematic.png");
    QPainter painter(&picture);
    for (const Overlay& overlay : overlays())
        painter.drawImage(inDiagram(overlay.inPanel).topLeft(), load(QString(overlay.name) + ".png"));
    return picture;
}

// One step out of the overlay from a point on its edge.
QPoint outward(const QRect& r, QPoint p)
{
    if (p.x() == r.left())
        return {-1, 0};
    if (p.x() == r.right())
        return {1, 0};
    if (p.y() == r.top())
        return {0, -1};
    return {0, 1};
}

} // namespace

class tst_Schematic : public QObject
{
    Q_OBJECT

private slots:
    void picturesHaveTheirSizes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::newRow("intro") << "intro.jpg" << QSize(732, 562);
        QTest::newRow("registration") << "registration.jpg" << QSize(744, 558);
        QTest::newRow("theory") << "theory.jpg" << QSize(743, 559);
        QTest::newRow("test") << "test.jpg" << QSize(743, 559);
        QTest::newRow("diagram") << "schematic.png" << QSize(553, 259);
        for (const Overlay& overlay : overlays())
            QTest::newRow(overlay.name) << QString(overlay.name) + ".png" << overlay.inPanel.size();
        QTest::newRow("switch on") << "switch-on.png" << QSize(46, 30);
        QTest::newRow("switch off") << "switch-off.png" << QSize(46, 30);
        QTest::newRow("power") << "power.png" << QSize(64, 16);
        QTest::newRow("printer") << "printer.png" << QSize(36, 18);
        QTest::newRow("exit") << "exit.png" << QSize(18, 18);
    }
    void picturesHaveTheirSizes()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        const QImage image(":/pictures/" + name);
        QVERIFY2(!image.isNull(), qPrintable(name + " does not load"));
        QCOMPARE(image.size(), size);
    }

    void overlaysLieInsideTheDiagram()
    {
        const QRect diagram = load("schematic.png").rect();
        for (const Overlay& overlay : overlays())
            QVERIFY2(diagram.contains(inDiagram(overlay.inPanel)), overlay.name);
    }

    void diagramAndOverlaysAreOpaque()
    {
        QStringList names = {"schematic.png"};
        for (const Overlay& overlay : overlays())
            names << QString(overlay.name) + ".png";
        for (const QString& name : names) {
            const QImage image = load(name);
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (qAlpha(image.pixel(x, y)) != 255)
                        QFAIL(qPrintable(QString("%1 is see-through at %2,%3").arg(name).arg(x).arg(y)));
        }
    }

    // A wire that crosses an overlay's edge is dark on both sides of it:
    // inside, drawn by the overlay; outside, by the diagram.
    void overlayWiresMeetTheDiagramWires()
    {
        const QImage picture = composed();
        for (const Overlay& overlay : overlays()) {
            const QRect r = inDiagram(overlay.inPanel);
            for (QPoint p : overlay.wireCrossings) {
                QVERIFY2(r.contains(p) && !r.adjusted(1, 1, -1, -1).contains(p),
                         qPrintable(QString("%1: probe %2,%3 is not on the edge").arg(overlay.name).arg(p.x()).arg(p.y())));
                const QPoint out = p + outward(r, p);
                QVERIFY2(dark(picture, p) && dark(picture, out),
                         qPrintable(QString("%1: the wire at %2,%3 is broken at the edge").arg(overlay.name).arg(p.x()).arg(p.y())));
            }
        }
    }

    // Along its whole border an overlay repeats the diagram pixel for
    // pixel, so shown or hidden it leaves no step or seam in a wire.
    void overlayBordersRepeatTheDiagram()
    {
        const QImage diagram = load("schematic.png");
        for (const Overlay& overlay : overlays()) {
            const QImage piece = load(QString(overlay.name) + ".png");
            const QPoint at = inDiagram(overlay.inPanel).topLeft();
            for (int y = 0; y < piece.height(); ++y) {
                for (int x = 0; x < piece.width(); ++x) {
                    if (y != 0 && y != piece.height() - 1 && x != 0 && x != piece.width() - 1)
                        continue;
                    if (piece.pixel(x, y) != diagram.pixel(at + QPoint(x, y)))
                        QFAIL(qPrintable(QString("%1 differs from the diagram at its border %2,%3")
                                             .arg(overlay.name).arg(x).arg(y)));
                }
            }
        }
    }

    // The diagram shows every switch open (S6, S7 on Uвх); each overlay
    // closes its own switch (turns S6, S7 to Uвых).
    void overlaysCloseTheirSwitches()
    {
        const QImage diagram = load("schematic.png");
        const QImage picture = composed();
        for (const Overlay& overlay : overlays()) {
            QVERIFY2(inDiagram(overlay.inPanel).contains(overlay.bridge), overlay.name);
            QVERIFY2(blank(diagram, overlay.bridge), qPrintable(QString("%1: the diagram's switch is not open").arg(overlay.name)));
            QVERIFY2(dark(picture, overlay.bridge), qPrintable(QString("%1 does not close its switch").arg(overlay.name)));
        }
    }
};

QTEST_MAIN(tst_Schematic)
#include "tst_Schematic.moc"
