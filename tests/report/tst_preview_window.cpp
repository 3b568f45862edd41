#include "calculated_records.h"
#include "jobdata/record_layout.h"
#include "report/painter_surface.h"
#include "report/report_pages.h"
#include "ui/report/PreviewWindow.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/WindowRegistry.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

using namespace k5;
using preview::PageStep;
using preview::ZoomMode;

namespace {

const QString kNoData = QStringLiteral("印刷するデータがありません    ");

// Pages of a PDF file written by Qt: one "/Type /Page" object per sheet.
int pdfPageCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QString bytes = QString::fromLatin1(file.readAll());
    return static_cast<int>(bytes.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))));
}

} // namespace

class PreviewWindowTest : public QObject {
    Q_OBJECT

    struct Fixture {
        k5test::TempTree tree;
        AppContext& ctx = tree.ctx;
        std::unique_ptr<PreviewWindow> window;

        // Two footings and a pile cap, calculated: the cover and three pages.
        void calculatedJob() {
            k5test::ensureRebarMasters(ctx);
            ensureConcreteFile(ctx.folders);
            k5test::writeJob(ctx, {k5test::storedFooting({.fe = 300}, QStringLiteral("F1")),
                                   k5test::storedFooting({.fe = 300, .N = 800}, QStringLiteral("F2")),
                                   k5test::storedPileCap({}, QStringLiteral("P1"))});
            QVERIFY(runCalculation(ctx));
            tree.prompt.clear();
        }
        void open(const std::function<void(PreviewWindow&)>& prepare = {}) {
            window = std::make_unique<PreviewWindow>(ctx);
            if (prepare) prepare(*window);
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        }
        template <typename T> T* find(const char* name) const {
            T* widget = window->findChild<T*>(QString::fromUtf8(name));
            if (!widget) qFatal("no control %s", name);
            return widget;
        }
        QString label(const char* name) const { return find<QLabel>(name)->text(); }
        // cmdPrv and cmdNext: index 0 one page, index 1 to the end.
        QPushButton* paging(const char* name, int index) const {
            for (QPushButton* b : window->findChildren<QPushButton*>(QString::fromLatin1(name)))
                if (b->property("index").toInt() == index) return b;
            qFatal("no paging button %s(%d)", name, index);
        }
        void click(QAbstractButton* button) const { QTest::mouseClick(button, Qt::LeftButton); }
        void click(const char* name) const { click(find<QAbstractButton>(name)); }
        QImage shown() const {
            return find<QWidget>("PictureDraw")->grab().toImage().convertToFormat(QImage::Format_RGB32);
        }
        // The page as the report draws it on a picture of the given size.
        QImage drawn(int page, QSize size) const {
            const report::ReportJob job = report::loadReportJob(ctx.folders.jobFile());
            QImage image(size, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            const report::PageSetup setup =
                report::previewSetup(ctx.reportFont, report::PainterSurface::widthInTwips(image));
            report::PainterSurface surface = report::PainterSurface::forPicture(painter);
            report::drawPage(surface, {setup, job, page, {}, {}});
            return image;
        }
        QString sizeFile() const { return ctx.folders.programFolder + QStringLiteral("/cntDlg.dat"); }
    };

  private slots:
    void opensOnTheCoverAtTheWidthOfTheViewport() {
        QVERIFY(isWindowRegistered(QStringLiteral("frmPreview")));
        Fixture f;
        f.calculatedJob();
        f.open();
        QCOMPARE(f.window->objectName(), QStringLiteral("frmPreview"));
        QCOMPARE(f.label("Lbl_page"), QStringLiteral("1/4"));
        QCOMPARE(f.window->currentPage(), 1);
        QCOMPARE(f.window->zoomMode(), ZoomMode::FitWidth);
        QCOMPARE(f.window->viewportSize(), QSize(11400, 9720));
        QCOMPARE(f.find<QWidget>("PictureFrame")->size(), QSize(760, 648));
        QCOMPARE(f.window->pictureSize(), QSize(11400, 16123)); // A4: width × 297 / 210
        QCOMPARE(f.find<QWidget>("PictureDraw")->geometry(), QRect(0, 0, 760, 1075));
        QCOMPARE(f.shown(), f.drawn(1, {760, 1075}));
        QCOMPARE(f.label("lblErrN1"), QStringLiteral("0/2"));
        QCOMPARE(f.label("lblErrN2"), QStringLiteral("0/1"));
        QCOMPARE(f.label("lblTotalKisoN"), QStringLiteral("3"));
        QCOMPARE(f.find<QWidget>("frameErrSuu")->height(), 81); // 1215 twips
        QVERIFY(f.tree.prompt.shown().empty());
    }

