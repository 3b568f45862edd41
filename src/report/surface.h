#pragma once
#include <QColor>
#include <QString>

// The drawing surface of the calculation report. A page is drawn in
// millimetres on an A4 sheet (210 × 297, origin top-left, Y downwards) and
// never learns whether it lands on the preview picture, the printer, a PDF
// file or a test recorder.
namespace k5::report {

inline constexpr double kPageWidthMm = 210;
inline constexpr double kPageHeightMm = 297;

// The smallest text a page prints, in points of the sheet: smaller text is
// not read reliably on paper.
inline constexpr double kSmallestTextPoints = 5;

// No text is drawn over its neighbour or cut at the edge of its room: a text
// `width` mm wide at `size` points that is wider than the `room` its cell or
// column gives it is drawn smaller, by the factor returned, but never under
// `smallest` points. 1 when it fits. The preview, the printer and the PDF
// all place their text through this one rule.
double shrinkToFit(double width, double room, double size, double smallest);

// Line patterns by their stored codes.
enum class PenStyle { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4 };

// Interior of boxes and circles: solid in the fill colour, or outline only.
enum class FillStyle { Solid = 0, Transparent = 1 };

class Surface {
  public:
    virtual ~Surface() = default;

    // Erases the whole sheet to white (used on the preview picture, whose
    // previous page is still there; a printed sheet starts empty).
    virtual void clear() = 0;

    // Face name as the report stores it ("ＭＳ 明朝" …); an empty name keeps the current face.
    virtual void setFontFace(const QString& face) = 0;
    virtual void setFontSize(double points) = 0;
    virtual double fontSize() const = 0;
    virtual void setTextColor(const QColor& color) = 0;

    // Width of lines, box and circle outlines in device pixels.
    virtual void setPenWidth(int pixels) = 0;
    virtual void setPenStyle(PenStyle style) = 0;
    virtual void setFillStyle(FillStyle style) = 0;
    virtual void setFillColor(const QColor& color) = 0;

    // Text is written with its top-left corner at the current position.
    virtual void setPosition(double x, double y) = 0;
    virtual double currentX() const = 0;
    virtual double currentY() const = 0;

    // Writes at the current position and moves the current X to the end of the text.
    virtual void writeText(const QString& text) = 0;
    virtual double textWidth(const QString& text) const = 0;
    virtual double textHeight(const QString& text) const = 0;

    void line(double x1, double y1, double x2, double y2, const QColor& color = Qt::black) {
        drawLine(x1, y1, x2, y2, color);
    }
    // The rectangle with the two points as opposite corners, filled by the fill style.
    void box(double x1, double y1, double x2, double y2, const QColor& color = Qt::black) {
        drawBox(x1, y1, x2, y2, color);
    }
    void circle(double cx, double cy, double radius, const QColor& color = Qt::black) {
        drawCircle(cx, cy, radius, color);
    }

  protected:
    virtual void drawLine(double x1, double y1, double x2, double y2, const QColor& color) = 0;
    virtual void drawBox(double x1, double y1, double x2, double y2, const QColor& color) = 0;
    virtual void drawCircle(double cx, double cy, double radius, const QColor& color) = 0;
};

} // namespace k5::report
