#include "app/Program.h"

#include "app/ComportForm.h"
#include "app/MainForm.h"
#include "eventlog/store/DataModule1.h"
#include "eventlog/viewer/DataForm.h"

TProgram::TProgram()
    : MainForm(new TMainForm), DataForm(new TDataForm(MainForm)), DataModule1(new TDataModule1),
      ComportForm(new TComportForm(MainForm)) {
    DataModule1->SetHost(MainForm);
    DataModule1->SetChartSeries(DataForm->VoltageSeries());
    DataForm->SetPeers(MainForm, DataModule1);
    MainForm->SetPeers(DataForm, DataModule1, ComportForm);
    MainForm->show();
    ComportForm->show();
}

TProgram::~TProgram() {
    delete ComportForm;
    delete DataModule1;
    delete DataForm;
    delete MainForm;
}
