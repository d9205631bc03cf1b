#include "LogWindowFixture.h"

#include "platform/data/IBSQL.h"

namespace {

using Point = std::tuple<double, double, int>;

// Everything a failed import must leave as it was: the table as committed,
// the grid, the view and its current row, both transactions, every point of
// the voltage chart and the zoom.
struct WindowState {
    QStringList committed;
    QStringList grid;
    bool viewOpen = false;
    int currentRow = 0;
    bool browsing = false;
    bool local = false;
    std::vector<std::vector<Point>> chart;
    std::vector<double> axes;
    bool automatic = false;
};

class ImportTest : public LogWindowFixture {
  protected:
    void SetUp() override {
        LogWindowFixture::SetUp();
        download(kRecords);
        TChart* chart = form.ui.Chart1;
        chart->LeftAxis().SetMinMax(10, 30);
        chart->BottomAxis().SetMinMax(45700, 45800);
        chart->LeftAxis().SetAutomatic(false);
        chart->BottomAxis().SetAutomatic(false);
    }

    WindowState state() {
        WindowState s;
        s.committed = committedRows();
        QAbstractItemModel* grid = form.ui.DBGrid1->model();
        for (int row = 0; row < grid->rowCount(); ++row) {
            QStringList fields;
            for (int column = 0; column < grid->columnCount(); ++column)
                fields << grid->index(row, column).data().toString();
            s.grid << fields.join(';');
        }
        s.viewOpen = module.DataIBDataSet->Active();
        s.currentRow = module.DataIBDataSet->RecNo();
        s.browsing = module.DataIBTransaction->InTransaction();
        s.local = module.LocalIBTransaction->InTransaction();
        for (const TChartSeries* series : std::initializer_list<const TChartSeries*>{
                 form.Series2, form.Series3, form.Series4, form.Series5, form.Series6, form.Series7,
                 form.Series8, form.Series9, form.Series10}) {
            std::vector<Point> points;
            for (int i = 0; i < series->Count(); ++i)
                points.emplace_back(series->XValue(i), series->YValue(i), series->ValueColor(i));
            s.chart.push_back(points);
        }
        const TChart* chart = form.ui.Chart1;
        s.axes = {chart->LeftAxis().Minimum(), chart->LeftAxis().Maximum(),
                  chart->BottomAxis().Minimum(), chart->BottomAxis().Maximum()};
        s.automatic = chart->LeftAxis().Automatic() || chart->BottomAxis().Automatic();
        return s;
    }

    static void expectSame(const WindowState& before, const WindowState& after) {
        EXPECT_EQ(after.committed, before.committed);
        EXPECT_EQ(after.grid, before.grid);
        EXPECT_EQ(after.viewOpen, before.viewOpen);
        EXPECT_EQ(after.currentRow, before.currentRow);
        EXPECT_EQ(after.browsing, before.browsing);
        EXPECT_EQ(after.local, before.local);
        EXPECT_EQ(after.chart, before.chart);
        EXPECT_EQ(after.axes, before.axes);
        EXPECT_EQ(after.automatic, before.automatic);
    }

    // Imports `bytes` through the window: "Importeren", the file, Yes.
    void import(const QByteArray& bytes) {
        writeFile(chosen, bytes);
        click(form.ui.ImportBTN);
    }

    // The one box the last import showed, which must be an error.
    QString onlyError(size_t boxesBefore) {
        // The question, then the error.
        if (boxes.size() != boxesBefore + 2)
            return QString("%1 boxes").arg(boxes.size() - boxesBefore);
        EXPECT_EQ(boxes.back().Type, TMsgDlgType::mtError);
        return boxes.back().Text;
    }
};

const QByteArray kGoodLines = "7;1-2-2004;10:00:00;Start laden;24 Volt\r\n"
                              "8;1-2-2004;10:01:00;Accu voltage sample;23,5 Volt\r\n";
const QByteArray kLastLine = "9;1-2-2004;10:02:00;Start laden;24 Volt\r\n";

} // namespace

