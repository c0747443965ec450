#pragma once

#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>

#include <vector>

// One thing painted, in page pixels.
struct Drawn
{
    QString what; // the text, or "rule" (a line), "band" (a rectangle), "path" (a stretch of a path)
    QRectF box; // around it, turned as it was painted
    QPolygonF points; // a rule's or a path's points in order
    QPen pen;
    QColor fill; // invalid when not filled
    bool bold = false; // a text's font
    bool smooth = false; // painted antialiased
};

// Inside `area`, give or take a pixel of rounding.
inline bool within(const QRectF &area, const QRectF &box)
{
    return box.left() > area.left() - 1 && box.right() < area.right() + 1 && box.top() > area.top() - 1
        && box.bottom() < area.bottom() + 1;
}

// A printer, A4 landscape, that keeps what is painted on it, page by page.
class RecordingPrinter : public QPrinter, private QPaintEngine
{
public:
    RecordingPrinter() : QPrinter(QPrinter::HighResolution), QPaintEngine(AllFeatures)
    {
        setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
    }
    QPaintEngine *paintEngine() const override { return const_cast<RecordingPrinter *>(this); }
    bool newPage() override { return !paperOut && pages.emplace_back().empty(); }
    QRect page() const { return QRect(QPoint(0, 0), pageLayout().paintRectPixels(resolution()).size()); }
    std::vector<std::vector<Drawn>> pages{1};
    bool paperOut = false; // no next page

private:
    using QPaintEngine::drawLines;
    using QPaintEngine::drawRects;
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override { }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override { }
    Type type() const override { return User; }
    void add(const QString &what, const QPolygonF &points, bool bold = false)
    {
        const QPolygonF onPage = painter()->combinedTransform().map(points);
        const QBrush &brush = painter()->brush();
        pages.back().push_back({what, onPage.boundingRect(), onPage, painter()->pen(),
                                brush.style() == Qt::NoBrush ? QColor() : brush.color(), bold,
                                painter()->testRenderHint(QPainter::Antialiasing)});
    }
    void drawTextItem(const QPointF &at, const QTextItem &text) override
    {
        add(text.text(), QRectF(at.x(), at.y() - text.ascent(), text.width(), text.ascent() + text.descent()),
            text.font().bold());
    }
    void drawRects(const QRectF *rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            add(QStringLiteral("band"), rects[i]);
    }
    void drawLines(const QLineF *lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            add(QStringLiteral("rule"), QPolygonF{lines[i].p1(), lines[i].p2()});
    }
    void drawPath(const QPainterPath &path) override
    {
        for (const QPolygonF &stretch : path.toSubpathPolygons())
            add(QStringLiteral("path"), stretch);
    }
};
