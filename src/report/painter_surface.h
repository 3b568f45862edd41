#pragma once
#include "report/surface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QPointF>
#include <map>
#include <memory>

namespace k5::report {

// What the report measures of its texts on one paint device, kept while its
// pages are drawn. Every page measures the same labels and units again, and
// the table engine measures a text several times before it places it (as
// written, shrunk, raised pieces): the metrics of a face at a size are found
// once, and each text is shaped once for its width. Measures are those of
// the device's resolution, so one set serves one device.
class TextMeasures {
  public:
    struct OfFont {
        OfFont(const QFont& font, const QPaintDevice* device) : metrics(font, device) {}
        double advance(const QString& text);

        QFontMetricsF metrics;
        QHash<QString, double> advances;
    };

    explicit TextMeasures(const QPaintDevice* device) : device_(device) {}
    const QPaintDevice* device() const { return device_; }

    // The measures of a font; the reference holds until a later call meets a
    // font not measured before.
    OfFont& of(const QFont& font);

  private:
    const QPaintDevice* device_;
    std::map<QFont, OfFont> fonts_;
};

// The report surface over a QPainter on any paint device: a QImage or
// QPixmap for the preview, a printer or PDF writer for paper.
//
// Millimetres are mapped to device pixels by the scale given; font sizes are
// points of the device itself (its logical resolution), which is why the
// preview scales its font sizes with the width of its picture. The face
// names the report uses are drawn with the IPA faces of the same shape.
class PainterSurface : public Surface {
  public:
    // `measures` (of the painter's device) is shared by the surfaces of one
    // document, one surface at a time; without it the surface keeps its own.
    PainterSurface(QPainter& painter, double pixelsPerMmX, double pixelsPerMmY,
                   TextMeasures* measures = nullptr);
    // Not copied: a copy would hold on to measures its original may drop.
    PainterSurface(const PainterSurface&) = delete;
    PainterSurface& operator=(const PainterSurface&) = delete;

    // The preview picture: the whole device is the sheet, 210 × 297 units
    // whatever its size in pixels.
    static PainterSurface forPicture(QPainter& painter);
    // Paper (printer, PDF): millimetres at the device's resolution, from the
    // origin the painter already has (a printer's printable area).
    static PainterSurface forPaper(QPainter& painter, TextMeasures* measures = nullptr);

    // The width of a preview picture in twips (1440 to the inch at its
    // resolution), from which the preview font sizes are scaled.
    static double widthInTwips(const QPaintDevice& device);

    // The installed face that draws a report face name.
    static QString familyFor(const QString& face);

    void clear() override;
    void setFontFace(const QString& face) override;
    void setFontSize(double points) override;
    double fontSize() const override { return font_.pointSizeF(); }
    void setTextColor(const QColor& color) override { textColor_ = color; }
    void setPenWidth(int pixels) override { penWidth_ = pixels; }
    void setPenStyle(PenStyle style) override { penStyle_ = style; }
    void setFillStyle(FillStyle style) override { fillStyle_ = style; }
    void setFillColor(const QColor& color) override { fillColor_ = color; }
    void setPosition(double x, double y) override { position_ = {x, y}; }
    double currentX() const override { return position_.x(); }
    double currentY() const override { return position_.y(); }
    void writeText(const QString& text) override;
    double textWidth(const QString& text) const override;
    double textHeight(const QString& text) const override;

  protected:
    void drawLine(double x1, double y1, double x2, double y2, const QColor& color) override;
    void drawBox(double x1, double y1, double x2, double y2, const QColor& color) override;
    void drawCircle(double cx, double cy, double radius, const QColor& color) override;

  private:
    QPointF toDevice(double x, double y) const { return {x * scaleX_, y * scaleY_}; }
    QPen outlinePen(const QColor& color) const;
    QBrush fillBrush() const;
    TextMeasures::OfFont& measures() const;
    void fontChanged();

    QPainter& painter_;
    double scaleX_;
    double scaleY_;
    QFont font_;
    std::shared_ptr<TextMeasures> ownMeasures_;
    TextMeasures* measures_;
    // The measures of the current font, found again after it changes.
    mutable TextMeasures::OfFont* current_ = nullptr;
    // The painter gets the font again only when it has changed.
    bool painterHasFont_ = false;
    QColor textColor_ = Qt::black;
    int penWidth_ = 1;
    PenStyle penStyle_ = PenStyle::Solid;
    FillStyle fillStyle_ = FillStyle::Transparent;
    QColor fillColor_ = Qt::white;
    QPointF position_;
};

} // namespace k5::report