    void calculatingFromTheMainWindowOpensTheReport() {
        Fixture f;
        f.calculatedJob();
        MainWindow main(f.ctx);
        main.show();
        QStringList seen;
        // The preview runs modal: look at it and close it once it is up.
        std::function<void()> whenShown = [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (w->objectName() != QStringLiteral("frmPreview") || !w->isVisible()) continue;
                seen << w->findChild<QLabel*>(QStringLiteral("Lbl_page"))->text()
                     << (main.isVisible() ? "main shown" : "main hidden");
                QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Cmd_End")), Qt::LeftButton);
                return;
            }
            QTimer::singleShot(10, whenShown);
        };
        QTimer::singleShot(0, whenShown);
        main.findChild<QAction*>(QStringLiteral("menu計算開始"))->trigger();
        QCOMPARE(f.tree.prompt.texts(), QStringList{QStringLiteral("計算を終了しました。　　　")});
        QCOMPARE(seen, (QStringList{QStringLiteral("1/4"), QStringLiteral("main hidden")}));
        QVERIFY(main.isVisible());
    }

    void pagingButtons_data() {
        QTest::addColumn<QList<PageStep>>("steps");
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("backEnabled");
        QTest::addColumn<bool>("forwardEnabled");
        QTest::newRow("next") << QList<PageStep>{PageStep::Next} << "2/4" << true << true;
        QTest::newRow("next twice, previous")
            << QList<PageStep>{PageStep::Next, PageStep::Next, PageStep::Previous} << "2/4" << true << true;
        QTest::newRow("last") << QList<PageStep>{PageStep::Last} << "4/4" << true << false;
        QTest::newRow("last, then first")
            << QList<PageStep>{PageStep::Last, PageStep::First} << "1/4" << false << true;
        QTest::newRow("next up to the end")
            << QList<PageStep>{PageStep::Next, PageStep::Next, PageStep::Next} << "4/4" << true << false;
    }
    void pagingButtons() {
        QFETCH(QList<PageStep>, steps);
        QFETCH(QString, label);
        QFETCH(bool, backEnabled);
        QFETCH(bool, forwardEnabled);
        Fixture f;
        f.calculatedJob();
        f.open();
        for (PageStep step : steps) {
            const char* name = step == PageStep::First || step == PageStep::Previous ? "cmdPrv" : "cmdNext";
            const int index = step == PageStep::First || step == PageStep::Last ? 1 : 0;
            f.click(f.paging(name, index));
        }
        QCOMPARE(f.label("Lbl_page"), label);
        for (int index : {0, 1}) {
            QCOMPARE(f.paging("cmdPrv", index)->isEnabled(), backEnabled);
            QCOMPARE(f.paging("cmdNext", index)->isEnabled(), forwardEnabled);
        }
    }

    void theEndsOfTheReportChangeNothing() {
        Fixture f;
        f.calculatedJob();
        f.open();
        f.window->goToPage(PageStep::Previous);
        QCOMPARE(f.window->currentPage(), 1);
        f.window->goToPage(PageStep::Last);
        f.window->goToPage(PageStep::Next);
        QCOMPARE(f.window->currentPage(), 4);
        QCOMPARE(f.label("Lbl_page"), QStringLiteral("4/4"));
    }

    void nextShowsTheFirstFootingsPage() {
        Fixture f;
        f.calculatedJob();
        f.open();
        f.click(f.paging("cmdNext", 0));
        const QImage footing = f.drawn(2, {760, 1075});
        QCOMPARE(f.shown(), footing);
        QVERIFY(footing != f.drawn(1, {760, 1075}));
        QVERIFY(footing != f.drawn(3, {760, 1075}));
    }

