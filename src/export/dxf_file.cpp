#include "export/dxf_file.h"

#include "platform/cp932.h"

#include <dl_dxf.h>
#include <dl_writer_ascii.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>

namespace k5::dxfexport {
namespace {

// dxflib's writer streams its groups into a std::ofstream of its own, which
// can neither report a write that failed nor write under the scratch name
// the program replaces files through. This writer receives the same groups
// and keeps them in memory; the file is then replaced in one step. Lines end
// in CR LF, as the library's writer ends them on the systems the drawings
// are opened on.
class MemoryWriter final : public DL_WriterA {
  public:
    explicit MemoryWriter(DL_Codes::version version) : DL_WriterA("", version) {}

    void dxfReal(int gc, double value) const override {
        std::array<char, 32> buffer{};
        const double v = std::isfinite(value) && std::fabs(value) >= 1e-9 ? value : 0.0;
        auto [end, ec] =
            std::to_chars(buffer.data(), buffer.data() + buffer.size(), v, std::chars_format::fixed);
        std::string text(buffer.data(), ec == std::errc() ? end : buffer.data());
        if (text.find('.') == std::string::npos) text += ".0";
        group(gc, text);
    }
    void dxfInt(int gc, int value) const override { group(gc, std::to_string(value)); }
    void dxfHex(int gc, int value) const override {
        std::array<char, 16> buffer{};
        auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, 16);
        std::string text(buffer.data(), ec == std::errc() ? end : buffer.data());
        for (char& c : text)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        group(gc, text);
    }
    void dxfString(int gc, const char* value) const override { group(gc, value); }
    void dxfString(int gc, const std::string& value) const override { group(gc, value); }

    QByteArray bytes() const { return QByteArray(out_.data(), static_cast<qsizetype>(out_.size())); }
    size_t size() const { return out_.size(); }
    // What was written from `from` on, handed to `edit` and replaced by what it returns.
    template <typename Edit> void rewriteFrom(size_t from, Edit edit) {
        out_ = out_.substr(0, from) + edit(out_.substr(from));
    }

  private:
    void group(int gc, const std::string& value) const {
        const std::string code = std::to_string(gc);
        out_.append(code.size() < 3 ? 3 - code.size() : 0, ' ');
        out_ += code;
        out_ += "\r\n";
        out_ += value;
        out_ += "\r\n";
    }
    mutable std::string out_;
};

// The objects of a drawing form a tree from the root dictionary: every
// object names its owner (group 330 after its handle), the dictionary that
// lists it. dxflib writes the objects without owners; they are added here
// from the dictionaries' own entries. `objects` is the OBJECTS section as
// written, "code\r\nvalue\r\n" pairs.
std::string withOwners(const std::string& objects) {
    std::vector<std::pair<std::string, std::string>> groups;
    for (size_t at = 0; at < objects.size();) {
        const size_t codeEnd = objects.find("\r\n", at);
        if (codeEnd == std::string::npos) break;
        const size_t valueEnd = objects.find("\r\n", codeEnd + 2);
        if (valueEnd == std::string::npos) break;
        groups.push_back(
            {objects.substr(at, codeEnd - at), objects.substr(codeEnd + 2, valueEnd - codeEnd - 2)});
        at = valueEnd + 2;
    }
    const auto code = [](const std::string& c) { return std::atoi(c.c_str()); };
    // Each dictionary owns what its entries (350, 360) point to.
    std::map<std::string, std::string> owner;
    std::string current;
    bool dictionary = false;
    for (const auto& [c, v] : groups) {
        if (code(c) == 0) {
            dictionary = v == "DICTIONARY" || v == "ACDBDICTIONARYWDFLT";
            current.clear();
        } else if (code(c) == 5) {
            current = v;
        } else if (dictionary && (code(c) == 350 || code(c) == 360) && !current.empty()) {
            owner.emplace(v, current);
        }
    }
    std::string out;
    for (const auto& [c, v] : groups) {
        out += c + "\r\n" + v + "\r\n";
        if (code(c) == 5) {
            const auto found = owner.find(v);
            out += "330\r\n" + (found == owner.end() ? std::string("0") : found->second) + "\r\n";
        }
    }
    return out;
}

constexpr const char* kStyle = "STANDARD";

// Colours of the layers (AutoCAD colour index), so that a plotter's pen
// table can tell them apart.
int layerColour(Layer layer) {
    switch (layer) {
    case Layer::Outline:
        return 7;
    case Layer::Column:
        return 5;
    case Layer::Piles:
        return 6;
    case Layer::Bars:
        return 1;
    case Layer::Dimensions:
        return 3;
    case Layer::Text:
        return 7;
    case Layer::Frame:
        return 8;
    case Layer::Ng:
        return 1; // red
    case Layer::Sheet:
        return 7;
    }
    return 7;
}

class DxfOut {
  public:
    DxfOut(DxfVersion version, double plotScale)
        : version_(version), v_(version == DxfVersion::R12 ? DL_VERSION_R12 : DL_VERSION_2000), w_(v_),
          scale_(plotScale) {
        // out() is the one way to tell dxflib's entity writers which version
        // they write; given no file name it opens nothing.
        delete dxf_.out("", v_);
    }

