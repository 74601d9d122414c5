#pragma once

#include <QColor>
#include <QImage>
#include <QSizeF>
#include <QString>
#include <array>
#include <optional>

namespace corvanta::platform {

// The units a page can be drawn in: twips (1/1440 inch, the fresh unit) or millimetres.
enum class ScaleUnit { Twip, Millimetre };
enum class LineStyle { Solid, Dash, Dot };
// Whether a box drawn with box() is filled with the fill colour.
enum class FillStyle { Solid, Transparent };

// Everything a page keeps between operations. Positions are in the scale unit, from the
// top left corner of the printable area; line widths are in device pixels; font sizes in
// points.
struct PageState {
    ScaleUnit unit = ScaleUnit::Twip;
    double x = 0;
    double y = 0;
    QString fontName;
    double fontSize = 0;
    bool bold = false;
    bool italic = false;
    // The width of the letters, in percent of the font's own.
    int fontStretch = 100;
    QColor foreColor = Qt::black;
    int lineWidth = 1;
    LineStyle lineStyle = LineStyle::Solid;
    FillStyle fillStyle = FillStyle::Transparent;
    QColor fillColor = Qt::black;

    bool operator==(const PageState&) const = default;
};

// The settings a printer document starts with: twips, Arial 10 points regular, black,
// pen 1, solid lines, transparent black fill, position (0, 0).
PageState freshPrinterState();

// One operation as a page reports it to its implementation's note() (the recording page
// keeps them). `numbers` holds the call's numeric arguments in order: coordinates, a size,
// a width, a flag as 0 or 1, or a picture's size in its own pixels after its position.
struct PageOperation {
    enum class Kind {
        ScaleUnit,
        FontName,
        FontSize,
        Bold,
        Italic,
        ForeColor,
        LineWidth,
        LineStyle,
        FillStyle,
        FillColor,
        CurrentX,
        CurrentY,
        PrintLine,
        PrintOnLine,
        EmptyLine,
        Line,
        LineTo,
        Box,
        FilledBox,
        Point,
        Picture,
        EndDocument,
        FontStretch,
    };
    Kind kind;
    std::array<double, 4> numbers{};
    QString text;
    std::optional<QColor> colour;
};

// A page that reports are drawn on: the printer, the export canvas or a recording for
// tests. A text is placed by its top left corner at the current position. How each
// operation moves the current position is fixed here, once for every implementation:
// - printLine: x = 0, y + the text height of the printed text;
// - printOnLine (and printNumber): x + the text width, y unchanged;
// - emptyLine: x = 0, y + the line height of the current font;
// - line, lineTo, box, filledBox: the second point; point: that point;
// - picture and every setting: no move.
// A page is one document: after endDocument() every operation is a corvanta::Error.
// Failures of the device are corvanta::Error as well.
class Page {
  public:
    virtual ~Page();
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    const PageState& state() const { return state_; }

    // Changing the unit keeps the current position where it is on the page.
    void setScaleUnit(ScaleUnit unit);
    // The printable area, in the scale unit.
    double scaleWidth() const;
    double scaleHeight() const;

    double currentX() const { return state_.x; }
    double currentY() const { return state_.y; }
    void setCurrentX(double x);
    void setCurrentY(double y);

    // "Arial" is drawn with Liberation Sans.
    void setFontName(const QString& name);
    void setFontSize(double points);
    void setBold(bool bold);
    void setItalic(bool italic);
    // Narrower (or wider) letters, in percent of the font's own width: 1 to 400.
    void setFontStretch(int percent);
    // Colour of texts, and of lines and points drawn without a colour of their own.
    void setForeColor(const QColor& colour);
    // Device pixels, at least 1.
    void setLineWidth(int pixels);
    void setLineStyle(LineStyle style);
    void setFillStyle(FillStyle style);
    void setFillColor(const QColor& colour);

    // In the scale unit and the current font. The height of any one-line text, the empty
    // text included, is the line height of the font.
    double textWidth(const QString& text) const;
    double textHeight(const QString& text) const;

    void printLine(const QString& text);
    void printOnLine(const QString& text);
    // A number as a report prints it, staying on the line: " 10 ", "-5 ".
    void printNumber(int value);
    void emptyLine();

    void line(double x1, double y1, double x2, double y2);
    void line(double x1, double y1, double x2, double y2, const QColor& colour);
    void lineTo(double x2, double y2);
    void lineTo(double x2, double y2, const QColor& colour);
    // Outline in the fore colour, filled with the fill colour when the fill style is solid.
    void box(double x1, double y1, double x2, double y2);
    // Filled with the colour given, outline included.
    void filledBox(double x1, double y1, double x2, double y2, const QColor& colour);
    // A dot of the line width.
    void point(double x, double y);
    void point(double x, double y, const QColor& colour);
    // At its natural size (its own resolution, 96 dots per inch when it has none), upper
    // left corner at (x, y), copied over what is there.
    void picture(const QImage& image, double x, double y);

    // Ends the page and hands the document over (printer) or completes it (canvas).
    void endDocument();
    bool ended() const { return ended_; }

    // The text a number prints as: its digits between a sign place and a blank.
    static QString numberText(int value);

  protected:
    // `fresh` holds the settings a new document starts with.
    explicit Page(const PageState& fresh);

    // The device, as the implementation knows it.
    virtual double dotsPerInch() const = 0;
    virtual QSizeF printableMillimetres() const = 0;
    // Extents in device pixels of a text in the font of state().
    virtual double textWidthDots(const QString& text) const = 0;
    virtual double lineHeightDots() const = 0;
    // Drawing in device pixels from the printable area's corner, with the pen, fill and
    // font of state(). Box corners come in any order.
    virtual void drawText(double x, double y, const QString& text) = 0;
    virtual void drawLine(double x1, double y1, double x2, double y2, const QColor& colour) = 0;
    virtual void drawBox(double x1, double y1, double x2, double y2, const QColor& outline,
                         const std::optional<QColor>& fill) = 0;
    virtual void drawPoint(double x, double y, const QColor& colour) = 0;
    virtual void drawPicture(double x, double y, double width, double height,
                             const QImage& image) = 0;
    virtual void finish() = 0;
    // Called after every operation has taken effect; nothing by default.
    virtual void note(const PageOperation& operation);

  private:
    double dots(double units) const;
    double units(double dots) const;
    void ensureOpen() const;
    void done(PageOperation::Kind kind, std::array<double, 4> numbers = {},
              const QString& text = QString(), std::optional<QColor> colour = std::nullopt);
    void printText(const QString& text, bool endLine);
    void drawSegment(double x1, double y1, double x2, double y2, const QColor& colour,
                     PageOperation::Kind kind, std::optional<QColor> given);
    void dot(double x, double y, const QColor& colour, std::optional<QColor> given);

    PageState state_;
    bool ended_ = false;
};

}  // namespace corvanta::platform