    void zoomCommands_data() {
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QList<int>>("widths"); // picture width in twips after each button
        QTest::addColumn<ZoomMode>("mode");
        const QString larger = QStringLiteral("cmd大きく");
        const QString smaller = QStringLiteral("cmd小さく");
        QTest::newRow("larger stops at 12750 or more")
            << QStringList{larger, larger, larger} << QList<int>{12250, 13100, 13100} << ZoomMode::Free;
        QTest::newRow("smaller stops at 4250 or less")
            << QStringList(10, smaller)
            << QList<int>{10550, 9700, 8850, 8000, 7150, 6300, 5450, 4600, 3750, 3750} << ZoomMode::Free;
        QTest::newRow("whole page, then width")
            << QStringList{QStringLiteral("cmd全体合わせ"), QStringLiteral("cmd幅合わせ")}
            << QList<int>{6873, 11400} << ZoomMode::FitWidth;
        QTest::newRow("smaller, then width") << QStringList{smaller, QStringLiteral("cmd幅合わせ")}
                                             << QList<int>{10550, 11400} << ZoomMode::FitWidth;
    }
    void zoomCommands() {
        QFETCH(QStringList, buttons);
        QFETCH(QList<int>, widths);
        QFETCH(ZoomMode, mode);
        Fixture f;
        f.calculatedJob();
        f.open();
        f.click(f.paging("cmdNext", 0));
        QList<int> seen;
        for (const QString& name : buttons) {
            f.click(name.toUtf8().constData());
            seen << f.window->pictureSize().width();
        }
        QCOMPARE(seen, widths);
        QCOMPARE(f.window->zoomMode(), mode);
        // The page stays, drawn at the new size.
        QCOMPARE(f.label("Lbl_page"), QStringLiteral("2/4"));
        const QSize size = f.find<QWidget>("PictureDraw")->size();
        QCOMPARE(size.width(), preview::pixels(widths.last()));
        QCOMPARE(f.shown(), f.drawn(2, size));
    }

    void wholePageFitsTheHeightAndStandsInTheMiddle() {
        Fixture f;
        f.calculatedJob();
        f.open();
        f.click("cmd全体合わせ");
        QCOMPARE(f.window->pictureSize(), QSize(6873, 9720));
        QCOMPARE(f.find<QWidget>("PictureDraw")->geometry(), QRect(151, 0, 458, 648));
        QVERIFY(!f.find<QScrollBar>("VScroll1")->isEnabled());
        QVERIFY(!f.find<QScrollBar>("HScroll1")->isEnabled());
    }

    void scrollBarsMoveThePicture() {
        Fixture f;
        f.calculatedJob();
        f.open();
        auto* v = f.find<QScrollBar>("VScroll1");
        auto* h = f.find<QScrollBar>("HScroll1");
        QVERIFY(v->isEnabled());
        QCOMPARE(v->maximum(), 16123 - 9720);
        QCOMPARE(v->pageStep(), v->maximum());
        QCOMPARE(v->singleStep(), 1281);
        QVERIFY(!h->isEnabled());
        v->setValue(3000);
        QCOMPARE(f.find<QWidget>("PictureDraw")->pos(), QPoint(0, -200));
        QVERIFY(!v->hasFocus());

        f.click("cmd大きく");
        QVERIFY(h->isEnabled());
        QCOMPARE(h->maximum(), 12250 - 11400);
        h->setValue(600);
        QCOMPARE(f.find<QWidget>("PictureDraw")->pos(), QPoint(-40, -200));
    }

    void aResizeKeepsAZoomButFollowsAFit() {
        Fixture f;
        f.calculatedJob();
        f.open();
        const QSize start = f.window->size();
        f.click("cmd大きく");
        f.window->resize(start + QSize(150, 60));
        QTRY_COMPARE(f.window->viewportSize(), QSize(11400 + 2250, 9720 + 900));
        QCOMPARE(f.window->pictureSize().width(), 12250);
        QCOMPARE(f.find<QWidget>("PictureFrame")->size(), QSize(910, 708));

        f.click("cmd幅合わせ");
        QCOMPARE(f.window->pictureSize().width(), 13650);
        f.window->resize(start);
        QTRY_COMPARE(f.window->viewportSize(), QSize(11400, 9720));
        QCOMPARE(f.window->pictureSize().width(), 11400);
        QCOMPARE(f.window->zoomMode(), ZoomMode::FitWidth);
    }