    QByteArray write(const Drawing& d) {
        header(d);
        if (modern()) classes();
        tables();
        blocks();
        w_.sectionEntities();
        entities(d);
        w_.sectionEnd();
        if (modern()) {
            const size_t objects = w_.size();
            dxf_.writeObjects(w_);
            dxf_.writeObjectsEnd(w_);
            w_.rewriteFrom(objects, withOwners);
        }
        w_.dxfEOF();
        return w_.bytes();
    }

  private:
    bool modern() const { return version_ == DxfVersion::R2010; }

    std::string encoded(const QString& text) const {
        // A caret starts a control character in a DXF text: a caret of the
        // text itself is written as "^ ". Line breaks cannot be kept in one
        // group.
        QString t = text;
        t.replace(u'^', QStringLiteral("^ "));
        for (QChar& c : t)
            if (c.unicode() < 0x20) c = u' ';
        const QByteArray bytes = modern() ? t.toUtf8() : toCp932(t);
        return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
    }

    // The classes of the objects the drawing holds: a reader of a 2000 or
    // later drawing looks an object's class up here.
    void classes() {
        w_.dxfString(0, "SECTION");
        w_.dxfString(2, "CLASSES");
        const char* const classes[][2] = {{"ACDBDICTIONARYWDFLT", "AcDbDictionaryWithDefault"},
                                          {"ACDBPLACEHOLDER", "AcDbPlaceHolder"},
                                          {"DICTIONARYVAR", "AcDbDictionaryVar"},
                                          {"LAYOUT", "AcDbLayout"}};
        for (const auto& c : classes) {
            w_.dxfString(0, "CLASS");
            w_.dxfString(1, c[0]);
            w_.dxfString(2, c[1]);
            w_.dxfString(3, "ObjectDBX Classes");
            w_.dxfInt(90, 0);
            w_.dxfInt(91, 0);
            w_.dxfInt(280, 0);
            w_.dxfInt(281, 0);
        }
        w_.dxfString(0, "ENDSEC");
    }

    void header(const Drawing& d) {
        if (modern()) {
            // The library knows the structure up to R2000; its header would
            // declare that version, and readers would then take the texts
            // in the code page rather than in UTF-8.
            w_.sectionHeader();
            variable("$ACADVER", 1, "AC1024");
            w_.dxfString(9, "$HANDSEED");
            w_.dxfHex(5, 0xFFFF);
        } else {
            dxf_.writeHeader(w_);
        }
        // The library writes no code page: without one a reader takes the
        // texts of an R12 drawing as Western European.
        variable("$DWGCODEPAGE", 3, "ANSI_932");
        w_.dxfString(9, "$INSUNITS");
        w_.dxfInt(70, 4); // millimetres
        w_.dxfString(9, "$MEASUREMENT");
        w_.dxfInt(70, 1); // metric
        point("$EXTMIN", d.min);
        point("$EXTMAX", d.max);
        w_.dxfString(9, "$DIMSCALE");
        w_.dxfReal(40, scale_);
        w_.dxfString(9, "$LTSCALE");
        w_.dxfReal(40, scale_);
        w_.dxfString(9, "$TEXTSIZE");
        w_.dxfReal(40, 2.5 * scale_);
        variable("$TEXTSTYLE", 7, kStyle);
        w_.sectionEnd();
    }

