#include "StoreFixture.h"

#include "platform/data/IBSQL.h"
#include "platform/errors/Exception.h"

namespace {

// A record line from its fields: the seconds byte (BCD, plus 0x80 for the
// lithium flag), minutes, hours, year bits, day, month, the two kind
// characters and the raw value.
QString Record(int secondsByte, int minutes, int hours, int yearBits, int day, int month,
               const QString& kind, const QString& raw) {
    auto bcd = [](int value) { return (value / 10) * 16 + value % 10; };
    auto hex = [](int value) { return QString("%1").arg(value, 2, 16, QChar('0')).toUpper(); };
    return "M" + hex(secondsByte) + hex(bcd(minutes)) + hex(bcd(hours)) +
           hex(yearBits << 6 | bcd(day)) + hex(bcd(month)) + kind + raw;
}

struct Case {
    QString line;
    QString firmware;
    QString datum, tijd, aktie, data;
    bool lithium;
};

const QString Fallback = "1-1-2000";

TEST_F(StoreFixture, RecordLinesBecomeRows) {
    const Case cases[] = {
        // The worked example: year bits 1 before today (9 December 2026) is 2025.
        {"M8907146503007530", "SN", "25-3-2025", "14:07:09", "Accu voltage sample", "24 Volt",
         true},
        {"M8907146503007530XYZ", "SN", "25-3-2025", "14:07:09", "Accu voltage sample", "24 Volt",
         true},
        // The year: the latest one with these bits whose date is not after today.
        {Record(0x00, 0, 12, 2, 10, 12, "00", "7530"), "SN", "10-12-2022", "12:00:00",
         "Accu voltage sample", "24 Volt", false},
        {Record(0x00, 0, 12, 2, 9, 12, "00", "7530"), "SN", "9-12-2026", "12:00:00",
         "Accu voltage sample", "24 Volt", false},
        {Record(0x00, 0, 12, 2, 30, 11, "00", "7530"), "SN", "30-11-2026", "12:00:00",
         "Accu voltage sample", "24 Volt", false},
        {Record(0x00, 0, 12, 3, 1, 1, "00", "7530"), "SN", "1-1-2023", "12:00:00",
         "Accu voltage sample", "24 Volt", false},
        {Record(0x00, 0, 12, 1, 15, 6, "00", "7530"), "SN", "15-6-2025", "12:00:00",
         "Accu voltage sample", "24 Volt", false},
        {Record(0x00, 0, 12, 0, 29, 2, "00", "7530"), "SN", "29-2-2024", "12:00:00",
         "Accu voltage sample", "24 Volt", false},
        // No 29 February in those years: the fallback date and time.
        {Record(0x00, 0, 12, 1, 29, 2, "01", "7530"), "SN", Fallback, "0:00:00", "Start laden",
         "24 Volt", false},
        {Record(0x00, 0, 12, 2, 29, 2, "01", "7530"), "SN", Fallback, "0:00:00", "Start laden",
         "24 Volt", false},
        {Record(0x00, 0, 12, 3, 29, 2, "01", "7530"), "SN", Fallback, "0:00:00", "Start laden",
         "24 Volt", false},
        // The lithium flag and the seconds under it.
        {Record(0xD9, 30, 8, 2, 1, 12, "02", "5DC0"), "SN", "1-12-2026", "8:30:59",
         "Einde const. current", "19,2 Volt", true},
        {Record(0x59, 30, 8, 2, 1, 12, "03", "0BB8"), "SN", "1-12-2026", "8:30:59",
         "Einde const. voltage", "2,4 Volt", false},
        // Months, days, hours and digits out of range.
        {Record(0x00, 0, 12, 2, 1, 0, "04", "1234"), "SN", Fallback, "0:00:00",
         "Verbinding verbroken", "3,7 Volt", false},
        {"M00001281130"
         "5FFFF",
         "SN", Fallback, "0:00:00", "Inschakel voltage", "52,4 Volt", false},
        {"M00001281190"
         "60000",
         "SN", Fallback, "0:00:00", "Uitschakel voltage", "0 Volt", false},
        {Record(0x00, 0, 12, 2, 0, 5, "07", "7530"), "SN", Fallback, "0:00:00", "Shutoff voltage",
         "24 Volt", false},
        {Record(0x00, 0, 12, 2, 31, 4, "00", "7530"), "SN", Fallback, "0:00:00",
         "Accu voltage sample", "24 Volt", false},
        {Record(0x00, 0, 24, 2, 1, 5, "00", "7530"), "SN", Fallback, "0:00:00",
         "Accu voltage sample", "24 Volt", false},
        {"M005A12810500"
         "7530",
         "SN", Fallback, "0:00:00", "Accu voltage sample", "24 Volt", false},
        {"M3A0012810500"
         "7530",
         "SN", Fallback, "0:00:00", "Accu voltage sample", "24 Volt", false},
        {"M000012G10500"
         "7530",
         "SN", Fallback, "0:00:00", "Accu voltage sample", "24 Volt", false},
        // Minutes and hours are two decimal digits, nothing else.
        {"M00$9128105007530", "SN", Fallback, "0:00:00", "Accu voltage sample", "24 Volt", false},
        {"M00 9128105007530", "SN", Fallback, "0:00:00", "Accu voltage sample", "24 Volt", false},
        {"M00+9128105007530", "SN", Fallback, "0:00:00", "Accu voltage sample", "24 Volt", false},
        {"M0000+98105007530", "SN", Fallback, "0:00:00", "Accu voltage sample", "24 Volt", false},
        // Power levels by hardware kind; codes outside '0'-'8' as percentages too.
        {Record(0x00, 0, 12, 2, 1, 5, "08", "0080"), "SN 2.1", "1-5-2026", "12:00:00",
         "Insch./wijz. vermogensstand", "50%", false},
        {Record(0x00, 0, 12, 2, 1, 5, "08", "0180"), "SN 2.1", "1-5-2026", "12:00:00",
         "Insch./wijz. vermogensstand", "151%", false},
        {Record(0x00, 0, 12, 2, 1, 5, "08", "FFFF"), "SN 2.1", "1-5-2026", "12:00:00",
         "Insch./wijz. vermogensstand", "25700%", false},
        {Record(0x00, 0, 12, 2, 1, 5, "08", "0000"), "HM 1.0 v107", "1-5-2026", "12:00:00",
         "Insch./wijz. vermogensstand", "100%", false},
        {Record(0x00, 0, 12, 2, 1, 5, "08", "0010"), "HM 1.0 v110", "1-5-2026", "12:00:00",
         "Insch./wijz. vermogensstand", "50%", false},
        {Record(0x00, 0, 12, 2, 1, 5, "08", "FFFF"), "HM 1.0 v110", "1-5-2026", "12:00:00",
         "Insch./wijz. vermogensstand", "0%", false},
        {Record(0x00, 0, 12, 2, 1, 5, "08", "0080"), "XX", "1-5-2026", "12:00:00",
         "Insch./wijz. vermogensstand", "0%", false},
        {Record(0x00, 0, 12, 2, 1, 5, "09", "0080"), "SN", "1-5-2026", "12:00:00",
         "Ongeldige aktie!", "50%", false},
        {Record(0x00, 0, 12, 2, 1, 5, "0A", "0080"), "HM", "1-5-2026", "12:00:00",
         "Ongeldige aktie!", "0%", false},
        {Record(0x00, 0, 12, 2, 1, 5, "0F", "0080"), "", "1-5-2026", "12:00:00", "Ongeldige aktie!",
         "0%", false},
        {Record(0x00, 0, 12, 2, 1, 5, "7c", "0000"), "HM", "1-5-2026", "12:00:00",
         "Ongeldige aktie!", "100%", false},
        // Lower-case digits convert; a value digit that is none does not.
        {"m0000128105"
         "01"
         "5dc0",
         "SN", "1-5-2026", "12:00:00", "Start laden", "19,2 Volt", false},
        {Record(0x00, 0, 12, 2, 1, 5, "01", "12G4"), "SN", "1-5-2026", "12:00:00", "Start laden",
         "Ongeldige data!", false},
        {Record(0x00, 0, 12, 2, 1, 5, "08", " 123"), "SN", "1-5-2026", "12:00:00",
         "Insch./wijz. vermogensstand", "Ongeldige data!", false},
        // Short lines: what is missing falls back, nothing beyond the line is read.
        {"M", "SN", Fallback, "0:00:00", "Ongeldige aktie!", "Ongeldige data!", false},
        {"M89", "SN", Fallback, "0:00:00", "Ongeldige aktie!", "Ongeldige data!", true},
        {"M8907146503", "SN", "25-3-2025", "14:07:09", "Ongeldige aktie!", "Ongeldige data!", true},
        {"M89071465030", "SN", "25-3-2025", "14:07:09", "Ongeldige aktie!", "Ongeldige data!",
         true},
        {"M890714650300753", "SN", "25-3-2025", "14:07:09", "Accu voltage sample",
         "Ongeldige data!", true},
    };

    ShowChart();
    module.DataIBTransaction->Commit();
    module.LocalIBTransaction->SetActive(true);
    for (const Case& c : cases) {
        host.firmware = c.firmware;
        host.lithiumLow = false;
        module.AddData(c.line);
        EXPECT_EQ(host.lithiumLow, c.lithium) << c.line.toStdString();
    }
    module.LocalIBTransaction->CommitRetaining();
    module.OpenView();

    TIBDataSet& view = *module.DataIBDataSet;
    ASSERT_EQ(view.RecordCount(), int(std::size(cases)));
    view.First();
    int id = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        EXPECT_EQ(view.FieldByName("ID").AsInteger(), id++);
        EXPECT_EQ(view.FieldByName("DATUM").AsString(), c.datum);
        EXPECT_EQ(view.FieldByName("TIJD").AsString(), c.tijd);
        EXPECT_EQ(view.FieldByName("AKTIE").AsString(), c.aktie);
        EXPECT_EQ(view.FieldByName("DATA").AsString(), c.data);
        view.Next();
    }
}

