#include "LogWindowFixture.h"

namespace {

using FilterTest = LogWindowFixture;

} // namespace

// With every kind box unticked, Ok says there is nothing to show and leaves
// the view closed, but the statement keeps the form it had: every later
// opening of the view runs it as before.
TEST_F(FilterTest, NoKindTicked_ShowsTheMessageAndKeepsTheStatement) {
    download(kRecords);
    const QStringList statement = module.DataIBDataSet->SelectSQL().Lines();
    for (QCheckBox* box :
         {form.ui.wijzigenvermogensstanden, form.ui.Accusamples, form.ui.Startladen,
          form.ui.Eindeconstcurrent, form.ui.Ladenklaar, form.ui.Verbindingverbroken,
          form.ui.Inschakelvoltage, form.ui.Uitschakelvoltage, form.ui.Shutoffvoltage}) {
        click(box);
        ASSERT_FALSE(box->isChecked());
    }
    ASSERT_TRUE(form.ui.DateOkButton->isEnabled());
    const size_t boxesBefore = boxes.size();
    click(form.ui.DateOkButton);
    ASSERT_EQ(boxes.size(), boxesBefore + 1);
    EXPECT_EQ(boxes.back().Text, "Er is geen data om weer te geven.");
    EXPECT_EQ(boxes.back().Type, TMsgDlgType::mtInformation);
    EXPECT_FALSE(module.DataIBDataSet->Active());
    EXPECT_TRUE(form.ui.DateOkButton->isEnabled());
    EXPECT_EQ(module.DataIBDataSet->SelectSQL().Lines(), statement);

    // An import, the end of a download and "Toon grafiek" open the view.
    writeFile(chosen, "7;1-2-2004;10:00:00;Start laden;24 Volt\r\n");
    click(form.ui.ImportBTN);
    EXPECT_EQ(messages.back(), "De gegevens uit het bestand zijn succesvol geimporteerd.");
    EXPECT_EQ(rows(), QStringList{"7;1-2-2004;10:00:00;Start laden;24 Volt"});
    download({"M1307146503007530"});
    EXPECT_EQ(rows().size(), 2);
    module.CreateDatabase(databasePath());
    module.LocalIBTransaction->Commit();
    module.OpenView();
    EXPECT_TRUE(module.DataIBDataSet->Active());

    // A kind ticked again filters by it, still in the order in force.
    click(form.ui.Startladen);
    click(form.ui.DateOkButton);
    EXPECT_EQ(module.DataIBDataSet->SelectSQL().Lines(),
              (QStringList{"SELECT *", "FROM DATATBL", "WHERE(", "AKTIE = 'Start laden'", ")",
                           "ORDER BY ID ASC"}));
    EXPECT_TRUE(module.DataIBDataSet->Active());
}