// Every kind of bad line stops the import before anything changes, with one
// error box that names the line and quotes at most 60 characters of it.
TEST_F(ImportTest, ABadLine_ChangesNothingAndNamesItsLine) {
    const QByteArray k31(31, 'k'), d26(26, 'd'), id70 = QByteArray("1234567890").repeated(7);
    const struct {
        const char* kind;
        QByteArray bytes;
        QString error;
    } table[] = {
        {"ID that is no whole number", kGoodLines + "x9;1-2-2004;10:00:00;Start laden;24 Volt\r\n",
         "Regel 3: 'x9' is not a valid integer value"},
        {"no ID", kGoodLines + ";1-2-2004;10:00:00;Start laden;24 Volt\r\n",
         "Regel 3: '' is not a valid integer value"},
        {"date", kGoodLines + "9;31-2-2004;10:00:00;Start laden;24 Volt\r\n",
         "Regel 3: '31-2-2004' is not a valid date and time"},
        {"time", kGoodLines + "9;1-2-2004;25:00:00;Start laden;24 Volt\r\n",
         "Regel 3: '25:00:00' is not a valid date and time"},
        {"kind of 31", kGoodLines + "9;1-2-2004;10:00:00;" + k31 + ";24 Volt\r\n",
         "Regel 3: '" + QString(k31) + "' is langer dan 30 tekens (Aktie)"},
        {"value of 26", kGoodLines + "9;1-2-2004;10:00:00;Start laden;" + d26 + "\n",
         "Regel 3: '" + QString(d26) + "' is langer dan 25 tekens (Data)"},
        {"ID of 70 digits", kGoodLines + id70 + ";1-2-2004;10:00:00;Start laden;24 Volt\r\n",
         "Regel 3: '" + QString(id70.left(60)) + "...' is not a valid integer value"},
        {"binary junk", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
         "Regel 1: '?PNG' is not a valid integer value"},
        {"zero bytes", QByteArray("\0\0\x01junk\r\n", 9) + kGoodLines,
         "Regel 1: de regel bevat een nul-byte: '???junk'"},
        {"10 MB line", QByteArray(10 << 20, '7'),
         "Regel 1: de regel is langer dan 4096 tekens: '" + QString(60, '7') + "...'"},
    };
    const WindowState before = state();
    for (const auto& c : table) {
        SCOPED_TRACE(c.kind);
        const size_t boxesBefore = boxes.size();
        import(c.bytes + kLastLine);
        EXPECT_EQ(onlyError(boxesBefore), c.error);
        expectSame(before, state());
    }
    // No half import waits in the writing transaction either.
    if (module.LocalIBTransaction->InTransaction())
        module.LocalIBTransaction->CommitRetaining();
    EXPECT_EQ(committedRows(), before.committed);

    // A new import and a download work at once; the generator was left alone.
    import(kGoodLines + kLastLine);
    EXPECT_EQ(messages.back(), "De gegevens uit het bestand zijn succesvol geimporteerd.");
    EXPECT_EQ(rows(), (QStringList{"7;1-2-2004;10:00:00;Start laden;24 Volt",
                                   "8;1-2-2004;10:01:00;Accu voltage sample;23,5 Volt",
                                   "9;1-2-2004;10:02:00;Start laden;24 Volt"}));
    EXPECT_TRUE(form.ui.Chart1->LeftAxis().Automatic());
    download({"M1307146503007530"});
    EXPECT_EQ(rows().first(), "5;25-3-2025;14:07:13;Accu voltage sample;24 Volt");
}

// A text is imported whole when it fits its column and refused as a bad line
// otherwise, however long it is; it never reaches the engine cut.
TEST_F(ImportTest, TextLengths_FitOrAreRefusedAsABadLine) {
    import("1;1-2-2004;10:00:00;" + QByteArray(30, 'k') + ";24 Volt\r\n");
    ASSERT_EQ(messages.back(), "De gegevens uit het bestand zijn succesvol geimporteerd.");
    const WindowState before = state();
    EXPECT_EQ(before.committed,
              QStringList{"1;1-2-2004;10:00:00;" + QString(30, 'k') + ";24 Volt"});
    for (const int length : {31, 32767, 32768, 65535, 65536 + 5}) {
        SCOPED_TRACE(length);
        const size_t boxesBefore = boxes.size();
        import("2;1-2-2004;10:00:00;" + QByteArray(length, 'k') + ";24 Volt\r\n");
        const QString error = onlyError(boxesBefore);
        EXPECT_TRUE(error.startsWith("Regel 1: '") ||
                    error.startsWith("Regel 1: de regel is langer"))
            << error.toStdString();
        EXPECT_LE(error.count('k'), 60);
        expectSame(before, state());
    }
}

