#pragma once

#include <memory>

class TMainForm;
class TDataForm;
class TDataModule1;
class TComportForm;

// The program's four long-lived objects, created in this order at start-up
// and freed at exit. The main window comes first and is the main window:
// closing it ends the program.
class TProgram {
public:
    TProgram();
    ~TProgram();

    TMainForm* const MainForm;
    TDataForm* const DataForm;
    TDataModule1* const DataModule1;
    TComportForm* const ComportForm;
};
