// Every report page, drawn on a recording page that measures texts as the device does,
// for exams at the limits of what the windows take: no text, line or box of one block
// touches another block's and nothing leaves the page.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QRectF>
#include <QRegularExpression>
#include <cmath>
#include <functional>
#include <optional>

#include "app/chargement_libelles.h"
#include "platform/database.h"
#include "platform/recording_page.h"
#include "report/page_fonts.h"
#include "report/report_texts.h"
#include "report_picture/canvas_page.h"
#include "report_picture/export_pages.h"
#include "report_print/curve_page.h"
#include "report_print/printed_report.h"
#include "tests/report_print/report_fixture.h"
#include "tests/support/application_test.h"
#include "tests/support/dossier_travail.h"

namespace corvanta::test {
namespace {

using platform::PageOperation;
using platform::PageState;
using platform::RecordingPage;
using Kind = PageOperation::Kind;
using Entry = RecordingPage::Entry;

enum class Device { Canvas, Printer };

constexpr double kMmPerTwip = 25.4 / 1440;

// Text extents in millimetres as the export canvas and the printer give them.
QFont deviceFont(const PageState& s, Device device) {
    QFont font = report::pageFont(s);
    if (device == Device::Printer) {
        font.setHintingPreference(QFont::PreferNoHinting);
        font.setPixelSize(1000);
    } else {
        font.setPixelSize(static_cast<int>(std::lround(std::max(s.fontSize, 8.0) * 96 / 72)));
    }
    return font;
}

double toMm(const PageState& s, Device device, double pixels) {
    return device == Device::Printer ? pixels * s.fontSize / 72 * 25.4 / 1000 : pixels * 25.4 / 96;
}

double widthMm(const PageState& s, Device device, const QString& text) {
    return toMm(s, device, QFontMetricsF(deviceFont(s, device)).horizontalAdvance(text));
}

double heightMm(const PageState& s, Device device) {
    const QFontMetricsF m(deviceFont(s, device));
    if (device == Device::Printer) {
        return toMm(s, device, m.ascent() + m.descent());
    }
    const double points = std::max(s.fontSize, 8.0);
    const double px = points == 8    ? 13
                      : points == 10 ? 16
                      : points == 12 ? 20
                                     : std::ceil(m.height());
    return px * 25.4 / 96;
}

class MeasuredPage : public RecordingPage {
  public:
    MeasuredPage(Device device, const PageState& fresh)
        : RecordingPage(sizeOf(device), fresh), device_(device) {}
    Device device() const { return device_; }
    static QSizeF sizeOf(Device device) {
        return device == Device::Canvas ? QSizeF(report::CanvasPage::kWidth * 25.4 / 96,
                                                 report::CanvasPage::kHeight * 25.4 / 96)
                                        : QSizeF(200, 287);
    }

  protected:
    double textWidthDots(const QString& text) const override {
        return widthMm(state(), device_, text);
    }
    double lineHeightDots() const override { return heightMm(state(), device_); }