TEST_F(StoreFixture, NumberingGoesOnAcrossDownloadsAndBeepsOnceAt1524) {
    ShowChart();
    const QString sample = "M0907146503007530";
    Download({sample, sample});
    Download({sample});
    EXPECT_EQ(Column("ID"), QStringList({"1", "2", "3"}));
    EXPECT_EQ(beeps, 0);

    TIBSQL jump(module.IBDatabase1, module.LocalIBTransaction);
    module.LocalIBTransaction->SetActive(true);
    jump.SQL().Add("SET GENERATOR GEN_DATATBL_ID TO 1522");
    jump.ExecQuery();
    Download({sample, sample, sample});
    EXPECT_EQ(Column("ID"), QStringList({"1", "2", "3", "1523", "1524", "1525"}));
    EXPECT_EQ(beeps, 1);
}

TEST_F(StoreFixture, AFailingInsertionLeavesAddDataAndStoresNothing) {
    ShowChart();
    module.DataIBTransaction->Commit();
    module.LocalIBTransaction->SetActive(true);
    // Without the prepared insertion the statement holds something else.
    module.LocalIBSQL->SQL().Clear();
    module.LocalIBSQL->SQL().Add("INSERT INTO DATATBL(ID) VALUES (:ID, :DATUM)");
    EXPECT_THROW(module.AddData("M0907146503007530"), EDatabaseError);
}

} // namespace
