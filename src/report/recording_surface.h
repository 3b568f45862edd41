#pragma once
#include "report/surface.h"

#include <QList>

namespace k5::report {

// A surface that keeps everything drawn on it, for checking a page's
// content without pixels. Text is measured by a fixed rule so that
// positions are exact and independent of installed fonts: a half-width
// character is half an em wide, every other character a full em, and a line
// is one em high (an em being the font size in millimetres).
class RecordingSurface : public Surface {
  public:
    struct Text {
        QString text;
        double x = 0;
        double y = 0;
        double size = 0;
        QString face;
        QColor color;
        int order = 0; // place in the drawing sequence: later is on top
    };
    struct Line {
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        int width = 0;
        PenStyle style = PenStyle::Solid;
        QColor color;
        int order = 0;
    };
    struct Box {
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        int width = 0;
        QColor color;
        FillStyle fillStyle = FillStyle::Transparent;
        QColor fillColor;
        int order = 0;
    };
    struct Circle {
        double cx = 0, cy = 0, radius = 0;
        int width = 0;
        QColor color;
        FillStyle fillStyle = FillStyle::Transparent;
        QColor fillColor;
        int order = 0;
    };

    static double emOf(double points) { return points * 25.4 / 72; }

    void clear() override;
    void setFontFace(const QString& face) override;
    void setFontSize(double points) override { size_ = points; }
    double fontSize() const override { return size_; }
    void setTextColor(const QColor& color) override { textColor_ = color; }
    void setPenWidth(int pixels) override { penWidth_ = pixels; }
    void setPenStyle(PenStyle style) override { penStyle_ = style; }
    void setFillStyle(FillStyle style) override { fillStyle_ = style; }
    void setFillColor(const QColor& color) override { fillColor_ = color; }
    void setPosition(double x, double y) override { x_ = x, y_ = y; }
    double currentX() const override { return x_; }
    double currentY() const override { return y_; }
    void writeText(const QString& text) override;
    double textWidth(const QString& text) const override;
    double textHeight(const QString& text) const override;

    int clears = 0;
    QList<Text> texts;
    QList<Line> lines;
    QList<Box> boxes;
    QList<Circle> circles;

    // The texts written on a row whose top is at y (raised and lowered parts
    // included), in the order written.
    QList<Text> textsNear(double y, double tolerance = 1.0) const;
    // The first text exactly equal to `text`, or nullptr.
    const Text* find(const QString& text) const;

  protected:
    void drawLine(double x1, double y1, double x2, double y2, const QColor& color) override;
    void drawBox(double x1, double y1, double x2, double y2, const QColor& color) override;
    void drawCircle(double cx, double cy, double radius, const QColor& color) override;

  private:
    int drawn_ = 0;
    QString face_;
    double size_ = 10;
    QColor textColor_ = Qt::black;
    int penWidth_ = 1;
    PenStyle penStyle_ = PenStyle::Solid;
    FillStyle fillStyle_ = FillStyle::Transparent;
    QColor fillColor_ = Qt::white;
    double x_ = 0;
    double y_ = 0;
};

} // namespace k5::report