  private:
    Device device_;
};

PageState canvasFresh() {
    PageState fresh;
    fresh.fontName = QStringLiteral("Liberation Sans");
    fresh.fontSize = 8;
    return fresh;
}

// A block starts at the first operation its marker accepts, after the blocks before it.
using Marker = std::function<bool(const Entry& op, const PageState& before)>;
struct Block {
    const char* name;
    Marker starts;
    // Left out of some pages (no patient): the next block may start in its place.
    bool optional = false;
};

Marker boxes() {
    return [](const Entry& e, const PageState&) {
        return e.operation.kind == Kind::Box || e.operation.kind == Kind::FilledBox;
    };
}
Marker printedIn(double points, bool bold) {
    return [=](const Entry& e, const PageState& before) {
        return e.operation.kind == Kind::PrintLine && before.fontSize == points &&
               before.bold == bold;
    };
}
Marker emptyLineIn(double points) {
    return [=](const Entry& e, const PageState& before) {
        return e.operation.kind == Kind::EmptyLine && before.fontSize == points;
    };
}
Marker text(const QString& wanted) {
    return [=](const Entry& e, const PageState&) {
        return (e.operation.kind == Kind::PrintLine || e.operation.kind == Kind::PrintOnLine) &&
               e.operation.text.startsWith(wanted);
    };
}

struct Extent {
    QRectF rect;
    std::size_t block;
    QString what;
};

double mm(const PageState& s, double v) {
    return s.unit == platform::ScaleUnit::Twip ? v * kMmPerTwip : v;
}

// The extents of every text, line, box, point and picture, each with its block.
std::vector<Extent> extentsOf(const MeasuredPage& page, const std::vector<Block>& blocks) {
    std::vector<Extent> found;
    std::size_t block = 0;
    const auto& all = page.entries();
    for (std::size_t i = 1; i < all.size(); ++i) {
        const PageState& before = all[i - 1].after;
        const PageOperation& op = all[i].operation;
        // A block the page leaves out (no patient) passes its turn to the next one.
        for (std::size_t next = block + 1; next < blocks.size(); ++next) {
            if (blocks[next].starts(all[i], before)) {
                block = next;
                break;
            }
            if (!blocks[next].optional) {
                break;
            }
        }
        const auto& n = op.numbers;
        const auto corners = [&](double x1, double y1, double x2, double y2) {
            found.push_back(
                {QRectF(QPointF(mm(before, std::min(x1, x2)), mm(before, std::min(y1, y2))),
                        QPointF(mm(before, std::max(x1, x2)), mm(before, std::max(y1, y2)))),
                 block, op.text});
        };
        switch (op.kind) {
            case Kind::PrintLine:
            case Kind::PrintOnLine:
                if (!op.text.trimmed().isEmpty()) {
                    const double x = mm(before, before.x);
                    const double y = mm(before, before.y);
                    found.push_back({QRectF(x, y, widthMm(before, page.device(), op.text),
                                            heightMm(before, page.device())),
                                     block, op.text});
                }
                break;
            case Kind::Line:
            case Kind::Box:
            case Kind::FilledBox:
                corners(n[0], n[1], n[2], n[3]);
                break;
            case Kind::LineTo:
                corners(before.x, before.y, n[0], n[1]);
                break;
            case Kind::Point:
                corners(n[0], n[1], n[0], n[1]);
                break;
            case Kind::Picture:
                found.push_back(
                    {QRectF(mm(before, n[0]), mm(before, n[1]), n[2] * 25.4 / 96, n[3] * 25.4 / 96),
                     block, QStringLiteral("picture")});
                break;
            default:
                break;
        }
    }
    return found;
}

bool overlap(const QRectF& a, const QRectF& b) {
    constexpr double kTouch = 1e-6;
    return a.left() < b.right() - kTouch && b.left() < a.right() - kTouch &&
           a.top() < b.bottom() - kTouch && b.top() < a.bottom() - kTouch;
}

// The faults of a page, one line each; empty when it is sound.
std::vector<std::string> faultsOf(const MeasuredPage& page, const std::vector<Block>& blocks) {
    std::vector<std::string> faults;
    const std::vector<Extent> extents = extentsOf(page, blocks);
    if (extents.empty() || extents.back().block + 1 != blocks.size()) {
        faults.push_back("the page's last block was never reached");
    }
    const QRectF sheet(QPointF(0, 0), MeasuredPage::sizeOf(page.device()));
    // QRectF leaves out rectangles without area (lines): corners are compared here.
    std::vector<std::optional<QRectF>> bounds(blocks.size());
    for (const Extent& e : extents) {
        std::optional<QRectF>& b = bounds[e.block];
        b = !b ? e.rect
               : QRectF(
                     QPointF(std::min(b->left(), e.rect.left()), std::min(b->top(), e.rect.top())),
                     QPointF(std::max(b->right(), e.rect.right()),
                             std::max(b->bottom(), e.rect.bottom())));
        constexpr double kEdge = 1e-6;
        if (e.rect.left() < -kEdge || e.rect.top() < -kEdge ||
            e.rect.right() > sheet.right() + kEdge || e.rect.bottom() > sheet.bottom() + kEdge) {
            faults.push_back(std::string(blocks[e.block].name) +
                             " off the page: " + e.what.toStdString());
        }
    }
    for (std::size_t a = 0; a < extents.size(); ++a) {
        const Extent& ea = extents[a];
        for (std::size_t b = a + 1; b < extents.size(); ++b) {
            const Extent& eb = extents[b];
            if (ea.block != eb.block && overlap(*bounds[ea.block], *bounds[eb.block]) &&
                overlap(ea.rect, eb.rect)) {
                faults.push_back(std::string(blocks[ea.block].name) + " \"" +
                                 ea.what.toStdString() + "\" meets " + blocks[eb.block].name +
                                 " \"" + eb.what.toStdString() + "\"");
            }
        }
    }
    return faults;
}

// --- The exams -----------------------------------------------------------------------

const QString kAccents = QStringLiteral("ÉÈÀÇÔÛŒWMéèàçôûœwm");

// `count` characters of wide and accented letters, words of `word` letters.
QString longText(int count, int word = 9) {
    QString t;
    for (int i = 0; t.size() < count; ++i) {
        t += (i % (word + 1) == word) ? u' ' : kAccents[i % kAccents.size()];
    }
    return t.left(count);
}

QString longComment() {
    QStringList lines;
    for (int i = 0; i < 8; ++i) {
        lines << longText(60, 7);
    }
    // Breaks of every kind a comment may hold.
    return lines.mid(0, 3).join("\r\n") + "\n" + lines.mid(3, 3).join("\r") + "\r\n" +
           lines.mid(6).join("\n");
}

// Every column of the exam queries at what its window lets a user type: flags ticked,
// lists on their last choice, texts at their box's length.
void fillExtreme(report::ExamRow& row, int type) {
    using platform::Value;
    static const QStringList columns = [] {
        platform::Database base(Base_Construite());
        const auto rows = base.openRecordset(QStringLiteral("Examens_Complets"));
        QStringList names;
        for (int i = 0; i < rows->fieldCount(); ++i) {
            names << rows->fieldName(i);
        }
        return names;
    }();
    const QHash<QString, int> lengths = {{"Nom_Patient", 30},        {"Prenom_Patient", 30},
                                         {"CodePostal_Patient", 10}, {"NumeroSS_Patient", 20},
                                         {"Telephone1_Patient", 30}, {"Telephone2_Patient", 30},
                                         {"Docteur_Patient", 49}};
    QByteArray curve(400, '\0');
    for (int i = 0; i < 400; i += 2) {
        curve[i] = '\xff';
    }
    for (const QString& c : columns) {
        const QString field = c.section(u'.', 1);
        if (field == "Courbe") {
            row.set(c, Value(curve));
        } else if (field == "DATE") {
            row.set(c, Value(QStringLiteral("12/03/2024 10:15:02")));
        } else if (field == "Commentaire_Courbe") {
            row.set(c, Value(longComment()));
        } else if (c.endsWith("_Patient")) {
            const int n = lengths.value(c, 50);
            row.set(c, Value(longText(n, c.contains("Nom") ? n : 9)));
        } else if (c.endsWith("_Detail") || c == "Condition_Remarque" ||
                   c == "Imagerie_Autres_Status") {
            row.set(c, Value(longText(24) + "\r\n" + longText(23)));
        } else if (c.endsWith("_Type") || c.endsWith("_Status") || c.startsWith("Condition_")) {
            row.set(c, Value(c.contains("Ecoulement") ? 1 : 2));
        } else if (QRegularExpression("^(Origine|Imagerie|Echogramme|Decision)_")
                       .match(c)
                       .hasMatch()) {
            row.set(c, Value(1));
        }
    }
    row.set("Num_Examen", Value(QStringLiteral("123")));
    row.set("Code_Type", Value(type));
    row.set("Date_Naissance_Patient", Value(QStringLiteral("31/12/1999")));
    row.set("Examen_Compatible", Value(longText(199)));
}

struct Exam {
    const char* name;
    bool extreme;
    // Names of the widest letter at the window's limits and a five-digit number.
    bool widest = false;
    // A conclusion in place of the extreme exam's, printed whole.
    QString conclusion = {};
};

struct Fixture {
    Libelles texts;
    report::ExamReportInput input;
};

void prepare(Fixture& f, const Exam& exam, int type) {
    f.input.row = blankExamRow();
    setProgramValues(f.input);
    f.input.examType = type == 3 ? 0 : type;
    f.input.texts = &f.texts;
    f.input.filter = [](const QByteArray& raw) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(raw.constData());
        return std::vector<std::uint8_t>(bytes, bytes + std::min<qsizetype>(raw.size(), 400));
    };
    if (exam.extreme) {
        fillExtreme(f.input.row, type);
        f.input.doctor = {longText(49), longText(49), longText(49),
                          longText(30), longText(30), longText(30)};
    }
    if (!exam.conclusion.isEmpty()) {
        f.input.row.set("Examen_Compatible", platform::Value(exam.conclusion));
    }
    if (exam.widest) {
        f.input.row.set("Nom_Patient", platform::Value(QString(30, u'W')));
        f.input.row.set("Prenom_Patient", platform::Value(QString(30, u'W')));
        f.input.row.set("Num_Examen", platform::Value(QStringLiteral("12345")));
    }
}

report::CurvePageInput curvePage(const Libelles& texts, int mode, bool extreme) {
    report::CurvePageInput in;
    in.mode = mode;
    in.texts = &texts;
    in.commissioningDate = QStringLiteral("01/01/99");
    in.zones[0] = Zone_Sensible{7, 15, 68, 0, 0, 0, 1};
    in.pointCount = 400;
    in.printedAt = QDateTime(QDate(2026, 12, 8), QTime(9, 5, 3));
    if (!extreme) {
        return in;
    }
    in.patient = report::CurvePagePatient{longText(30, 30), longText(30, 30), longText(20, 20),
                                          QStringLiteral("31/12/1999")};
    in.liveCurve.fill(200);
    in.peaks[0] = Zone_Sensible{7, 15, 68, 40, 128, 0, 1};
    in.pins[0] = QImage(21, 25, QImage::Format_RGB32);
    for (int slot = 0; slot < 5; ++slot) {
        in.comparisons.push_back({{}, QColor(Qt::blue)});
        in.legend.push_back(
            {QColor(Qt::blue), QStringLiteral("12/03/2024 10:15:02"), longComment()});
    }
    in.storedCurve = QByteArray(400, '\x80');
    in.storedDate = QStringLiteral("12/03/2024 10:15:02");
    in.storedComment = longComment();
    return in;
}

struct PageKind {
    const char* name;
    // Draws the page of the exam and gives its blocks in page order.
    std::function<std::vector<Block>(Fixture&, const Exam&, MeasuredPage&)> draw;
    Device device;
    // The headings of the conclusion and of the block after it; none on a curve page.
    std::optional<std::pair<report::Label, report::Label>> conclusion = {};
};

std::vector<Block> pictureBlocks(const Libelles& t, int form, int conclusion) {
    return {{"title", nullptr},
            {"graphs", boxes()},
            {"captions", printedIn(8, true)},
            {"results", emptyLineIn(10)},
            {"conclusion", text(t(form, conclusion))},
            {"decision", text(t(form, conclusion + 1))}};
}

PageKind picture(const char* name, int type) {
    const int form = type == 3 ? 7 : 4;
    const int heading = form == 7 ? 49 : 48;
    return {name,
            [type](Fixture& f, const Exam& exam, MeasuredPage& page) {
                prepare(f, exam, type);
                const int form = type == 3 ? 7 : 4;
                (type == 2   ? report::drawPleuraPicture
                 : type == 3 ? report::drawTumourPicture
                             : report::drawSinusPicture)(f.input, page);
                // Names and number of a title are never cut.
                EXPECT_EQ(page.entries(Kind::PrintLine).front().operation.text,
                          report::singleLine(report::examTitle(f.input.row)));
                return pictureBlocks(f.texts, form, form == 7 ? 49 : 48);
            },
            Device::Canvas,
            std::pair{report::Label{form, heading}, report::Label{form, heading + 1}}};
}

std::vector<Block> printedBlocks(report::ReportWindow window) {
    std::vector<Block> blocks = {{"title", nullptr}, {"patient", printedIn(12, true)}};
    const bool pleura = window == report::ReportWindow::Plevre;
    for (const char* band : pleura ? std::vector<const char*>{"position", "remark", "build"}
                                   : std::vector<const char*>{"indication", "imaging"}) {
        blocks.push_back({band, printedIn(12, true)});
    }
    for (const Block& b : std::vector<Block>{{"graphs", boxes()},
                                             {"captions", printedIn(8, true)},
                                             {"results", printedIn(12, true)},
                                             {"conclusion", printedIn(12, true)},
                                             {"decision", printedIn(12, true)},
                                             {"letterhead", boxes()}}) {
        blocks.push_back(b);
    }
    return blocks;
}

PageKind printed(const char* name, report::ReportWindow window, int type) {
    return {name,
            [=](Fixture& f, const Exam& exam, MeasuredPage& page) {
                prepare(f, exam, type);
                report::Imprimer_Compte_Rendu(page, f.input, report::printedReport(window));
                return printedBlocks(window);
            },
            Device::Printer,
            std::pair{report::printedReport(window).conclusionHeading,
                      report::printedReport(window).decisionTitle}};
}

PageKind curve(const char* name, int mode) {
    return {name,
            [mode](Fixture& f, const Exam& exam, MeasuredPage& page) {
                const report::CurvePageInput in = curvePage(f.texts, mode, exam.extreme);
                report::drawCurvePage(page, in);
                return std::vector<Block>{
                    {"title", nullptr},
                    {"graph", boxes()},
                    {"curves", text(f.texts(1, mode == report::kCurvePageAcquisition ? 39 : 43))},
                    {"patient", text(f.texts(1, 44)), true},
                    {"settings", text(f.texts(1, 47))}};
            },
            Device::Printer};
}

// Where the first line starting with `text` was printed, and how many lines did.
struct Found {
    double y = -1;
    int count = 0;
    QString last;
};
Found printedAt(const MeasuredPage& page, const QString& text) {
    Found found;
    const auto& all = page.entries();
    for (std::size_t i = 1; i < all.size(); ++i) {
        const PageOperation& op = all[i].operation;
        if (op.kind == Kind::PrintLine && op.text.startsWith(text)) {
            if (found.count++ == 0) {
                found.y = all[i - 1].after.y;
            }
            found.last = op.text;
        }
    }
    return found;
}

// The conclusion's lines as printed between its heading and the next block's, joined.
QString printedConclusion(const MeasuredPage& page, const Libelles& texts,
                          const std::pair<report::Label, report::Label>& headings) {
    QStringList lines;
    bool inside = false;
    for (const Entry& e : page.entries(Kind::PrintLine)) {
        const QString& text = e.operation.text;
        if (text == texts(headings.second.form, headings.second.number))
            break;
        if (inside)
            lines << text;
        inside = inside || text == texts(headings.first.form, headings.first.number);
    }
    return lines.join(QString());
}

// Ordinary exams keep the blocks' usual tops; comments that reach the results move the
// blocks under them down, and comments that would push them off the page lose lines.
TEST(PageGeometryTest, BlocksKeepTheirTopsUntilTheCommentsAboveReachThem) {
    Application();
    platform::Database base(Base_Construite());
    const auto comment = [](int lines) {
        QStringList l;
        for (int i = 0; i < lines; ++i) {
            l << QStringLiteral("ligne %1 du commentaire").arg(i + 1);
        }
        return l.join("\r\n");
    };
    struct Case {
        int commentLines;
        bool movesDown;
        int printedLines;
    };
    for (const Case c : {Case{0, false, 0}, Case{4, true, 4}, Case{8, true, 4}}) {
        Fixture f;
        Charger_Libelles(base, "Francais", f.texts);
        prepare(f, {"ordinary", false}, 0);
        report::ExamRow& row = f.input.row;
        for (const char* side : {"Droit", "Gauche"}) {
            for (const char* finding : {"Normal", "Occupe", "Evocateur", "Autres"}) {
                row.set(QStringLiteral("Echogramme_%1_%2").arg(side, finding), platform::Value(1));
            }
            row.set(QStringLiteral("Echogramme_%1_Autres_Detail").arg(side),
                    platform::Value("polype"));
        }
        row.set("Courbes_Droites.Commentaire_Courbe", platform::Value(comment(c.commentLines)));
        row.set("Examen_Compatible", platform::Value("Sinusite maxillaire droite"));
        row.set("Decision_Lavage", platform::Value(1));
        MeasuredPage page(Device::Printer, platform::freshPrinterState());
        report::Imprimer_Compte_Rendu(page, f.input,
                                      report::printedReport(report::ReportWindow::Sinus));

        const Found conclusion = printedAt(page, f.texts(4, 48));
        const Found decision = printedAt(page, f.texts(4, 49));
        const Found comments = printedAt(page, "ligne ");
        EXPECT_EQ(comments.count, c.printedLines) << c.commentLines;
        EXPECT_EQ(comments.last.endsWith("…"), c.printedLines < c.commentLines);
        if (c.movesDown) {
            EXPECT_GT(conclusion.y, 222 + 1) << c.commentLines;
            EXPECT_GT(decision.y, 242 + 1) << c.commentLines;
        } else {
            EXPECT_NEAR(conclusion.y, 222, 1e-9);
            EXPECT_NEAR(decision.y, 242, 1e-9);
            EXPECT_NEAR(page.entries(Kind::Box).back().operation.numbers[1], 242, 1e-9);
        }
        EXPECT_TRUE(faultsOf(page, printedBlocks(report::ReportWindow::Sinus)).empty())
            << c.commentLines;
    }
}

TEST(PageGeometryTest, NoBlockMeetsAnotherAndNothingLeavesThePageOnAnyPageKind) {
    Application();
    platform::Database base(Base_Construite());
    const PageKind kinds[] = {
        picture("sinus picture", 0),
        picture("pleura picture", 2),
        picture("tumour picture", 3),
        printed("sinus report", report::ReportWindow::Sinus, 0),
        printed("pleura report", report::ReportWindow::Plevre, 2),
        printed("tumour report", report::ReportWindow::Tumeur, 3),
        curve("acquisition curve page", report::kCurvePageAcquisition),
        curve("stored curve page", report::kCurvePageStoredCurve),
    };
    // Conclusions of the 199 characters the window takes, in the widest capitals, and a
    // practice's capital text of words.
    QString accented;
    for (int i = 0; accented.size() < 199; ++i)
        accented +=
            QStringLiteral("\u00c9\u00c8\u00c0\u00c7\u00d4\u00db\u0152\u00c2\u00ca\u00ce")[i % 10];
    const QString words = corvanta::test::capitalConclusion();
    const Exam exams[] = {{"extreme", true},
                          {"all Null", false},
                          {"widest names", true, true},
                          {"199 W", true, false, QString(199, u'W')},
                          {"199 M", true, false, QString(199, u'M')},
                          {"199 accented capitals", true, false, accented},
                          {"capital words", true, false, words}};
    ASSERT_EQ(words.size(), 199);
    for (const char* language : {"Francais", "Anglais"}) {
        for (const PageKind& kind : kinds) {
            for (const Exam& exam : exams) {
                Fixture f;
                Charger_Libelles(base, language, f.texts);
                MeasuredPage page(kind.device, kind.device == Device::Canvas
                                                   ? canvasFresh()
                                                   : platform::freshPrinterState());
                const std::vector<Block> blocks = kind.draw(f, exam, page);
                const std::vector<std::string> faults = faultsOf(page, blocks);
                EXPECT_TRUE(faults.empty())
                    << kind.name << ", " << exam.name << ", " << language << ": " << faults.size()
                    << " faults, first: " << (faults.empty() ? "" : faults.front());
                // Nothing of a conclusion the window takes is left off (blanks where a line
                // breaks between words).
                if (kind.conclusion && !exam.conclusion.isEmpty()) {
                    QString whole = exam.conclusion;
                    EXPECT_EQ(printedConclusion(page, f.texts, *kind.conclusion).remove(u' '),
                              whole.remove(u' '))
                        << kind.name << ", " << exam.name << ", " << language;
                }
            }
        }
    }
}

}  // namespace
}  // namespace corvanta::test