    void sizeFile_data() {
        QTest::addColumn<QByteArray>("content"); // empty: no file
        QTest::addColumn<QSize>("viewport");
        QTest::newRow("missing") << QByteArray() << QSize(11400, 9720);
        QTest::newRow("kept size") << QByteArray("9000,7500\r\n") << QSize(9000, 7500);
        QTest::newRow("blanks") << QByteArray(" 9000 , 7500") << QSize(9000, 7500);
        QTest::newRow("too narrow") << QByteArray("7275,9000") << QSize(11400, 9720);
        QTest::newRow("too low") << QByteArray("9000,7110") << QSize(11400, 9720);
        QTest::newRow("the minimum") << QByteArray("7290,7125") << QSize(7290, 7125);
        QTest::newRow("no numbers") << QByteArray("abc") << QSize(11400, 9720);
    }
    void sizeFile() {
        QFETCH(QByteArray, content);
        QFETCH(QSize, viewport);
        Fixture f;
        f.calculatedJob();
        if (!content.isEmpty()) k5test::writeBytes(f.sizeFile(), content);
        f.open();
        QCOMPARE(f.window->viewportSize(), viewport);
        QCOMPARE(f.window->pictureSize().width(), viewport.width());
    }

    void aSizeLargerThanTheScreenIsCutToIt() {
        Fixture f;
        f.calculatedJob();
        k5test::writeBytes(f.sizeFile(), "999999,999999");
        f.open();
        const QSize window(preview::twips(f.window->width()), preview::twips(f.window->height()));
        const QSize chrome = window - f.window->viewportSize();
        const QSize screen = f.window->screen()->availableSize() * preview::kTwipsPerPixel;
        QCOMPARE(f.window->viewportSize(), (screen - chrome).expandedTo(preview::kDefaultViewport));
    }

    void aDamagedSizeIsCutToTheRoomGiven() {
        k5test::TempTree tree;
        const QString file = tree.ctx.folders.programFolder + QStringLiteral("/cntDlg.dat");
        k5test::writeBytes(file, "999999,8000");
        QCOMPARE(preview::readViewportSize(file, {20000, 15000}), QSize(20000, 8000));
    }

    void closingKeepsTheViewportSizeOnlyThroughTheCloseButton() {
        Fixture f;
        f.calculatedJob();
        f.open();
        f.window->close();
        QVERIFY(!QFile::exists(f.sizeFile()));

        f.open();
        f.window->resize(f.window->size() - QSize(30, 15));
        QTRY_COMPARE(f.window->viewportSize(), QSize(10950, 9495));
        f.click("Cmd_End");
        QVERIFY(!f.window->isVisible());
        QCOMPARE(k5test::readBytes(f.sizeFile()), QByteArray("10950,9495\n"));
        f.open();
        QCOMPARE(f.window->viewportSize(), QSize(10950, 9495));
    }