    void variable(const char* name, int gc, const char* value) {
        w_.dxfString(9, name);
        w_.dxfString(gc, value);
    }
    void point(const char* name, Point p) {
        w_.dxfString(9, name);
        w_.dxfReal(10, p.x);
        w_.dxfReal(20, p.y);
        w_.dxfReal(30, 0);
    }

    void tables() {
        w_.sectionTables();
        dxf_.writeVPort(w_);

        w_.tableLinetypes(modern() ? 3 : 1);
        if (modern()) {
            dxf_.writeLinetype(w_, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
            dxf_.writeLinetype(w_, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
        }
        dxf_.writeLinetype(w_, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
        w_.tableEnd();

        w_.tableLayers(kLayerCount + 1);
        dxf_.writeLayer(w_, DL_LayerData("0", 0), DL_Attributes("", 7, 0, "CONTINUOUS", 1.0));
        for (int i = 0; i < kLayerCount; ++i) {
            const Layer layer = static_cast<Layer>(i);
            dxf_.writeLayer(w_, DL_LayerData(layerName(layer), 0),
                            DL_Attributes("", layerColour(layer), 0, "CONTINUOUS", 1.0));
        }
        w_.tableEnd();

        w_.tableStyle(1);
        // Japanese texts need a font that has them; a CAD program without it
        // puts in its own Japanese font.
        dxf_.writeStyle(w_, DL_StyleData(kStyle, 0, 0, 1, 0, 0, 2.5 * scale_, "msgothic.ttc", ""));
        w_.tableEnd();

        dxf_.writeView(w_);
        dxf_.writeUcs(w_);
        w_.tableAppid(1);
        dxf_.writeAppid(w_, "ACAD");
        w_.tableEnd();
        dxf_.writeDimStyle(w_, 2.5 * scale_, 1.25 * scale_, 0.625 * scale_, 0.625 * scale_, 2.5 * scale_);
        if (modern()) {
            dxf_.writeBlockRecord(w_);
            w_.tableEnd();
        }
        w_.sectionEnd();
    }

    void blocks() {
        w_.sectionBlocks();
        for (const char* name : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
            if (!modern() && std::string(name) == "*Paper_Space0") continue;
            dxf_.writeBlock(w_, DL_BlockData(name, 0, 0.0, 0.0, 0.0));
            dxf_.writeEndBlock(w_, name);
        }
        w_.sectionEnd();
    }

    DL_Attributes on(Layer layer) const { return DL_Attributes(layerName(layer), 256, -1, "BYLAYER", 1.0); }

    void entities(const Drawing& d) {
        for (const Polyline& p : d.polylines) {
            dxf_.writePolyline(w_, DL_PolylineData(static_cast<int>(p.points.size()), 0, 0, p.closed ? 1 : 0),
                               on(p.layer));
            for (const Point& q : p.points)
                dxf_.writeVertex(w_, DL_VertexData(q.x, q.y, 0.0, 0.0));
            dxf_.writePolylineEnd(w_);
        }
        for (const Circle& c : d.circles)
            dxf_.writeCircle(w_, DL_CircleData(c.centre.x, c.centre.y, 0.0, c.radius), on(c.layer));
        for (const Line& l : d.lines)
            dxf_.writeLine(w_, DL_LineData(l.from.x, l.from.y, 0.0, l.to.x, l.to.y, 0.0), on(l.layer));
        for (const Text& t : d.texts) {
            const int h = t.align == TextAlign::Left ? 0 : t.align == TextAlign::Centre ? 1 : 2;
            dxf_.writeText(w_,
                           DL_TextData(t.at.x, t.at.y, 0.0, t.at.x, t.at.y, 0.0, t.height, 1.0, 0, h, 0,
                                       encoded(t.text), kStyle, t.angle * M_PI / 180),
                           on(t.layer));
        }
    }

    DxfVersion version_;
    DL_Codes::version v_;
    DL_Dxf dxf_;
    MemoryWriter w_;
    double scale_;
};

} // namespace

QByteArray dxfBytes(const Drawing& drawing, DxfVersion version, double plotScale) {
    return DxfOut(version, plotScale).write(drawing);
}

} // namespace k5::dxfexport