// A file that converts whole replaces the table: the rows of the file in its
// order with its IDs, read by the kinds of line ends, old kind texts renamed,
// extra fields ignored, empty dates and times stored as none.
TEST_F(ImportTest, AGoodFile_ReplacesTheTableAndTheViewAndUndoesTheZoom) {
    import("7;1-2-2004;10:00:00;Vermogensstand gewijzigd;40%;extra\r"
           "3;;;Start laden;24 Volt;\n"
           "\r\n"
           "7;2-2-2004;9:30:00;Accu voltage sample;24,5 Volt\r\n"
           "5;2-2-2004;9:31:00;Start laden;24 Volt");
    EXPECT_EQ(messages.back(), "De gegevens uit het bestand zijn succesvol geimporteerd.");
    EXPECT_EQ(committedRows(), (QStringList{"3;NULL;NULL;Start laden;24 Volt",
                                            "5;2-2-2004;9:31:00;Start laden;24 Volt",
                                            "7;1-2-2004;10:00:00;Insch./wijz. vermogensstand;40%",
                                            "7;2-2-2004;9:30:00;Accu voltage sample;24,5 Volt"}));
    // The row without date and time stays in the grid, out of the chart.
    EXPECT_EQ(state().grid.size(), 4);
    EXPECT_EQ(form.Series2->Count(), 2);
    EXPECT_EQ(form.Series10->Count(), 3);
    EXPECT_TRUE(form.ui.Chart1->LeftAxis().Automatic());
    EXPECT_TRUE(form.ui.Chart1->BottomAxis().Automatic());
}

// When the engine refuses a row after every line converted, the deletion is
// undone with the rows before it: the deletion and the rows are made
// permanent together or not at all.
TEST_F(ImportTest, ARowTheEngineRefuses_LeavesTheTableAsItWas) {
    {
        TIBDatabase other;
        attach(other);
        TIBTransaction ddl(&other);
        ddl.StartTransaction();
        TIBSQL statement(&other, &ddl);
        statement.SQL().Add("CREATE EXCEPTION WEIGERING 'rij geweigerd'");
        statement.ExecQuery();
        ddl.CommitRetaining();
        statement.SQL().Assign({"CREATE TRIGGER WEIGER FOR DATATBL BEFORE INSERT AS",
                                "BEGIN IF (NEW.AKTIE = 'Weiger') THEN EXCEPTION WEIGERING; END"});
        statement.ExecQuery();
        ddl.Commit();
    }
    const WindowState before = state();
    const size_t boxesBefore = boxes.size();
    import(kGoodLines + "9;1-2-2004;10:00:00;Weiger;24 Volt\r\n");
    EXPECT_TRUE(onlyError(boxesBefore).contains("rij geweigerd"));
    expectSame(before, state());

    // The insertion is in place for the next download.
    download({"M1307146503007530"});
    EXPECT_EQ(rows().size(), 5);
}

// What the import kept: the question, and no change while a download runs.
TEST_F(ImportTest, NoToTheQuestionOrADownloadRunning_ChangesNothing) {
    const WindowState before = state();
    writeFile(chosen, kGoodLines);
    SetMessageBoxHook([this](const MessageRequest& request) {
        boxes.push_back(request);
        return int(mrNo);
    });
    click(form.ui.ImportBTN);
    ASSERT_EQ(boxes.size(), 1u);
    expectSame(before, state());

    SetMessageBoxHook([this](const MessageRequest& request) {
        boxes.push_back(request);
        return request.Buttons.front() == TMsgDlgBtn::mbYes ? int(mrYes) : int(mrOk);
    });
    click(form.ui.DownLoadButton);
    click(form.ui.ImportBTN);
    EXPECT_EQ(boxes.back().Text, "Transaction is not active");
    EXPECT_EQ(committedRows(), before.committed);
}
