#pragma once
#include <QString>

#include <vector>

// A drawing in model space as CAD keeps it: millimetres at 1:1, entities on
// named layers. The foundation schedule is built as one of these and then
// written out in the file format the user asked for.
namespace k5::dxfexport {

// Frame: the frame of each foundation's cell; Sheet: the sheets' frames and
// title blocks; Ng: the mark of a foundation whose check fails.
enum class Layer { Outline, Column, Piles, Bars, Dimensions, Text, Frame, Ng, Sheet };
constexpr int kLayerCount = 9;
// The layer's name in the drawing: OUTLINE, COLUMN, PILES, BARS, DIMENSIONS, TEXT, FRAME, NG, SHEET.
const char* layerName(Layer layer);

struct Point {
    double x = 0, y = 0;
};

struct Polyline {
    Layer layer;
    std::vector<Point> points;
    bool closed = true;
};

struct Circle {
    Layer layer;
    Point centre;
    double radius = 0;
};

struct Line {
    Layer layer;
    Point from, to;
};

enum class TextAlign { Left, Centre, Right };

// A line of text; `at` is the left, middle or right end of its baseline.
struct Text {
    Layer layer;
    Point at;
    double height = 0; // mm in the model
    QString text;
    TextAlign align = TextAlign::Left;
    double angle = 0; // degrees anticlockwise
};

struct Drawing {
    std::vector<Polyline> polylines;
    std::vector<Circle> circles;
    std::vector<Line> lines;
    std::vector<Text> texts;
    // The extent of everything drawn.
    Point min, max;

    void add(Polyline p);
    void add(Circle c);
    void add(Line l);
    void add(Text t, double width);

  private:
    void extend(Point p);
    bool empty_ = true;
};

} // namespace k5::dxfexport