    void aJobWithoutRecordsHasNothingToPrint() {
        Fixture f;
        f.open();
        QCOMPARE(f.tree.prompt.texts(), QStringList{kNoData});
        QCOMPARE(f.tree.prompt.shown().back().icon, Icon::Information);
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.label("Lbl_page"), QString());
        for (const char* name : {"cmdPrv", "cmdNext"})
            for (int index : {0, 1})
                QVERIFY(!f.paging(name, index)->isEnabled());
        QVERIFY(!f.find<QPushButton>("Cmd_Printer")->isEnabled());
        const QImage blank = f.shown();
        QCOMPARE(blank.pixelColor(blank.width() / 2, blank.height() / 3), QColor(Qt::white));
        f.window->print();
        QCOMPARE(f.tree.prompt.texts(), (QStringList{kNoData, kNoData}));
    }

    void failedFoundationsAreCountedInRed() {
        Fixture f;
        QList<FoundationRecord> records;
        for (int n = 1; n <= 10; ++n) {
            FoundationRecord r = k5test::sampleRecord(QStringLiteral("F%1").arg(n), kTypeIsolated);
            if (n == 4 || n == 7) r.data1[field::ngFlag] = -1;
            records << r;
        }
        for (int n = 1; n <= 3; ++n)
            records << k5test::sampleRecord(QStringLiteral("P%1").arg(n), kTypePileCap);
        k5test::writeJob(f.ctx, records);
        f.open();
        auto colour = [&](const char* name) {
            return f.find<QLabel>(name)->palette().color(QPalette::WindowText);
        };
        QCOMPARE(f.label("lblErrN1"), QStringLiteral("2/10"));
        QCOMPARE(colour("lblErrN1"), QColor(255, 0, 0));
        QCOMPARE(f.label("lblErrN2"), QStringLiteral("0/3"));
        QCOMPARE(colour("lblErrN2"), QColor(Qt::black));
        QCOMPARE(f.label("lblTotalKisoN"), QStringLiteral("13"));
        QCOMPARE(f.label("Lbl_page"), QStringLiteral("1/14"));
    }

    // The keyboard alone pages, zooms, scrolls and closes.
    void keysPageZoomScrollAndClose() {
        Fixture f;
        f.calculatedJob();
        f.open();
        QWidget* w = f.window.get();
        const auto press = [&](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QTest::keyClick(w, static_cast<Qt::Key>(key), modifiers);
        };
        press(Qt::Key_PageDown);
        QCOMPARE(f.label("Lbl_page"), QStringLiteral("2/4"));
        press(Qt::Key_End);
        QCOMPARE(f.label("Lbl_page"), QStringLiteral("4/4"));
        press(Qt::Key_PageUp);
        QCOMPARE(f.label("Lbl_page"), QStringLiteral("3/4"));
        press(Qt::Key_Home);
        QCOMPARE(f.label("Lbl_page"), QStringLiteral("1/4"));

        const int width = f.window->pictureSize().width();
        press(Qt::Key_Plus);
        QCOMPARE(f.window->pictureSize().width(), width + 850);
        press(Qt::Key_Minus);
        press(Qt::Key_Minus);
        QCOMPARE(f.window->pictureSize().width(), width - 850);
        press(Qt::Key_Plus);
        press(Qt::Key_Plus);

        auto* down = f.find<QScrollBar>("VScroll1");
        auto* across = f.find<QScrollBar>("HScroll1");
        QVERIFY(down->isEnabled());
        press(Qt::Key_Down);
        press(Qt::Key_Down);
        QCOMPARE(down->value(), 2 * down->singleStep());
        press(Qt::Key_Up);
        QCOMPARE(down->value(), down->singleStep());
        if (across->isEnabled()) {
            press(Qt::Key_Right);
            QCOMPARE(across->value(), across->singleStep());
            press(Qt::Key_Left);
            QCOMPARE(across->value(), 0);
        }

        // Ctrl+P opens the print dialog, as 印刷... does.
        int asked = 0;
        f.window->printerChooser() = [&](QPrinter&, int, int, QWidget*) { return ++asked, false; };
        press(Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(asked, 1);

        QFile::remove(f.sizeFile());
        press(Qt::Key_Escape);
        QVERIFY(!f.window->isVisible());
        QVERIFY(QFile::exists(f.sizeFile())); // closed as 閉じる closes
    }

    // A click on the failure summary shows the first failing foundation, the
    // next click the next one, and after the last the first again.
    void clickingTheFailureSummaryVisitsTheFailingFoundations() {
        Fixture f;
        QList<FoundationRecord> records;
        for (int n = 1; n <= 8; ++n) {
            FoundationRecord r = k5test::sampleRecord(QStringLiteral("F%1").arg(n), kTypeIsolated);
            if (n == 3 || n == 6) r.data1[field::ngFlag] = -1;
            records << r;
        }
        k5test::writeJob(f.ctx, records);
        f.open();
        QStringList visited;
        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(f.find<QLabel>("lblErrN1"), Qt::LeftButton);
            visited << f.label("Lbl_page");
        }
        QCOMPARE(visited, (QStringList{"4/9", "7/9", "4/9"}));
    }

    void printing_data() {
        QTest::addColumn<QString>("range"); // empty: all pages
        QTest::addColumn<int>("sheets");
        QTest::newRow("all pages") << QString() << 4;
        QTest::newRow("pages 2 to 3") << QStringLiteral("2-3") << 2;
        QTest::newRow("pages 2 and 4") << QStringLiteral("2,4") << 2;
    }
    void printing() {
        QFETCH(QString, range);
        QFETCH(int, sheets);
        Fixture f;
        f.calculatedJob();
        const QString pdf = f.tree.kmd() + QStringLiteral("/report.pdf");
        QStringList offered;
        f.open([&](PreviewWindow& w) {
            w.printerChooser() = [&](QPrinter& printer, int first, int last, QWidget*) {
                offered << QStringLiteral("%1-%2 from %3 to %4 %5")
                               .arg(first)
                               .arg(last)
                               .arg(printer.fromPage())
                               .arg(printer.toPage())
                               .arg(printer.printRange() == QPrinter::AllPages ? "all" : "range");
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(pdf);
                if (!range.isEmpty()) {
                    printer.setPrintRange(QPrinter::PageRange);
                    printer.setPageRanges(QPageRanges::fromString(range));
                }
                return true;
            };
        });
        f.click(f.paging("cmdNext", 0));
        f.click(f.paging("cmdNext", 0));
        f.click("cmd大きく");
        auto* scroll = f.find<QScrollBar>("VScroll1");
        scroll->setValue(scroll->maximum());
        QVERIFY(scroll->value() > 0);
        f.click("Cmd_Printer");
        QCOMPARE(offered, QStringList{QStringLiteral("1-4 from 3 to 3 all")});
        QCOMPARE(pdfPageCount(pdf), sheets);
        // Back on the cover from its top, shown again.
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.label("Lbl_page"), QStringLiteral("1/4"));
        QCOMPARE(scroll->value(), 0);
        QCOMPARE(f.window->zoomMode(), ZoomMode::FitWidth);
        QVERIFY(f.tree.prompt.shown().empty());
    }

    void cancellingThePrintDialogChangesNothing() {
        Fixture f;
        f.calculatedJob();
        f.open([](PreviewWindow& w) {
            w.printerChooser() = [](QPrinter&, int, int, QWidget*) { return false; };
        });
        f.click(f.paging("cmdNext", 1));
        f.click("cmd大きく");
        f.click("Cmd_Printer");
        QCOMPARE(f.label("Lbl_page"), QStringLiteral("4/4"));
        QCOMPARE(f.window->pictureSize().width(), 12250);
        QVERIFY(f.tree.prompt.shown().empty());
    }

    void aFileThatCannotBeWrittenIsReported() {
        Fixture f;
        f.calculatedJob();
        const QString pdf = f.tree.kmd() + QStringLiteral("/no such folder/report.pdf");
        f.open([&](PreviewWindow& w) {
            w.printerChooser() = [&](QPrinter& printer, int, int, QWidget*) {
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(pdf);
                return true;
            };
        });
        f.click("Cmd_Printer");
        QCOMPARE(f.tree.prompt.texts(),
                 QStringList{QStringLiteral("計算書のファイルを作成できませんでした。\n\n") + pdf +
                             QStringLiteral("\n\nディスクの空きと書き込みの許可を確認してください。")});
        QCOMPARE(f.tree.prompt.shown().back().icon, Icon::Error);
        QVERIFY(f.window->isVisible());
    }

    // "PDF保存..." writes every page of the report into the file chosen.
    void savingAsPdfWritesTheWholeReport() {
        Fixture f;
        f.calculatedJob();
        const QString pdf = f.tree.kmd() + QStringLiteral("/保存先/計算書");
        QVERIFY(QDir().mkpath(f.tree.kmd() + QStringLiteral("/保存先")));
        QString proposed;
        f.open([&](PreviewWindow& w) {
            w.pdfFileChooser() = [&](QWidget*, const QString& offered) {
                proposed = offered;
                return pdf;
            };
        });
        f.click("Cmd_Pdf");
        QVERIFY(proposed.endsWith(QStringLiteral(".pdf")));
        QFile written(pdf + QStringLiteral(".pdf"));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.read(5) == "%PDF-");
        QCOMPARE(f.tree.prompt.lastText(),
                 QStringLiteral("計算書をPDFに保存しました。　　　\n\n") + pdf + QStringLiteral(".pdf"));
        QVERIFY(!QFile::exists(pdf + QStringLiteral(".pdf.part")));
    }

    void pagesAndPrintJobs_data() {
        QTest::addColumn<QString>("range");
        QTest::addColumn<bool>("toFile");
        QTest::addColumn<QList<QList<int>>>("jobs");
        QTest::newRow("all pages on a printer")
            << QString() << false << QList<QList<int>>{{1}, {2}, {3}, {4}};
        QTest::newRow("all pages to a file") << QString() << true << QList<QList<int>>{{1, 2, 3, 4}};
        QTest::newRow("a range on a printer")
            << QStringLiteral("3-4") << false << QList<QList<int>>{{3}, {4}};
        QTest::newRow("beyond the report") << QStringLiteral("4-9") << true << QList<QList<int>>{{4}};
        QTest::newRow("out of the report") << QStringLiteral("7-9") << false << QList<QList<int>>{};
    }
    void pagesAndPrintJobs() {
        QFETCH(QString, range);
        QFETCH(bool, toFile);
        QFETCH(QList<QList<int>>, jobs);
        const QPageRanges entered = range.isEmpty() ? QPageRanges() : QPageRanges::fromString(range);
        QCOMPARE(preview::printJobs(preview::pagesToPrint(entered, 4), toFile), jobs);
    }
};

QTEST_MAIN(PreviewWindowTest)
#include "tst_preview_window.moc"
